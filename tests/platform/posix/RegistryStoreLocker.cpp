// Takes an exclusive SQLite lock on a file, as another program may, prints
// "locked" and keeps it until killed. JOURNAL, when given: the journal mode
// to switch the file to first ("delete" for a rollback journal, under which
// the lock keeps readers out too).
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: %s FILE [JOURNAL]\n", argv[0]);
    return 2;
  }
  std::string Setup = "BEGIN EXCLUSIVE;";
  if (argc == 3) Setup = std::string("PRAGMA journal_mode = ") + argv[2] + ";" + Setup;
  sqlite3* Db = nullptr;
  if (sqlite3_open(argv[1], &Db) != SQLITE_OK ||
      sqlite3_exec(Db, Setup.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
    std::printf("failed: %s\n", sqlite3_errmsg(Db));
    return 1;
  }
  std::printf("locked\n");
  std::fflush(stdout);
  for (;;) pause();
}
