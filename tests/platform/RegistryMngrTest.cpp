#include <gtest/gtest.h>

#include <functional>

#include "ExpectRaises.h"
#include "RegistryMngr.h"
#include "TemporaryRegistry.h"

namespace {

const std::string kKey = "\\Software\\Quorvanta\\TweakerTest";
const std::string kPath = kKey.substr(1);

class RegistryManagerTest : public ::testing::Test {
 protected:
  void Set(const std::string& Name, DWORD Type, const std::string& Bytes) {
    SetRawValue(HKEY_CURRENT_USER, kPath, Name, Type, Bytes);
  }
  std::string Stored(const std::string& Name) {
    DWORD Type = REG_NONE;
    std::string Bytes;
    return QueryRawValue(HKEY_CURRENT_USER, kPath, Name, Type, Bytes) ? Bytes : "<missing>";
  }

  TTemporaryRegistry Registry;
};

void ExpectWriteFails(const std::function<void()>& Write, const std::string& FullName) {
  ExpectRaises<ERegistryException>("Failed to set data for '" + FullName + "'", Write);
}

TEST_F(RegistryManagerTest, MissingKeysAndValuesGiveTheDefault) {
  TRegistryManager Missing(kKey, "", true, HKEY_CURRENT_USER);
  EXPECT_FALSE(Missing.KeyOpened());
  EXPECT_TRUE(Missing.ReadBoolDef("Flag", true));
  EXPECT_EQ(7, Missing.ReadIntegerDef("Number", 7));
  EXPECT_EQ("text", Missing.ReadStringDef("Text", "text"));

  Set("Other", REG_DWORD, DwordBytes(0));
  TRegistryManager Present(kKey, "", true, HKEY_CURRENT_USER);
  EXPECT_TRUE(Present.KeyOpened());
  EXPECT_TRUE(Present.ReadBoolDef("Flag", true));
  EXPECT_EQ(-3, Present.ReadIntegerDef("Number", -3));
  EXPECT_EQ("d", Present.ReadStringDef("Text", "d"));
}

TEST_F(RegistryManagerTest, DwordValuesReadAsBooleanAndSignedInteger) {
  Set("Two", REG_DWORD, DwordBytes(2));
  Set("Zero", REG_DWORD, DwordBytes(0));
  Set("AllBits", REG_DWORD, DwordBytes(0xFFFFFFFF));
  TRegistryManager Manager(kKey, "", false, HKEY_CURRENT_USER);
  EXPECT_TRUE(Manager.ReadBoolDef("Two", false));
  EXPECT_FALSE(Manager.ReadBoolDef("Zero", true));
  EXPECT_EQ(-1, Manager.ReadIntegerDef("AllBits", 0));
}

TEST_F(RegistryManagerTest, ValuesOfAnotherTypeGiveTheDefault) {
  Set("Digit", REG_SZ, std::string("1\0", 2));
  Set("Binary4", REG_BINARY, DwordBytes(1));
  Set("Binary8", REG_BINARY, std::string(8, '\1'));
  Set("Dword", REG_DWORD, DwordBytes(5));
  TRegistryManager Manager(kKey, "", false, HKEY_CURRENT_USER);
  EXPECT_FALSE(Manager.ReadBoolDef("Digit", false));
  EXPECT_EQ(9, Manager.ReadIntegerDef("Digit", 9));
  EXPECT_EQ(9, Manager.ReadIntegerDef("Binary4", 9));
  EXPECT_EQ(9, Manager.ReadIntegerDef("Binary8", 9));
  EXPECT_TRUE(Manager.ReadBoolDef("Binary8", true));
  EXPECT_EQ("default", Manager.ReadStringDef("Dword", "default"));
}

TEST_F(RegistryManagerTest, StringsEndAtTheirFirstNulAndKeepReferencesUnexpanded) {
  Set("Inner", REG_SZ, std::string("ab\0cd\0", 6));
  Set("Expand", REG_EXPAND_SZ, std::string("%TEMP%\\logs\0", 12));
  Set("Unterminated", REG_SZ, "abc");
  Set("EmptyText", REG_SZ, "");
  Set("EmptyBinary", REG_BINARY, "");
  TRegistryManager Manager(kKey, "", false, HKEY_CURRENT_USER);
  EXPECT_EQ("ab", Manager.ReadStringDef("Inner", "x"));
  EXPECT_EQ("%TEMP%\\logs", Manager.ReadStringDef("Expand", "x"));
  EXPECT_EQ("abc", Manager.ReadStringDef("Unterminated", "x"));
  // A value without data is the empty text, whatever its type.
  EXPECT_EQ("", Manager.ReadStringDef("EmptyText", "x"));
  EXPECT_EQ("", Manager.ReadStringDef("EmptyBinary", "x"));
}

TEST_F(RegistryManagerTest, EmptyValueNameIsTheUnnamedValue) {
  Set("", REG_SZ, std::string("C:\\Program Files\\zqt.exe\0", 26));
  Set("Named", REG_SZ, std::string("other\0", 6));
  TRegistryManager Manager(kKey, "", true, HKEY_CURRENT_USER);
  EXPECT_EQ("C:\\Program Files\\zqt.exe", Manager.ReadStringDef("", "x"));
}

TEST_F(RegistryManagerTest, InPlaceReadsKeepTheVariableOnFailure) {
  Set("Number", REG_DWORD, DwordBytes(12));
  Set("Text", REG_SZ, std::string("abc\0", 4));
  TRegistryManager Manager(kKey, "", false, HKEY_CURRENT_USER);
  int Number = 4;
  Manager.ReadIntegerValue("Missing", Number);
  EXPECT_EQ(4, Number);
  Manager.ReadIntegerValue("Number", Number);
  EXPECT_EQ(12, Number);
  bool Flag = true;
  Manager.ReadBoolValue("Text", Flag);
  EXPECT_TRUE(Flag);
  std::string Text = "keep";
  Manager.ReadStringValue("Number", Text);
  EXPECT_EQ("keep", Text);
  Manager.ReadStringValue("Text", Text);
  EXPECT_EQ("abc", Text);
}

TEST_F(RegistryManagerTest, WritesStoreDwordsUnderThePrefixedName) {
  TRegistryManager Manager("", "Pre", false, HKEY_CURRENT_USER);
  ASSERT_TRUE(Manager.OpenKeyMode(kKey, false, true));
  Manager.WriteBoolValue("Flag", true);
  Manager.WriteIntegerValue("Number", -2);
  EXPECT_EQ(DwordBytes(1), Stored("PreFlag"));
  EXPECT_EQ(DwordBytes(0xFFFFFFFE), Stored("PreNumber"));
  EXPECT_EQ("<missing>", Stored("Flag"));
  EXPECT_TRUE(Manager.ReadBoolDef("Flag", false));
  EXPECT_EQ(-2, Manager.ReadIntegerDef("Number", 0));
}

TEST_F(RegistryManagerTest, ManagerWithoutAKeyReadsDefaultsAndRefusesWrites) {
  Set("Flag", REG_DWORD, DwordBytes(1));
  TRegistryManager Manager("", "", false, HKEY_CURRENT_USER);
  EXPECT_FALSE(Manager.KeyOpened());
  EXPECT_FALSE(Manager.ReadBoolDef("Flag", false));
  ExpectWriteFails([&] { Manager.WriteBoolValue("Flag", true); }, "Flag");
  ExpectWriteFails([&] { Manager.WriteIntegerValue("Number", 3); }, "Number");
}

TEST_F(RegistryManagerTest, OpenKeyModeWithAnEmptyPathKeepsTheOpenKey) {
  Set("Number", REG_DWORD, DwordBytes(8));
  TRegistryManager Manager(kKey, "", false, HKEY_CURRENT_USER);
  EXPECT_FALSE(Manager.OpenKeyMode("", false, true));
  EXPECT_FALSE(Manager.KeyOpened());
  EXPECT_EQ(8, Manager.ReadIntegerDef("Number", 0));
  Manager.WriteIntegerValue("Number", 9);
  EXPECT_EQ(DwordBytes(9), Stored("Number"));
}

TEST_F(RegistryManagerTest, OpeningCreatesAKeyOnlyWhenAllowed) {
  TRegistryManager Manager("", "", false, HKEY_CURRENT_USER);
  EXPECT_FALSE(Manager.OpenKeyMode(kKey, true, true));
  EXPECT_FALSE(Manager.OpenKeyMode(kKey, false, false));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kPath));
  EXPECT_TRUE(Manager.OpenKeyMode(kKey, false, true));
  EXPECT_TRUE(Manager.KeyOpened());
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kPath));
}

