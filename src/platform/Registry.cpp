#include "Registry.h"

#include <vector>

namespace {

[[noreturn]] void RaiseGetDataFailed(const std::string& Name) {
  throw ERegistryException("Failed to get data for '" + Name + "'");
}

[[noreturn]] void RaiseInvalidDataType(const std::string& Name) {
  throw ERegistryException("Invalid data type for '" + Name + "'");
}

}  // namespace

TRegistry::TRegistry() : FRootKey(HKEY_CURRENT_USER) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY Value) {
  if (Value == FRootKey) return;
  FRootKey = Value;
  CloseKey();
}

HKEY TRegistry::BaseKeyFor(const std::string& Key, const char*& RelativePath) const {
  bool Absolute = !Key.empty() && Key[0] == '\\';
  RelativePath = Key.c_str() + (Absolute ? 1 : 0);
  return (Absolute || !FCurrentKey) ? FRootKey : FCurrentKey;
}

// The path is built in place, so that opening key after key allocates
// nothing once the path has had room for the longest.
void TRegistry::ChangeKey(HKEY Value, const std::string& Key, const char* RelativePath) {
  bool Absolute = !Key.empty() && Key[0] == '\\';
  if (Absolute || !FCurrentKey)
    FCurrentPath.assign(RelativePath);
  else
    FCurrentPath.append("\\").append(RelativePath);
  ReleaseKey();
  FCurrentKey = Value;
}

bool TRegistry::OpenKey(const std::string& Key, bool CanCreate, bool ReadWhereRefused) {
  const char* Path = nullptr;
  HKEY Base = BaseKeyFor(Key, Path);
  HKEY Opened = nullptr;
  LONG Result;
  if (CanCreate && *Path) {
    DWORD Disposition = 0;
    Result = RegCreateKeyExA(Base, Path, 0, nullptr, REG_OPTION_NON_VOLATILE, FAccess,
                             nullptr, &Opened, &Disposition);
  } else {
    Result = RegOpenKeyExA(Base, Path, 0, FAccess, &Opened);
  }
  if (Result == ERROR_SUCCESS) {
    ChangeKey(Opened, Key, Path);
    return true;
  }
  REGSAM Granted = 0;
  return Result == ERROR_ACCESS_DENIED && ReadWhereRefused && !CanCreate &&
         OpenKeyToRead(Key, Granted);
}

bool TRegistry::OpenKeyReadOnly(const std::string& Key) {
  REGSAM Granted = 0;
  if (!OpenKeyToRead(Key, Granted)) return false;
  FAccess = Granted;
  return true;
}

// A weaker mask is tried only when the registry refused the rights asked
// for: any other failure (a missing key, a busy registry) would come again,
// and would be waited for again.
bool TRegistry::OpenKeyToRead(const std::string& Key, REGSAM& Granted) {
  static constexpr REGSAM ReadMasks[] = {
      KEY_READ, STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, KEY_QUERY_VALUE};
  const char* Path = nullptr;
  HKEY Base = BaseKeyFor(Key, Path);
  for (REGSAM Mask : ReadMasks) {
    HKEY Opened = nullptr;
    const LONG Result = RegOpenKeyExA(Base, Path, 0, Mask, &Opened);
    if (Result == ERROR_SUCCESS) {
      Granted = Mask;
      ChangeKey(Opened, Key, Path);
      return true;
    }
    if (Result != ERROR_ACCESS_DENIED) return false;
  }
  return false;
}

void TRegistry::CloseKey() {
  ReleaseKey();
  FCurrentPath.clear();
}

void TRegistry::ReleaseKey() {
  if (!FCurrentKey) return;
  if (!FLazyWrite) RegFlushKey(FCurrentKey);
  RegCloseKey(FCurrentKey);
  FCurrentKey = nullptr;
}

bool TRegistry::ValueExists(const std::string& Name) const {
  DWORD Type = REG_NONE;
  DWORD Size = 0;
  return FCurrentKey && RegQueryValueExA(FCurrentKey, Name.c_str(), nullptr, &Type, nullptr,
                                         &Size) == ERROR_SUCCESS;
}

int TRegistry::ReadInteger(const std::string& Name) const {
  std::int32_t Value = 0;
  DWORD Type = REG_NONE;
  DWORD Size = sizeof(Value);
  if (RegQueryValueExA(FCurrentKey, Name.c_str(), nullptr, &Type, reinterpret_cast<BYTE*>(&Value),
                       &Size) != ERROR_SUCCESS)
    RaiseGetDataFailed(Name);
  if (Type != REG_DWORD) RaiseInvalidDataType(Name);
  return Value;
}

bool TRegistry::ReadBool(const std::string& Name) const { return ReadInteger(Name) != 0; }

std::string TRegistry::ReadString(const std::string& Name) const {
  DWORD Type = REG_NONE;
  DWORD Size = 0;
  if (RegQueryValueExA(FCurrentKey, Name.c_str(), nullptr, &Type, nullptr, &Size) !=
          ERROR_SUCCESS ||
      Size == 0)
    return std::string();
  std::vector<char> Data(Size);
  if (RegQueryValueExA(FCurrentKey, Name.c_str(), nullptr, &Type,
                       reinterpret_cast<BYTE*>(Data.data()), &Size) != ERROR_SUCCESS)
    RaiseGetDataFailed(Name);
  if (Type != REG_SZ && Type != REG_EXPAND_SZ) RaiseInvalidDataType(Name);
  // The text ends at the first NUL, or with the data when it carries none.
  std::string Text(Data.data(), std::min<size_t>(Size, Data.size()));
  return Text.substr(0, Text.find('\0'));
}

void TRegistry::WriteInteger(const std::string& Name, int Value) {
  std::int32_t Data = Value;
  if (RegSetValueExA(FCurrentKey, Name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&Data),
                     sizeof(Data)) != ERROR_SUCCESS)
    throw ERegistryException("Failed to set data for '" + Name + "'");
}

void TRegistry::WriteBool(const std::string& Name, bool Value) {
  WriteInteger(Name, Value ? 1 : 0);
}
