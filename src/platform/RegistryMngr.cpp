#include "RegistryMngr.h"

#include "SystemError.h"

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

[[noreturn]] void RaiseStoredValueError(const char* Failure, const std::string& Name,
                                        LONG Code) {
  throw ERegistryException(std::string(Failure) + " '" + Name + "': " + SystemErrorMessage(Code));
}

// The stored bytes of Name, however long; ERROR_MORE_DATA when the value grew
// meanwhile is asked for again.
LONG QueryStoredBytes(HKEY Key, const std::string& Name, TStoredValue& Value) {
  for (;;) {
    DWORD Size = 0;
    LONG Result = RegQueryValueExA(Key, Name.c_str(), nullptr, &Value.Type, nullptr, &Size);
    if (Result != ERROR_SUCCESS) return Result;
    Value.Data.assign(Size, '\0');
    Result = RegQueryValueExA(Key, Name.c_str(), nullptr, &Value.Type,
                              reinterpret_cast<BYTE*>(Value.Data.data()), &Size);
    if (Result == ERROR_MORE_DATA) continue;
    Value.Data.resize(Size);
    Value.Present = Result == ERROR_SUCCESS;
    return Result;
  }
}

LONG DeleteStoredValue(HKEY Root, const std::string& Key, const std::string& Name,
                       const std::string& FirstMissingKey) {
  TKeyHandle Opened;
  LONG Result = RegOpenKeyExA(Root, PathBelowRoot(Key).c_str(), 0, KEY_SET_VALUE, Opened.Receive());
  if (Result == ERROR_SUCCESS) Result = RegDeleteValueA(Opened.Key(), Name.c_str());
  if (Result != ERROR_SUCCESS && Result != ERROR_FILE_NOT_FOUND) return Result;
  for (const std::string& Made : KeysMadeFor(Key, FirstMissingKey)) {
    Result = RegDeleteKeyA(Root, Made.c_str());
    if (Result != ERROR_SUCCESS && Result != ERROR_FILE_NOT_FOUND) return Result;
  }
  return ERROR_SUCCESS;
}

LONG SetStoredValue(HKEY Root, const std::string& Key, const std::string& Name,
                    const TStoredValue& Value) {
  TKeyHandle Opened;
  DWORD Disposition = 0;
  LONG Result = RegCreateKeyExA(Root, PathBelowRoot(Key).c_str(), 0, nullptr,
                                REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, Opened.Receive(),
                                &Disposition);
  if (Result != ERROR_SUCCESS) return Result;
  return RegSetValueExA(Opened.Key(), Name.c_str(), 0, Value.Type,
                        reinterpret_cast<const BYTE*>(Value.Data.data()),
                        static_cast<DWORD>(Value.Data.size()));
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

TStoredValue TRegistryManager::ReadStoredValue(const std::string& Key,
                                               const std::string& Name) const {
  const std::string FullName = FNamePrefix + Name;
  TStoredValue Value;
  TKeyHandle Opened;
  LONG Result =
      RegOpenKeyExA(RootKey(), PathBelowRoot(Key).c_str(), 0, KEY_QUERY_VALUE, Opened.Receive());
  if (Result == ERROR_FILE_NOT_FOUND) {
    Result = FindFirstMissingKey(
        Key,
        [this](const std::string& Path) {
          TKeyHandle Level;
          return RegOpenKeyExA(RootKey(), Path.c_str(), 0, KEY_QUERY_VALUE, Level.Receive());
        },
        Value.FirstMissingKey);
  } else if (Result == ERROR_SUCCESS) {
    Result = QueryStoredBytes(Opened.Key(), FullName, Value);
    if (Result == ERROR_FILE_NOT_FOUND) Value = TStoredValue();
  }
  if (Result != ERROR_SUCCESS && Result != ERROR_FILE_NOT_FOUND)
    RaiseStoredValueError("Failed to get data for", FullName, Result);
  return Value;
}

void TRegistryManager::WriteStoredValue(const std::string& Key, const std::string& Name,
                                        const TStoredValue& Value) {
  const std::string FullName = FNamePrefix + Name;
  const LONG Result = Value.Present
                          ? SetStoredValue(RootKey(), Key, FullName, Value)
                          : DeleteStoredValue(RootKey(), Key, FullName, Value.FirstMissingKey);
  if (Result != ERROR_SUCCESS) RaiseStoredValueError("Failed to set data for", FullName, Result);
}
