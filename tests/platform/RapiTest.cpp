// The device API binding over the simulated device, and the device's own
// rules as the program meets them through the binding.
#include <gtest/gtest.h>

#include <functional>

#include "DeviceFolder.h"
#include "SimulatedDevice.h"
#include "TemporaryRegistry.h"
#include "miniUtils.h"
#include "rapi.h"

namespace {

constexpr DWORD kGenerousWaitMs = 10000;

int Slot(const char* Name) {
  for (int Index = 0; Index < kRapiEntryPointCount; ++Index)
    if (std::string(RapiEntryPointNames[Index]) == Name) return Index;
  return -1;
}

class RapiTest : public ::testing::Test {
 protected:
  // Requests a connection and waits for the attempt to end.
  RAPIINIT Connect() {
    RAPIINIT Init{sizeof(RAPIINIT), nullptr, E_FAIL};
    EXPECT_EQ(S_OK, CeRapiInitEx(&Init));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(Init.heRapiInit, kGenerousWaitMs));
    EXPECT_EQ(S_OK, Init.hrRapiInit);
    return Init;
  }
  HKEY Create(HKEY Root, const WCHAR* Path, DWORD* Disposition = nullptr) {
    HKEY Key = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, CeRegCreateKeyEx(Root, Path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                              &Key, Disposition));
    return Key;
  }
  LONG Open(HKEY Root, const WCHAR* Path, HKEY& Key) {
    return CeRegOpenKeyEx(Root, Path, 0, KEY_READ, &Key);
  }
  LONG Set(HKEY Key, const WCHAR* Name, DWORD Type, const std::string& Bytes) {
    return CeRegSetValueEx(Key, Name, 0, Type, reinterpret_cast<const BYTE*>(Bytes.data()),
                           static_cast<DWORD>(Bytes.size()));
  }
  HANDLE OpenFile(const WCHAR* Path) {
    return CeCreateFile(Path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  // Reads up to Size bytes; the bytes read, or "failed".
  std::string Read(HANDLE File, DWORD Size) {
    std::string Buffer(Size, '\0');
    DWORD Done = 0;
    if (!CeReadFile(File, Buffer.data(), Size, &Done, nullptr)) return "failed";
    return Buffer.substr(0, Done);
  }

  void TearDown() override { CeRapiUninit(); }

  TSimulatedDevice Device;
};

TEST_F(RapiTest, TheLibraryIsLoadedOnceWithEveryNameItHas) {
  ASSERT_TRUE(LoadRapi());
  HMODULE Library = RapiLibHandle();
  ASSERT_NE(nullptr, Library);
  const auto Slots = RapiEntryPoints();
  for (const char* Name :
       {"CeRapiInitEx", "CeRapiUninit", "CeRegOpenKeyEx", "CeRegCreateKeyEx", "CeRegCloseKey",
        "CeRegQueryValueEx", "CeRegSetValueEx", "CeRegDeleteValue", "CeRegDeleteKey",
        "CeCreateFile", "CeReadFile", "CeCloseHandle", "CeGetTempPath"})
    EXPECT_NE(nullptr, Slots[Slot(Name)]) << Name;
  EXPECT_EQ(nullptr, Slots[Slot("CeRapiInit")]);
  EXPECT_EQ(nullptr, Slots[Slot("CeWriteFile")]);

  // Were the library loaded or its names resolved again, the library named
  // now, which lacks CeGetTempPath, would show.
  UseDeviceLibrary(TDeviceLibrary::WithoutTempPath);
  EXPECT_TRUE(LoadRapi());
  Connect();
  EXPECT_EQ(Library, RapiLibHandle());
  EXPECT_EQ(Slots, RapiEntryPoints());
  WCHAR Path[520] = {};
  EXPECT_EQ(6u, CeGetTempPath(520, Path));
}

TEST_F(RapiTest, WrappersPassArgumentsAndResultsThrough) {
  Connect();
  DWORD Disposition = 0;
  HKEY Key = Create(HKEY_CURRENT_USER, WIDE("Software\\ZQT\\ZQT\\Appearance"), &Disposition);
  EXPECT_EQ(REG_CREATED_NEW_KEY, Disposition);
  EXPECT_EQ(ERROR_SUCCESS, Set(Key, WIDE("LogEnabled"), REG_DWORD, DwordBytes(1)));
  EXPECT_EQ(ERROR_SUCCESS, CeRegCloseKey(Key));
  ASSERT_EQ(ERROR_SUCCESS, Open(HKEY_CURRENT_USER, WIDE("Software\\ZQT\\ZQT\\Appearance"), Key));
  DWORD Type = REG_NONE, Value = 0, Size = sizeof(Value);
  EXPECT_EQ(ERROR_SUCCESS, CeRegQueryValueEx(Key, WIDE("LogEnabled"), nullptr, &Type,
                                             reinterpret_cast<BYTE*>(&Value), &Size));
  EXPECT_EQ(REG_DWORD, Type);
  EXPECT_EQ(1u, Value);
  EXPECT_EQ(4u, Size);
  CeRegCloseKey(Key);
  std::string Bytes;
  ASSERT_TRUE(Device.QueryValue(HKEY_CURRENT_USER, "Software\\ZQT\\ZQT\\Appearance", "LogEnabled",
                                Type, Bytes));
  EXPECT_EQ(DwordBytes(1), Bytes);

  Device.PutFile("\\Temp\\ZQTUtil.log", "log line\n");
  HANDLE File = OpenFile(WIDE("\\Temp\\ZQTUtil.log"));
  ASSERT_NE(INVALID_HANDLE_VALUE, File);
  EXPECT_EQ("log line\n", Read(File, 10240));
  EXPECT_TRUE(CeCloseHandle(File));

  Device.SetTempPath("\\Windows\\Temp\\");
  WCHAR Path[520] = {};
  EXPECT_EQ(14u, CeGetTempPath(520, Path));
  EXPECT_EQ(WideString(WIDE("\\Windows\\Temp\\")), Path);
  EXPECT_EQ(0, CeRapiUninit());

  for (const char* Name : {"CeRapiInitEx", "CeRegCreateKeyEx", "CeRegSetValueEx", "CeRegOpenKeyEx",
                           "CeRegQueryValueEx", "CeCreateFile", "CeReadFile", "CeCloseHandle",
                           "CeGetTempPath", "CeRapiUninit"})
    EXPECT_EQ(1u, Device.Calls(Name)) << Name;
  EXPECT_EQ(2u, Device.Calls("CeRegCloseKey"));
}

TEST_F(RapiTest, TheDeviceAnswersOnlyAsItWasTold) {
  Device.ConnectAfter(std::chrono::milliseconds(200));
  Connect();
  HKEY Key = nullptr;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, Open(HKEY_CURRENT_USER, WIDE("Software\\Missing"), Key));
  CeRapiUninit();

  RAPIINIT Init{sizeof(RAPIINIT), nullptr, S_OK};
  Device.ConnectAfter(std::chrono::milliseconds(60000));
  ASSERT_EQ(S_OK, CeRapiInitEx(&Init));
  EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(Init.heRapiInit, 50));
  EXPECT_EQ(ERROR_NOT_CONNECTED, Open(HKEY_CURRENT_USER, WIDE("Software"), Key));
  EXPECT_EQ(S_OK, CeRapiUninit());

  Device.NeverConnect();
  ASSERT_EQ(S_OK, CeRapiInitEx(&Init));
  EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(Init.heRapiInit, 50));
  CeRapiUninit();

  Device.FailConnection();
  ASSERT_EQ(S_OK, CeRapiInitEx(&Init));
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(Init.heRapiInit, kGenerousWaitMs));
  EXPECT_LT(Init.hrRapiInit, 0);
  EXPECT_EQ(ERROR_NOT_CONNECTED, Open(HKEY_CURRENT_USER, WIDE("Software"), Key));
  CeRapiUninit();

  Device.RefuseConnection();
  RAPIINIT Untouched{sizeof(RAPIINIT), nullptr, S_OK};
  EXPECT_LT(CeRapiInitEx(&Untouched), 0);
  EXPECT_EQ(nullptr, Untouched.heRapiInit);
}

