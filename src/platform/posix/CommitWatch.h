// Whether a database changed since the last look, for a connection that
// remembers what it read from one call to the next.
//
// In WAL mode every commit rewrites the header of the WAL index, the memory
// that SQLite maps for all the connections to a file; comparing that header
// with the one seen last costs a few loads, where a statement would cost a
// read transaction. A connection in WAL mode keeps the file in that mode as
// long as it stays open, so the header keeps telling. In the other modes, or
// where the index is not mapped, PRAGMA data_version tells.
#pragma once

#include <cstdint>

struct sqlite3;
struct sqlite3_stmt;

class TCommitWatch {
 public:
  TCommitWatch() = default;
  ~TCommitWatch();
  TCommitWatch(const TCommitWatch&) = delete;
  TCommitWatch& operator=(const TCommitWatch&) = delete;

  // Watches the main database of Db from now on (null: nothing); the next
  // look answers true.
  void Watch(sqlite3* Db);
  // Whether another connection may have committed since the last look. An
  // answer that could not be had is true.
  bool Changed();

 private:
  // The header's 48 bytes, as words of 64 bits.
  static constexpr int kHeaderWords = 6;

  bool HeaderChanged();
  bool DataVersionChanged();
  // Finds the WAL index's header, when the connection is in WAL mode.
  void MapHeader();
  // Slot's statement, prepared the first time; null when it cannot be.
  sqlite3_stmt* Statement(sqlite3_stmt*& Slot, const char* Sql);

  sqlite3* FDb = nullptr;
  sqlite3_stmt* FDataVersion = nullptr;
  sqlite3_stmt* FJournalMode = nullptr;
  const std::uint64_t* FHeader = nullptr;
  std::uint64_t FLastHeader[kHeaderWords] = {};
  std::int64_t FLastDataVersion = -1;
};
