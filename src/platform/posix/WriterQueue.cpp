#include "WriterQueue.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <thread>

#include "FileDescriptor.h"
#include "PrivateFiles.h"

namespace {

// The lock byte that guards the ticket counter, the one of the writer that
// is writing, and the first of the tickets' lock bytes, which are used round
// a ring far larger than any queue.
constexpr off_t kCounterLock = 0;
constexpr off_t kWritingLock = 1;
constexpr off_t kFirstTicketLock = 1 << 20;
constexpr std::uint64_t kTicketLocks = 1 << 20;
// Where the file names processes, after the ticket counter: the writer that
// is writing, the one that holds the counter, and the holder of each ticket,
// round a ring far larger than any queue.
constexpr off_t kWritingProcess = 8;
constexpr off_t kCountingProcess = 12;
constexpr off_t kFirstTicketProcess = 64;
constexpr std::uint64_t kTicketProcesses = 4096;
// How often a waiting writer looks whether its turn has come: short beside
// a durable write, so that turns pass on at once.
constexpr std::chrono::microseconds kPollInterval{100};
// How long the system's answer whether a process is stopped is kept.
constexpr std::chrono::milliseconds kStoppedCheckInterval{10};

off_t TicketLock(std::uint64_t Ticket) {
  return kFirstTicketLock + static_cast<off_t>(Ticket % kTicketLocks);
}

off_t TicketProcess(std::uint64_t Ticket) {
  return kFirstTicketProcess + static_cast<off_t>(Ticket % kTicketProcesses * sizeof(pid_t));
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

// Whether Process is stopped by a signal or a debugger: its state in
// /proc/PID/stat, after the name in parentheses, is T or t. False for no
// process, or when it cannot be told.
bool IsStopped(pid_t Process) {
  if (Process <= 0) return false;
  char Name[32];
  std::snprintf(Name, sizeof Name, "/proc/%d/stat", static_cast<int>(Process));
  TDescriptor File(open(Name, O_RDONLY | O_CLOEXEC));
  char Stat[512];
  const ssize_t Size = File.Valid() ? read(File.Handle(), Stat, sizeof Stat - 1) : -1;
  if (Size <= 0) return false;
  Stat[Size] = '\0';
  const char* NameEnd = std::strrchr(Stat, ')');
  return NameEnd && NameEnd[1] == ' ' && (NameEnd[2] == 'T' || NameEnd[2] == 't');
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

bool TWriterQueue::TStoppedCheck::operator()(pid_t Process) {
  const auto Now = std::chrono::steady_clock::now();
  if (Process != FProcess || Now - FChecked >= kStoppedCheckInterval) {
    FProcess = Process;
    FStopped = IsStopped(Process);
    FChecked = Now;
  }
  return FStopped;
}

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

pid_t TWriterQueue::ProcessAt(off_t Offset) const {
  pid_t Process = 0;
  return pread(FFile, &Process, sizeof Process, Offset) == sizeof Process ? Process : 0;
}

bool TWriterQueue::RecordProcess(off_t Offset, pid_t Process) const {
  return pwrite(FFile, &Process, sizeof Process, Offset) == sizeof Process;
}

// A counter kept by a stopped process hands out no ticket: this turn then
// comes at once, unordered.
bool TWriterQueue::TakeTicket(const TMayWait& MayWait) {
  bool Counting = false;
  auto Counter = [&] {
    Counting = SetLock(FFile, F_WRLCK, kCounterLock);
    return Counting || FAheadStopped(ProcessAt(kCountingProcess));
  };
  if (!WaitUntil(Counter, MayWait)) return false;
  if (!Counting) return true;
  RecordProcess(kCountingProcess, getpid());
  std::uint64_t Next = 0;
  if (pread(FFile, &Next, sizeof Next, 0) != sizeof Next) Next = 0;
  FTicket = Next;
  ++Next;
  const bool Counted = pwrite(FFile, &Next, sizeof Next, 0) == sizeof Next;
  FHoldsTicket = Counted && SetLock(FFile, F_WRLCK, TicketLock(FTicket));
  if (FHoldsTicket) RecordProcess(TicketProcess(FTicket), getpid());
  RecordProcess(kCountingProcess, 0);
  SetLock(FFile, F_UNLCK, kCounterLock);
  return true;
}

bool TWriterQueue::WaitTurn(const TMayWait& MayWait) {
  EndTurn();
  if (!TakeTicket(MayWait)) return false;
  // A queue that could not hand out a ticket orders nothing.
  if (!FHoldsTicket) return true;
  const std::uint64_t Before = FTicket - 1;
  auto Turn = [&] {
    return !IsHeld(FFile, TicketLock(Before)) || FAheadStopped(ProcessAt(TicketProcess(Before)));
  };
  if (WaitUntil(Turn, MayWait)) return true;
  EndTurn();
  return false;
}

void TWriterQueue::BeginWriting() {
  FWriting = SetLock(FFile, F_WRLCK, kWritingLock);
  if (FWriting) RecordProcess(kWritingProcess, getpid());
}

bool TWriterQueue::OthersWriting() {
  return FFile >= 0 && IsHeld(FFile, kWritingLock) && !FWriterStopped(ProcessAt(kWritingProcess));
}

void TWriterQueue::EndTurn() {
  if (FWriting) SetLock(FFile, F_UNLCK, kWritingLock);
  if (FHoldsTicket) SetLock(FFile, F_UNLCK, TicketLock(FTicket));
  FWriting = FHoldsTicket = false;
}