TEST_F(RapiTest, ARecordOfAnotherSizeStartsNoAttempt) {
  // The record of a caller built for the other word size: 12 bytes in a
  // 32-bit program, 24 in a 64-bit one.
  const DWORD OtherSize = sizeof(RAPIINIT) == 12 ? 24 : 12;
  RAPIINIT Init{OtherSize, nullptr, S_OK};
  EXPECT_EQ(E_INVALIDARG, CeRapiInitEx(&Init));
  EXPECT_EQ(nullptr, Init.heRapiInit);
  EXPECT_EQ(S_OK, Init.hrRapiInit);
  EXPECT_EQ(OtherSize, Device.InitRecordSize());
  EXPECT_EQ(E_INVALIDARG, CeRapiInitEx(nullptr));
  EXPECT_EQ(std::nullopt, Device.InitRecordSize());
}

TEST_F(RapiTest, WithoutADeviceFolderNoDeviceAnswers) {
  Device.Unplug();
  RAPIINIT Init{sizeof(RAPIINIT), nullptr, E_FAIL};
  ASSERT_EQ(S_OK, CeRapiInitEx(&Init));
  EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(Init.heRapiInit, 50));
  EXPECT_EQ(0u, Device.Calls("CeRapiInitEx"));
}

TEST_F(RapiTest, TheDeviceRecordsItsConnectionTimesOverAnyOlderRecord) {
  // What a device of an earlier run left, in lines as wide as the device's
  // own and more of them than the new record has.
  auto OlderLine = [](const std::string& Name, int Number) {
    const std::string Digits = std::to_string(Number);
    return Name + std::string(40 - Name.size() - Digits.size(), ' ') + Digits + '\n';
  };
  WriteWholeFile((Device.Folder() / kCallCountsFile).string(),
                 OlderLine("CeRapiInitEx", 7) + OlderLine("CeRapiUninit", 7) +
                     OlderLine("CeReadFile", 99));
  WriteWholeFile((Device.Folder() / kConnectionTimesFile).string(),
                 OlderLine("CeRapiInitEx", 1) + OlderLine("CeRapiUninit", 2));
  RAPIINIT Init = Connect();
  EXPECT_EQ(1u, Device.Calls("CeRapiInitEx"));
  EXPECT_EQ(0u, Device.Calls("CeReadFile"));
  EXPECT_FALSE(Device.TimeToUninit());
  CeRapiUninit();
  ASSERT_TRUE(Device.TimeToUninit());
  EXPECT_GE(Device.TimeToUninit()->count(), 0);
  CeRapiInitEx(&Init);
  EXPECT_FALSE(Device.TimeToUninit());
}

