#include "RegistryMngr.h"

TRegistryManager::TRegistryManager(const std::string& Key, const std::string& NamePrefix,
                                   bool ReadOnly, HKEY RootKey)
    : FNamePrefix(NamePrefix) {
  SetRootKey(RootKey);
  if (Key.empty()) return;
  FKeyOpened = ReadOnly ? OpenKeyReadOnly(Key) : OpenKey(Key, true);
}

bool TRegistryManager::OpenKeyMode(const std::string& Key, bool ReadOnly, bool CanCreate) {
  FKeyOpened = false;
  if (Key.empty()) return false;
  CloseKey();
  FKeyOpened = ReadOnly ? OpenKeyReadOnly(Key) : OpenKey(Key, CanCreate, FReadWhereRefused);
  return FKeyOpened;
}

template <typename T, typename Reader>
T TRegistryManager::ReadDef(const std::string& Name, T Default, Reader Read) const {
  const std::string FullName = FNamePrefix + Name;
  try {
    if (!ValueExists(FullName)) return Default;
    return Read(FullName);
  } catch (...) {
    return Default;
  }
}

bool TRegistryManager::ReadBoolDef(const std::string& Name, bool Default) const {
  return ReadDef(Name, Default, [this](const std::string& FullName) { return ReadBool(FullName); });
}

int TRegistryManager::ReadIntegerDef(const std::string& Name, int Default) const {
  return ReadDef(Name, Default,
                 [this](const std::string& FullName) { return ReadInteger(FullName); });
}

std::string TRegistryManager::ReadStringDef(const std::string& Name,
                                            const std::string& Default) const {
  return ReadDef(Name, Default,
                 [this](const std::string& FullName) { return ReadString(FullName); });
}

void TRegistryManager::ReadBoolValue(const std::string& Name, bool& Value) const {
  Value = ReadBoolDef(Name, Value);
}

void TRegistryManager::ReadIntegerValue(const std::string& Name, int& Value) const {
  Value = ReadIntegerDef(Name, Value);
}

void TRegistryManager::ReadStringValue(const std::string& Name, std::string& Value) const {
  Value = ReadStringDef(Name, Value);
}

void TRegistryManager::WriteBoolValue(const std::string& Name, bool Value) {
  WriteBool(FNamePrefix + Name, Value);
}

void TRegistryManager::WriteIntegerValue(const std::string& Name, int Value) {
  WriteInteger(FNamePrefix + Name, Value);
}

bool RegReadBool(const std::string& Key, const std::string& Name, bool Default) {
  TRegistryManager Manager(Key, "", true, HKEY_CURRENT_USER);
  bool Value = Default;
  Manager.ReadBoolValue(Name, Value);
  return Value;
}

void RegWriteBool(const std::string& Key, const std::string& Name, bool Value) {
  // The manager is released before an exception of the write leaves.
  TRegistryManager Manager(Key, "", false, HKEY_CURRENT_USER);
  Manager.WriteBoolValue(Name, Value);
}

std::string RegReadString(const std::string& Key, const std::string& Name,
                          const std::string& Default, HKEY RootKey) {
  TRegistryManager Manager(Key, "", true, RootKey);
  std::string Value = Default;
  Manager.ReadStringValue(Name, Value);
  return Value;
}
