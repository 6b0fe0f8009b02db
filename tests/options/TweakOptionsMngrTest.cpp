#include "ExpectRaises.h"
#include "OptionKind.h"
#include "OptionTestFixture.h"
#include "TweakOptionsMngr.h"

namespace {

using enum TTweakOptionTarget;

const std::string kDesktopKey = "\\Software\\Quorvanta\\Velora\\Settings";
const std::string kDeviceKey = "\\Software\\ZQT\\ZQT\\Appearance";

TTweakOptionItemBool& Bool(TTweakOptionSet& Set, int Index) {
  return dynamic_cast<TTweakOptionItemBool&>(*Set.Items(Index));
}
TTweakOptionItemInt& Int(TTweakOptionSet& Set, int Index) {
  return dynamic_cast<TTweakOptionItemInt&>(*Set.Items(Index));
}

class TweakOptionsTest : public OptionTestFixture {
 protected:
  void SetUp() override {
    Connect();
    ASSERT_TRUE(Rapi->Connected());
  }
  // One option of each kind in each registry.
  void AddOneOfEach() {
    Set.AddIntOption("Delay", "", kDesktopKey, "Interval", 1000, otDesktop);
    Set.AddBoolOption("Log", "", kDesktopKey, "LogEnabled", false, otDesktop);
    Set.AddBoolOption("Margins", "", kDeviceKey, "UseMargins", true, otDevice);
    Set.AddIntOption("TTL", "", kDeviceKey, "DeletedItemsTTL", 90, otDevice);
  }
  void Load() { Set.LoadOptions(&Desktop, Rapi.get()); }
  void Save() { Set.SaveOptions(&Desktop, Rapi.get()); }