TEST_F(RapiTest, OneLeadingBackslashNamesTheSameKey) {
  Connect();
  HKEY Key = Create(HKEY_CURRENT_USER, WIDE("\\Software\\ZQT\\ZQT\\Appearance"));
  EXPECT_EQ(ERROR_SUCCESS, Set(Key, WIDE("Color"), REG_DWORD, DwordBytes(7)));
  CeRegCloseKey(Key);
  EXPECT_TRUE(Device.KeyExists(HKEY_CURRENT_USER, "Software\\ZQT\\ZQT\\Appearance"));

  for (const WCHAR* Path :
       {WIDE("\\Software\\ZQT\\ZQT\\Appearance"), WIDE("Software\\ZQT\\ZQT\\Appearance")}) {
    ASSERT_EQ(ERROR_SUCCESS, Open(HKEY_CURRENT_USER, Path, Key));
    DWORD Value = 0, Size = sizeof(Value);
    EXPECT_EQ(ERROR_SUCCESS, CeRegQueryValueEx(Key, WIDE("Color"), nullptr, nullptr,
                                               reinterpret_cast<BYTE*>(&Value), &Size));
    EXPECT_EQ(7u, Value);
    CeRegCloseKey(Key);
  }
  EXPECT_NE(ERROR_SUCCESS, Open(HKEY_CURRENT_USER, WIDE("\\\\Software\\ZQT"), Key));
}

