// Linux: the registry store keeps every value's bytes as they are written.
#include "ValueBytes.h"

LONG RegQueryValueBytes(HKEY Key, const std::string& Name, DWORD* Type, BYTE* Data, DWORD* Size) {
  return RegQueryValueExA(Key, Name.c_str(), nullptr, Type, Data, Size);
}

LONG RegSetValueBytes(HKEY Key, const std::string& Name, DWORD Type, const BYTE* Data, DWORD Size) {
  return RegSetValueExA(Key, Name.c_str(), 0, Type, Data, Size);
}

LONG RegDeleteValueBytes(HKEY Key, const std::string& Name) {
  return RegDeleteValueA(Key, Name.c_str());
}
