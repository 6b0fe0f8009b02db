#include "DeviceHives.h"

#include "DeviceFolder.h"
#include "RegistryHandles.h"

struct TDeviceHives::TPlace {
  std::filesystem::path File;
  std::shared_ptr<TRegistryStore> Store;
};

TDeviceHives::TDeviceHives(const std::filesystem::path& DeviceFolder) {
  const std::filesystem::path File = DeviceFolder / kDeviceRegistryFile;
  FPlace = std::make_unique<TPlace>(TPlace{File, std::make_shared<TRegistryStore>(File.string())});
}

TDeviceHives::~TDeviceHives() = default;

HKEY TDeviceHives::Open(HKEY Root) const {
  return OpenStoreKey(FPlace->Store, Root == HKEY_LOCAL_MACHINE ? TRegistryStore::LocalMachineHive
                                                                : TRegistryStore::CurrentUserHive);
}

void TDeviceHives::Erase() {
  std::error_code Ignored;
  std::filesystem::remove(FPlace->File, Ignored);
}
