// Takes an exclusive SQLite lock on a file, as another program may, prints
// "locked" and keeps it until killed. JOURNAL, when given: the journal mode
// to switch the file to first ("delete" for a rollback journal, under which
// the lock keeps readers out too).
//
// Or stops itself (SIGSTOP) in one step of a store writer's turn, after
// printing "stopping": --stopped-counting while it takes a ticket, holding
// the writers' ticket counter; --stopped-queued once its turn has come,
// before it asks for the store's lock; --stopped-writing inside its write
// transaction. Continued, it ends its turn and exits.
#include <fcntl.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "WriterQueue.h"

namespace {

int Lock(const char* File, const std::string& Setup) {
  sqlite3* Db = nullptr;
  if (sqlite3_open(File, &Db) != SQLITE_OK ||
      sqlite3_exec(Db, Setup.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
    std::printf("failed: %s\n", sqlite3_errmsg(Db));
    return 1;
  }
  std::printf("locked\n");
  std::fflush(stdout);
  for (;;) pause();
}

void StopHere() {
  std::printf("stopping\n");
  std::fflush(stdout);
  raise(SIGSTOP);
}

// The ticket counter's lock is the queue file's first byte, and its holder
// is named at byte 12.
int StopCounting(const std::string& File) {
  const int Queue = open((File + "-queue").c_str(), O_RDWR | O_CLOEXEC);
  struct flock Counter {};
  Counter.l_type = F_WRLCK;
  Counter.l_whence = SEEK_SET;
  Counter.l_len = 1;
  const pid_t Holder = getpid();
  if (Queue < 0 || fcntl(Queue, F_OFD_SETLK, &Counter) != 0 ||
      pwrite(Queue, &Holder, sizeof Holder, 12) != sizeof Holder)
    return 1;
  StopHere();
  return 0;
}

int StopInTurn(const std::string& File, bool Writing) {
  TWriterQueue Queue;
  sqlite3* Db = nullptr;
  if (!Queue.Open(File) || !Queue.WaitTurn([] { return true; }) ||
      sqlite3_open(File.c_str(), &Db) != SQLITE_OK)
    return 1;
  if (Writing) {
    if (sqlite3_exec(Db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) return 1;
    Queue.BeginWriting();
  }
  StopHere();
  if (Writing) sqlite3_exec(Db, "COMMIT", nullptr, nullptr, nullptr);
  Queue.EndTurn();
  sqlite3_close(Db);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr,
                 "usage: %s FILE [JOURNAL | --stopped-counting | --stopped-queued | "
                 "--stopped-writing]\n",
                 argv[0]);
    return 2;
  }
  // Never left behind, stopped or not, by a test that ended early.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  const std::string Mode = argc == 3 ? argv[2] : "";
  if (Mode == "--stopped-counting") return StopCounting(argv[1]);
  if (Mode == "--stopped-queued" || Mode == "--stopped-writing")
    return StopInTurn(argv[1], Mode == "--stopped-writing");
  return Lock(argv[1], Mode.empty() ? "BEGIN EXCLUSIVE;"
                                    : "PRAGMA journal_mode = " + Mode + "; BEGIN EXCLUSIVE;");
}
