// A simulated device for one test: a fresh device folder, which the device
// library serves while the object lives, and the device library that the
// device API binding is to load. The device's behaviour is set through its
// folder; its registry and what it recorded are read back without the
// library.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "DeviceHives.h"
#include "TemporaryFolder.h"
#include "WinCompat.h"

enum class TDeviceLibrary { Full, WithoutTempPath };

// The built device library file.
std::string DeviceLibraryFile(TDeviceLibrary Library);
// Makes the binding load Library (where it has loaded nothing yet). On
// Windows the binding loads the RAPI.DLL beside the test executable, which
// the executable's folder decides (see tests/CMakeLists.txt), and this
// changes nothing.
void UseDeviceLibrary(TDeviceLibrary Library);

// While the object lives, the binding looks for the device library in a
// fresh folder, which holds none until Provide puts the full library there.
// On Windows this is the working folder, searched after the executable's
// folder: for executables of the "none" device library situation.
class TMissingDeviceLibrary {
 public:
  TMissingDeviceLibrary();
  ~TMissingDeviceLibrary();
  TMissingDeviceLibrary(const TMissingDeviceLibrary&) = delete;
  TMissingDeviceLibrary& operator=(const TMissingDeviceLibrary&) = delete;

  void Provide() const;

 private:
  TTemporaryFolder FFolder;
  // Where the binding looked before.
  std::string FPrevious;
};

// The bytes of REG_SZ text as the device keeps it: UTF-16 with its NUL.
std::string DeviceTextBytes(const WideString& Text);

class TSimulatedDevice {
 public:
  explicit TSimulatedDevice(TDeviceLibrary Library = TDeviceLibrary::Full);
  // The device is let go and its registry removed.
  ~TSimulatedDevice();
  TSimulatedDevice(const TSimulatedDevice&) = delete;
  TSimulatedDevice& operator=(const TSimulatedDevice&) = delete;

  const std::filesystem::path& Folder() const { return FFolder.Path(); }
  // From now on no device answers, as if none were plugged in; or this one
  // does again, in place of any other.
  void Unplug();
  void PlugIn();
  // Gives the device the name a desktop tells it by.
  void SetName(const WideString& Name);

  // How it answers a connection request; at once unless told otherwise.
  void ConnectAfter(std::chrono::milliseconds Delay);
  void NeverConnect();
  void RefuseConnection();
  void FailConnection();
  void RefuseRegistryWrites();
  void AcceptRegistryWrites();
  void FailRegistryReads();
  // Files opened from now on deliver at most Bytes, then reads fail.
  void FailReadsAfter(std::uint64_t Bytes);
  void SetTempPath(const std::string& Path);

  // The desktop file that holds device file DevicePath ("\Temp\ZQTUtil.log").
  std::filesystem::path DiskFile(const std::string& DevicePath) const;
  void PutFile(const std::string& DevicePath, const std::string& Content);

  // The device registry; Root is HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE of
  // the device, Path without a leading backslash.
  void SetValue(HKEY Root, const std::string& Path, const std::string& Name, DWORD Type,
                const std::string& Bytes);
  bool QueryValue(HKEY Root, const std::string& Path, const std::string& Name, DWORD& Type,
                  std::string& Bytes) const;
  bool KeyExists(HKEY Root, const std::string& Path) const;

  // How often the device was called through EntryPoint.
  std::uint64_t Calls(const std::string& EntryPoint) const;
  // Calls of every entry point other than CeRapiInitEx and CeRapiUninit.
  std::uint64_t RemoteCalls() const;
  // From the latest CeRapiInitEx to the CeRapiUninit after it; none while
  // either is missing.
  std::optional<std::chrono::nanoseconds> TimeToUninit() const;
  // The size the record of the latest CeRapiInitEx gave itself; none before
  // any, or when it came without one.
  std::optional<std::uint32_t> InitRecordSize() const;

 private:
  void Set(const char* Setting, const std::string& Value);

  TTemporaryFolder FFolder;
  TDeviceHives FHives;
};
