// The device API entry points of the simulated device, the only symbols the
// library exports, in the platform's calling convention for them (WINAPI:
// stdcall on 32-bit Windows), as the binding calls them. Every call is
// counted and serialised; the remote calls (registry, files, temporary
// folder) are served only while the device is connected; no exception leaves
// an entry point.
#include <algorithm>
#include <mutex>
#include <type_traits>

#include "Device.h"
#include "RapiDefs.h"

namespace {

std::mutex GCallLock;

// A device name as the desktop's single-byte text, which the platform's
// registry functions and file names take.
std::string Narrow(LPCWSTR Text) {
  if (!Text || !*Text) return std::string();
  const int Count = WideCharToMultiByte(CP_ACP, 0, Text, -1, nullptr, 0, nullptr, nullptr);
  std::string Result(Count > 0 ? Count : 1, '\0');
  WideCharToMultiByte(CP_ACP, 0, Text, -1, Result.data(), Count, nullptr, nullptr);
  Result.resize(Result.find('\0'));
  return Result;
}

// One call, with Failed for any failure on the way.
template <typename TResult, typename TWork>
TResult Serve(const char* EntryPoint, TResult Failed, TWork&& Work) noexcept {
  try {
    std::lock_guard Guard(GCallLock);
    TDevice& Device = TDevice::Current();
    Device.Record().Count(EntryPoint);
    return Work(Device);
  } catch (...) {
    return Failed;
  }
}

// One remote call: NotConnected unless the device is connected.
template <typename TResult, typename TWork>
TResult ServeRemote(const char* EntryPoint, TResult NotConnected, TResult Failed,
                    TWork&& Work) noexcept {
  return Serve(EntryPoint, Failed, [&](TDevice& Device) -> TResult {
    return Device.Answering() ? Work(Device) : NotConnected;
  });
}

}  // namespace

extern "C" {

HRESULT WINAPI CeRapiInitEx(RAPIINIT* pRapiInit) {
  return Serve("CeRapiInitEx", E_FAIL,
               [&](TDevice& Device) { return Device.RequestConnection(pRapiInit); });
}

HRESULT WINAPI CeRapiUninit() {
  return Serve("CeRapiUninit", E_FAIL, [](TDevice& Device) { return Device.Disconnect(); });
}

LONG WINAPI CeRegOpenKeyEx(HKEY hKey, LPCWSTR lpszSubKey, DWORD, REGSAM, PHKEY phkResult) {
  return ServeRemote("CeRegOpenKeyEx", ERROR_NOT_CONNECTED, ERROR_OUTOFMEMORY,
                     [&](TDevice& Device) -> LONG {
                       if (!phkResult) return ERROR_INVALID_PARAMETER;
                       return Device.Registry().OpenKey(hKey, Narrow(lpszSubKey), *phkResult);
                     });
}

LONG WINAPI CeRegCreateKeyEx(HKEY hKey, LPCWSTR lpszSubKey, DWORD, LPWSTR, DWORD, REGSAM,
                             LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition) {
  return ServeRemote(
      "CeRegCreateKeyEx", ERROR_NOT_CONNECTED, ERROR_OUTOFMEMORY, [&](TDevice& Device) -> LONG {
        if (!phkResult) return ERROR_INVALID_PARAMETER;
        DWORD Disposition = 0;
        LONG Result =
            Device.Registry().CreateKey(hKey, Narrow(lpszSubKey), *phkResult, Disposition);
        if (Result == ERROR_SUCCESS && lpdwDisposition) *lpdwDisposition = Disposition;
        return Result;
      });
}

LONG WINAPI CeRegCloseKey(HKEY hKey) {
  return ServeRemote("CeRegCloseKey", ERROR_NOT_CONNECTED, ERROR_OUTOFMEMORY,
                     [&](TDevice& Device) { return Device.Registry().CloseKey(hKey); });
}

LONG WINAPI CeRegQueryValueEx(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                              LPBYTE lpData, LPDWORD lpcbData) {
  return ServeRemote("CeRegQueryValueEx", ERROR_NOT_CONNECTED, ERROR_OUTOFMEMORY,
                     [&](TDevice& Device) {
                       return Device.Registry().QueryValue(hKey, Narrow(lpValueName), lpReserved,
                                                           lpType, lpData, lpcbData);
                     });
}

LONG WINAPI CeRegSetValueEx(HKEY hKey, LPCWSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData,
                            DWORD cbData) {
  return ServeRemote(
      "CeRegSetValueEx", ERROR_NOT_CONNECTED, ERROR_OUTOFMEMORY, [&](TDevice& Device) {
        return Device.Registry().SetValue(hKey, Narrow(lpValueName), dwType, lpData, cbData);
      });
}

LONG WINAPI CeRegDeleteValue(HKEY hKey, LPCWSTR lpszValueName) {
  return ServeRemote(
      "CeRegDeleteValue", ERROR_NOT_CONNECTED, ERROR_OUTOFMEMORY,
      [&](TDevice& Device) { return Device.Registry().DeleteValue(hKey, Narrow(lpszValueName)); });
}

LONG WINAPI CeRegDeleteKey(HKEY hKey, LPCWSTR lpszSubKey) {
  return ServeRemote(
      "CeRegDeleteKey", ERROR_NOT_CONNECTED, ERROR_OUTOFMEMORY,
      [&](TDevice& Device) { return Device.Registry().DeleteKey(hKey, Narrow(lpszSubKey)); });
}

HANDLE WINAPI CeCreateFile(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD, LPSECURITY_ATTRIBUTES,
                           DWORD dwCreationDisposition, DWORD, HANDLE) {
  return ServeRemote(
      "CeCreateFile", INVALID_HANDLE_VALUE, INVALID_HANDLE_VALUE, [&](TDevice& Device) {
        if (!lpFileName) return INVALID_HANDLE_VALUE;
        return Device.Files().Open(Narrow(lpFileName), dwDesiredAccess, dwCreationDisposition);
      });
}

BOOL WINAPI CeReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                       LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped) {
  return ServeRemote("CeReadFile", FALSE, FALSE, [&](TDevice& Device) -> BOOL {
    if (!lpNumberOfBytesRead || lpOverlapped || (!lpBuffer && nNumberOfBytesToRead)) return FALSE;
    *lpNumberOfBytesRead = 0;
    return Device.Files().Read(hFile, lpBuffer, nNumberOfBytesToRead, *lpNumberOfBytesRead);
  });
}

