// The device manager over the simulated device: the connection decided at
// construction, the device registry, device files copied to the desktop and
// the device's temporary folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>

#include "RapiMngr.h"
#include "SimulatedDevice.h"
#include "SystemError.h"
#include "TemporaryRegistry.h"
#include "miniUtils.h"

namespace {

using std::chrono::milliseconds;

const std::string kKey = "\\Software\\ZQT\\ZQT\\Appearance";
const std::string kStoredKey = "Software\\ZQT\\ZQT\\Appearance";
const std::string kLog = "\\Temp\\ZQTUtil.log";

std::set<std::string> FilesIn(const std::filesystem::path& Folder) {
  std::set<std::string> Names;
  for (const auto& Entry : std::filesystem::directory_iterator(Folder))
    Names.insert(Entry.path().filename().string());
  return Names;
}

// Text as the program holds it: in the system's code page.
std::string Ansi(const WideString& Text) { return WideToAnsi(Text, CP_ACP); }

// Content that shows any byte out of place.
std::string Pattern(std::size_t Size) {
  std::string Bytes(Size, '\0');
  for (std::size_t Index = 0; Index < Size; ++Index)
    Bytes[Index] = static_cast<char>((Index * 131 + Index / 251) & 0xFF);
  return Bytes;
}

// The message of the TException that Action raises; empty when it raises none.
template <typename TException, typename TAction>
std::string MessageOf(TAction Action) {
  try {
    Action();
  } catch (const TException& Error) {
    return Error.Message();
  }
  return std::string();
}

class RapiManagerTest : public ::testing::Test {
 protected:
  // Creates the manager, which connects to the device as it is set up by then.
  TRapiManager& Connect() {
    Rapi = std::make_unique<TRapiManager>();
    return *Rapi;
  }
  void SetDeviceValue(const std::string& Name, DWORD Type, const std::string& Bytes) {
    Device.SetValue(HKEY_CURRENT_USER, kStoredKey, Name, Type, Bytes);
  }