TEST_F(RapiTest, QueriesFollowTheRegistryRules) {
  Device.SetValue(HKEY_CURRENT_USER, "Software\\ZQT", "Name", REG_SZ,
                  DeviceTextBytes(WIDE("Pocket")));
  Device.SetValue(HKEY_LOCAL_MACHINE, "Software\\ZQT", "Name", REG_DWORD, DwordBytes(3));
  Connect();
  HKEY Key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, Open(HKEY_CURRENT_USER, WIDE("Software\\ZQT"), Key));

  DWORD Type = REG_NONE, Size = 0;
  EXPECT_EQ(ERROR_SUCCESS, CeRegQueryValueEx(Key, WIDE("NAME"), nullptr, &Type, nullptr, &Size));
  EXPECT_EQ(REG_SZ, Type);
  EXPECT_EQ(14u, Size);
  WCHAR Text[7] = {};
  Size = 4;
  EXPECT_EQ(ERROR_MORE_DATA, CeRegQueryValueEx(Key, WIDE("Name"), nullptr, &Type,
                                               reinterpret_cast<BYTE*>(Text), &Size));
  EXPECT_EQ(14u, Size);
  EXPECT_EQ(ERROR_SUCCESS, CeRegQueryValueEx(Key, WIDE("Name"), nullptr, &Type,
                                             reinterpret_cast<BYTE*>(Text), &Size));
  EXPECT_EQ(WideString(WIDE("Pocket")), Text);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND,
            CeRegQueryValueEx(Key, WIDE("Missing"), nullptr, &Type, nullptr, &Size));
  CeRegCloseKey(Key);

  ASSERT_EQ(ERROR_SUCCESS, Open(HKEY_LOCAL_MACHINE, WIDE("Software\\ZQT"), Key));
  EXPECT_EQ(ERROR_SUCCESS, CeRegQueryValueEx(Key, WIDE("Name"), nullptr, &Type, nullptr, &Size));
  EXPECT_EQ(REG_DWORD, Type);
  EXPECT_EQ(ERROR_SUCCESS, CeRegCloseKey(Key));
  EXPECT_EQ(ERROR_INVALID_HANDLE, CeRegCloseKey(Key));
  EXPECT_EQ(ERROR_INVALID_HANDLE,
            CeRegQueryValueEx(Key, WIDE("Name"), nullptr, &Type, nullptr, &Size));
}

TEST_F(RapiTest, DeletesFollowTheRegistryRules) {
  Device.SetValue(HKEY_CURRENT_USER, "Software\\ZQT", "Level", REG_DWORD, DwordBytes(1));
  Device.SetValue(HKEY_CURRENT_USER, "Software\\ZQT\\Sub\\Leaf", "Level", REG_DWORD, DwordBytes(2));
  Connect();
  HKEY Key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, Open(HKEY_CURRENT_USER, WIDE("Software\\ZQT"), Key));
  struct TCase {
    const char* What;
    std::function<LONG()> Delete;
    LONG Result;
  };
  const TCase Cases[] = {
      {"a value", [&] { return CeRegDeleteValue(Key, WIDE("Level")); }, ERROR_SUCCESS},
      {"a missing value", [&] { return CeRegDeleteValue(Key, WIDE("Level")); },
       ERROR_FILE_NOT_FOUND},
      {"a missing key",
       [&] { return CeRegDeleteKey(HKEY_CURRENT_USER, WIDE("Software\\ZQT\\Missing")); },
       ERROR_FILE_NOT_FOUND},
      {"a key with a subkey",
       [&] { return CeRegDeleteKey(HKEY_CURRENT_USER, WIDE("\\Software\\ZQT\\Sub")); },
       ERROR_ACCESS_DENIED},
      {"a key with a value", [&] { return CeRegDeleteKey(Key, WIDE("\\Sub\\Leaf")); },
       ERROR_SUCCESS},
      {"a hive", [&] { return CeRegDeleteKey(HKEY_CURRENT_USER, WIDE("\\")); },
       ERROR_INVALID_PARAMETER}};
  for (const TCase& Case : Cases) EXPECT_EQ(Case.Result, Case.Delete()) << Case.What;
  CeRegCloseKey(Key);
  EXPECT_FALSE(Device.KeyExists(HKEY_CURRENT_USER, "Software\\ZQT\\Sub\\Leaf"));
  EXPECT_TRUE(Device.KeyExists(HKEY_CURRENT_USER, "Software\\ZQT\\Sub"));
}

