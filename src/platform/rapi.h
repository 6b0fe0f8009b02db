// The binding to the device API library ("RAPI.DLL").
//
// Nothing links against the library: the first call of any wrapper loads it
// and resolves its 64 entry points by name, in the order of
// RapiEntryPointNames. A failed load is tried again on the next call; a
// successful one is kept until the process ends and never repeated. Every
// wrapper passes its arguments through unchanged and returns the entry
// point's result, or a fixed fallback when the library or that entry point
// is absent (kRapiFallback, or 0 for the file reads, CeCloseHandle and
// CeGetTempPath).
#pragma once

#include <array>
#include <string_view>

#include "RapiDefs.h"

inline constexpr int kRapiEntryPointCount = 64;

inline constexpr std::array<const char*, kRapiEntryPointCount> RapiEntryPointNames = {
    "CeRapiInit",         "CeRapiInitEx",          "CeRapiUninit",
    "CeFindAllFiles",     "RapiFreeBuffer",        "CeCreateDatabase",
    "CeDeleteDatabase",   "CeDeleteRecord",        "CeFindFirstDatabase",
    "CeFindNextDatabase", "CeOidGetInfo",          "CeOpenDatabase",
    "CeReadRecordProps",  "CeSeekDatabase",        "CeSetDatabaseInfo",
    "CeWriteRecordProps", "CeFindFirstFile",       "CeFindNextFile",
    "CeFindClose",        "CeGetFileAttributes",   "CeSetFileAttributes",
    "CeCreateFile",       "CeReadFile",            "CeWriteFile",
    "CeCloseHandle",      "CeFindAllDatabases",    "CeGetLastError",
    "GetRapiError",       "CeSetFilePointer",      "CeSetEndOfFile",
    "CeCreateDirectory",  "CeRemoveDirectory",     "CeCreateProcess",
    "CeMoveFile",         "CeCopyFile",            "CeDeleteFile",
    "CeGetFileSize",      "CeRegOpenKeyEx",        "CeRegEnumKeyEx",
    "CeRegCreateKeyEx",   "CeRegCloseKey",         "CeRegDeleteKey",
    "CeRegEnumValue",     "CeRegDeleteValue",      "CeRegQueryInfoKey",
    "CeRegQueryValueEx",  "CeRegSetValueEx",       "CeGetStoreInformation",
    "CeGetSystemMetrics", "CeGetDesktopDeviceCaps", "CeGetSystemInfo",
    "CeSHCreateShortcut", "CeSHGetShortcutTarget", "CeCheckPassword",
    "CeGetFileTime",      "CeSetFileTime",         "CeGetVersionEx",
    "CeGetWindow",        "CeGetWindowLong",       "CeGetWindowText",
    "CeGetClassName",     "CeGlobalMemoryStatus",  "CeGetSystemPowerStatusEx",
    "CeGetTempPath"};

// The slot of an entry point in RapiEntryPoints(); a name not in the list
// does not compile.
consteval int RapiEntryPointIndex(std::string_view Name) {
  for (int Index = 0; Index < kRapiEntryPointCount; ++Index)
    if (Name == RapiEntryPointNames[Index]) return Index;
  throw "not an entry point of the device API";
}

// The fallback of CeRapiInitEx, CeRapiUninit and the registry calls, and the
// handle value CeCreateFile gives without the library.
inline constexpr LONG kRapiFallback = 0xFFFF;

// True when the library is loaded; loads it and resolves every entry point
// the first time it succeeds.
bool LoadRapi();
// The loaded library; null while it is not loaded.
HMODULE RapiLibHandle();
// One slot per entry point name: its address, or null when the library
// lacks it (or is not loaded).
const std::array<FARPROC, kRapiEntryPointCount>& RapiEntryPoints();

HRESULT CeRapiInitEx(RAPIINIT* pRapiInit);
HRESULT CeRapiUninit();
LONG CeRegOpenKeyEx(HKEY hKey, LPCWSTR lpszSubKey, DWORD ulOptions, REGSAM samDesired,
                    PHKEY phkResult);
LONG CeRegCreateKeyEx(HKEY hKey, LPCWSTR lpszSubKey, DWORD Reserved, LPWSTR lpszClass,
                      DWORD ulOptions, REGSAM samDesired,
                      LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                      LPDWORD lpdwDisposition);
LONG CeRegCloseKey(HKEY hKey);
LONG CeRegQueryValueEx(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                       LPBYTE lpData, LPDWORD lpcbData);
LONG CeRegSetValueEx(HKEY hKey, LPCWSTR lpValueName, DWORD Reserved, DWORD dwType,
                     const BYTE* lpData, DWORD cbData);
LONG CeRegDeleteValue(HKEY hKey, LPCWSTR lpszValueName);
LONG CeRegDeleteKey(HKEY hKey, LPCWSTR lpszSubKey);
HANDLE CeCreateFile(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                    LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                    DWORD dwFlagsAndAttributes, HANDLE hTemplateFile);
BOOL CeReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped);
BOOL CeCloseHandle(HANDLE hObject);
DWORD CeGetTempPath(DWORD nBufferLength, LPWSTR lpBuffer);
