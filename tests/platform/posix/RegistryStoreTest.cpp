// How a registry store keeps its file: durability, sharing between
// processes, and files that are not its own.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sched.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

#include "ChildProcess.h"
#include "FileSizeLimit.h"
#include "OptionsLock.h"
#include "RegistryHandles.h"
#include "RegistryMngr.h"
#include "RegistryStore.h"
#include "TemporaryRegistry.h"

namespace {

const char* const kPath = "Software\\ZQT Store";

class RegistryStoreTest : public ::testing::Test {
 protected:
  // Makes the predefined roots serve the store in FileName.
  void UseFile(const std::string& FileName, bool CreateMissingFolders = false) {
    SetDesktopRegistryStore(std::make_shared<TRegistryStore>(FileName, CreateMissingFolders));
  }
  LONG CreateKey(const char* Path) {
    HKEY Key = nullptr;
    LONG Result = RegCreateKeyExA(HKEY_CURRENT_USER, Path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &Key, nullptr);
    if (Result == ERROR_SUCCESS) RegCloseKey(Key);
    return Result;
  }
  bool HasDword(const std::string& Name, std::uint32_t Value) {
    DWORD Type = REG_NONE;
    std::string Bytes;
    return QueryRawValue(HKEY_CURRENT_USER, kPath, Name, Type, Bytes) && Type == REG_DWORD &&
           Bytes == DwordBytes(Value);
  }
  // Runs the writer tool on the current store file; with OneName, it writes
  // only that value.
  std::unique_ptr<TChildProcess> StartWriter(const std::string& Prefix, int Count,
                                             const std::string& OneName = "") {
    std::vector<std::string> Arguments{kPath, Prefix, std::to_string(Count)};
    if (!OneName.empty()) Arguments.push_back(OneName);
    return std::make_unique<TChildProcess>(
        REGISTRY_STORE_WRITER, Arguments,
        std::vector<std::string>{std::string(kRegistryFileVariable) + "=" + File});
  }
  // A store holding Flag = true, locked by another program, which first
  // switches it to the journal mode given, if any; the store object is a
  // fresh one.
  std::unique_ptr<TChildProcess> LockedStore(std::vector<std::string> Journal = {}) {
    UseFile(File);
    RegWriteBool(kPath, "Flag", true);
    UseFile(File);
    Journal.insert(Journal.begin(), File);
    auto Locker = std::make_unique<TChildProcess>(REGISTRY_STORE_LOCKER, Journal);
    std::string Line;
    EXPECT_TRUE(Locker->ReadLine(Line));
    EXPECT_EQ("locked", Line);
    return Locker;
  }

  TTemporaryRegistry Registry;
  std::string File = Registry.Folder().File("store.db");
};

TEST_F(RegistryStoreTest, WritesSurviveReopeningTheFile) {
  UseFile(File);
  SetRawValue(HKEY_CURRENT_USER, kPath, "Kept", REG_DWORD, DwordBytes(42));
  UseFile(File);
  EXPECT_TRUE(HasDword("Kept", 42));
  EXPECT_TRUE(HasDword("KEPT", 42));
}

// Unlike Windows, the store never hands a closed handle's number out again.
TEST_F(RegistryStoreTest, AClosedHandleStaysInvalidWhenAnotherKeyIsOpened) {
  UseFile(File);
  SetRawValue(HKEY_CURRENT_USER, kPath, "Kept", REG_DWORD, DwordBytes(42));
  HKEY Closed = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kPath, 0, KEY_READ, &Closed));
  RegCloseKey(Closed);
  HKEY Opened = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kPath, 0, KEY_READ, &Opened));
  EXPECT_NE(Closed, Opened);
  EXPECT_EQ(ERROR_INVALID_HANDLE,
            RegQueryValueExA(Closed, "Kept", nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(Closed));
  RegCloseKey(Opened);
}

TEST_F(RegistryStoreTest, ReadsCreateNothingAndTheFirstWriteCreatesTheFile) {
  UseFile(File);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kPath));
  EXPECT_FALSE(RegReadBool(kPath, "Flag", false));
  EXPECT_FALSE(std::filesystem::exists(File));
  RegWriteBool(kPath, "Flag", true);
  EXPECT_TRUE(std::filesystem::exists(File));
  EXPECT_TRUE(RegReadBool(kPath, "Flag", false));
}

