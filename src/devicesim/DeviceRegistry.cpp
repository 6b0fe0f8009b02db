#include "DeviceRegistry.h"

#include <algorithm>

#include "DeviceValues.h"

namespace {

std::string WithoutLeadingBackslash(std::string_view Path) {
  if (!Path.empty() && Path.front() == '\\') Path.remove_prefix(1);
  return std::string(Path);
}

}  // namespace

// The store handle one call works on: a handle this registry gave out, or
// a handle to a hive for the call alone; none for any other handle.
class TDeviceRegistry::TKeyInUse {
 public:
  TKeyInUse(TDeviceRegistry& Registry, HKEY Key) {
    if (Key == HKEY_CURRENT_USER || Key == HKEY_LOCAL_MACHINE) {
      FKey = Registry.FHives.Open(Key);
      FOwned = FKey != nullptr;
    } else if (Registry.FGiven.count(Key)) {
      FKey = Key;
    }
  }
  ~TKeyInUse() {
    if (FOwned) RegCloseKey(FKey);
  }
  TKeyInUse(const TKeyInUse&) = delete;
  TKeyInUse& operator=(const TKeyInUse&) = delete;

  HKEY Key() const { return FKey; }

 private:
  HKEY FKey = nullptr;
  bool FOwned = false;
};

TDeviceRegistry::TDeviceRegistry(const std::filesystem::path& DeviceFolder,
                                 const TDeviceSettings& Settings)
    : FHives(DeviceFolder), FSettings(Settings) {}

TDeviceRegistry::~TDeviceRegistry() { CloseAll(); }

LONG TDeviceRegistry::OpenKey(HKEY Root, std::string_view Path, HKEY& Key) {
  TKeyInUse Base(*this, Root);
  if (!Base.Key()) return ERROR_INVALID_HANDLE;
  std::string SubKey = WithoutLeadingBackslash(Path);
  HKEY Opened = nullptr;
  LONG Result = RegOpenKeyExA(Base.Key(), SubKey.c_str(), 0, KEY_ALL_ACCESS, &Opened);
  if (Result != ERROR_SUCCESS) return Result;
  FGiven.insert(Opened);
  Key = Opened;
  return ERROR_SUCCESS;
}

LONG TDeviceRegistry::CreateKey(HKEY Root, std::string_view Path, HKEY& Key, DWORD& Disposition) {
  if (FSettings.RefusesRegistryWrites()) {
    LONG Result = OpenKey(Root, Path, Key);
    if (Result == ERROR_SUCCESS) Disposition = REG_OPENED_EXISTING_KEY;
    return Result == ERROR_FILE_NOT_FOUND ? ERROR_ACCESS_DENIED : Result;
  }
  TKeyInUse Base(*this, Root);
  if (!Base.Key()) return ERROR_INVALID_HANDLE;
  std::string SubKey = WithoutLeadingBackslash(Path);
  HKEY Created = nullptr;
  LONG Result = RegCreateKeyExA(Base.Key(), SubKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_ALL_ACCESS, nullptr, &Created, &Disposition);
  if (Result != ERROR_SUCCESS) return Result;
  FGiven.insert(Created);
  Key = Created;
  return ERROR_SUCCESS;
}

LONG TDeviceRegistry::CloseKey(HKEY Key) {
  if (Key == HKEY_CURRENT_USER || Key == HKEY_LOCAL_MACHINE) return ERROR_SUCCESS;
  if (!FGiven.erase(Key)) return ERROR_INVALID_HANDLE;
  return RegCloseKey(Key);
}

LONG TDeviceRegistry::QueryValue(HKEY Key, const std::string& Name, LPDWORD Reserved, LPDWORD Type,
                                 LPBYTE Data, LPDWORD Size) {
  if (Reserved || (Data && !Size)) return ERROR_INVALID_PARAMETER;
  TKeyInUse InUse(*this, Key);
  if (!InUse.Key()) return ERROR_INVALID_HANDLE;
  if (FSettings.FailsRegistryReads()) return ERROR_CANTREAD;
  DWORD StoredType = REG_NONE;
  std::string Bytes;
  LONG Result = ReadDeviceValue(InUse.Key(), Name, StoredType, Bytes);
  if (Result != ERROR_SUCCESS) return Result;
  if (Type) *Type = StoredType;
  if (!Size) return ERROR_SUCCESS;
  const DWORD Room = *Size;
  *Size = static_cast<DWORD>(Bytes.size());
  if (!Data) return ERROR_SUCCESS;
  if (Room < Bytes.size()) return ERROR_MORE_DATA;
  std::copy(Bytes.begin(), Bytes.end(), Data);
  return ERROR_SUCCESS;
}

LONG TDeviceRegistry::SetValue(HKEY Key, const std::string& Name, DWORD Type, const BYTE* Data,
                               DWORD Size) {
  TKeyInUse InUse(*this, Key);
  if (!InUse.Key()) return ERROR_INVALID_HANDLE;
  if (FSettings.RefusesRegistryWrites()) return ERROR_ACCESS_DENIED;
  return WriteDeviceValue(InUse.Key(), Name, Type, Data, Size);
}

LONG TDeviceRegistry::DeleteValue(HKEY Key, const std::string& Name) {
  TKeyInUse InUse(*this, Key);
  if (!InUse.Key()) return ERROR_INVALID_HANDLE;
  if (FSettings.RefusesRegistryWrites()) return ERROR_ACCESS_DENIED;
  return RegDeleteValueA(InUse.Key(), Name.c_str());
}

// The platform deletes the key of the handle itself for an empty path; the
// device deletes only below it, so that no hive can go.
LONG TDeviceRegistry::DeleteKey(HKEY Root, std::string_view Path) {
  TKeyInUse Base(*this, Root);
  if (!Base.Key()) return ERROR_INVALID_HANDLE;
  if (FSettings.RefusesRegistryWrites()) return ERROR_ACCESS_DENIED;
  const std::string SubKey = WithoutLeadingBackslash(Path);
  if (SubKey.empty()) return ERROR_INVALID_PARAMETER;
  return RegDeleteKeyA(Base.Key(), SubKey.c_str());
}

void TDeviceRegistry::CloseAll() {
  for (HKEY Key : FGiven) RegCloseKey(Key);
  FGiven.clear();
}
