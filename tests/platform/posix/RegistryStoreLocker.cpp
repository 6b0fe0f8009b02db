// Takes an exclusive SQLite lock on a file, as another program may, prints
// "locked" and keeps it until killed. JOURNAL: the journal mode to switch the
// file to first ("wal", or "delete" for a rollback journal, under which the
// lock keeps readers out too).
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s FILE JOURNAL\n", argv[0]);
    return 2;
  }
  sqlite3* Db = nullptr;
  const std::string Setup = std::string("PRAGMA journal_mode = ") + argv[2] + "; BEGIN EXCLUSIVE;";
  if (sqlite3_open(argv[1], &Db) != SQLITE_OK ||
      sqlite3_exec(Db, Setup.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
    std::printf("failed: %s\n", sqlite3_errmsg(Db));
    return 1;
  }
  std::printf("locked\n");
  std::fflush(stdout);
  for (;;) pause();
}