TEST_F(RegistryStoreTest, AFileOfZeroBytesIsANewStore) {
  WriteWholeFile(File, "");
  UseFile(File);
  RegWriteBool(kPath, "Flag", true);
  EXPECT_TRUE(RegReadBool(kPath, "Flag", false));
}

TEST_F(RegistryStoreTest, OnlyTheDefaultLocationGetsItsFoldersCreated) {
  const std::string Named = Registry.Folder().File("missing/store.db");
  UseFile(Named, false);
  EXPECT_THROW(RegWriteBool(kPath, "Flag", true), ERegistryException);
  EXPECT_FALSE(std::filesystem::exists(Registry.Folder().Path() / "missing"));

  const std::string Default = Registry.Folder().File("data/ZQTTweaker/registry.db");
  UseFile(Default, true);
  RegWriteBool(kPath, "Flag", true);
  EXPECT_TRUE(std::filesystem::exists(Default));
}

mode_t ModeOf(const std::filesystem::path& Path) {
  struct stat Info {};
  return stat(Path.c_str(), &Info) == 0 ? Info.st_mode & 07777 : 0;
}

// Runs Body in a process of its own, as the user Uid unless it is -1 (root
// only); what Body answered, or -1 when it did not end so.
int RunInChild(uid_t Uid, const std::function<int()>& Body) {
  const pid_t Child = fork();
  if (Child == 0) {
    if (Uid != uid_t(-1) && setresuid(Uid, Uid, Uid) != 0) _exit(64);
    _exit(Body());
  }
  int Status = -1;
  if (Child < 0 || waitpid(Child, &Status, 0) != Child) return -1;
  return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
}

// What a test puts at the name of a file kept beside the store before the
// store comes to it.
enum class TPlanted { Nothing, LinkToUsersFile, DanglingLink, OtherUsersFile, Fifo };

// Puts Planted at File; a link there points to Target. False when it could
// not be put there (another user's file needs root).
bool Plant(const std::string& File, TPlanted Planted, const std::string& Target) {
  switch (Planted) {
    case TPlanted::Nothing:
      return true;
    case TPlanted::LinkToUsersFile:
      WriteWholeFile(Target, "the user's own file");
      return symlink(Target.c_str(), File.c_str()) == 0;
    case TPlanted::DanglingLink:
      return symlink(Target.c_str(), File.c_str()) == 0;
    case TPlanted::OtherUsersFile:
      WriteWholeFile(File, "another user's file");
      return chown(File.c_str(), 65534, 65534) == 0;
    case TPlanted::Fifo:
      return mkfifo(File.c_str(), 0600) == 0;
  }
  return false;
}

// What is at Path, as far as a write through it or a change of it would show.
std::string Described(const std::string& Path) {
  struct stat Info {};
  if (lstat(Path.c_str(), &Info) != 0) return "nothing";
  std::string Text = std::to_string(Info.st_mode) + " " + std::to_string(Info.st_uid);
  return S_ISREG(Info.st_mode) ? Text + " " + ReadWholeFile(Path) : Text;
}

// What two writes to the desktop store answered (the log and its index are
// made after the first).
std::string WritesAnswer() {
  std::string Answer;
  for (const char* Path : {kPath, "Software\\Second"}) {
    HKEY Key = nullptr;
    const LONG Result = RegCreateKeyExA(HKEY_CURRENT_USER, Path, 0, nullptr, 0, KEY_ALL_ACCESS,
                                        nullptr, &Key, nullptr);
    if (Result == ERROR_SUCCESS) RegCloseKey(Key);
    Answer += "write " + std::to_string(Result) + ";";
  }
  return Answer;
}

std::string LockAnswer() {
  const TOptionsLock Lock(std::chrono::milliseconds(0));
  return Lock.Held() ? "held" : Lock.Failure();
}

