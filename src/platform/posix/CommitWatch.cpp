#include "CommitWatch.h"

#include <sqlite3.h>

#include <string_view>

namespace {

// The WAL index is mapped in pages of this size; its header opens the first.
constexpr int kIndexPageSize = 32 * 1024;

}  // namespace

TCommitWatch::~TCommitWatch() { Watch(nullptr); }

void TCommitWatch::Watch(sqlite3* Db) {
  sqlite3_finalize(FDataVersion);
  sqlite3_finalize(FJournalMode);
  FDataVersion = FJournalMode = nullptr;
  FDb = Db;
  FHeader = nullptr;
  FLastDataVersion = -1;
}

bool TCommitWatch::Changed() {
  if (!FDb) return true;
  if (FHeader) return HeaderChanged();
  const bool Changed = DataVersionChanged();
  // After the read transaction just made, the connection knows whether the
  // file is in WAL mode. A commit between that transaction and the first
  // look at the header would go unseen: the change of watch counts as one.
  MapHeader();
  if (FHeader) HeaderChanged();
  return Changed || FHeader != nullptr;
}

bool TCommitWatch::HeaderChanged() {
  std::uint64_t Differences = 0;
  for (int Word = 0; Word < kHeaderWords; ++Word) {
    const std::uint64_t Now = __atomic_load_n(FHeader + Word, __ATOMIC_ACQUIRE);
    Differences |= Now ^ FLastHeader[Word];
    FLastHeader[Word] = Now;
  }
  return Differences != 0;
}

bool TCommitWatch::DataVersionChanged() {
  sqlite3_stmt* Version = Statement(FDataVersion, "PRAGMA data_version");
  const std::int64_t Now =
      Version && sqlite3_step(Version) == SQLITE_ROW ? sqlite3_column_int64(Version, 0) : -1;
  sqlite3_reset(Version);
  const bool Changed = Now < 0 || Now != FLastDataVersion;
  FLastDataVersion = Now;
  return Changed;
}

void TCommitWatch::MapHeader() {
  sqlite3_stmt* Mode = Statement(FJournalMode, "PRAGMA journal_mode");
  const unsigned char* Name =
      Mode && sqlite3_step(Mode) == SQLITE_ROW ? sqlite3_column_text(Mode, 0) : nullptr;
  const bool Wal = Name && std::string_view(reinterpret_cast<const char*>(Name)) == "wal";
  sqlite3_reset(Mode);
  if (!Wal) return;
  sqlite3_file* File = nullptr;
  if (sqlite3_file_control(FDb, "main", SQLITE_FCNTL_FILE_POINTER, &File) != SQLITE_OK || !File ||
      !File->pMethods || File->pMethods->iVersion < 2)
    return;
  volatile void* Index = nullptr;
  if (File->pMethods->xShmMap(File, 0, kIndexPageSize, 0, &Index) == SQLITE_OK && Index)
    FHeader = static_cast<const std::uint64_t*>(const_cast<void*>(Index));
}

sqlite3_stmt* TCommitWatch::Statement(sqlite3_stmt*& Slot, const char* Sql) {
  if (!Slot) sqlite3_prepare_v3(FDb, Sql, -1, SQLITE_PREPARE_PERSISTENT, &Slot, nullptr);
  return Slot;
}
