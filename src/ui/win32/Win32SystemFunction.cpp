#include "Win32SystemFunction.h"

#include <cstring>
#include <string>

namespace {

// The library File from the system folder, never one planted beside the
// program or in the working folder.
HMODULE SystemLibrary(const wchar_t* File) {
  if (HMODULE Loaded = GetModuleHandleW(File)) return Loaded;
  wchar_t Folder[MAX_PATH] = {};
  const UINT Length = GetSystemDirectoryW(Folder, MAX_PATH);
  if (Length == 0 || Length >= MAX_PATH) return nullptr;
  return LoadLibraryW((std::wstring(Folder, Length) + L"\\" + File).c_str());
}

}  // namespace

FARPROC SystemFunctionAddress(const wchar_t* File, const char* Name) {
  const HMODULE Library = SystemLibrary(File);
  if (FARPROC Address = Library ? GetProcAddress(Library, Name) : nullptr) return Address;
  const std::wstring Missing = L"The system's " + std::wstring(File) + L" has no " +
                               std::wstring(Name, Name + strlen(Name)) + L".";
  FatalAppExitW(0, Missing.c_str());
  return nullptr;
}