// Whatever the umask, the folders the store and zqttweak's lock make are 0700
// and the files 0600: the store's file, log, index and queue, and the lock;
// a store file that was there keeps its mode, which SQLite gives its log and
// index. A link at the store's name or at any name SQLite keeps beside it,
// and anything at the queue's or the lock's name but a regular file of the
// user's, is refused (every write to the store, or the lock with the
// reason), and is left as it was, and so is what a link there points to:
// nothing is made through a dangling one.
TEST_F(RegistryStoreTest, TheStoreAndTheFilesBesideItAreItsUsersAlone) {
  using enum TPlanted;
  const struct {
    const char* Beside;
    TPlanted Planted;
    mode_t Umask;
    mode_t Existing;  // the mode of a store file there before, or 0 for none
    const char* Refusal;
  } Cases[] = {
      {"", LinkToUsersFile, 022, 0, "it is a symbolic link"},
      {"", DanglingLink, 022, 0, "it is a symbolic link"},
      {"-wal", LinkToUsersFile, 022, 0, "it is a symbolic link"},
      {"-wal", DanglingLink, 022, 0, "it is a symbolic link"},
      {"-shm", LinkToUsersFile, 022, 0, "it is a symbolic link"},
      {"-shm", DanglingLink, 022, 0, "it is a symbolic link"},
      {"-journal", LinkToUsersFile, 022, 0, "it is a symbolic link"},
      {"-journal", DanglingLink, 022, 0, "it is a symbolic link"},
      {"-queue", Nothing, 022, 0, nullptr},
      {"-queue", Nothing, 000, 0, nullptr},
      {"-queue", Nothing, 0277, 0, nullptr},
      {"-queue", Nothing, 022, 0640, nullptr},
      {"-queue", LinkToUsersFile, 022, 0, "it is a symbolic link"},
      {"-queue", DanglingLink, 022, 0, "it is a symbolic link"},
      {"-queue", OtherUsersFile, 022, 0, "it belongs to another user"},
      {"-queue", Fifo, 022, 0, "it is not a regular file"},
      {".lock", Nothing, 022, 0, nullptr},
      {".lock", Nothing, 000, 0, nullptr},
      {".lock", Nothing, 0277, 0, nullptr},
      {".lock", LinkToUsersFile, 022, 0, "it is a symbolic link"},
      {".lock", DanglingLink, 022, 0, "it is a symbolic link"},
      {".lock", OtherUsersFile, 022, 0, "it belongs to another user"},
      {".lock", Fifo, 022, 0, "it is not a regular file"},
  };
  bool NeededRoot = false;
  for (size_t Index = 0; Index < std::size(Cases); ++Index) {
    const auto& Case = Cases[Index];
    SCOPED_TRACE(testing::Message() << Index << ": " << Case.Beside << std::oct << " umask "
                                    << Case.Umask << " existing " << Case.Existing);
    const std::filesystem::path Data = Registry.Folder().Path() / std::to_string(Index);
    const std::filesystem::path Store = Data / "ZQTTweaker/registry.db";
    const std::string File = Store.string() + Case.Beside;
    const std::string Target = Registry.Folder().File(std::to_string(Index) + "-target");
    if (Case.Existing || Case.Planted != Nothing)
      std::filesystem::create_directories(Store.parent_path());
    if (Case.Existing) {
      WriteWholeFile(Store.string(), "");
      chmod(Store.c_str(), Case.Existing);
    }
    if (!Plant(File, Case.Planted, Target)) {
      NeededRoot = true;
      continue;
    }
    const std::string Before = Described(File) + " / " + Described(Target);
    const bool Lock = std::string(Case.Beside) == ".lock";
    UseFile(Store.string(), true);
    const mode_t Saved = umask(Case.Umask);
    const std::string Answer = Lock ? LockAnswer() : WritesAnswer();
    umask(Saved);
    if (Case.Refusal) {
      EXPECT_EQ(Lock ? File + ": " + Case.Refusal : "write 5;write 5;", Answer);
      EXPECT_EQ(Before, Described(File) + " / " + Described(Target));
      continue;
    }
    EXPECT_EQ(Lock ? "held" : "write 0;write 0;", Answer);
    const mode_t Mode = Case.Existing ? Case.Existing : 0600;
    for (const char* Suffix : {"", "-wal", "-shm"})
      EXPECT_TRUE(Lock || Mode == ModeOf(Store.string() + Suffix)) << Suffix;
    EXPECT_EQ(0600u, ModeOf(File));
    if (!Case.Existing) {
      EXPECT_EQ(0700u, ModeOf(Data));
      EXPECT_EQ(0700u, ModeOf(Store.parent_path()));
    }
  }
  if (NeededRoot) GTEST_SKIP() << "another user's file can be made by root only";
}