  TTweakOptionSet Set;
};

TEST_F(TweakOptionsTest, AddedOptionsCarryTheirFieldsInOrder) {
  Set.AddBoolOption("Caption", "Description", "\\Key", "Name", true, otDevice);
  ASSERT_EQ(1, Set.Count());
  const TTweakOptionItem& Item = *Set.Items(0);
  EXPECT_EQ("Caption", Item.Caption);
  EXPECT_EQ("Description", Item.Description);
  EXPECT_EQ("\\Key", Item.Key);
  EXPECT_EQ("Name", Item.ValueName);
  EXPECT_EQ(otDevice, Item.Target);
  EXPECT_TRUE(Bool(Set, 0).Value());
  EXPECT_TRUE(Bool(Set, 0).Modified()) << "nothing was read yet";
  ExpectRaises<EListError>("List index out of bounds (1)", [&] { Set.Items(1); });
  EXPECT_THROW(Set.Items(-1), EListError);
}

TEST_F(TweakOptionsTest, BooleanOptionsReadAnyNonZeroNumberAsTrue) {
  TTweakOptionItemBool Option;
  const TOptionKind& Kind = Option.Kind();
  Kind.SetValue(Option, 5);
  EXPECT_TRUE(Option.Value());
  EXPECT_EQ(1, Kind.Value(Option));
  Kind.SetValue(Option, 0);
  EXPECT_FALSE(Option.Value());
  EXPECT_EQ(0, Kind.Value(Option));
  Option.SetAsInteger(-7);
  EXPECT_TRUE(Option.Value());
  EXPECT_EQ(1, Option.AsInteger());
  Option.SetAsInteger(0);
  EXPECT_EQ(0, Option.AsInteger());
}

TEST_F(TweakOptionsTest, MissingKeysAndValuesKeepTheDefaultsAndSaveWritesNothing) {
  AddOneOfEach();
  SetRawValue(HKEY_CURRENT_USER, Relative(kDesktopKey), "Other", REG_DWORD, DwordBytes(1));
  Load();
  EXPECT_EQ(1000, Int(Set, 0).Value());
  EXPECT_FALSE(Bool(Set, 1).Value());
  EXPECT_TRUE(Bool(Set, 2).Value());
  EXPECT_EQ(90, Int(Set, 3).Value());
  EXPECT_FALSE(Int(Set, 0).Modified());
  EXPECT_FALSE(Bool(Set, 1).Modified());
  EXPECT_FALSE(Bool(Set, 2).Modified());
  EXPECT_FALSE(Int(Set, 3).Modified());
  Save();
  bool Found = true;
  DesktopDword(kDesktopKey, "Interval", Found);
  EXPECT_FALSE(Found);
  EXPECT_FALSE(Device.KeyExists(HKEY_CURRENT_USER, Relative(kDeviceKey)));
}

TEST_F(TweakOptionsTest, LoadedValuesReplaceTheDefaults) {
  AddOneOfEach();
  SetRawValue(HKEY_CURRENT_USER, Relative(kDesktopKey), "Interval", REG_DWORD, DwordBytes(250));
  SetRawValue(HKEY_CURRENT_USER, Relative(kDesktopKey), "LogEnabled", REG_DWORD, DwordBytes(2));
  Device.SetValue(HKEY_CURRENT_USER, Relative(kDeviceKey), "UseMargins", REG_DWORD, DwordBytes(0));
  Device.SetValue(HKEY_CURRENT_USER, Relative(kDeviceKey), "DeletedItemsTTL", REG_DWORD,
                  DwordBytes(static_cast<DWORD>(-3)));
  Load();
  EXPECT_EQ(250, Int(Set, 0).Value());
  EXPECT_TRUE(Bool(Set, 1).Value());
  EXPECT_FALSE(Bool(Set, 2).Value());
  EXPECT_EQ(-3, Int(Set, 3).Value());
  EXPECT_EQ(-3, Int(Set, 3).StoredValue());
}

TEST_F(TweakOptionsTest, EditedValuesAreWrittenBackAsDwordsUnderKeysCreatedOnDemand) {
  AddOneOfEach();
  Load();
  Int(Set, 0).SetValue(0);
  Bool(Set, 1).SetValue(true);
  Bool(Set, 2).SetValue(false);
  Int(Set, 3).SetValue(-1);
  Save();
  bool Found = false;
  EXPECT_EQ(0u, DesktopDword(kDesktopKey, "Interval", Found));
  EXPECT_TRUE(Found);
  EXPECT_EQ(1u, DesktopDword(kDesktopKey, "LogEnabled", Found));
  EXPECT_TRUE(Found);
  EXPECT_EQ(0u, DeviceDword(kDeviceKey, "UseMargins", Found));
  EXPECT_TRUE(Found);
  EXPECT_EQ(0xFFFFFFFFu, DeviceDword(kDeviceKey, "DeletedItemsTTL", Found));
  EXPECT_TRUE(Found);
  EXPECT_FALSE(Int(Set, 3).Modified());
}

TEST_F(TweakOptionsTest, ChangingAValueAndBackWritesNothing) {
  AddOneOfEach();
  Load();
  Int(Set, 0).SetValue(5);
  Int(Set, 0).SetValue(1000);
  Bool(Set, 2).SetValue(false);
  Bool(Set, 2).SetValue(true);
  const auto CallsBefore = Device.RemoteCalls();
  Save();
  EXPECT_EQ(CallsBefore, Device.RemoteCalls());
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Relative(kDesktopKey)));
}

TEST_F(TweakOptionsTest, ADeviceBooleanStoredAsFiveIsTrueAndStaysAsItIs) {
  Device.SetValue(HKEY_CURRENT_USER, Relative(kDeviceKey), "UseMargins", REG_DWORD, DwordBytes(5));
  Set.AddBoolOption("Margins", "", kDeviceKey, "UseMargins", false, otDevice);
  Load();
  EXPECT_TRUE(Bool(Set, 0).Value());
  EXPECT_FALSE(Bool(Set, 0).Modified());
  Bool(Set, 0).SetValue(false);
  Bool(Set, 0).SetValue(true);
  EXPECT_FALSE(Bool(Set, 0).Modified());
  Save();
  bool Found = false;
  EXPECT_EQ(5u, DeviceDword(kDeviceKey, "UseMargins", Found));
}

TEST_F(TweakOptionsTest, AnEmptySetTouchesNeitherRegistry) {
  const auto CallsBefore = Device.RemoteCalls();
  Load();
  Save();
  EXPECT_EQ(CallsBefore, Device.RemoteCalls());
  EXPECT_FALSE(std::filesystem::exists(Registry.Folder().File("registry.db")));
}

