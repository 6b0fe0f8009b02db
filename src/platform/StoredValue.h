// One registry value as a command found it, so that the command can put it
// back exactly as it was: whether its key and the value existed, and the
// value's type and bytes. The desktop's and the device's registry managers
// read and write values in this form.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "WinCompat.h"

struct TStoredValue {
  // The first key of the value's key path that did not exist, as a path
  // below the root without a leading backslash; empty when the key existed.
  std::string FirstMissingKey;
  bool Present = false;
  DWORD Type = REG_NONE;
  std::string Data;

  bool operator==(const TStoredValue&) const = default;
};

// A value holding Number as a DWORD.
TStoredValue DwordValue(int Number);
// Whether Value holds a DWORD, and the number it holds.
bool HoldsDword(const TStoredValue& Value, int& Number);

// Key's path below the root, without its one leading backslash.
std::string PathBelowRoot(const std::string& Key);

// Asked whether a key path below the root exists: ERROR_SUCCESS,
// ERROR_FILE_NOT_FOUND, or the registry's error.
using TKeyProbe = std::function<LONG(const std::string& Path)>;

// The first key of Key's path that does not exist, found level by level
// with Probe; empty when none is missing. Missing receives it; the result
// is the first error other than a missing key.
LONG FindFirstMissingKey(const std::string& Key, const TKeyProbe& Probe, std::string& Missing);

// The keys a write of Key made when FirstMissingKey did not exist, deepest
// first: the order in which they can be deleted again.
std::vector<std::string> KeysMadeFor(const std::string& Key, const std::string& FirstMissingKey);
