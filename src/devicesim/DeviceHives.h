// Where the registry of a simulated device lives: its two hives, the
// device's HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE, are keys of the
// platform's registry, reached through the Win32 registry functions. On
// Linux they are the two hives of the registry store file "registry.db" in
// the device folder; on Windows two keys below a scratch key of the
// desktop's HKEY_CURRENT_USER that is named after the device folder.
//
// Shared by the device library and the tests that set a device up.
#pragma once

#include <filesystem>
#include <memory>

#include "WinCompat.h"

class TDeviceHives {
 public:
  explicit TDeviceHives(const std::filesystem::path& DeviceFolder);
  ~TDeviceHives();
  TDeviceHives(const TDeviceHives&) = delete;
  TDeviceHives& operator=(const TDeviceHives&) = delete;

  // A new handle with every right to the hive behind the device's Root
  // (HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE), closed by the caller; null
  // when the hive cannot be reached.
  HKEY Open(HKEY Root) const;
  // Removes the whole device registry.
  void Erase();

 private:
  struct TPlace;
  std::unique_ptr<TPlace> FPlace;
};
