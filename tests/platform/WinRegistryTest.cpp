// The rules of the Win32 registry functions that the registry manager rests on.
#include <gtest/gtest.h>

#include "TemporaryRegistry.h"

namespace {

const char* const kPath = "Software\\ZQT Registry Contract";

class WinRegistryTest : public ::testing::Test {
 protected:
  HKEY Create(const char* Path, REGSAM Access = KEY_ALL_ACCESS, DWORD* Disposition = nullptr) {
    HKEY Key = nullptr;
    EXPECT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(HKEY_CURRENT_USER, Path, 0, nullptr, REG_OPTION_NON_VOLATILE, Access,
                              nullptr, &Key, Disposition));
    return Key;
  }
  LONG Open(const char* Path, REGSAM Access, HKEY& Key) {
    return RegOpenKeyExA(HKEY_CURRENT_USER, Path, 0, Access, &Key);
  }
  LONG Set(HKEY Key, const char* Name, DWORD Type, const std::string& Bytes) {
    return RegSetValueExA(Key, Name, 0, Type, reinterpret_cast<const BYTE*>(Bytes.data()),
                          static_cast<DWORD>(Bytes.size()));
  }

  TTemporaryRegistry Registry;
};

TEST_F(WinRegistryTest, CreateMakesEveryMissingKeyAndReportsWhetherItDidSo) {
  DWORD Disposition = 0;
  HKEY Key = Create("Software\\ZQT Registry Contract\\A\\B\\C", KEY_ALL_ACCESS, &Disposition);
  EXPECT_EQ(REG_CREATED_NEW_KEY, Disposition);
  RegCloseKey(Key);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\ZQT Registry Contract\\A"));
  Key = Create("Software\\ZQT Registry Contract\\A\\B\\C", KEY_ALL_ACCESS, &Disposition);
  EXPECT_EQ(REG_OPENED_EXISTING_KEY, Disposition);
  RegCloseKey(Key);
}

TEST_F(WinRegistryTest, NamesIgnoreLetterCase) {
  HKEY Key = Create("Software\\ZQT Registry Contract\\MixedCase");
  ASSERT_EQ(ERROR_SUCCESS, Set(Key, "ValueName", REG_DWORD, DwordBytes(1)));
  ASSERT_EQ(ERROR_SUCCESS, Set(Key, "VALUENAME", REG_DWORD, DwordBytes(2)));
  RegCloseKey(Key);
  DWORD Type = REG_NONE;
  std::string Bytes;
  ASSERT_TRUE(QueryRawValue(HKEY_CURRENT_USER, "SOFTWARE\\zqt registry contract\\mixedcase",
                            "valuename", Type, Bytes));
  EXPECT_EQ(DwordBytes(2), Bytes);
}

TEST_F(WinRegistryTest, AnyTypeKeepsItsBytes) {
  const std::string Binary("\0\xff\x01\0\x7f", 5);
  const struct {
    const char* Name;
    DWORD Type;
    std::string Bytes;
  } Values[] = {{"None", REG_NONE, Binary},
                {"Text", REG_SZ, std::string("text\0", 5)},
                {"Expand", REG_EXPAND_SZ, std::string("%PATH%\0", 7)},
                {"Binary", REG_BINARY, Binary},
                {"Dword", REG_DWORD, DwordBytes(0x12345678)},
                {"Multi", REG_MULTI_SZ, std::string("a\0bc\0\0", 6)},
                {"Empty", REG_BINARY, ""},
                {"", REG_SZ, std::string("unnamed\0", 8)}};
  HKEY Key = Create(kPath);
  for (const auto& Value : Values)
    ASSERT_EQ(ERROR_SUCCESS, Set(Key, Value.Name, Value.Type, Value.Bytes));
  RegCloseKey(Key);
  for (const auto& Value : Values) {
    DWORD Type = 0xDEAD;
    std::string Bytes;
    ASSERT_TRUE(QueryRawValue(HKEY_CURRENT_USER, kPath, Value.Name, Type, Bytes)) << Value.Name;
    EXPECT_EQ(Value.Type, Type) << Value.Name;
    EXPECT_EQ(Value.Bytes, Bytes) << Value.Name;
  }
}