// Reading commands share zqttweak's lock; a writing one holds it alone.
TEST_F(RegistryStoreTest, ReadersShareTheLockAndAWriterHoldsItAlone) {
  using enum TLockMode;
  const struct {
    TLockMode Holder;
    TLockMode Asker;
    bool Held;
  } Cases[] = {{Read, Read, true}, {Read, Write, false}, {Write, Read, false}};
  UseFile(File);
  for (const auto& Case : Cases) {
    SCOPED_TRACE(testing::Message() << int(Case.Holder) << " " << int(Case.Asker));
    const TOptionsLock Holder(std::chrono::milliseconds(0), Case.Holder);
    ASSERT_TRUE(Holder.Held());
    const TOptionsLock Asker(std::chrono::milliseconds(0), Case.Asker);
    EXPECT_EQ(Case.Held, Asker.Held());
    EXPECT_EQ("", Asker.Failure());
  }
}

// Where the lock file is missing and the folder may only be read, no writer
// can lock: a reader goes on without the lock, a writer fails with the
// reason. Run by a process of another user than the folder's (root's tests)
// or with the folder made read-only (anyone else's).
TEST_F(RegistryStoreTest, AReaderInAFolderItMayOnlyReadNeedsNoLock) {
  const std::filesystem::path Folder = Registry.Folder().Path() / "read-only";
  std::filesystem::create_directory(Folder);
  UseFile((Folder / "registry.db").string());
  ASSERT_EQ(0, chmod(Folder.c_str(), 0555));
  const std::string Refusal = (Folder / "registry.db.lock").string() + ": Permission denied";
  const int Answer = RunInChild(geteuid() == 0 ? 65534 : uid_t(-1), [&] {
    const TOptionsLock Reader(std::chrono::milliseconds(0), TLockMode::Read);
    const TOptionsLock Writer(std::chrono::milliseconds(0), TLockMode::Write);
    return (Reader.Held() && Reader.Failure().empty() ? 0 : 1) |
           (!Writer.Held() && Writer.Failure() == Refusal ? 0 : 2);
  });
  chmod(Folder.c_str(), 0700);
  EXPECT_EQ(0, Answer) << "1: the reader, 2: the writer";
  EXPECT_FALSE(std::filesystem::exists(Folder / "registry.db.lock"));
}

// A store in a folder the user may only read, which its writer has closed
// (nothing beside it), is read as it stands: its values are found, nothing
// is made beside it, and a write is refused. Run by a process of another
// user than the folder's (root's tests) or with the folder made read-only
// (anyone else's).
TEST_F(RegistryStoreTest, AStoreInAFolderTheUserMayOnlyReadIsRead) {
  const std::filesystem::path Folder = Registry.Folder().Path() / "read-only";
  std::filesystem::create_directory(Folder);
  const std::string Store = (Folder / "registry.db").string();
  UseFile(Store);
  RegWriteBool(kPath, "Flag", true);
  UseFile(File);
  ASSERT_EQ(0, chmod(Store.c_str(), 0644));
  ASSERT_EQ(0, chmod(Folder.c_str(), 0555));
  const int Answer = RunInChild(geteuid() == 0 ? 65534 : uid_t(-1), [&] {
    UseFile(Store);
    const bool Read = RegReadBool(kPath, "Flag", false);
    HKEY Key = nullptr;
    const LONG Write = RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Other", 0, nullptr, 0,
                                       KEY_ALL_ACCESS, nullptr, &Key, nullptr);
    return (Read ? 0 : 1) | (Write == ERROR_ACCESS_DENIED ? 0 : 2);
  });
  chmod(Folder.c_str(), 0700);
  EXPECT_EQ(0, Answer) << "1: the read, 2: the write";
  for (const char* Beside : {"-wal", "-shm", "-journal"})
    EXPECT_FALSE(std::filesystem::exists(Store + Beside)) << Beside;
}

