#include "DeviceValues.h"

namespace {

// The device's own type codes for text: "ZQ" in the high word, the text
// type in the low word.
constexpr DWORD kDeviceText = 0x5A510000;

bool IsText(DWORD Type) { return Type == REG_SZ || Type == REG_EXPAND_SZ || Type == REG_MULTI_SZ; }

DWORD StoredType(DWORD Type) { return IsText(Type) ? kDeviceText | Type : Type; }

DWORD WrittenType(DWORD Stored) {
  const DWORD Type = Stored & 0xFFFF;
  return (Stored & 0xFFFF0000) == kDeviceText && IsText(Type) ? Type : Stored;
}

}  // namespace

LONG WriteDeviceValue(HKEY Key, const std::string& Name, DWORD Type, const BYTE* Data, DWORD Size) {
  return RegSetValueExA(Key, Name.c_str(), 0, StoredType(Type), Data, Size);
}

// The size first, then the bytes; a value that grew meanwhile is asked for
// again.
LONG ReadDeviceValue(HKEY Key, const std::string& Name, DWORD& Type, std::string& Data) {
  LONG Result;
  DWORD Stored = REG_NONE;
  do {
    DWORD Size = 0;
    Result = RegQueryValueExA(Key, Name.c_str(), nullptr, &Stored, nullptr, &Size);
    if (Result != ERROR_SUCCESS) return Result;
    Data.assign(Size, '\0');
    Result = RegQueryValueExA(Key, Name.c_str(), nullptr, &Stored,
                              reinterpret_cast<BYTE*>(Data.data()), &Size);
    if (Result == ERROR_SUCCESS) Data.resize(Size);
  } while (Result == ERROR_MORE_DATA);
  if (Result == ERROR_SUCCESS) Type = WrittenType(Stored);
  return Result;
}
