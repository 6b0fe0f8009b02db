#include "StoredValue.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// A value or key that is missing already is what a delete is to achieve.
LONG Gone(LONG Code) { return Code == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : Code; }

// The keys a write of Key made when FirstMissingKey did not exist, deepest
// first: the order in which they can be deleted again.
std::vector<std::string> KeysMadeFor(const std::string& Key, const std::string& FirstMissingKey) {
  std::vector<std::string> Keys;
  if (FirstMissingKey.empty()) return Keys;
  for (std::string Path = PathBelowRoot(Key); Path.size() >= FirstMissingKey.size();) {
    Keys.push_back(Path);
    const std::size_t Last = Path.rfind('\\');
    if (Last == std::string::npos) break;
    Path.resize(Last);
  }
  return Keys;
}

}  // namespace

TStoredValue DwordValue(int Number) {
  const std::int32_t Data = Number;
  TStoredValue Value;
  Value.Present = true;
  Value.Type = REG_DWORD;
  Value.Data.assign(reinterpret_cast<const char*>(&Data), sizeof Data);
  return Value;
}

bool HoldsDword(const TStoredValue& Value, int& Number) {
  if (!Value.Present || Value.Type != REG_DWORD || Value.Data.size() != sizeof(std::int32_t))
    return false;
  std::int32_t Data = 0;
  std::memcpy(&Data, Value.Data.data(), sizeof Data);
  Number = Data;
  return true;
}

bool SameValue(const TStoredValue& Left, const TStoredValue& Right) {
  if (!Left.Present || !Right.Present) return Left.Present == Right.Present;
  return Left.Type == Right.Type && Left.Data == Right.Data;
}

std::string PathBelowRoot(const std::string& Key) {
  return Key.starts_with('\\') ? Key.substr(1) : Key;
}

std::string GuardedBytes(const std::string& Data) { return Data + "\xFF\xFF"; }

// The value is asked for first; only a value not found asks whether its key
// is there.
TStoredValue TStoredValues::Read(const std::string& Key, const std::string& Name) {
  TStoredValue Value;
  LONG Code = FCalls.QueryValue(Key, Name, Value.Type, Value.Data);
  Value.Present = Code == ERROR_SUCCESS;
  if (Code == ERROR_FILE_NOT_FOUND) {
    Value = TStoredValue();
    const LONG Opening = FCalls.ProbeKey(Key);
    Code =
        Opening == ERROR_FILE_NOT_FOUND ? FindFirstMissingKey(Key, Value.FirstMissingKey) : Opening;
    if (Code == ERROR_SUCCESS && Opening != ERROR_SUCCESS && Value.FirstMissingKey.empty())
      Code = Opening;
  }
  if (Code != ERROR_SUCCESS) FCalls.RaiseReadFailure(Name, Code);
  return Value;
}

void TStoredValues::Write(const std::string& Key, const std::string& Name,
                          const TStoredValue& Value) {
  if (Value.Present) {
    const LONG Code = FCalls.SetValue(Key, Name, Value.Type, Value.Data);
    if (Code != ERROR_SUCCESS) FCalls.RaiseWriteFailure(Name, Code);
    return;
  }
  LONG Code = Gone(FCalls.DeleteValue(Key, Name));
  for (const std::string& Made : KeysMadeFor(Key, Value.FirstMissingKey))
    if (Code == ERROR_SUCCESS) Code = Gone(FCalls.DeleteKey(Made));
  if (Code != ERROR_SUCCESS) FCalls.RaiseWriteFailure(Name, Code);
}

LONG TStoredValues::FindFirstMissingKey(const std::string& Key, std::string& Missing) {
  Missing.clear();
  const std::string Path = PathBelowRoot(Key);
  for (std::size_t End = 0; End != std::string::npos;) {
    End = Path.find('\\', End + 1);
    const std::string Level = Path.substr(0, End);
    const LONG Result = FCalls.ProbeKey(Level);
    if (Result == ERROR_FILE_NOT_FOUND) {
      Missing = Level;
      return ERROR_SUCCESS;
    }
    if (Result != ERROR_SUCCESS) return Result;
  }
  return ERROR_SUCCESS;
}
