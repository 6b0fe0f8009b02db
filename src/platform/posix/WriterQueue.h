// Writers to one store file take their turns in the order they came, across
// processes: each takes a ticket and waits until the writer with the ticket
// before it has finished or gone, so that a writer that has just written
// cannot overtake the ones that waited meanwhile.
//
// The queue lives in a file beside the store, FILE-queue: the next ticket in
// its first eight bytes, a lock byte held by the writer that is writing, and
// one lock byte per ticket, held by the writer with that ticket while it
// waits and writes. Locks of an open file description end with their
// holder, so a writer that dies never stops the queue. The queue only orders
// the writers: the store's own lock still keeps them apart, so a writer that
// gives up or dies only loses its place.
//
// A writer that is stopped (a signal, a debugger) keeps its locks, so the
// file also names the processes that hold them: the one that takes a
// ticket, the one that writes, and the one of each ticket. A writer whose
// predecessor is stopped no longer waits for it: it goes for the store's
// lock, keeping its own ticket, so that the ones behind it still wait for
// it; so does a writer that finds the ticket counter kept by a stopped
// process, without a ticket.
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

  TWriterQueue() = default;
  ~TWriterQueue();
  TWriterQueue(const TWriterQueue&) = delete;
  TWriterQueue& operator=(const TWriterQueue&) = delete;

  // Joins the queue of StoreFile, creating its file when missing; false
  // when that file cannot be opened as the user's own regular file (a link,
  // another user's file, a folder that cannot be written).
  bool Open(const std::string& StoreFile);
  bool IsOpen() const { return FFile >= 0; }
  void Close();

  // Takes a ticket and waits for its turn while MayWait(); false when it
  // said no first, and then the ticket is given up. A turn not ended yet
  // ends first.
  bool WaitTurn(const TMayWait& MayWait);
  // Marks this writer's turn as writing, once it holds the store's lock.
  void BeginWriting();
  // Whether another writer is writing now and is not stopped.
  bool OthersWriting();
  // Ends the turn, or gives up the ticket.
  void EndTurn();

 private:
  // Whether a process is stopped, asked of the system at most every few
  // milliseconds, as waiters ask it at every look.
  class TStoppedCheck {
   public:
    bool operator()(pid_t Process);

   private:
    pid_t FProcess = 0;
    bool FStopped = false;
    std::chrono::steady_clock::time_point FChecked;
  };

  bool TakeTicket(const TMayWait& MayWait);
  // The process that a record of the file names; 0 for none.
  pid_t ProcessAt(off_t Offset) const;
  bool RecordProcess(off_t Offset, pid_t Process) const;

  int FFile = -1;
  std::uint64_t FTicket = 0;
  bool FHoldsTicket = false;
  bool FWriting = false;
  TStoppedCheck FAheadStopped;
  TStoppedCheck FWriterStopped;
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
