// How the registry of a simulated device keeps its values in the
// platform's registry (see DeviceHives.h), so that every value reads back
// with the bytes it was written with, as on the device.
//
// The platform's registry functions treat text values by rules of their own
// (Windows converts them to its code page and back, and hands text out with
// a NUL added where the data lacks one), while the device keeps whatever
// bytes it was given. So a text value (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ)
// is kept under a type code of the device's own, whose bytes the platform
// leaves alone, and reads back as the type it was written with. A value kept
// under a text type of the platform, written by someone other than the
// device, reads as the platform hands it out.
#pragma once

#include <string>

#include "WinCompat.h"

LONG WriteDeviceValue(HKEY Key, const std::string& Name, DWORD Type, const BYTE* Data, DWORD Size);
LONG ReadDeviceValue(HKEY Key, const std::string& Name, DWORD& Type, std::string& Data);
