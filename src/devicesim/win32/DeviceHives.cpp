#include "DeviceHives.h"

#include <algorithm>
#include <string>

namespace {

// The parent of every device's scratch key below HKEY_CURRENT_USER.
constexpr char kDevicesKey[] = "Software\\ZQT simulated devices";

}  // namespace

struct TDeviceHives::TPlace {
  // The device's scratch key below HKEY_CURRENT_USER.
  std::string Key;
};

// A key name holds no backslash: the folder's backslashes become slashes.
TDeviceHives::TDeviceHives(const std::filesystem::path& DeviceFolder) {
  std::string Name = DeviceFolder.string();
  std::replace(Name.begin(), Name.end(), '\\', '/');
  FPlace = std::make_unique<TPlace>(TPlace{std::string(kDevicesKey) + "\\" + Name});
}

TDeviceHives::~TDeviceHives() = default;

HKEY TDeviceHives::Open(HKEY Root) const {
  const std::string Hive =
      FPlace->Key + (Root == HKEY_LOCAL_MACHINE ? "\\HKEY_LOCAL_MACHINE" : "\\HKEY_CURRENT_USER");
  HKEY Key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, Hive.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &Key, nullptr) != ERROR_SUCCESS)
    return nullptr;
  return Key;
}

// The parent goes too once no other device's key is left in it.
void TDeviceHives::Erase() {
  RegDeleteTreeA(HKEY_CURRENT_USER, FPlace->Key.c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, kDevicesKey);
}
