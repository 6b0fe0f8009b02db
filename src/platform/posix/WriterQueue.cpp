#include "WriterQueue.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <thread>

#include "FileDescriptor.h"
#include "PrivateFiles.h"
#include "StoreFiles.h"

namespace {

// The file's records, in 64-bit words: the next ticket, the writer that is
// writing (its process), and from kFirstTicketRecord on the writer of each
// ticket (the ticket's lower half above its process).
constexpr size_t kCounter = 0;
constexpr size_t kWritingRecord = 1;
constexpr size_t kFirstTicketRecord = 8;
constexpr std::uint64_t kTickets = 4096;
constexpr size_t kRecordsSize = (kFirstTicketRecord + kTickets) * sizeof(std::uint64_t);
// The lock byte of the writer that is writing, and the first of the
// tickets' lock bytes, past the records.
constexpr off_t kWritingLock = 1;
constexpr off_t kFirstTicketLock = 1 << 20;
// How often a waiting writer looks whether its turn has come: short beside
// a durable write, so that turns pass on at once.
constexpr std::chrono::microseconds kPollInterval{100};
// How long the system's answer whether a process runs is kept.
constexpr std::chrono::milliseconds kRunningCheckInterval{10};

off_t TicketLock(std::uint64_t Ticket) {
  return kFirstTicketLock + static_cast<off_t>(Ticket % kTickets);
}

size_t TicketRecord(std::uint64_t Ticket) {
  return kFirstTicketRecord + static_cast<size_t>(Ticket % kTickets);
}

std::uint64_t TicketWriter(std::uint64_t Ticket, pid_t Process) {
  return (Ticket << 32) | static_cast<std::uint32_t>(Process);
}

pid_t ProcessOf(std::uint64_t Record) { return static_cast<pid_t>(Record & 0xFFFFFFFF); }

std::atomic_ref<std::uint64_t> Shared(std::uint64_t& Word) {
  return std::atomic_ref<std::uint64_t>(Word);
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

// Whether Process runs: its state in /proc/PID/stat, after the name in
// parentheses, is neither stopped (T, t) nor ended (Z, X). Where that file
// cannot be read, whether the process exists.
bool IsRunning(pid_t Process) {
  if (Process <= 0) return false;
  char Name[32];
  std::snprintf(Name, sizeof Name, "/proc/%d/stat", static_cast<int>(Process));
  TDescriptor File(open(Name, O_RDONLY | O_CLOEXEC));
  char Stat[512];
  const ssize_t Size = File.Valid() ? read(File.Handle(), Stat, sizeof Stat - 1) : -1;
  if (Size <= 0) return kill(Process, 0) == 0 || errno == EPERM;
  Stat[Size] = '\0';
  const char* NameEnd = std::strrchr(Stat, ')');
  return NameEnd && NameEnd[1] == ' ' && NameEnd[2] && !std::strchr("TtZX", NameEnd[2]);
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

// Maps the records of the queue file, which is made long enough first;
// nullptr when it cannot be.
std::uint64_t* MapRecords(int File) {
  struct stat Info;
  if (fstat(File, &Info) != 0) return nullptr;
  if (Info.st_size < static_cast<off_t>(kRecordsSize) && ftruncate(File, kRecordsSize) != 0)
    return nullptr;
  void* Records = mmap(nullptr, kRecordsSize, PROT_READ | PROT_WRITE, MAP_SHARED, File, 0);
  return Records == MAP_FAILED ? nullptr : static_cast<std::uint64_t*>(Records);
}

}  // namespace

bool TWriterQueue::TRunningCheck::operator()(pid_t Process) {
  const auto Now = std::chrono::steady_clock::now();
  if (Process != FProcess || Now - FChecked >= kRunningCheckInterval) {
    FProcess = Process;
    FRuns = IsRunning(Process);
    FChecked = Now;
  }
  return FRuns;
}

TWriterQueue::~TWriterQueue() { Close(); }

bool TWriterQueue::Open(const std::string& StoreFile) {
  Close();
  std::string Failure;
  FFile = OpenPrivateFile(StoreCompanionFile(StoreFile, TStoreCompanion::Queue), true, true, Failure);
  if (FFile >= 0) FRecords = MapRecords(FFile);
  if (!FRecords) Close();
  return IsOpen();
}

void TWriterQueue::Close() {
  EndTurn();
  if (FRecords) munmap(FRecords, kRecordsSize);
  if (FFile >= 0) close(FFile);
  FRecords = nullptr;
  FFile = -1;
}

void TWriterQueue::Forget(size_t Index, std::uint64_t Mine) const {
  Shared(Record(Index)).compare_exchange_strong(Mine, 0);
}

// The ticket's record is written before its lock is taken. A ticket whose
// lock is still held (by a writer a whole ring of tickets ago) orders
// nothing: this turn then comes at once.
void TWriterQueue::TakeTicket() {
  FTicket = Shared(Record(kCounter)).fetch_add(1);
  Step(TStep::TicketTaken);
  const std::uint64_t Mine = TicketWriter(FTicket, getpid());
  Shared(Record(TicketRecord(FTicket))).store(Mine);
  Step(TStep::TicketRecorded);
  FHoldsTicket = SetLock(FFile, F_WRLCK, TicketLock(FTicket));
  if (!FHoldsTicket) Forget(TicketRecord(FTicket), Mine);
  Step(TStep::InLine);
}

bool TWriterQueue::InTheWay(std::uint64_t Ticket) {
  const std::uint64_t Writer = Shared(Record(TicketRecord(Ticket))).load();
  return Writer >> 32 == (Ticket & 0xFFFFFFFF) && IsHeld(FFile, TicketLock(Ticket)) &&
         FAheadRuns(ProcessOf(Writer));
}

bool TWriterQueue::WaitTurn(const TMayWait& MayWait) {
  EndTurn();
  TakeTicket();
  if (FHoldsTicket && !WaitUntil([&] { return !InTheWay(FTicket - 1); }, MayWait)) {
    EndTurn();
    return false;
  }
  Step(TStep::TurnCame);
  return true;
}

void TWriterQueue::BeginWriting() {
  const std::uint64_t Mine = static_cast<std::uint32_t>(getpid());
  Shared(Record(kWritingRecord)).store(Mine);
  Step(TStep::WritingRecorded);
  FWriting = SetLock(FFile, F_WRLCK, kWritingLock);
  if (!FWriting) Forget(kWritingRecord, Mine);
  Step(TStep::WritingMarked);
}

bool TWriterQueue::OthersWriting() {
  return IsOpen() && IsHeld(FFile, kWritingLock) &&
         FWriterRuns(ProcessOf(Shared(Record(kWritingRecord)).load()));
}

void TWriterQueue::EndTurn() {
  if (FWriting) {
    SetLock(FFile, F_UNLCK, kWritingLock);
    Step(TStep::WritingUnmarked);
    Forget(kWritingRecord, static_cast<std::uint32_t>(getpid()));
    Step(TStep::WritingForgotten);
  }
  if (FHoldsTicket) {
    SetLock(FFile, F_UNLCK, TicketLock(FTicket));
    Step(TStep::LeftLine);
    Forget(TicketRecord(FTicket), TicketWriter(FTicket, getpid()));
    Step(TStep::TurnEnded);
  }
  FWriting = FHoldsTicket = false;
}
