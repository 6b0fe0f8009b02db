#include "rapi.h"

#include <cstdint>

namespace {

HMODULE GRapiLibHandle = nullptr;
std::array<FARPROC, kRapiEntryPointCount> GEntryPoints{};

// A load result of 32 or less is an error code, never a module.
bool IsModule(HMODULE Handle) { return reinterpret_cast<std::uintptr_t>(Handle) > 32; }

// Calls the entry point in slot Index with Arguments unchanged; Fallback
// when the library or the entry point is absent. The address passes through
// the generic function pointer type, from which any function type may be
// cast (FARPROC has a return type of its own on Windows).
template <typename TFunction, typename TResult, typename... TArguments>
TResult CallRapi(int Index, TResult Fallback, TArguments... Arguments) {
  using TAnyFunction = void (*)();
  if (!LoadRapi() || !GEntryPoints[Index]) return Fallback;
  return reinterpret_cast<TFunction>(reinterpret_cast<TAnyFunction>(GEntryPoints[Index]))(
      Arguments...);
}

const HANDLE kFallbackFileHandle = reinterpret_cast<HANDLE>(std::uintptr_t{kRapiFallback});

}  // namespace

bool LoadRapi() {
  if (GRapiLibHandle) return true;
  HMODULE Library = LoadLibraryA("RAPI.DLL");
  if (!IsModule(Library)) return false;
  GRapiLibHandle = Library;
  for (int Index = 0; Index < kRapiEntryPointCount; ++Index)
    GEntryPoints[Index] = GetProcAddress(Library, RapiEntryPointNames[Index]);
  return true;
}

HMODULE RapiLibHandle() { return GRapiLibHandle; }

const std::array<FARPROC, kRapiEntryPointCount>& RapiEntryPoints() { return GEntryPoints; }

HRESULT CeRapiInitEx(RAPIINIT* pRapiInit) {
  return CallRapi<TCeRapiInitEx>(RapiEntryPointIndex("CeRapiInitEx"), kRapiFallback, pRapiInit);
}

HRESULT CeRapiUninit() {
  return CallRapi<TCeRapiUninit>(RapiEntryPointIndex("CeRapiUninit"), kRapiFallback);
}

LONG CeRegOpenKeyEx(HKEY hKey, LPCWSTR lpszSubKey, DWORD ulOptions, REGSAM samDesired,
                    PHKEY phkResult) {
  return CallRapi<TCeRegOpenKeyEx>(RapiEntryPointIndex("CeRegOpenKeyEx"), kRapiFallback, hKey,
                                   lpszSubKey, ulOptions, samDesired, phkResult);
}

LONG CeRegCreateKeyEx(HKEY hKey, LPCWSTR lpszSubKey, DWORD Reserved, LPWSTR lpszClass,
                      DWORD ulOptions, REGSAM samDesired,
                      LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                      LPDWORD lpdwDisposition) {
  return CallRapi<TCeRegCreateKeyEx>(RapiEntryPointIndex("CeRegCreateKeyEx"), kRapiFallback,
                                     hKey, lpszSubKey, Reserved, lpszClass, ulOptions,
                                     samDesired, lpSecurityAttributes, phkResult,
                                     lpdwDisposition);
}

LONG CeRegCloseKey(HKEY hKey) {
  return CallRapi<TCeRegCloseKey>(RapiEntryPointIndex("CeRegCloseKey"), kRapiFallback, hKey);
}

LONG CeRegQueryValueEx(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                       LPBYTE lpData, LPDWORD lpcbData) {
  return CallRapi<TCeRegQueryValueEx>(RapiEntryPointIndex("CeRegQueryValueEx"), kRapiFallback,
                                      hKey, lpValueName, lpReserved, lpType, lpData, lpcbData);
}

LONG CeRegSetValueEx(HKEY hKey, LPCWSTR lpValueName, DWORD Reserved, DWORD dwType,
                     const BYTE* lpData, DWORD cbData) {
  return CallRapi<TCeRegSetValueEx>(RapiEntryPointIndex("CeRegSetValueEx"), kRapiFallback,
                                    hKey, lpValueName, Reserved, dwType, lpData, cbData);
}

LONG CeRegDeleteValue(HKEY hKey, LPCWSTR lpszValueName) {
  return CallRapi<TCeRegDeleteValue>(RapiEntryPointIndex("CeRegDeleteValue"), kRapiFallback, hKey,
                                     lpszValueName);
}

LONG CeRegDeleteKey(HKEY hKey, LPCWSTR lpszSubKey) {
  return CallRapi<TCeRegDeleteKey>(RapiEntryPointIndex("CeRegDeleteKey"), kRapiFallback, hKey,
                                   lpszSubKey);
}

HANDLE CeCreateFile(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                    LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                    DWORD dwFlagsAndAttributes, HANDLE hTemplateFile) {
  return CallRapi<TCeCreateFile>(RapiEntryPointIndex("CeCreateFile"), kFallbackFileHandle,
                                 lpFileName, dwDesiredAccess, dwShareMode, lpSecurityAttributes,
                                 dwCreationDisposition, dwFlagsAndAttributes, hTemplateFile);
}

BOOL CeReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped) {
  return CallRapi<TCeReadFile>(RapiEntryPointIndex("CeReadFile"), BOOL{0}, hFile, lpBuffer,
                               nNumberOfBytesToRead, lpNumberOfBytesRead, lpOverlapped);
}

BOOL CeCloseHandle(HANDLE hObject) {
  return CallRapi<TCeCloseHandle>(RapiEntryPointIndex("CeCloseHandle"), BOOL{0}, hObject);
}

DWORD CeGetTempPath(DWORD nBufferLength, LPWSTR lpBuffer) {
  return CallRapi<TCeGetTempPath>(RapiEntryPointIndex("CeGetTempPath"), DWORD{0},
                                  nBufferLength, lpBuffer);
}
