// The desktop registry's calls on a value's bytes in an open key, which
// pass them as they are: on Windows the wide calls (the single-byte ones
// convert text values through the system's code page, and lose what it
// lacks); on Linux the registry store's calls, which keep bytes as given.
#pragma once

#include <string>

#include "WinCompat.h"

LONG RegQueryValueBytes(HKEY Key, const std::string& Name, DWORD* Type, BYTE* Data, DWORD* Size);
LONG RegSetValueBytes(HKEY Key, const std::string& Name, DWORD Type, const BYTE* Data, DWORD Size);
LONG RegDeleteValueBytes(HKEY Key, const std::string& Name);
