// Windows: the wide calls, with names converted from the system's code page.
#include "ValueBytes.h"

#include "miniUtils.h"

namespace {

WideString WideName(const std::string& Name) { return AnsiToWide(Name, CP_ACP); }

}  // namespace

LONG RegQueryValueBytes(HKEY Key, const std::string& Name, DWORD* Type, BYTE* Data, DWORD* Size) {
  return RegQueryValueExW(Key, WideName(Name).c_str(), nullptr, Type, Data, Size);
}

LONG RegSetValueBytes(HKEY Key, const std::string& Name, DWORD Type, const BYTE* Data, DWORD Size) {
  return RegSetValueExW(Key, WideName(Name).c_str(), 0, Type, Data, Size);
}

LONG RegDeleteValueBytes(HKEY Key, const std::string& Name) {
  return RegDeleteValueW(Key, WideName(Name).c_str());
}
