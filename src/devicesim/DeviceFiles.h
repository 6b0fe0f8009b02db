// The file system of a simulated device: a folder on the desktop's disk,
// which the desktop may only read.
//
// Device paths are absolute ("\Temp\ZQTUtil.log"); their names are compared
// without regard to ASCII case, as the device does. "." and ".." name
// nothing, nor does a name with a slash or a colon, which the desktop would
// read as a path of its own (on Windows "Z:name" is a file in the working
// folder of drive Z), so no path leads out of the folder. A device told to fail reads
// after N bytes lets each file opened from then on deliver at most N bytes
// in all; every read after them fails. Only the handles this file system
// gave out are accepted, and CloseAll takes every one of them back.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string_view>

#include "DeviceSettings.h"
#include "WinCompat.h"

class TDeviceFiles {
 public:
  TDeviceFiles(std::filesystem::path Root, const TDeviceSettings& Settings);
  ~TDeviceFiles();
  TDeviceFiles(const TDeviceFiles&) = delete;
  TDeviceFiles& operator=(const TDeviceFiles&) = delete;

  // Opens an existing file for reading (GENERIC_READ, OPEN_EXISTING, nothing
  // else); INVALID_HANDLE_VALUE for a missing file, a folder or a bad path.
  HANDLE Open(std::string_view DevicePath, DWORD Access, DWORD Disposition);
  // Reads up to Size bytes; at the end of the file it succeeds with 0.
  bool Read(HANDLE File, void* Buffer, DWORD Size, DWORD& Done);
  bool Close(HANDLE File);
  void CloseAll();

 private:
  struct TOpenFile {
    std::unique_ptr<std::ifstream> Content;
    // Bytes left before reads fail; none: no limit.
    std::optional<std::uint64_t> Budget;
  };

  std::optional<std::filesystem::path> DiskPath(std::string_view DevicePath) const;

  std::filesystem::path FRoot;
  const TDeviceSettings& FSettings;
  std::map<HANDLE, TOpenFile> FOpen;
  std::uintptr_t FLastHandle = 0x1000;
};