TEST_F(RegistryManagerTest, AReadOnlyOpenMakesLaterWritesFail) {
  Set("Number", REG_DWORD, DwordBytes(1));
  TRegistryManager Manager("", "", false, HKEY_CURRENT_USER);
  ASSERT_TRUE(Manager.OpenKeyMode(kKey, true, false));
  // The read-only mask stays the accessor's mask for every later open.
  ASSERT_TRUE(Manager.OpenKeyMode(kKey, false, true));
  ExpectWriteFails([&] { Manager.WriteIntegerValue("Number", 2); }, "Number");
  EXPECT_EQ(DwordBytes(1), Stored("Number"));
  // The manager stays usable with its key in place.
  EXPECT_EQ(kPath, Manager.CurrentPath());
  EXPECT_EQ(1, Manager.ReadIntegerDef("Number", 0));
}

TEST_F(RegistryManagerTest, AKeyGrantingOnlyReadRightsKeepsItsValues) {
  Set("Number", REG_DWORD, DwordBytes(6));
  if (!Registry.SetKeyReadOnly(HKEY_CURRENT_USER, kPath))
    GTEST_SKIP() << "this registry cannot restrict a key to read rights for the test's user";
  TRegistryManager Manager("", "", false, HKEY_CURRENT_USER);
  EXPECT_FALSE(Manager.OpenKeyMode(kKey, false, false));
  EXPECT_FALSE(Manager.OpenKeyMode(kKey, false, true));
  ExpectWriteFails([] { RegWriteBool(kKey, "Number", true); }, "Number");
  EXPECT_EQ(DwordBytes(6), Stored("Number"));
  EXPECT_TRUE(Manager.OpenKeyMode(kKey, true, false));
  EXPECT_EQ(6, Manager.ReadIntegerDef("Number", 0));
}

