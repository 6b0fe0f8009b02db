// Writers to one store file take their turns in the order they came, across
// processes: each takes a ticket and waits until the writer with the ticket
// before it has finished or gone, so that a writer that has just written
// cannot overtake the ones that waited meanwhile.
//
// The queue lives in a file beside the store, FILE-queue, mapped by every
// writer: the next ticket in its first eight bytes, taken with one atomic
// addition, so that no writer ever holds the counter; a record of the
// writer that is writing; and one record per ticket, round a ring far
// larger than any queue. The file also has a lock byte held by the writer
// that is writing and one lock byte per ticket, held by the writer with
// that ticket while it waits and writes. Locks of an open file description
// end with their holder, so a writer that dies never stops the queue. The
// queue only orders the writers: the store's own lock still keeps them
// apart, so a writer that gives up or dies only loses its place.
//
// A writer that is stopped (a signal, a debugger) keeps its locks, so every
// lock's record names its process, written before the lock is taken and
// cleared after it is let go: whenever a lock is held, its record names the
// process that holds it, or none, never another. A waiter goes on past a
// lock whose record names no process that runs: one stopped, one that has
// ended, or none. A writer whose predecessor is stopped thus no longer
// waits for it: it goes for the store's lock, keeping its own ticket, so
// that the ones behind it still wait for it.
//
// Processes are named by their ids in this process's namespace: a writer in
// another process namespace sharing the file cannot be seen as running or
// stopped.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

class TWriterQueue {
 public:
  // Whether to wait on, asked between looks.
  using TMayWait = std::function<bool()>;
  // The steps of a writer's turn, in the order they come.
  enum class TStep {
    TicketTaken,
    TicketRecorded,
    InLine,
    TurnCame,
    WritingRecorded,
    WritingMarked,
    WritingUnmarked,
    WritingForgotten,
    LeftLine,
    TurnEnded,
    Count
  };
  // Test support: called after every step of every turn in this process,
  // so that a test can stop a writer there.
  static inline void (*OnStep)(TStep Step) = nullptr;

  TWriterQueue() = default;
  ~TWriterQueue();
  TWriterQueue(const TWriterQueue&) = delete;
  TWriterQueue& operator=(const TWriterQueue&) = delete;

  // Joins the queue of StoreFile, creating its file when missing; false
  // when that file cannot be opened as the user's own regular file (a link,
  // another user's file, a folder that cannot be written).
  bool Open(const std::string& StoreFile);
  bool IsOpen() const { return FRecords != nullptr; }
  void Close();

  // Takes a ticket and waits for its turn while MayWait(); false when it
  // said no first, and then the ticket is given up. A turn not ended yet
  // ends first.
  bool WaitTurn(const TMayWait& MayWait);
  // Marks this writer's turn as writing, once it holds the store's lock.
  void BeginWriting();
  // Whether another writer is writing now and runs.
  bool OthersWriting();
  // Ends the turn, or gives up the ticket.
  void EndTurn();

 private:
  // Whether a process runs (neither stopped nor ended), asked of the system
  // at most every few milliseconds, as waiters ask it at every look.
  class TRunningCheck {
   public:
    bool operator()(pid_t Process);

   private:
    pid_t FProcess = 0;
    bool FRuns = false;
    std::chrono::steady_clock::time_point FChecked;
  };

  void TakeTicket();
  // Whether the writer with Ticket holds its place and runs.
  bool InTheWay(std::uint64_t Ticket);
  std::uint64_t& Record(size_t Index) const { return FRecords[Index]; }
  // Clears a record that still holds Mine.
  void Forget(size_t Index, std::uint64_t Mine) const;
  void Step(TStep Reached) const {
    if (OnStep) OnStep(Reached);
  }

  int FFile = -1;
  std::uint64_t* FRecords = nullptr;
  std::uint64_t FTicket = 0;
  bool FHoldsTicket = false;
  bool FWriting = false;
  TRunningCheck FAheadRuns;
  TRunningCheck FWriterRuns;
};

// Ends the turn of a queue when it goes, however the writing ended.
class TWriterTurn {
 public:
  explicit TWriterTurn(TWriterQueue& Queue) : FQueue(Queue) {}
  ~TWriterTurn() { FQueue.EndTurn(); }
  TWriterTurn(const TWriterTurn&) = delete;
  TWriterTurn& operator=(const TWriterTurn&) = delete;

 private:
  TWriterQueue& FQueue;
};
