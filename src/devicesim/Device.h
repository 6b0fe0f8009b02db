// One simulated device: the one living in the folder that ZQT_DEVICE_FOLDER
// names at the time of a call. When the variable names another folder, the
// earlier device is let go, as if unplugged (its connection ends and its
// handles are taken back), and the device of the new folder answers from
// then on. With the variable unset there is no device: a connection request
// is accepted but never answered, and nothing is recorded.
#pragma once

#include <filesystem>

#include "CallRecord.h"
#include "DeviceConnection.h"
#include "DeviceFiles.h"
#include "DeviceRegistry.h"
#include "DeviceSettings.h"

class TDevice {
 public:
  // The device of the moment. Callers serialise their calls.
  static TDevice& Current();

  explicit TDevice(const std::filesystem::path& Folder);

  const std::filesystem::path& Folder() const { return FFolder; }
  const TDeviceSettings& Settings() const { return FSettings; }
  TCallRecord& Record() { return FRecord; }
  TDeviceRegistry& Registry() { return FRegistry; }
  TDeviceFiles& Files() { return FFiles; }

  // Ends any earlier connection and starts a new attempt; E_INVALIDARG for
  // a record that is missing or of another size, which is left untouched.
  HRESULT RequestConnection(RAPIINIT* Init);
  // Ends the connection or the attempt; E_FAIL when there is none.
  HRESULT Disconnect();
  // Whether the device serves remote calls now.
  bool Answering() const { return FConnection.Answering(); }

 private:
  // Takes back every handle given out and ends the connection.
  HRESULT EndConnection();

  std::filesystem::path FFolder;
  TDeviceSettings FSettings;
  TCallRecord FRecord;
  TDeviceConnection FConnection;
  TDeviceRegistry FRegistry;
  TDeviceFiles FFiles;
};
