// Libraries loaded at run time: LoadLibraryA and GetProcAddress over the
// system's loader.
#include <dlfcn.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "WinLibraries.h"
#include "WinCompat.h"

namespace {

bool SameLibraryName(std::string_view Left, std::string_view Right) {
  if (Left.size() != Right.size()) return false;
  for (size_t I = 0; I < Left.size(); ++I) {
    char A = Left[I], B = Right[I];
    if (A >= 'a' && A <= 'z') A = static_cast<char>(A - 'a' + 'A');
    if (B >= 'a' && B <= 'z') B = static_cast<char>(B - 'a' + 'A');
    if (A != B) return false;
  }
  return true;
}

// The file to hand to the loader for a Windows library name.
std::string SharedLibraryFor(const char* Name) {
  if (!SameLibraryName(Name, "RAPI.DLL")) return Name;
  const char* Named = std::getenv(kRapiLibraryVariable);
  return Named && *Named ? Named : kRapiLibraryName;
}

}  // namespace

extern "C" {

HMODULE LoadLibraryA(LPCSTR lpLibFileName) {
  if (!lpLibFileName || !*lpLibFileName) return nullptr;
  try {
    return dlopen(SharedLibraryFor(lpLibFileName).c_str(), RTLD_NOW | RTLD_LOCAL);
  } catch (...) {
    return nullptr;
  }
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
  if (!hModule || !lpProcName) return nullptr;
  return reinterpret_cast<FARPROC>(dlsym(hModule, lpProcName));
}

}  // extern "C"