TEST_F(WinRegistryTest, QueriesReportSizeAndRefuseSmallBuffers) {
  HKEY Key = Create(kPath);
  ASSERT_EQ(ERROR_SUCCESS, Set(Key, "Eight", REG_BINARY, "12345678"));
  DWORD Type = REG_NONE;
  DWORD Size = 0;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(Key, "Eight", nullptr, &Type, nullptr, &Size));
  EXPECT_EQ(REG_BINARY, Type);
  EXPECT_EQ(8u, Size);

  BYTE Buffer[8] = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
  Size = 4;
  EXPECT_EQ(ERROR_MORE_DATA, RegQueryValueExA(Key, "Eight", nullptr, &Type, Buffer, &Size));
  EXPECT_EQ(8u, Size);
  EXPECT_EQ(0xAA, Buffer[0]);

  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExA(Key, "Missing", nullptr, &Type, nullptr, &Size));
  RegCloseKey(Key);
  HKEY Missing = nullptr;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND,
            Open("Software\\ZQT Registry Contract\\Missing", KEY_READ, Missing));
}

TEST_F(WinRegistryTest, ReadOnlyHandlesCannotSetValues) {
  RegCloseKey(Create(kPath));
  HKEY Key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, Open(kPath, KEY_READ, Key));
  EXPECT_EQ(ERROR_ACCESS_DENIED, Set(Key, "Value", REG_DWORD, DwordBytes(1)));
  RegCloseKey(Key);
  ASSERT_EQ(ERROR_SUCCESS, Open(kPath, KEY_QUERY_VALUE, Key));
  EXPECT_EQ(ERROR_ACCESS_DENIED, Set(Key, "Value", REG_DWORD, DwordBytes(1)));
  RegCloseKey(Key);
  DWORD Type;
  std::string Bytes;
  EXPECT_FALSE(QueryRawValue(HKEY_CURRENT_USER, kPath, "Value", Type, Bytes));
}

TEST_F(WinRegistryTest, AKeyWithReadRightsOnlyRefusesWriteOpens) {
  RegCloseKey(Create(kPath));
  if (!Registry.SetKeyReadOnly(HKEY_CURRENT_USER, kPath))
    GTEST_SKIP() << "this registry cannot restrict a key to read rights for the test's user";
  HKEY Key = nullptr;
  EXPECT_EQ(ERROR_ACCESS_DENIED, Open(kPath, KEY_ALL_ACCESS, Key));
  EXPECT_EQ(ERROR_ACCESS_DENIED, RegCreateKeyExA(HKEY_CURRENT_USER, kPath, 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &Key, nullptr));
  ASSERT_EQ(ERROR_SUCCESS, Open(kPath, KEY_READ, Key));
  RegCloseKey(Key);
}

TEST_F(WinRegistryTest, ClosingARootOrAClosedHandleIsHarmless) {
  HKEY Key = Create(kPath);
  EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(Key));
  EXPECT_NE(ERROR_SUCCESS, RegCloseKey(Key));
  EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(HKEY_CURRENT_USER));
  EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(HKEY_LOCAL_MACHINE));
  DWORD Size = 0;
  EXPECT_NE(ERROR_SUCCESS, RegQueryValueExA(Key, "", nullptr, nullptr, nullptr, &Size));
}

TEST_F(WinRegistryTest, ASubkeyPathWithALeadingBackslashIsABadPath) {
  RegCloseKey(Create(kPath));
  HKEY Key = nullptr;
  EXPECT_EQ(ERROR_BAD_PATHNAME, Open("\\Software\\ZQT Registry Contract", KEY_READ, Key));
}

TEST_F(WinRegistryTest, TheTwoRootsAreSeparateTrees) {
  SetRawValue(HKEY_LOCAL_MACHINE, kPath, "Where", REG_DWORD, DwordBytes(2));
  DWORD Type;
  std::string Bytes;
  EXPECT_FALSE(QueryRawValue(HKEY_CURRENT_USER, kPath, "Where", Type, Bytes));
  EXPECT_TRUE(QueryRawValue(HKEY_LOCAL_MACHINE, kPath, "Where", Type, Bytes));
}

}  // namespace
