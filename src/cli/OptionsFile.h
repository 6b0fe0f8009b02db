// Option files: the options of one registry, the desktop's or the device's,
// as a registry file, and what such a file may set. Only the catalogue's
// values are accepted: the key and value name of an option of that
// registry, as a DWORD (0 or 1 for a Boolean option), or a deletion, which
// stands for the option's default.
#pragma once

#include <vector>

#include "OptionValue.h"
#include "RegFile.h"

// Side's options with their values, one section per key, the keys in the
// order the catalogue first names them.
TRegFile RegFileOf(TTweakOptionTarget Side, const std::vector<TOptionValue>& Values);

// Every value File sets, in its order, for the options of Side. Raises
// ERegFileError for a file of the other side, and for a key or value that is
// not one of Side's options, or a value a Boolean option cannot take.
std::vector<TOptionValue> ValuesIn(const TRegFile& File, TTweakOptionTarget Side);
