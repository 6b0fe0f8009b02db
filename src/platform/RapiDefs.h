// The device API's initialisation record and the signatures of the entry
// points the program calls, as the platform declares them. The binding calls
// through these types; the simulated device implements them.
#pragma once

#include "WinCompat.h"

// cbSize is sizeof(RAPIINIT): 12 bytes on 32-bit systems, 24 on x86-64.
struct RAPIINIT {
  DWORD cbSize;
  HANDLE heRapiInit;
  HRESULT hrRapiInit;
};

using TCeRapiInitEx = HRESULT(WINAPI*)(RAPIINIT* pRapiInit);
using TCeRapiUninit = HRESULT(WINAPI*)();
using TCeRegOpenKeyEx = LONG(WINAPI*)(HKEY hKey, LPCWSTR lpszSubKey, DWORD ulOptions,
                                      REGSAM samDesired, PHKEY phkResult);
using TCeRegCreateKeyEx = LONG(WINAPI*)(HKEY hKey, LPCWSTR lpszSubKey, DWORD Reserved,
                                        LPWSTR lpszClass, DWORD ulOptions, REGSAM samDesired,
                                        LPSECURITY_ATTRIBUTES lpSecurityAttributes,
                                        PHKEY phkResult, LPDWORD lpdwDisposition);
using TCeRegCloseKey = LONG(WINAPI*)(HKEY hKey);
using TCeRegQueryValueEx = LONG(WINAPI*)(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved,
                                         LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);
using TCeRegSetValueEx = LONG(WINAPI*)(HKEY hKey, LPCWSTR lpValueName, DWORD Reserved,
                                       DWORD dwType, const BYTE* lpData, DWORD cbData);
using TCeRegDeleteValue = LONG(WINAPI*)(HKEY hKey, LPCWSTR lpszValueName);
using TCeRegDeleteKey = LONG(WINAPI*)(HKEY hKey, LPCWSTR lpszSubKey);
using TCeCreateFile = HANDLE(WINAPI*)(LPCWSTR lpFileName, DWORD dwDesiredAccess,
                                      DWORD dwShareMode,
                                      LPSECURITY_ATTRIBUTES lpSecurityAttributes,
                                      DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes,
                                      HANDLE hTemplateFile);
using TCeReadFile = BOOL(WINAPI*)(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                                  LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped);
using TCeCloseHandle = BOOL(WINAPI*)(HANDLE hObject);
using TCeGetTempPath = DWORD(WINAPI*)(DWORD nBufferLength, LPWSTR lpBuffer);
