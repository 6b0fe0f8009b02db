#include "TemporaryRegistry.h"

#include "RegistryHandles.h"

TTemporaryRegistry::TTemporaryRegistry() {
  SetDesktopRegistryStore(std::make_shared<TRegistryStore>(StoreFile()));
}

TTemporaryRegistry::~TTemporaryRegistry() { SetDesktopRegistryStore(nullptr); }

bool TTemporaryRegistry::SetKeyReadOnly(HKEY Root, const std::string& Path) {
  TRegistryStore::KeyId Hive = Root == HKEY_LOCAL_MACHINE ? TRegistryStore::LocalMachineHive
                                                          : TRegistryStore::CurrentUserHive;
  return DesktopRegistryStore()->SetKeyReadOnly(Hive, Path, true) == ERROR_SUCCESS;
}
