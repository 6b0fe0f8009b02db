#include "StoredValue.h"

#include <cstdint>
#include <cstring>

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

std::string PathBelowRoot(const std::string& Key) {
  return Key.starts_with('\\') ? Key.substr(1) : Key;
}

LONG FindFirstMissingKey(const std::string& Key, const TKeyProbe& Probe, std::string& Missing) {
  Missing.clear();
  const std::string Path = PathBelowRoot(Key);
  for (std::size_t End = 0; End != std::string::npos;) {
    End = Path.find('\\', End + 1);
    const std::string Level = Path.substr(0, End);
    const LONG Result = Probe(Level);
    if (Result == ERROR_FILE_NOT_FOUND) {
      Missing = Level;
      return ERROR_SUCCESS;
    }
    if (Result != ERROR_SUCCESS) return Result;
  }
  return ERROR_SUCCESS;
}

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
