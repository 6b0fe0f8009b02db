// Takes an exclusive SQLite lock on a file, as another program may, prints
// "locked" and keeps it until killed. JOURNAL, when given: the journal mode
// to switch the file to first ("delete" for a rollback journal, under which
// the lock keeps readers out too).
//
// Or, given --stopped-at and a step of a store writer's turn (its number in
// TWriterQueue::TStep), writes one value to the store and stops itself
// (SIGSTOP) after that step, having printed "stopping". Continued, it ends
// its write and exits.
#include <signal.h>
#include <sqlite3.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "RegistryStore.h"

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

int StopAt = -1;

void StopHere(TWriterQueue::TStep Step) {
  if (static_cast<int>(Step) != StopAt) return;
  std::printf("stopping\n");
  std::fflush(stdout);
  raise(SIGSTOP);
}

int WriteStopped(const std::string& File) {
  TWriterQueue::OnStep = StopHere;
  TRegistryStore Store(File);
  const DWORD Value = 1;
  return Store.SetValue(TRegistryStore::CurrentUserHive, "Stopped", REG_DWORD,
                        reinterpret_cast<const BYTE*>(&Value), sizeof Value) == ERROR_SUCCESS
             ? 0
             : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "usage: %s FILE [JOURNAL | --stopped-at STEP]\n", argv[0]);
    return 2;
  }
  // Never left behind, stopped or not, by a test that ended early.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  const std::string Mode = argc >= 3 ? argv[2] : "";
  if (Mode == "--stopped-at" && argc == 4) {
    StopAt = std::stoi(argv[3]);
    return WriteStopped(argv[1]);
  }
  return Lock(argv[1], Mode.empty() ? "BEGIN EXCLUSIVE;"
                                    : "PRAGMA journal_mode = " + Mode + "; BEGIN EXCLUSIVE;");
}
