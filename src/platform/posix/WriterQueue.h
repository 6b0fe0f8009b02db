// Writers to one store file take their turns in the order they came, across
// processes: each takes a ticket and waits until the writer with the ticket
// before it has finished or gone, so that a writer that has just written
// cannot overtake the ones that waited meanwhile.
//
// The queue lives in a file beside the store, FILE-queue: the next ticket in
// its first eight bytes, then the ticket of the writer that began writing
// last (plus one) and a count that the writer whose turn it is moves on
// while it waits for the store's lock; and one lock byte per ticket, held by
// the writer with that ticket while it waits and writes. Locks of an open
// file description end with their holder, so a writer that dies never stops
// the queue. The queue only orders the writers: the store's own lock still
// keeps them apart, so a writer that gives up or dies only loses its place.
//
// A writer that stops (a signal, a debugger) keeps its locks: the two
// records tell the others whether the writers ahead make progress. A writer
// whose predecessor keeps its ticket while no writer begins writing and the
// one whose turn it is shows no sign of life for StallLimit stops waiting on
// the queue and goes for the store's lock, keeping its own ticket, so that
// the ones behind it still wait for it.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

class TWriterQueue {
 public:
  using TClock = std::chrono::steady_clock;
  // Whether to wait on, asked between looks.
  using TMayWait = std::function<bool()>;

  explicit TWriterQueue(std::chrono::milliseconds StallLimit) : FStallLimit(StallLimit) {}
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
  // Records that this writer began writing, once it holds the store's lock.
  void BeginWriting();
  // Tells the writers behind that this one, whose turn it is, still waits
  // for the store's lock (at most a few times per StallLimit).
  void ShowLife();
  // When this writer last saw another writer begin writing (the clock's
  // start when it never did).
  TClock::time_point LastWriterBegan();
  // Ends the turn, or gives up the ticket.
  void EndTurn();

 private:
  struct TRecords {
    std::uint64_t Writing = 0;
    std::uint64_t Life = 0;
  };

  bool TakeTicket(const TMayWait& MayWait);
  // Reads the records; what changed since the last look counts from now.
  void Look();
  // Whether no writer began writing and none showed life for StallLimit,
  // since Since.
  bool Stalled(TClock::time_point Since);

  const std::chrono::milliseconds FStallLimit;
  int FFile = -1;
  std::uint64_t FTicket = 0;
  bool FHoldsTicket = false;
  bool FHasTurn = false;
  TRecords FSeen;
  // The clock's start (the system's), long past: never yet.
  TClock::time_point FWriterBegan;
  TClock::time_point FLifeSeen;
  TClock::time_point FLifeShown;
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