BOOL WINAPI CeCloseHandle(HANDLE hObject) {
  return ServeRemote("CeCloseHandle", FALSE, FALSE,
                     [&](TDevice& Device) -> BOOL { return Device.Files().Close(hObject); });
}

#if ZQT_DEVICE_HAS_TEMP_PATH
namespace {

// UTF-8 text of the device's settings as the device's UTF-16.
WideString Widen(const std::string& Text) {
  WideString Result(Text.size() + 1, WCHAR());
  const int Count = MultiByteToWideChar(CP_UTF8, 0, Text.c_str(), -1, Result.data(),
                                        static_cast<int>(Result.size()));
  Result.resize(Count > 0 ? Count - 1 : 0);
  return Result;
}

}  // namespace

// As GetTempPath: the length without the NUL when the buffer holds the path,
// otherwise the length the buffer needs, NUL included.
DWORD WINAPI CeGetTempPath(DWORD nBufferLength, LPWSTR lpBuffer) {
  return ServeRemote("CeGetTempPath", DWORD{0}, DWORD{0}, [&](TDevice& Device) -> DWORD {
    WideString Path = Widen(Device.Settings().TempPath());
    DWORD Needed = static_cast<DWORD>(Path.size() + 1);
    if (!lpBuffer || nBufferLength < Needed) return Needed;
    std::copy(Path.begin(), Path.end(), lpBuffer);
    lpBuffer[Path.size()] = u'\0';
    return Needed - 1;
  });
}
static_assert(std::is_same_v<decltype(&CeGetTempPath), TCeGetTempPath>);
#endif

}  // extern "C"

static_assert(std::is_same_v<decltype(&CeRapiInitEx), TCeRapiInitEx>);
static_assert(std::is_same_v<decltype(&CeRapiUninit), TCeRapiUninit>);
static_assert(std::is_same_v<decltype(&CeRegOpenKeyEx), TCeRegOpenKeyEx>);
static_assert(std::is_same_v<decltype(&CeRegCreateKeyEx), TCeRegCreateKeyEx>);
static_assert(std::is_same_v<decltype(&CeRegCloseKey), TCeRegCloseKey>);
static_assert(std::is_same_v<decltype(&CeRegQueryValueEx), TCeRegQueryValueEx>);
static_assert(std::is_same_v<decltype(&CeRegSetValueEx), TCeRegSetValueEx>);
static_assert(std::is_same_v<decltype(&CeRegDeleteValue), TCeRegDeleteValue>);
static_assert(std::is_same_v<decltype(&CeRegDeleteKey), TCeRegDeleteKey>);
static_assert(std::is_same_v<decltype(&CeCreateFile), TCeCreateFile>);
static_assert(std::is_same_v<decltype(&CeReadFile), TCeReadFile>);
static_assert(std::is_same_v<decltype(&CeCloseHandle), TCeCloseHandle>);