// The desktop store's file: the one named, else below the user's data
// folder, else below the home folder ($HOME, else the account's), else none
// (never a folder others share): then the store's calls and the lock fail.
// Each row runs in a process of its own, the last as a user without an
// account (root's tests only).
TEST_F(RegistryStoreTest, TheDesktopStoreIsTheNamedFileOrTheUsersDataFolder) {
  const std::string Data = Registry.Folder().Path().string();
  const passwd* Account = getpwuid(getuid());
  ASSERT_NE(nullptr, Account);
  const std::string AccountHome = Account->pw_dir;
  const char* const Unset = nullptr;
  const struct {
    const char* DataHome;
    const char* Home;
    uid_t Uid;
    std::string Expected;
  } Cases[] = {{Data.c_str(), "/home/h", uid_t(-1), Data + "/ZQTTweaker/registry.db"},
               {"relative", "/home/h", uid_t(-1), "/home/h/.local/share/ZQTTweaker/registry.db"},
               {Unset, "", uid_t(-1), AccountHome + "/.local/share/ZQTTweaker/registry.db"},
               {Unset, Unset, 54321, ""}};
  bool NeededRoot = false;
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Expected);
    if (Case.Uid != uid_t(-1) && geteuid() != 0) {
      NeededRoot = true;
      continue;
    }
    EXPECT_EQ(
        0, RunInChild(Case.Uid, [&] {
          for (const auto& [Name, Value] :
               {std::pair{"XDG_DATA_HOME", Case.DataHome}, std::pair{"HOME", Case.Home}})
            Value ? setenv(Name, Value, 1) : unsetenv(Name);
          if (DefaultDesktopRegistryFile() != Case.Expected) return 1;
          if (!Case.Expected.empty()) return 0;
          SetDesktopRegistryStore(nullptr);
          HKEY Key = nullptr;
          const TOptionsLock Lock(std::chrono::milliseconds(0));
          const bool Refused =
              RegCreateKeyExA(HKEY_CURRENT_USER, kPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &Key, nullptr) == ERROR_PATH_NOT_FOUND &&
              RegOpenKeyExA(HKEY_CURRENT_USER, kPath, 0, KEY_READ, &Key) == ERROR_PATH_NOT_FOUND &&
              !Lock.Held() && Lock.Failure() == "the user has no home folder (HOME is not set)";
          return Refused ? 0 : 2;
        }));
  }

  setenv(kRegistryFileVariable, File.c_str(), 1);
  SetDesktopRegistryStore(nullptr);
  EXPECT_EQ(File, DesktopRegistryStore()->FileName());
  unsetenv(kRegistryFileVariable);
  if (NeededRoot) GTEST_SKIP() << "a user without an account needs root";
}

void ExpectNeverWritten(const std::string& File) {
  const std::string Before = ReadWholeFile(File);
  TRegistryManager Reader(kPath, "", true, HKEY_CURRENT_USER);
  EXPECT_EQ(5, Reader.ReadIntegerDef("Number", 5));
  EXPECT_THROW(RegWriteBool(kPath, "Flag", true), ERegistryException);
  HKEY Key = nullptr;
  EXPECT_NE(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                                           nullptr, &Key, nullptr));
  EXPECT_EQ(Before, ReadWholeFile(File));
}

TEST_F(RegistryStoreTest, ACorruptFileGivesDefaultsAndIsNeverWritten) {
  std::string Garbage(8192, '\0');
  for (size_t Index = 0; Index < Garbage.size(); ++Index)
    Garbage[Index] = static_cast<char>(Index * 131 + 7);
  WriteWholeFile(File, Garbage);
  UseFile(File);
  ExpectNeverWritten(File);
}

TEST_F(RegistryStoreTest, AnotherProgramsDatabaseIsNeverWritten) {
  sqlite3* Db = nullptr;
  ASSERT_EQ(SQLITE_OK, sqlite3_open(File.c_str(), &Db));
  ASSERT_EQ(SQLITE_OK,
            sqlite3_exec(Db, "CREATE TABLE keys(id INTEGER); INSERT INTO keys VALUES(1);", nullptr,
                         nullptr, nullptr));
  sqlite3_close(Db);
  UseFile(File);
  ExpectNeverWritten(File);
}

using TClock = std::chrono::steady_clock;

// No call waits longer than the store's limit, whatever it does, and reads
// one after the other wait that long in all: a read of the registry manager
// opens its key read-only, where a busy answer must not make it try its two
// weaker masks, each waiting again, nor may a command's or a page's reads.
void ExpectBusyWithinTheLimit(const std::function<void()>& Call) {
  const TClock::time_point Start = TClock::now();
  Call();
  EXPECT_LT(TClock::now() - Start, TRegistryStore::WaitLimit * 3 / 2);
}

TEST_F(RegistryStoreTest, AStoreLockedByAnotherProgramIsBusyAndNeverTakenForForeign) {
  auto Locker = LockedStore({"delete"});
  HKEY Key = nullptr;
  ExpectBusyWithinTheLimit([&] {
    EXPECT_EQ(ERROR_LOCK_VIOLATION, RegOpenKeyExA(HKEY_CURRENT_USER, kPath, 0, KEY_READ, &Key));
    EXPECT_FALSE(RegReadBool(kPath, "Flag", false));
  });
  ExpectBusyWithinTheLimit(
      [&] { EXPECT_THROW(RegWriteBool(kPath, "Other", true), ERegistryException); });
  Locker->Kill();
  Locker->Wait();
  EXPECT_TRUE(RegReadBool(kPath, "Flag", false));
  RegWriteBool(kPath, "Other", true);
  EXPECT_TRUE(RegReadBool(kPath, "Other", false));
}