TEST_F(RapiTest, TextReadsBackWithTheBytesItWasWrittenWith) {
  // Neither ends with a NUL: an odd count of bytes, and a euro sign (U+20AC).
  const std::string Written[] = {std::string("A\0B", 3), std::string("\xAC\x20", 2)};
  Connect();
  HKEY Key = Create(HKEY_CURRENT_USER, WIDE("Software\\ZQT"));
  for (DWORD Type : {REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ}) {
    for (const std::string& Bytes : Written) {
      ASSERT_EQ(ERROR_SUCCESS, Set(Key, WIDE("Text"), Type, Bytes));
      DWORD ReadType = REG_NONE, Size = 0;
      EXPECT_EQ(ERROR_SUCCESS,
                CeRegQueryValueEx(Key, WIDE("Text"), nullptr, &ReadType, nullptr, &Size));
      std::string Read(Size, '\0');
      EXPECT_EQ(ERROR_SUCCESS, CeRegQueryValueEx(Key, WIDE("Text"), nullptr, &ReadType,
                                                 reinterpret_cast<BYTE*>(Read.data()), &Size));
      EXPECT_EQ(Type, ReadType);
      EXPECT_EQ(Bytes, Read.substr(0, Size));
      std::string Stored;
      ASSERT_TRUE(Device.QueryValue(HKEY_CURRENT_USER, "Software\\ZQT", "Text", ReadType, Stored));
      EXPECT_EQ(Bytes, Stored);
    }
  }
  CeRegCloseKey(Key);
}

TEST_F(RapiTest, ARefusedWriteChangesNothing) {
  Device.SetValue(HKEY_CURRENT_USER, "Software\\ZQT", "Level", REG_DWORD, DwordBytes(1));
  Device.RefuseRegistryWrites();
  Connect();
  DWORD Disposition = 0;
  HKEY Key = Create(HKEY_CURRENT_USER, WIDE("Software\\ZQT"), &Disposition);
  EXPECT_EQ(REG_OPENED_EXISTING_KEY, Disposition);
  EXPECT_EQ(ERROR_ACCESS_DENIED, Set(Key, WIDE("Level"), REG_DWORD, DwordBytes(2)));
  CeRegCloseKey(Key);
  HKEY Created = nullptr;
  EXPECT_EQ(ERROR_ACCESS_DENIED,
            CeRegCreateKeyEx(HKEY_CURRENT_USER, WIDE("Software\\New"), 0, nullptr, 0,
                             KEY_ALL_ACCESS, nullptr, &Created, nullptr));
  EXPECT_FALSE(Device.KeyExists(HKEY_CURRENT_USER, "Software\\New"));
  EXPECT_EQ(ERROR_ACCESS_DENIED, CeRegDeleteKey(HKEY_CURRENT_USER, WIDE("Software\\ZQT")));
  DWORD Type = REG_NONE;
  std::string Bytes;
  ASSERT_TRUE(Device.QueryValue(HKEY_CURRENT_USER, "Software\\ZQT", "Level", Type, Bytes));
  EXPECT_EQ(DwordBytes(1), Bytes);
}

TEST_F(RapiTest, EndingTheConnectionTakesBackItsHandles) {
  Device.PutFile("\\Temp\\a.txt", "a");
  Connect();
  HKEY Key = Create(HKEY_CURRENT_USER, WIDE("Software\\ZQT"));
  HANDLE File = OpenFile(WIDE("\\Temp\\a.txt"));
  CeRapiUninit();
  Connect();
  EXPECT_EQ(ERROR_INVALID_HANDLE, Set(Key, WIDE("Level"), REG_DWORD, DwordBytes(2)));
  EXPECT_EQ("failed", Read(File, 1));
  EXPECT_FALSE(CeCloseHandle(File));
}

