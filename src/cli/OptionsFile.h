// Option files: the options of one registry, the desktop's or the device's,
// as a registry file, and what such a file sets. A file may hold anything
// the registry editor writes: what is not an option of that registry (a
// value of another name, a key that holds no option) is skipped. An
// option's value must be a DWORD (0 or 1 for a Boolean option) or a
// deletion, which stands for the option's default.
#pragma once

#include <string>
#include <vector>

#include "OptionValue.h"
#include "RegFile.h"

// Side's options with their values, one section per key, the keys in the
// order the catalogue first names them.
TRegFile RegFileOf(TTweakOptionTarget Side, const std::vector<TOptionValue>& Values);

// A part of a file that an import leaves alone, and why.
struct TSkippedPart {
  int Line = 0;
  std::string Reason;
};

struct TOptionsInFile {
  // Every value the file sets, in its order.
  std::vector<TOptionValue> Values;
  // Each value that is no option, and each key that holds none, in order.
  std::vector<TSkippedPart> Skipped;
};

// What the registry file Bytes sets for the options of Side, read in one
// pass that keeps no more of it. Raises ERegFileError where ReadRegFile
// does, for a file that says it belongs to the other registry, for a file
// that sets no option of Side, and for an option's value that is not a DWORD
// or that a Boolean option cannot take.
TOptionsInFile OptionsIn(const std::string& Bytes, TTweakOptionTarget Side);