TEST_F(TweakOptionsTest, AFailedSaveStopsAtTheFailingOptionAndKeepsTheRestModified) {
  const std::string ReadOnlyKey = "\\Software\\ZQT\\Locked";
  for (int Index = 0; Index < 5; ++Index)
    Set.AddIntOption("Option", "", Index == 2 ? ReadOnlyKey : kDesktopKey,
                     "Value" + std::to_string(Index), 0, otDesktop);
  SetRawValue(HKEY_CURRENT_USER, Relative(ReadOnlyKey), "Value2", REG_DWORD, DwordBytes(0));
  if (!Registry.SetKeyReadOnly(HKEY_CURRENT_USER, Relative(ReadOnlyKey)))
    GTEST_SKIP() << "this registry cannot restrict a key to read rights for the test's user";
  Load();
  for (int Index = 0; Index < 5; ++Index) Int(Set, Index).SetValue(Index + 10);
  ExpectRaises<TExTweak>("Could not write to registry: \\Software\\ZQT\\Locked Value2",
                         [&] { Save(); });
  bool Found = false;
  EXPECT_EQ(10u, DesktopDword(kDesktopKey, "Value0", Found));
  EXPECT_EQ(11u, DesktopDword(kDesktopKey, "Value1", Found));
  DesktopDword(kDesktopKey, "Value3", Found);
  EXPECT_FALSE(Found);
  EXPECT_FALSE(Int(Set, 1).Modified());
  for (int Index = 2; Index < 5; ++Index) EXPECT_TRUE(Int(Set, Index).Modified()) << Index;
}

TEST_F(TweakOptionsTest, ADeviceValueOfAnotherTypeStopsTheLoad) {
  Set.AddBoolOption("Log", "", kDesktopKey, "LogEnabled", false, otDesktop);
  Set.AddBoolOption("Margins", "", kDeviceKey, "UseMargins", true, otDevice);
  Set.AddIntOption("TTL", "", kDeviceKey, "DeletedItemsTTL", 90, otDevice);
  SetRawValue(HKEY_CURRENT_USER, Relative(kDesktopKey), "LogEnabled", REG_DWORD, DwordBytes(1));
  Device.SetValue(HKEY_CURRENT_USER, Relative(kDeviceKey), "UseMargins", REG_SZ,
                  DeviceTextBytes(WIDE("1")));
  ExpectRaises<TExRapiRegInvalidType>("Invalid registry type: UseMargins", [&] { Load(); });
  EXPECT_FALSE(Bool(Set, 0).Modified());
  EXPECT_TRUE(Bool(Set, 0).Value());
  EXPECT_TRUE(Int(Set, 2).Modified()) << "options after the failing one are not loaded";
}

TEST_F(TweakOptionsTest, DeviceWriteFailuresReachTheCallerAndKeepTheOptionModified) {
  Set.AddBoolOption("Log", "", kDeviceKey, "LogEnabled", false, otDevice);
  Load();
  Bool(Set, 0).SetValue(true);
  Device.RefuseRegistryWrites();
  EXPECT_THROW(Save(), TExTweak) << "the key does not exist and cannot be created";
  Device.SetValue(HKEY_CURRENT_USER, Relative(kDeviceKey), "Other", REG_DWORD, DwordBytes(0));
  ExpectRaises<TExRapiRegWriteValueFailed>("Write registry value failed: LogEnabled",
                                           [&] { Save(); });
  EXPECT_TRUE(Bool(Set, 0).Modified());
}

class DisconnectedOptionsTest : public OptionTestFixture {};

TEST_F(DisconnectedOptionsTest, WithoutADeviceOptionsKeepTheirDefaultsAndCannotBeSaved) {
  Device.RefuseConnection();
  Connect();
  ASSERT_FALSE(Rapi->Connected());
  TTweakOptionSet Set;
  Set.AddIntOption("TTL", "", kDeviceKey, "DeletedItemsTTL", 90, otDevice);
  Set.LoadOptions(&Desktop, Rapi.get());
  EXPECT_EQ(90, Int(Set, 0).Value());
  Int(Set, 0).SetValue(30);
  ExpectRaises<TExTweak>(
      "Could not write to registry: \\Software\\ZQT\\ZQT\\Appearance DeletedItemsTTL",
      [&] { Set.SaveOptions(&Desktop, Rapi.get()); });
}

}  // namespace
