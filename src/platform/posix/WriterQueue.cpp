#include "WriterQueue.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "PrivateFiles.h"

namespace {

// The lock byte that guards the ticket counter, the one of the writer that
// is writing, and the first of the tickets' lock bytes, which are used round
// a ring far larger than any queue.
constexpr off_t kCounterLock = 0;
constexpr off_t kWritingLock = 1;
constexpr off_t kFirstTicketLock = 1 << 20;
constexpr std::uint64_t kTicketLocks = 1 << 20;
// How often a waiting writer looks whether its turn has come: short beside
// a durable write, so that turns pass on at once.
constexpr std::chrono::microseconds kPollInterval{100};

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

bool TWriterQueue::TakeTicket(const TMayWait& MayWait) {
  if (!WaitUntil([&] { return SetLock(FFile, F_WRLCK, kCounterLock); }, MayWait)) return false;
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
  if (FFile < 0) return true;
  if (!TakeTicket(MayWait)) return false;
  // A queue that could not hand out a ticket orders nothing.
  if (!FHoldsTicket) return true;
  const off_t Before = TicketLock(FTicket - 1);
  if (WaitUntil([&] { return !IsHeld(FFile, Before); }, MayWait)) return true;
  EndTurn();
  return false;
}

void TWriterQueue::BeginWriting() {
  FWriting = FFile >= 0 && SetLock(FFile, F_WRLCK, kWritingLock);
}

bool TWriterQueue::OthersWriting() const { return FFile >= 0 && IsHeld(FFile, kWritingLock); }

void TWriterQueue::EndTurn() {
  if (FWriting) SetLock(FFile, F_UNLCK, kWritingLock);
  if (FHoldsTicket) SetLock(FFile, F_UNLCK, TicketLock(FTicket));
  FWriting = FHoldsTicket = false;
}
