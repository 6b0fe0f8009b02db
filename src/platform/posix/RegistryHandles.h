// Registry handles over registry stores, and the process's desktop store.
//
// The predefined roots HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE name the
// hives of the desktop store; every other handle is a number handed out by
// RegOpenKeyExA or RegCreateKeyExA (or OpenStoreKey) and knows its store and
// the rights it was opened with. No handle's number is handed out twice, so
// a closed or unknown handle is simply invalid.
#pragma once

#include <memory>
#include <string>

#include "RegistryStore.h"

// The environment variable that names the desktop store file.
inline constexpr const char* kRegistryFileVariable = "ZQT_REGISTRY_FILE";

// The default desktop store: registry.db in ZQTTweaker under the user's data
// folder ($XDG_DATA_HOME, else ~/.local/share, the home folder being $HOME,
// else the account's). Empty when the user has no home folder: every call
// of a store without a file name fails with ERROR_PATH_NOT_FOUND.
std::string DefaultDesktopRegistryFile();

// The store behind the predefined roots: the one set last, else the file the
// environment variable names, else the default file.
std::shared_ptr<TRegistryStore> DesktopRegistryStore();
// Replaces the store behind the predefined roots; null returns to the
// environment variable or the default on the next use. Open handles keep the
// store they were opened on.
void SetDesktopRegistryStore(std::shared_ptr<TRegistryStore> Store);

// A new handle with full access to one key of a store (a hive, for example),
// for code that keeps a registry of its own in a store file.
HKEY OpenStoreKey(std::shared_ptr<TRegistryStore> Store, TRegistryStore::KeyId Key);
