// The registry of a simulated device, kept in its two hives (see
// DeviceHives.h).
//
// The device's rules: a key path may start with one backslash, naming the
// same key as without it; the access mask asked for is ignored (the device
// grants every right); a value reads back with the bytes it was written
// with, whatever its type; the results are the registry's error codes. A device
// told to refuse registry writes refuses every value written, every key that
// would have to be created and every delete, with ERROR_ACCESS_DENIED; one
// told to fail registry reads fails every value read with ERROR_CANTREAD. A
// key is deleted only when it has no subkeys, and only below the handle
// given: an empty path is ERROR_INVALID_PARAMETER. Only the handles this
// registry gave out are accepted, and CloseAll takes every one of them back.
#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include "DeviceHives.h"
#include "DeviceSettings.h"

class TDeviceRegistry {
 public:
  TDeviceRegistry(const std::filesystem::path& DeviceFolder, const TDeviceSettings& Settings);
  ~TDeviceRegistry();
  TDeviceRegistry(const TDeviceRegistry&) = delete;
  TDeviceRegistry& operator=(const TDeviceRegistry&) = delete;

  LONG OpenKey(HKEY Root, std::string_view Path, HKEY& Key);
  LONG CreateKey(HKEY Root, std::string_view Path, HKEY& Key, DWORD& Disposition);
  LONG CloseKey(HKEY Key);
  LONG QueryValue(HKEY Key, const std::string& Name, LPDWORD Reserved, LPDWORD Type, LPBYTE Data,
                  LPDWORD Size);
  LONG SetValue(HKEY Key, const std::string& Name, DWORD Type, const BYTE* Data, DWORD Size);
  LONG DeleteValue(HKEY Key, const std::string& Name);
  LONG DeleteKey(HKEY Root, std::string_view Path);
  void CloseAll();

 private:
  class TKeyInUse;

  TDeviceHives FHives;
  const TDeviceSettings& FSettings;
  std::set<HKEY> FGiven;
};