  TSimulatedDevice Device;
  TTemporaryFolder Desktop;
  std::unique_ptr<TRapiManager> Rapi;
};

// Connection

struct TConnectCase {
  const char* Name;
  void (*SetUp)(TSimulatedDevice&);
  bool Connected;
};

// Tests are listed under the case's name rather than its bytes.
void PrintTo(const TConnectCase& Case, std::ostream* Out) { *Out << Case.Name; }

class ConnectionTest : public RapiManagerTest,
                       public ::testing::WithParamInterface<TConnectCase> {};

TEST_P(ConnectionTest, IsDecidedOnceAtConstruction) {
  GetParam().SetUp(Device);
  EXPECT_EQ(GetParam().Connected, Connect().Connected());
  EXPECT_EQ(1u, Device.Calls("CeRapiInitEx"));
  // A connection that did not come about is ended at once.
  EXPECT_EQ(GetParam().Connected ? 0u : 1u, Device.Calls("CeRapiUninit"));
}

INSTANTIATE_TEST_SUITE_P(
    Device, ConnectionTest,
    ::testing::Values(
        TConnectCase{"AnsweringAtOnce", [](TSimulatedDevice&) {}, true},
        TConnectCase{"AnsweringAfter500ms",
                     [](TSimulatedDevice& Device) { Device.ConnectAfter(milliseconds(500)); },
                     true},
        TConnectCase{"AnsweringAfter2500ms",
                     [](TSimulatedDevice& Device) { Device.ConnectAfter(milliseconds(2500)); },
                     false},
        TConnectCase{"Refusing", [](TSimulatedDevice& Device) { Device.RefuseConnection(); },
                     false},
        TConnectCase{"FailingTheAttempt",
                     [](TSimulatedDevice& Device) { Device.FailConnection(); }, false}),
    [](const ::testing::TestParamInfo<TConnectCase>& Info) { return Info.param.Name; });

TEST_F(RapiManagerTest, ADeviceThatNeverAnswersIsGivenUpAfterTheWait) {
  Device.NeverConnect();
  EXPECT_FALSE(Connect().Connected());
  ASSERT_TRUE(Device.TimeToUninit());
  EXPECT_GE(*Device.TimeToUninit(), milliseconds(2000));
  EXPECT_LT(*Device.TimeToUninit(), milliseconds(10000));
}

TEST_F(RapiManagerTest, DestroyingAManagerThatNeverConnectedMakesNoRemoteCall) {
  Device.RefuseConnection();
  Connect();
  const auto UninitsBefore = Device.Calls("CeRapiUninit");
  Rapi.reset();
  EXPECT_EQ(UninitsBefore, Device.Calls("CeRapiUninit"));
  EXPECT_EQ(0u, Device.RemoteCalls());
}

TEST_F(RapiManagerTest, DestroyingAConnectedManagerEndsTheConnectionOnly) {
  Connect().OpenKey(kKey, false, true);
  Rapi.reset();
  EXPECT_EQ(1u, Device.Calls("CeRapiUninit"));
  EXPECT_EQ(0u, Device.Calls("CeRegCloseKey"));
}

TEST_F(RapiManagerTest, WithoutAConnectionEveryDeviceOperationFails) {
  SetDeviceValue("Level", REG_DWORD, DwordBytes(3));
  Device.PutFile(kLog, "log");
  Device.RefuseConnection();
  TRapiManager& Manager = Connect();
  EXPECT_FALSE(Manager.OpenKey(kKey, false, true));
  EXPECT_EQ(-1, Manager.GetDataSize("Level"));
  EXPECT_EQ(9, Manager.ReadInteger("Level", 9));
  EXPECT_EQ("none", Manager.ReadString("Level", "none"));
  EXPECT_EQ("Write registry value failed: Level",
            MessageOf<TExRapiRegWriteValueFailed>([&] { Manager.WriteInteger("Level", 1); }));
  EXPECT_FALSE(Manager.TryCopyFileFromDevice(kLog, Desktop.File("ZQTUtil.log"), true));
  EXPECT_EQ("", Manager.GetDeviceTempPath());
  EXPECT_TRUE(FilesIn(Desktop.Path()).empty());
}

// Registry

TEST_F(RapiManagerTest, ReadIntegerReadsFourBytesOfARegDwordOnly) {
  SetDeviceValue("Level", REG_DWORD, DwordBytes(0xFFFFFFFE));
  SetDeviceValue("Long", REG_SZ, DeviceTextBytes(WIDE("12345")));
  SetDeviceValue("Short", REG_SZ, DeviceTextBytes(WIDE("1")));
  SetDeviceValue("Bytes", REG_BINARY, "\x01\x02");
  TRapiManager& Manager = Connect();
  ASSERT_TRUE(Manager.OpenKey(kKey, false, false));
  EXPECT_EQ(-2, Manager.ReadInteger("Level", 7));
  EXPECT_EQ(7, Manager.ReadInteger("Missing", 7));
  EXPECT_EQ(7, Manager.ReadInteger("Long", 7));
  EXPECT_EQ("Invalid registry type: Short",
            MessageOf<TExRapiRegInvalidType>([&] { Manager.ReadInteger("Short", 7); }));
  EXPECT_EQ("Invalid registry type: Bytes",
            MessageOf<TExRapiRegInvalidType>([&] { Manager.ReadInteger("Bytes", 7); }));
}

TEST_F(RapiManagerTest, ReadStringTellsMissingFromEmptyText) {
  const WideString Folder = WIDE("\\Program Files\\Zürich");
  SetDeviceValue("Folder", REG_SZ, DeviceTextBytes(Folder));
  SetDeviceValue("NoData", REG_SZ, "");
  SetDeviceValue("Empty", REG_SZ, DeviceTextBytes(WIDE("")));
  SetDeviceValue("Expand", REG_EXPAND_SZ, DeviceTextBytes(WIDE("%TEMP%\\ZQT")));
  SetDeviceValue("Number", REG_DWORD, DwordBytes(1));
  TRapiManager& Manager = Connect();
  ASSERT_TRUE(Manager.OpenKey(kKey, true, false));
  EXPECT_EQ(Ansi(Folder), Manager.ReadString("Folder", "default"));
  EXPECT_EQ("default", Manager.ReadString("Missing", "default"));
  EXPECT_EQ("default", Manager.ReadString("NoData", "default"));
  EXPECT_EQ("", Manager.ReadString("Empty", "default"));
  EXPECT_EQ("%TEMP%\\ZQT", Manager.ReadString("Expand", "default"));
  EXPECT_EQ("Invalid registry type: Number",
            MessageOf<TExRapiRegInvalidType>([&] { Manager.ReadString("Number", "default"); }));
}

TEST_F(RapiManagerTest, ReadStringTakesOnlyTheTextTheDeviceReported) {
  const WideString Unterminated = WIDE("\\Storage Card");
  SetDeviceValue("Unterminated", REG_SZ,
                 std::string(reinterpret_cast<const char*>(Unterminated.data()),
                             Unterminated.size() * sizeof(WCHAR)));
  SetDeviceValue("OddBytes", REG_SZ, std::string("A\0B", 3));
  SetDeviceValue("TwoTexts", REG_SZ, DeviceTextBytes(WideString(WIDE("one\0two"), 7)));
  TRapiManager& Manager = Connect();
  ASSERT_TRUE(Manager.OpenKey(kKey, true, false));
  EXPECT_EQ("\\Storage Card", Manager.ReadString("Unterminated", ""));
  EXPECT_EQ("A", Manager.ReadString("OddBytes", ""));
  EXPECT_EQ("one", Manager.ReadString("TwoTexts", ""));
}

TEST_F(RapiManagerTest, AFailedOpenKeepsTheEarlierKeyCurrent) {
  SetDeviceValue("Level", REG_DWORD, DwordBytes(4));
  TRapiManager& Manager = Connect();
  ASSERT_TRUE(Manager.OpenKey(kKey, false, false));
  EXPECT_FALSE(Manager.OpenKey("\\Software\\Missing", false, false));
  EXPECT_FALSE(Device.KeyExists(HKEY_CURRENT_USER, "Software\\Missing"));
  EXPECT_EQ(4, Manager.ReadInteger("Level", 0));
}

TEST_F(RapiManagerTest, OpenKeyCreatesAMissingKeyWhenAllowed) {
  TRapiManager& Manager = Connect();
  EXPECT_FALSE(Manager.OpenKey(kKey, false, false));
  ASSERT_TRUE(Manager.OpenKey(kKey, false, true));
  EXPECT_TRUE(Device.KeyExists(HKEY_CURRENT_USER, kStoredKey));
  Manager.WriteInteger("LogEnabled", -1);
  DWORD Type = REG_NONE;
  std::string Bytes;
  ASSERT_TRUE(Device.QueryValue(HKEY_CURRENT_USER, kStoredKey, "LogEnabled", Type, Bytes));
  EXPECT_EQ(REG_DWORD, Type);
  EXPECT_EQ(DwordBytes(0xFFFFFFFF), Bytes);
  // Reopening closes the key it replaces.
  ASSERT_TRUE(Manager.OpenKey(kStoredKey, false, false));
  EXPECT_EQ(1u, Device.Calls("CeRegCloseKey"));
  EXPECT_EQ(-1, Manager.ReadInteger("LogEnabled", 0));
}

TEST_F(RapiManagerTest, WriteIntegerWithoutAnOpenKeyRaises) {
  TRapiManager& Manager = Connect();
  ASSERT_TRUE(Manager.Connected());
  EXPECT_EQ("Write registry value failed: LogEnabled",
            MessageOf<TExRapiRegWriteValueFailed>([&] { Manager.WriteInteger("LogEnabled", 1); }));
  EXPECT_EQ(-1, Manager.GetDataSize("LogEnabled"));
}

TEST_F(RapiManagerTest, ARefusedWriteRaisesAndChangesNothing) {
  SetDeviceValue("LogEnabled", REG_DWORD, DwordBytes(0));
  Device.RefuseRegistryWrites();
  TRapiManager& Manager = Connect();
  EXPECT_FALSE(Manager.OpenKey("\\Software\\New", false, true));
  ASSERT_TRUE(Manager.OpenKey(kKey, false, true));
  EXPECT_EQ("Write registry value failed: LogEnabled",
            MessageOf<TExRapiRegWriteValueFailed>([&] { Manager.WriteInteger("LogEnabled", 1); }));
  // Neither a value set nor one deleted.
  for (const TStoredValue& Value : {DwordValue(1), TStoredValue()})
    EXPECT_EQ("Write registry value failed: LogEnabled: " + SystemErrorMessage(ERROR_ACCESS_DENIED),
              MessageOf<TExRapiRegWriteValueFailed>(
                  [&] { TStoredValues(Manager).Write(kKey, "LogEnabled", Value); }));
  EXPECT_EQ(0, Manager.ReadInteger("LogEnabled", 5));
}

// What a command reads before it writes, put back: the value as it was
// stored, its key, or the keys its key path lacked.
struct TPutBackCase {
  const char* Name;
  std::string Key;
  TStoredValue Stored;
};

void PrintTo(const TPutBackCase& Case, std::ostream* Out) { *Out << Case.Name; }

class PutBackTest : public RapiManagerTest, public ::testing::WithParamInterface<TPutBackCase> {};

TEST_P(PutBackTest, ReadsAgainExactlyAsFirstRead) {
  const TPutBackCase& Case = GetParam();
  SetDeviceValue("Other", REG_DWORD, DwordBytes(1));
  if (Case.Stored.Present)
    Device.SetValue(HKEY_CURRENT_USER, PathBelowRoot(Case.Key), "Level", Case.Stored.Type,
                    Case.Stored.Data);
  TRapiManager& Manager = Connect();
  TStoredValues Values(Manager);
  const TStoredValue First = Values.Read(Case.Key, "Level");
  EXPECT_EQ(Case.Stored, First);
  const TStoredValue Other{"", true, REG_MULTI_SZ, DeviceTextBytes(WIDE("something else"))};
  Values.Write(Case.Key, "Level", Other);
  EXPECT_EQ(Other, Values.Read(Case.Key, "Level"));
  Values.Write(Case.Key, "Level", First);
  EXPECT_EQ(First, Values.Read(Case.Key, "Level"));
  if (!First.FirstMissingKey.empty()) {
    EXPECT_FALSE(Device.KeyExists(HKEY_CURRENT_USER, First.FirstMissingKey));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Device, PutBackTest,
    ::testing::Values(TPutBackCase{"AbsentInAnExistingKey", kKey, TStoredValue()},
                      TPutBackCase{"KeyMissingTwoLevelsDeep", kKey + "\\New\\Deeper",
                                   TStoredValue{kStoredKey + "\\New", false, REG_NONE, ""}},
                      TPutBackCase{"Text", kKey,
                                   TStoredValue{"", true, REG_SZ, DeviceTextBytes(WIDE("250"))}},
                      TPutBackCase{"Dword", kKey, DwordValue(2)},
                      TPutBackCase{"EightBinaryBytes", kStoredKey,
                                   TStoredValue{"", true, REG_BINARY,
                                                std::string("\x00\x01\x7F\x80\xFE\xFF\0\x42", 8)}}),
    [](const ::testing::TestParamInfo<TPutBackCase>& Info) { return Info.param.Name; });

TEST_F(RapiManagerTest, AReadFailingForAnotherReasonThanAMissingValueRaisesWithTheReason) {
  SetDeviceValue("Level", REG_DWORD, DwordBytes(3));
  TRapiManager& Manager = Connect();
  Device.FailRegistryReads();
  EXPECT_EQ(
      "Read registry value failed: Level: " + SystemErrorMessage(ERROR_CANTREAD),
      MessageOf<TExRapiRegReadValueFailed>([&] { TStoredValues(Manager).Read(kKey, "Level"); }));
  // The dialog still shows the default of a value it cannot read.
  EXPECT_EQ(7, Manager.ReadInteger("Level", 7));
  // A key that cannot be asked about is not a missing key.
  Device.Unplug();
  EXPECT_EQ(
      "Read registry value failed: Level: " + SystemErrorMessage(ERROR_NOT_CONNECTED),
      MessageOf<TExRapiRegReadValueFailed>([&] { TStoredValues(Manager).Read(kKey, "Level"); }));
}

TEST_F(RapiManagerTest, RootKeyDecidesTheHiveOfLaterOpens) {
  const std::string Key = "Software\\ZQT\\ZQT";
  Device.SetValue(HKEY_CURRENT_USER, Key, "InstallDir", REG_SZ, DeviceTextBytes(WIDE("user")));
  Device.SetValue(HKEY_LOCAL_MACHINE, Key, "InstallDir", REG_SZ, DeviceTextBytes(WIDE("machine")));
  TRapiManager& Manager = Connect();
  EXPECT_EQ(HKEY_CURRENT_USER, Manager.RootKey());
  ASSERT_TRUE(Manager.OpenKey(Key, true, false));
  EXPECT_EQ("user", Manager.ReadString("InstallDir", ""));
  Manager.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_EQ("user", Manager.ReadString("InstallDir", ""));
  ASSERT_TRUE(Manager.OpenKey(Key, true, false));
  EXPECT_EQ("machine", Manager.ReadString("InstallDir", ""));
  Manager.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(Manager.OpenKey(Key, true, false));
  EXPECT_EQ("user", Manager.ReadString("InstallDir", ""));
}

TEST_F(RapiManagerTest, DataTypesMapToTheirRegistryTypeCodes) {
  const std::pair<TRapiDataType, DWORD> Table[] = {{TRapiDataType::rtUnknown, REG_NONE},
                                                   {TRapiDataType::rtString, REG_SZ},
                                                   {TRapiDataType::rtExpandString, REG_EXPAND_SZ},
                                                   {TRapiDataType::rtInteger, REG_DWORD},
                                                   {TRapiDataType::rtBinary, REG_BINARY}};
  TRapiManager& Manager = Connect();
  ASSERT_TRUE(Manager.OpenKey(kKey, false, true));
  for (const auto& [DataType, Code] : Table) {
    EXPECT_EQ(Code, RapiDataToDataType(DataType));
    EXPECT_EQ(DataType, DataTypeToRapiData(Code));
    const std::string Name = "Value" + std::to_string(Code);
    Manager.PutData(Name, "\x01\x02\x03", 3, DataType);
    char Buffer[8] = {};
    TRapiDataType ReadBack = TRapiDataType::rtUnknown;
    EXPECT_EQ(3, Manager.GetData(Name, Buffer, sizeof(Buffer), ReadBack));
    EXPECT_EQ(DataType, ReadBack);
    EXPECT_EQ(std::string("\x01\x02\x03"), std::string(Buffer, 3));
  }
  for (DWORD Code : {REG_MULTI_SZ, REG_QWORD, REG_DWORD_BIG_ENDIAN})
    EXPECT_EQ(TRapiDataType::rtUnknown, DataTypeToRapiData(Code));
  char Small[2];
  TRapiDataType Ignored;
  EXPECT_EQ("Read registry value failed: Value1", MessageOf<TExRapiRegReadValueFailed>([&] {
              Manager.GetData("Value1", Small, sizeof(Small), Ignored);
            }));
}

// Files

TEST_F(RapiManagerTest, AMissingDeviceFileRaisesAndCreatesNoDesktopFile) {
  TRapiManager& Manager = Connect();
  const std::string Target = Desktop.File("ZQTUtil.log");
  EXPECT_EQ("Device file not found: \\Temp\\Missing.log", MessageOf<TExRapiFileNotFound>([&] {
              Manager.CopyFileFromDevice("\\Temp\\Missing.log", Target, true);
            }));
  EXPECT_TRUE(FilesIn(Desktop.Path()).empty());
}

TEST_F(RapiManagerTest, AnExistingTargetIsReplacedOnlyWhenAllowed) {
  Device.PutFile(kLog, "new log");
  const std::string Target = Desktop.File("ZQTUtil.log");
  WriteWholeFile(Target, "old log that was longer");
  TRapiManager& Manager = Connect();
  EXPECT_EQ("File already exists: " + Target, MessageOf<TExRapiFileAlreadyExists>([&] {
              Manager.CopyFileFromDevice(kLog, Target, false);
            }));
  EXPECT_EQ(0u, Device.RemoteCalls());
  EXPECT_EQ("old log that was longer", ReadWholeFile(Target));

  Manager.CopyFileFromDevice(kLog, Target, true);
  EXPECT_EQ("new log", ReadWholeFile(Target));
  EXPECT_EQ(std::set<std::string>{"ZQTUtil.log"}, FilesIn(Desktop.Path()));
  EXPECT_EQ(1u, Device.Calls("CeCloseHandle"));
}

TEST_F(RapiManagerTest, AnEmptyDeviceFileGivesAnEmptyDesktopFile) {
  Device.PutFile(kLog, "");
  const std::string Target = Desktop.File("ZQTUtil.log");
  Connect().CopyFileFromDevice(kLog, Target, false);
  EXPECT_TRUE(std::filesystem::is_regular_file(Target));
  EXPECT_EQ(0u, std::filesystem::file_size(Target));
  EXPECT_EQ(1u, Device.Calls("CeReadFile"));
}

TEST_F(RapiManagerTest, FilesTravelInChunksOf10240Bytes) {
  struct TCase {
    std::size_t Size;
    std::uint64_t Reads;
  };
  TRapiManager& Manager = Connect();
  std::uint64_t ReadsBefore = 0;
  for (const TCase& Case : {TCase{10240, 2}, TCase{10241, 3}, TCase{10 * 1024 * 1024, 1025}}) {
    SCOPED_TRACE(Case.Size);
    const std::string Content = Pattern(Case.Size);
    Device.PutFile(kLog, Content);
    const std::string Target = Desktop.File("copy-" + std::to_string(Case.Size) + ".log");
    Manager.CopyFileFromDevice(kLog, Target, false);
    EXPECT_TRUE(Content == ReadWholeFile(Target));
    EXPECT_EQ(Case.Reads, Device.Calls("CeReadFile") - ReadsBefore);
    ReadsBefore = Device.Calls("CeReadFile");
  }
}

TEST_F(RapiManagerTest, AReadFailingHalfWayKeepsTheTargetAndLeavesNoPartialFile) {
  Device.PutFile(kLog, Pattern(100000));
  Device.FailReadsAfter(50000);
  const std::string Kept = Desktop.File("kept.log");
  WriteWholeFile(Kept, "earlier copy");
  TRapiManager& Manager = Connect();
  for (const std::string& Target : {Kept, Desktop.File("new.log")}) {
    EXPECT_EQ("Can not read device file: " + kLog, MessageOf<TExRapiFileReadFailed>([&] {
                Manager.CopyFileFromDevice(kLog, Target, true);
              }));
  }
  EXPECT_EQ("earlier copy", ReadWholeFile(Kept));
  EXPECT_EQ(std::set<std::string>{"kept.log"}, FilesIn(Desktop.Path()));
  EXPECT_EQ(2u, Device.Calls("CeCloseHandle"));
}

TEST_F(RapiManagerTest, ADesktopFileThatCannotBeWrittenIsAnInputOutputError) {
  Device.PutFile(kLog, "log");
  TRapiManager& Manager = Connect();
  const std::string InMissingFolder = Desktop.File("missing/ZQTUtil.log");
  EXPECT_NE(
      "", MessageOf<EInOutError>([&] { Manager.CopyFileFromDevice(kLog, InMissingFolder, true); }));
  const std::string Folder = Desktop.File("folder");
  std::filesystem::create_directory(Folder);
  EXPECT_NE("", MessageOf<EInOutError>([&] { Manager.CopyFileFromDevice(kLog, Folder, true); }));
  EXPECT_EQ(std::set<std::string>{"folder"}, FilesIn(Desktop.Path()));
  EXPECT_EQ(2u, Device.Calls("CeCloseHandle"));
}

TEST_F(RapiManagerTest, TryCopyFileFromDeviceTurnsEachFailureIntoFalse) {
  Device.PutFile(kLog, Pattern(30000));
  const std::string Existing = Desktop.File("existing.log");
  WriteWholeFile(Existing, "kept");
  TRapiManager& Manager = Connect();
  EXPECT_FALSE(Manager.TryCopyFileFromDevice(kLog, Existing, false));
  EXPECT_FALSE(Manager.TryCopyFileFromDevice("\\Temp\\Missing.log", Desktop.File("a.log"), true));
  EXPECT_FALSE(Manager.TryCopyFileFromDevice(kLog, Desktop.File("missing/b.log"), true));
  Device.FailReadsAfter(20000);
  EXPECT_FALSE(Manager.TryCopyFileFromDevice(kLog, Desktop.File("c.log"), true));
  EXPECT_EQ(std::set<std::string>{"existing.log"}, FilesIn(Desktop.Path()));
  Device.FailReadsAfter(1 << 20);
  EXPECT_TRUE(Manager.TryCopyFileFromDevice(kLog, Desktop.File("d.log"), true));
  EXPECT_EQ(Pattern(30000), ReadWholeFile(Desktop.File("d.log")));
}

// The temporary folder

TEST_F(RapiManagerTest, TheTemporaryFolderIsTheDevicesOwn) {
  TRapiManager& Manager = Connect();
  EXPECT_EQ("\\Temp\\", Manager.GetDeviceTempPath());
  Device.SetTempPath("\\Windows\\Temp\\Zürich\\");
  EXPECT_EQ(Ansi(WIDE("\\Windows\\Temp\\Zürich\\")), Manager.GetDeviceTempPath());
  const std::string TooLong = "\\" + std::string(600, 'x') + "\\";
  Device.SetTempPath(TooLong);
  EXPECT_EQ("", Manager.GetDeviceTempPath());
}

}  // namespace
