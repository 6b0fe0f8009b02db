// How a registry store keeps its file: durability, sharing between
// processes, and files that are not its own.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <functional>

#include "ChildProcess.h"
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
  // Runs the writer tool on the current store file.
  std::unique_ptr<TChildProcess> StartWriter(const std::string& Prefix, int Count) {
    return std::make_unique<TChildProcess>(
        REGISTRY_STORE_WRITER, std::vector<std::string>{kPath, Prefix, std::to_string(Count)},
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

TEST_F(RegistryStoreTest, TheDesktopStoreIsTheNamedFileOrTheUsersDataFolder) {
  const char* OldData = std::getenv("XDG_DATA_HOME");
  const std::string SavedData = OldData ? OldData : "";
  setenv("XDG_DATA_HOME", Registry.Folder().Path().c_str(), 1);
  EXPECT_EQ(Registry.Folder().File("ZQTTweaker/registry.db"), DefaultDesktopRegistryFile());
  if (OldData)
    setenv("XDG_DATA_HOME", SavedData.c_str(), 1);
  else
    unsetenv("XDG_DATA_HOME");

  setenv(kRegistryFileVariable, File.c_str(), 1);
  SetDesktopRegistryStore(nullptr);
  EXPECT_EQ(File, DesktopRegistryStore()->FileName());
  unsetenv(kRegistryFileVariable);
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

// No call waits longer than the store's limit, whatever it does: a read of
// the registry manager opens its key read-only, where a busy answer must not
// make it try its two weaker masks, each waiting again.
void ExpectBusyWithinTheLimit(const std::function<void()>& Call) {
  const TClock::time_point Start = TClock::now();
  Call();
  EXPECT_LT(TClock::now() - Start, 2 * TRegistryStore::WaitLimit);
}

TEST_F(RegistryStoreTest, AStoreLockedByAnotherProgramIsBusyAndNeverTakenForForeign) {
  auto Locker = LockedStore({"delete"});
  HKEY Key = nullptr;
  ExpectBusyWithinTheLimit([&] {
    EXPECT_EQ(ERROR_LOCK_VIOLATION, RegOpenKeyExA(HKEY_CURRENT_USER, kPath, 0, KEY_READ, &Key));
  });
  ExpectBusyWithinTheLimit([&] { EXPECT_FALSE(RegReadBool(kPath, "Flag", false)); });
  ExpectBusyWithinTheLimit(
      [&] { EXPECT_THROW(RegWriteBool(kPath, "Other", true), ERegistryException); });
  Locker->Kill();
  Locker->Wait();
  EXPECT_TRUE(RegReadBool(kPath, "Flag", false));
  RegWriteBool(kPath, "Other", true);
  EXPECT_TRUE(RegReadBool(kPath, "Other", false));
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
  for (const std::string& Path : {Fifo, Folder, std::string("/dev/null")}) {
    UseFile(Path);
    HKEY Key = nullptr;
    EXPECT_EQ(ERROR_BADDB, RegCreateKeyExA(HKEY_CURRENT_USER, kPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                                           nullptr, &Key, nullptr))
        << Path;
    EXPECT_TRUE(RegReadBool(kPath, "Flag", true)) << Path;
  }
  EXPECT_TRUE(std::filesystem::is_empty(Folder));
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
