#include <gtest/gtest.h>

#include <cstring>

#include "TemporaryRegistry.h"

void SetRawValue(HKEY Root, const std::string& Path, const std::string& Name, DWORD Type,
                 const std::string& Bytes) {
  HKEY Key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(Root, Path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           KEY_ALL_ACCESS, nullptr, &Key, nullptr));
  EXPECT_EQ(ERROR_SUCCESS,
            RegSetValueExA(Key, Name.c_str(), 0, Type,
                           reinterpret_cast<const BYTE*>(Bytes.data()),
                           static_cast<DWORD>(Bytes.size())));
  RegCloseKey(Key);
}

bool QueryRawValue(HKEY Root, const std::string& Path, const std::string& Name, DWORD& Type,
                   std::string& Bytes) {
  HKEY Key = nullptr;
  if (RegOpenKeyExA(Root, Path.c_str(), 0, KEY_READ, &Key) != ERROR_SUCCESS) return false;
  DWORD Size = 0;
  LONG Result = RegQueryValueExA(Key, Name.c_str(), nullptr, &Type, nullptr, &Size);
  if (Result == ERROR_SUCCESS) {
    Bytes.assign(Size, '\0');
    Result = RegQueryValueExA(Key, Name.c_str(), nullptr, &Type,
                              reinterpret_cast<BYTE*>(Bytes.data()), &Size);
    Bytes.resize(Size);
  }
  RegCloseKey(Key);
  return Result == ERROR_SUCCESS;
}

bool KeyExists(HKEY Root, const std::string& Path) {
  HKEY Key = nullptr;
  if (RegOpenKeyExA(Root, Path.c_str(), 0, KEY_READ, &Key) != ERROR_SUCCESS) return false;
  RegCloseKey(Key);
  return true;
}

std::string DwordBytes(std::uint32_t Value) {
  std::string Bytes(sizeof(Value), '\0');
  std::memcpy(Bytes.data(), &Value, sizeof(Value));
  return Bytes;
}
