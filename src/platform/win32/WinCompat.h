// The Win32 names the platform layer is written against: on Windows the real
// ones from <windows.h>, plus the few names of our own that code written for
// both systems uses.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

// UTF-16 text: std::wstring here, std::u16string on Linux.
using WideString = std::wstring;

// A UTF-16 string literal of the WCHAR type: L"..." here, u"..." on Linux.
#define WIDE(Text) L##Text
