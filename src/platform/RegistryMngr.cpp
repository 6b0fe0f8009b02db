#include "RegistryMngr.h"

#include "SystemError.h"
#include "ValueBytes.h"

namespace {

// A key handle of its own, closed when it goes.
class TKeyHandle {
 public:
  TKeyHandle() = default;
  ~TKeyHandle() {
    if (FKey) RegCloseKey(FKey);
  }
  TKeyHandle(const TKeyHandle&) = delete;
  TKeyHandle& operator=(const TKeyHandle&) = delete;
  HKEY* Receive() { return &FKey; }
  HKEY Key() const { return FKey; }

 private:
  HKEY FKey = nullptr;
};

// The stored bytes of Name, however long; ERROR_MORE_DATA when the value grew
// meanwhile is asked for again.
LONG QueryStoredBytes(HKEY Key, const std::string& Name, DWORD& Type, std::string& Data) {
  for (;;) {
    DWORD Size = 0;
    LONG Result = RegQueryValueBytes(Key, Name, &Type, nullptr, &Size);
    if (Result != ERROR_SUCCESS) return Result;
    Data.assign(Size, '\0');
    Result = RegQueryValueBytes(Key, Name, &Type, reinterpret_cast<BYTE*>(Data.data()), &Size);
    if (Result == ERROR_MORE_DATA) continue;
    Data.resize(Size);
    return Result;
  }
}

}  // namespace

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

// Without a prefix, which is every use in this program, the name is used as
// it is, without a copy.
template <typename T, typename Reader>
T TRegistryManager::ReadDef(const std::string& Name, T Default, Reader Read) const {
  std::string Prefixed;
  const std::string& FullName = FNamePrefix.empty() ? Name : (Prefixed = FNamePrefix + Name);
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

LONG TRegistryManager::ProbeKey(const std::string& Key) {
  TKeyHandle Opened;
  return RegOpenKeyExA(RootKey(), PathBelowRoot(Key).c_str(), 0, KEY_QUERY_VALUE, Opened.Receive());
}

LONG TRegistryManager::QueryValue(const std::string& Key, const std::string& Name, DWORD& Type,
                                  std::string& Data) {
  TKeyHandle Opened;
  const LONG Result =
      RegOpenKeyExA(RootKey(), PathBelowRoot(Key).c_str(), 0, KEY_QUERY_VALUE, Opened.Receive());
  if (Result != ERROR_SUCCESS) return Result;
  return QueryStoredBytes(Opened.Key(), FNamePrefix + Name, Type, Data);
}

LONG TRegistryManager::SetValue(const std::string& Key, const std::string& Name, DWORD Type,
                                const std::string& Data) {
  TKeyHandle Opened;
  DWORD Disposition = 0;
  const LONG Result =
      RegCreateKeyExA(RootKey(), PathBelowRoot(Key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE, nullptr, Opened.Receive(), &Disposition);
  if (Result != ERROR_SUCCESS) return Result;
  const std::string Guarded = GuardedBytes(Data);
  return RegSetValueBytes(Opened.Key(), FNamePrefix + Name, Type,
                          reinterpret_cast<const BYTE*>(Guarded.data()),
                          static_cast<DWORD>(Data.size()));
}

LONG TRegistryManager::DeleteValue(const std::string& Key, const std::string& Name) {
  TKeyHandle Opened;
  const LONG Result =
      RegOpenKeyExA(RootKey(), PathBelowRoot(Key).c_str(), 0, KEY_SET_VALUE, Opened.Receive());
  if (Result != ERROR_SUCCESS) return Result;
  return RegDeleteValueBytes(Opened.Key(), FNamePrefix + Name);
}

LONG TRegistryManager::DeleteKey(const std::string& Key) {
  return RegDeleteKeyA(RootKey(), PathBelowRoot(Key).c_str());
}

void TRegistryManager::RaiseReadFailure(const std::string& Name, LONG Code) {
  throw ERegistryException("Failed to get data for '" + FNamePrefix + Name +
                           "': " + SystemErrorMessage(Code));
}

void TRegistryManager::RaiseWriteFailure(const std::string& Name, LONG Code) {
  throw ERegistryException("Failed to set data for '" + FNamePrefix + Name +
                           "': " + SystemErrorMessage(Code));
}
