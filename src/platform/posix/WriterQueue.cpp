#include "WriterQueue.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

#include "PrivateFiles.h"

namespace {

// The lock byte that guards the ticket counter, and the first of the
// tickets' lock bytes, which are used round a ring far larger than any
// queue.
constexpr off_t kCounterLock = 0;
constexpr off_t kFirstTicketLock = 1 << 20;
constexpr std::uint64_t kTicketLocks = 1 << 20;
// Where the records lie, after the ticket counter.
constexpr off_t kRecords = 8;
constexpr off_t kLifeRecord = kRecords + 8;
// How often a waiting writer looks whether its turn has come: short beside
// a durable write, so that turns pass on at once.
constexpr std::chrono::microseconds kPollInterval{100};
// How many times per stall limit a writer waiting for the store's lock
// shows life.
constexpr int kLifePerStall = 5;

off_t TicketLock(std::uint64_t Ticket) {
  return kFirstTicketLock + static_cast<off_t>(Ticket % kTicketLocks);
}

struct flock Range(short Type, off_t Byte) {
  struct flock Lock {};
  Lock.l_type = Type;
  Lock.l_whence = SEEK_SET;
  Lock.l_start = Byte;
  Lock.l_len = 1;
  return Lock;
}

bool SetLock(int File, short Type, off_t Byte) {
  struct flock Lock = Range(Type, Byte);
  return fcntl(File, F_OFD_SETLK, &Lock) == 0;
}

// Whether another open file holds Byte.
bool IsHeld(int File, off_t Byte) {
  struct flock Lock = Range(F_WRLCK, Byte);
  return fcntl(File, F_OFD_GETLK, &Lock) == 0 && Lock.l_type != F_UNLCK;
}

// Counts one more at Offset (a part of the file not written yet reads 0);
// the count the file holds then.
std::uint64_t CountOn(int File, off_t Offset) {
  std::uint64_t Count = 0;
  if (pread(File, &Count, sizeof Count, Offset) != sizeof Count) Count = 0;
  ++Count;
  return pwrite(File, &Count, sizeof Count, Offset) == sizeof Count ? Count : Count - 1;
}

// Waits until Ready(), while MayWait(); the last answer of Ready().
template <typename Condition>
bool WaitUntil(Condition&& Ready, const TWriterQueue::TMayWait& MayWait) {
  while (!Ready()) {
    if (!MayWait()) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
  return true;
}

}  // namespace

TWriterQueue::~TWriterQueue() { Close(); }

bool TWriterQueue::Open(const std::string& StoreFile) {
  Close();
  std::string Failure;
  FFile = OpenPrivateFile(StoreFile + "-queue", true, true, Failure);
  return FFile >= 0;
}

void TWriterQueue::Close() {
  EndTurn();
  if (FFile >= 0) close(FFile);
  FFile = -1;
}

// A counter that another writer keeps locked for a stall hands out no
// ticket: this turn then comes at once, unordered.
bool TWriterQueue::TakeTicket(const TMayWait& MayWait) {
  const TClock::time_point Start = TClock::now();
  bool Counting = false;
  auto Counter = [&] {
    return (Counting = SetLock(FFile, F_WRLCK, kCounterLock)) || Stalled(Start);
  };
  if (!WaitUntil(Counter, MayWait)) return false;
  if (!Counting) return true;
  std::uint64_t Next = 0;
  if (pread(FFile, &Next, sizeof Next, 0) != sizeof Next) Next = 0;
  FTicket = Next;
  ++Next;
  const bool Counted = pwrite(FFile, &Next, sizeof Next, 0) == sizeof Next;
  FHoldsTicket = Counted && SetLock(FFile, F_WRLCK, TicketLock(FTicket));
  SetLock(FFile, F_UNLCK, kCounterLock);
  return true;
}

bool TWriterQueue::WaitTurn(const TMayWait& MayWait) {
  EndTurn();
  const TClock::time_point Start = TClock::now();
  if (!TakeTicket(MayWait)) return false;
  // A queue that could not hand out a ticket orders nothing.
  const off_t Before = TicketLock(FTicket - 1);
  FHasTurn =
      !FHoldsTicket || WaitUntil([&] { return !IsHeld(FFile, Before) || Stalled(Start); }, MayWait);
  if (!FHasTurn) EndTurn();
  return FHasTurn;
}

void TWriterQueue::Look() {
  TRecords Now;
  if (pread(FFile, &Now, sizeof Now, kRecords) < 0) return;
  const TClock::time_point Time = TClock::now();
  if (Now.Writing != FSeen.Writing) FWriterBegan = Time;
  if (Now.Life != FSeen.Life) FLifeSeen = Time;
  FSeen = Now;
}

bool TWriterQueue::Stalled(TClock::time_point Since) {
  Look();
  return TClock::now() - std::max({Since, FWriterBegan, FLifeSeen}) >= FStallLimit;
}

// Only the writer that holds the store's lock begins writing, so the count
// is never moved on by two at once. Its own begin is no other's progress.
void TWriterQueue::BeginWriting() { FSeen.Writing = CountOn(FFile, kRecords); }

void TWriterQueue::ShowLife() {
  const TClock::time_point Now = TClock::now();
  if (!FHasTurn || Now - FLifeShown < FStallLimit / kLifePerStall) return;
  FLifeShown = Now;
  CountOn(FFile, kLifeRecord);
}

TWriterQueue::TClock::time_point TWriterQueue::LastWriterBegan() {
  if (FFile >= 0) Look();
  return FWriterBegan;
}

void TWriterQueue::EndTurn() {
  if (FHoldsTicket) SetLock(FFile, F_UNLCK, TicketLock(FTicket));
  FHoldsTicket = FHasTurn = false;
}