// Another program that marks a key read-only or clears the mark again is
// heard at the next call, whether the file keeps a write-ahead log or a
// rollback journal when the change comes.
TEST_F(RegistryStoreTest, AMarkChangedByAnotherConnectionCountsAtTheNextOpen) {
  auto OpenForWriting = [] {
    HKEY Key = nullptr;
    const LONG Result = RegOpenKeyExA(HKEY_CURRENT_USER, kPath, 0, KEY_ALL_ACCESS, &Key);
    if (Result == ERROR_SUCCESS) RegCloseKey(Key);
    return Result;
  };
  for (const char* Journal : {"wal", "delete"}) {
    SCOPED_TRACE(Journal);
    UseFile(File);
    RegWriteBool(kPath, "Flag", true);
    UseFile(File);
    sqlite3* Db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(File.c_str(), &Db));
    sqlite3_exec(Db, (std::string("PRAGMA journal_mode = ") + Journal).c_str(), nullptr, nullptr,
                 nullptr);
    sqlite3_close(Db);
    TRegistryStore Other(File);
    EXPECT_EQ(ERROR_SUCCESS, OpenForWriting());
    ASSERT_EQ(ERROR_SUCCESS, Other.SetKeyReadOnly(TRegistryStore::CurrentUserHive, kPath, true));
    EXPECT_EQ(ERROR_ACCESS_DENIED, OpenForWriting());
    ASSERT_EQ(ERROR_SUCCESS, Other.SetKeyReadOnly(TRegistryStore::CurrentUserHive, kPath, false));
    EXPECT_EQ(ERROR_SUCCESS, OpenForWriting());
  }
}