TEST_F(RapiTest, FilesAreReadToTheirEnd) {
  Device.PutFile("\\Temp\\ZQTUtil.log", std::string(25, 'x'));
  Device.PutFile("\\Temp\\Empty.log", "");
  Connect();
  HANDLE File = OpenFile(WIDE("\\temp\\zqtutil.LOG"));
  ASSERT_NE(INVALID_HANDLE_VALUE, File);
  EXPECT_EQ(std::string(10, 'x'), Read(File, 10));
  EXPECT_EQ(std::string(10, 'x'), Read(File, 10));
  EXPECT_EQ(std::string(5, 'x'), Read(File, 10));
  EXPECT_EQ("", Read(File, 10));
  CeCloseHandle(File);
  File = OpenFile(WIDE("\\Temp\\Empty.log"));
  EXPECT_EQ("", Read(File, 10240));
  CeCloseHandle(File);
}

TEST_F(RapiTest, OnlyExistingFilesInsideTheDeviceOpen) {
  Device.PutFile("\\Temp\\ZQTUtil.log", "x");
  const std::filesystem::path Outside = Device.Folder() / "outside.txt";
  WriteWholeFile(Outside.string(), "secret");
  // The desktop's own path to a file, as a device path.
  const WideString DesktopPath = AnsiToWide("\\" + Outside.string(), CP_ACP);
  // A name that Windows reads as a file in the working folder of a drive.
  const std::filesystem::path Working = std::filesystem::current_path() / "zqt-outside.txt";
  WriteWholeFile(Working.string(), "secret");
  const WideString DriveRelative =
      AnsiToWide("\\" + Working.root_name().string() + Working.filename().string(), CP_ACP);
  Connect();
  for (const WCHAR* Path :
       {WIDE("\\Temp\\Missing.log"), WIDE("\\Temp"), WIDE("Temp\\ZQTUtil.log"),
        WIDE("\\Temp\\..\\..\\outside.txt"), WIDE("\\..\\outside.txt"),
        WIDE("\\Temp\\ZQTUtil.log\\"), WIDE(""), DesktopPath.c_str(), DriveRelative.c_str()}) {
    SCOPED_TRACE(WideToAnsi(Path, CP_ACP));
    EXPECT_EQ(INVALID_HANDLE_VALUE, OpenFile(Path));
  }
  std::error_code Ignored;
  std::filesystem::remove(Working, Ignored);
  EXPECT_EQ(INVALID_HANDLE_VALUE,
            CeCreateFile(WIDE("\\Temp\\ZQTUtil.log"), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  EXPECT_EQ("failed", Read(reinterpret_cast<HANDLE>(std::uintptr_t{kRapiFallback}), 1));
}

TEST_F(RapiTest, ReadsFailAfterTheBytesTheDeviceWasToldOf) {
  Device.PutFile("\\Temp\\ZQTUtil.log", std::string(100, 'x'));
  Device.FailReadsAfter(15);
  Connect();
  HANDLE File = OpenFile(WIDE("\\Temp\\ZQTUtil.log"));
  EXPECT_EQ(std::string(10, 'x'), Read(File, 10));
  EXPECT_EQ(std::string(5, 'x'), Read(File, 10));
  EXPECT_EQ("failed", Read(File, 10));
  CeCloseHandle(File);
}

TEST_F(RapiTest, TheTemporaryFolderFollowsTheBufferRules) {
  Connect();
  WCHAR Path[520];
  std::fill(std::begin(Path), std::end(Path), WIDE('#'));
  EXPECT_EQ(7u, CeGetTempPath(3, Path));
  EXPECT_EQ(WIDE('#'), Path[0]);
  EXPECT_EQ(6u, CeGetTempPath(7, Path));
  EXPECT_EQ(WideString(WIDE("\\Temp\\")), Path);
  Device.SetTempPath("\\Temp\\Zürich\\");
  EXPECT_EQ(13u, CeGetTempPath(520, Path));
  EXPECT_EQ(WideString(WIDE("\\Temp\\Zürich\\")), Path);
}

}  // namespace