TEST_F(RegistryManagerTest, RegWriteBoolCreatesTheKeyAndRegReadBoolReadsIt) {
  EXPECT_FALSE(RegReadBool(kKey, "ZQTTweakerAdvanced", false));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kPath));
  RegWriteBool(kKey, "ZQTTweakerAdvanced", true);
  DWORD Type = REG_NONE;
  std::string Bytes;
  ASSERT_TRUE(QueryRawValue(HKEY_CURRENT_USER, kPath, "ZQTTweakerAdvanced", Type, Bytes));
  EXPECT_EQ(REG_DWORD, Type);
  EXPECT_EQ(DwordBytes(1), Bytes);
  EXPECT_TRUE(RegReadBool(kKey, "ZQTTweakerAdvanced", false));
  RegWriteBool(kKey, "ZQTTweakerAdvanced", false);
  EXPECT_FALSE(RegReadBool(kKey, "ZQTTweakerAdvanced", true));
}

TEST_F(RegistryManagerTest, OneShotRoutinesLeaveTheLongLivedManagersKeyAlone) {
  TRegistryManager Manager(kKey, "", false, HKEY_CURRENT_USER);
  RegWriteBool("\\Software\\Elsewhere", "Flag", true);
  EXPECT_TRUE(RegReadBool("\\Software\\Elsewhere", "Flag", false));
  Manager.WriteIntegerValue("Number", 4);
  EXPECT_EQ(kPath, Manager.CurrentPath());
  EXPECT_EQ(DwordBytes(4), Stored("Number"));
}

TEST_F(RegistryManagerTest, RegReadStringReadsBelowTheRootItIsGiven) {
  const std::string AppPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\zqt.exe";
  EXPECT_EQ("none", RegReadString(AppPaths, "", "none", HKEY_LOCAL_MACHINE));
  SetRawValue(HKEY_LOCAL_MACHINE, AppPaths, "", REG_SZ, std::string("C:\\ZQT\\zqt.exe\0", 15));
  EXPECT_EQ("C:\\ZQT\\zqt.exe", RegReadString(AppPaths, "", "", HKEY_LOCAL_MACHINE));
  EXPECT_EQ("none", RegReadString(AppPaths, "", "none", HKEY_CURRENT_USER));
}

class RegistryAccessorTest : public RegistryManagerTest {};

TEST_F(RegistryAccessorTest, RelativePathsResolveAgainstTheOpenKey) {
  TRegistry Registry;
  ASSERT_TRUE(Registry.OpenKey("\\Software", false) || Registry.OpenKey("\\Software", true));
  ASSERT_TRUE(Registry.OpenKey("Quorvanta\\TweakerTest", true));
  EXPECT_EQ("Software\\Quorvanta\\TweakerTest", Registry.CurrentPath());
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kPath));
  ASSERT_TRUE(Registry.OpenKey("\\Software", false));
  EXPECT_EQ("Software", Registry.CurrentPath());
}

TEST_F(RegistryAccessorTest, ANewRootClosesTheKeyAndTheSameRootKeepsIt) {
  TRegistry Registry;
  ASSERT_TRUE(Registry.OpenKey(kKey, true));
  Registry.SetRootKey(HKEY_CURRENT_USER);
  EXPECT_NE(nullptr, Registry.CurrentKey());
  Registry.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_EQ(nullptr, Registry.CurrentKey());
  EXPECT_EQ("", Registry.CurrentPath());
}

}  // namespace