// Writers that find the store locked write in the order they came, each
// within its deadline: one that came later never overtakes. Two rounds, so
// that writers in any order would pass by chance once in sixteen.
TEST_F(RegistryStoreTest, WritersWaitingForALockWriteInTheOrderTheyCame) {
  for (int Round = 0; Round < 2; ++Round) {
    auto Locker = LockedStore();
    std::vector<std::unique_ptr<TChildProcess>> Writers;
    for (const char* Writer : {"A", "B", "C", "D"}) {
      Writers.push_back(StartWriter(Writer, 1, "Last"));
      std::string Line;
      ASSERT_TRUE(Writers.back()->ReadLine(Line));
      EXPECT_EQ("ready", Line);
      // Time to reach the lock; the order would not be the one meant without.
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    Locker->Kill();
    Locker->Wait();
    int Refused = 0;
    for (auto& Writer : Writers) Refused += Writer->Wait() != 0;
    EXPECT_EQ(0, Refused);
    DWORD Type = REG_NONE;
    std::string Text;
    ASSERT_TRUE(QueryRawValue(HKEY_CURRENT_USER, kPath, "Last", Type, Text));
    EXPECT_STREQ("D0", Text.c_str()) << Round;
  }
}

// A writer stopped (a signal, a debugger) after any step of its turn costs
// every other write at most the store's limit: stopped inside its write
// transaction, it gets the others answered busy; stopped at any other step,
// it lets them go for the store's lock and write. Once it is continued or
// killed (every other step), every write succeeds. Three writers at once,
// each with a connection of its own: one behind the stopped writer, two
// behind that one.
TEST_F(RegistryStoreTest, AWriterStoppedAtAnyStepCostsOtherWritesAtMostTheLimit) {
  using TStep = TWriterQueue::TStep;
  // Beside the limit, time for three writers to start and write on two busy
  // cores.
  const auto Answered = TRegistryStore::WaitLimit + std::chrono::milliseconds(1500);
  UseFile(File);
  RegWriteBool(kPath, "Flag", true);
  std::vector<std::unique_ptr<TRegistryStore>> Stores;
  for (int Index = 0; Index < 3; ++Index) Stores.push_back(std::make_unique<TRegistryStore>(File));
  auto WriteAll = [&Stores](std::vector<LONG>& Answers, std::vector<TClock::duration>& Times) {
    std::vector<std::thread> Writers;
    for (size_t Index = 0; Index < Stores.size(); ++Index)
      Writers.emplace_back([&, Index] {
        const TClock::time_point Start = TClock::now();
        const DWORD Value = 1;
        Answers[Index] =
            Stores[Index]->SetValue(TRegistryStore::CurrentUserHive, "Value", REG_DWORD,
                                    reinterpret_cast<const BYTE*>(&Value), sizeof Value);
        Times[Index] = TClock::now() - Start;
      });
    for (std::thread& Writer : Writers) Writer.join();
  };
  for (int Step = 0; Step < static_cast<int>(TStep::Count); ++Step) {
    const bool Killed = Step % 2 == 0;
    const bool InTransaction = Step == static_cast<int>(TStep::WritingRecorded) ||
                               Step == static_cast<int>(TStep::WritingMarked);
    SCOPED_TRACE(testing::Message() << "step " << Step << (Killed ? " killed" : " continued"));
    TChildProcess Stopped(REGISTRY_STORE_LOCKER, {File, "--stopped-at", std::to_string(Step)});
    ASSERT_TRUE(Stopped.WaitStopped());
    std::vector<LONG> Answers(Stores.size(), -1);
    std::vector<TClock::duration> Times(Stores.size());
    WriteAll(Answers, Times);
    for (size_t Index = 0; Index < Stores.size(); ++Index) {
      EXPECT_EQ(InTransaction ? ERROR_LOCK_VIOLATION : ERROR_SUCCESS, Answers[Index]) << Index;
      EXPECT_LT(Times[Index], Answered) << Index;
    }
    if (Killed)
      Stopped.Kill();
    else
      Stopped.Continue();
    EXPECT_EQ(Killed ? -1 : 0, Stopped.Wait());
    WriteAll(Answers, Times);
    for (size_t Index = 0; Index < Stores.size(); ++Index) EXPECT_EQ(ERROR_SUCCESS, Answers[Index]);
  }
}

TEST_F(RegistryStoreTest, ReadersDoNotWaitForAnotherProgramsWriter) {
  auto Locker = LockedStore();
  const TClock::time_point Start = TClock::now();
  EXPECT_TRUE(RegReadBool(kPath, "Flag", false));
  EXPECT_LT(TClock::now() - Start, TRegistryStore::WaitLimit / 2);
  ExpectBusyWithinTheLimit(
      [&] { EXPECT_THROW(RegWriteBool(kPath, "Other", true), ERegistryException); });
}

TEST_F(RegistryStoreTest, AnythingButARegularFileIsRefusedAtOnce) {
  const std::string Fifo = Registry.Folder().File("fifo.db");
  ASSERT_EQ(0, mkfifo(Fifo.c_str(), 0600));
  const std::string Folder = Registry.Folder().File("folder.db");
  std::filesystem::create_directory(Folder);
  for (const auto& [Path, Refusal] : {std::pair{Fifo, ERROR_BADDB},
                                       std::pair{Folder, ERROR_DIRECTORY_NOT_SUPPORTED},
                                       std::pair{std::string("/dev/null"), ERROR_BADDB}}) {
    UseFile(Path);
    HKEY Key = nullptr;
    EXPECT_EQ(Refusal, RegCreateKeyExA(HKEY_CURRENT_USER, kPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                                       nullptr, &Key, nullptr))
        << Path;
    EXPECT_TRUE(RegReadBool(kPath, "Flag", true)) << Path;
  }
  EXPECT_TRUE(std::filesystem::is_empty(Folder));
}

// A write that the system fails to make (here the file size limit refuses
// every byte) says it could not write.
TEST_F(RegistryStoreTest, AWriteTheSystemFailsSaysItCouldNotWrite) {
  UseFile(File);
  RegWriteBool(kPath, "Flag", true);
  TRegistryStore Store(File);
  const std::string Data(65536, 'd');
  const TFileSizeLimit Limit(0);
  EXPECT_EQ(ERROR_CANTWRITE,
            Store.SetValue(TRegistryStore::CurrentUserHive, "Big", REG_BINARY,
                           reinterpret_cast<const BYTE*>(Data.data()), Data.size()));
}

TEST_F(RegistryStoreTest, KeysStopAt512LevelsBelowTheRegistryRoot) {
  UseFile(File);
  // HKEY_CURRENT_USER lies three levels down, HKEY_LOCAL_MACHINE two.
  auto Levels = [](int Count) {
    std::string Path = "L";
    for (int Level = 1; Level < Count; ++Level) Path += "\\L";
    return Path;
  };
  HKEY Key = nullptr;
  EXPECT_EQ(ERROR_INVALID_PARAMETER,
            RegCreateKeyExA(HKEY_CURRENT_USER, Levels(520).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &Key, nullptr));
  EXPECT_EQ(nullptr, Key);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, Levels(509)));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Levels(510)));
  ASSERT_EQ(ERROR_SUCCESS,
            RegOpenKeyExA(HKEY_CURRENT_USER, Levels(509).c_str(), 0, KEY_ALL_ACCESS, &Key));
  HKEY Deeper = nullptr;
  EXPECT_EQ(ERROR_INVALID_PARAMETER,
            RegCreateKeyExA(Key, "L", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &Deeper, nullptr));
  RegCloseKey(Key);
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, Levels(510).c_str(), 0, nullptr, 0,
                                           KEY_ALL_ACCESS, nullptr, &Key, nullptr));
  EXPECT_EQ(ERROR_INVALID_PARAMETER,
            RegCreateKeyExA(Key, "L", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &Deeper, nullptr));
  RegCloseKey(Key);
}

