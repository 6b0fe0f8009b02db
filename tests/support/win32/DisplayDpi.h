// The display's DPI for programs started later, as the user's display
// settings give it.
#pragma once

#include <windows.h>

#include <string>

#include "TemporaryRegistry.h"

// The DPI of the display for the programs started while the object lives,
// as the user's display settings give it; then the setting as it was.
class TDisplayDpi {
 public:
  explicit TDisplayDpi(DWORD Dpi) {
    FHad = QueryRawValue(HKEY_CURRENT_USER, kDesktop, kLogPixels, FType, FBytes);
    SetRawValue(HKEY_CURRENT_USER, kDesktop, kLogPixels, REG_DWORD, DwordBytes(Dpi));
  }
  ~TDisplayDpi() {
    if (FHad) {
      SetRawValue(HKEY_CURRENT_USER, kDesktop, kLogPixels, FType, FBytes);
      return;
    }
    HKEY Key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktop, 0, KEY_SET_VALUE, &Key) != ERROR_SUCCESS) return;
    RegDeleteValueA(Key, kLogPixels);
    RegCloseKey(Key);
  }
  TDisplayDpi(const TDisplayDpi&) = delete;
  TDisplayDpi& operator=(const TDisplayDpi&) = delete;

 private:
  static constexpr char kDesktop[] = "Control Panel\\Desktop";
  static constexpr char kLogPixels[] = "LogPixels";
  bool FHad = false;
  DWORD FType = REG_NONE;
  std::string FBytes;
};