// The write-ahead log goes back into the file in small steps, so that no
// writer waits long for another's copy: it stays near a hundred pages.
TEST_F(RegistryStoreTest, TheWriteAheadLogStaysShort) {
  UseFile(File);
  for (int Index = 0; Index < 300; ++Index)
    RegWriteBool(kPath, "Flag" + std::to_string(Index), true);
  EXPECT_LT(std::filesystem::file_size(File + "-wal"), 150 * 4096) << "bytes in the log";
}

TEST_F(RegistryStoreTest, TwoProcessesWritingAtOnceLoseNothing) {
  UseFile(File);
  const int Count = 150;
  auto First = StartWriter("First", Count);
  auto Second = StartWriter("Second", Count);
  ASSERT_TRUE(First->Started() && Second->Started());
  EXPECT_EQ(0, First->Wait());
  EXPECT_EQ(0, Second->Wait());
  for (int Index = 0; Index < Count; ++Index) {
    EXPECT_TRUE(HasDword("First" + std::to_string(Index), Index)) << Index;
    EXPECT_TRUE(HasDword("Second" + std::to_string(Index), Index)) << Index;
  }
}

// A write that finds the file system full says so. The full file system is
// a small one mounted for a process of its own, which root alone may do.
TEST_F(RegistryStoreTest, AWriteToAFullFileSystemFailsWithDiskFull) {
  if (geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
  const std::filesystem::path Small = Registry.Folder().Path() / "small";
  std::filesystem::create_directory(Small);
  const int Answer = RunInChild(uid_t(-1), [&] {
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) ||
        mount("tmpfs", Small.c_str(), "tmpfs", 0, "size=256k") != 0)
      return 3;
    TRegistryStore Store((Small / "registry.db").string());
    const std::string Data(16384, 'd');
    LONG Result = ERROR_SUCCESS;
    for (int Index = 0; Index < 100 && Result == ERROR_SUCCESS; ++Index)
      Result = Store.SetValue(TRegistryStore::CurrentUserHive, std::to_string(Index), REG_BINARY,
                              reinterpret_cast<const BYTE*>(Data.data()), Data.size());
    return Result == ERROR_DISK_FULL ? 0 : Result == ERROR_SUCCESS ? 1 : 2;
  });
  EXPECT_EQ(0, Answer) << "1: never full, 2: another error, 3: no file system";
}

TEST_F(RegistryStoreTest, AKilledWriterLeavesEveryAcknowledgedWrite) {
  UseFile(File);
  auto Writer = StartWriter("Burst", 100000);
  ASSERT_TRUE(Writer->Started());
  std::string Line;
  int Acknowledged = -1;
  while (Acknowledged < 60 && Writer->ReadLine(Line)) Acknowledged = std::stoi(Line);
  Writer->Kill();
  Writer->Wait();
  ASSERT_GE(Acknowledged, 60);
  UseFile(File);
  for (int Index = 0; Index <= Acknowledged; ++Index)
    EXPECT_TRUE(HasDword("Burst" + std::to_string(Index), Index)) << Index;
  // The file still takes writes after the crash.
  RegWriteBool(kPath, "AfterCrash", true);
  EXPECT_TRUE(RegReadBool(kPath, "AfterCrash", false));
}

}  // namespace
