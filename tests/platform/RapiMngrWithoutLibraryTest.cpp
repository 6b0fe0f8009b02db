// The device manager where the device API library is missing. The binding
// keeps a library it loaded for the whole process, so this runs in a process
// of its own.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>

#include "ExpectRaises.h"
#include "RapiMngr.h"
#include "SimulatedDevice.h"

TEST(RapiManagerWithoutLibrary, NothingConnectsAndEveryDeviceOperationFails) {
  TSimulatedDevice Device;
  TMissingDeviceLibrary Library;
  TTemporaryFolder Desktop;
  Device.PutFile("\\Temp\\ZQTUtil.log", "log");

  const auto Started = std::chrono::steady_clock::now();
  auto Manager = std::make_unique<TRapiManager>();
  // With no attempt started there is nothing to wait for: well under the
  // 2000 ms a silent device is given.
  EXPECT_LT(std::chrono::steady_clock::now() - Started, std::chrono::milliseconds(1500));
  EXPECT_FALSE(Manager->Connected());

  EXPECT_FALSE(Manager->OpenKey("\\Software\\ZQT", false, true));
  EXPECT_EQ(-1, Manager->GetDataSize("LogEnabled"));
  EXPECT_EQ(3, Manager->ReadInteger("LogEnabled", 3));
  EXPECT_EQ("none", Manager->ReadString("LogEnabled", "none"));
  EXPECT_THROW(Manager->WriteInteger("LogEnabled", 1), TExRapiRegWriteValueFailed);
  // Without the library a value can be neither told absent nor put back.
  ExpectRaises<TExRapiRegReadValueFailed>(
      "Read registry value failed: LogEnabled: the device library could not be loaded",
      [&] { TStoredValues(*Manager).Read("\\Software\\ZQT", "LogEnabled"); });
  ExpectRaises<TExRapiRegWriteValueFailed>(
      "Write registry value failed: LogEnabled: the device library could not be loaded",
      [&] { TStoredValues(*Manager).Write("\\Software\\ZQT", "LogEnabled", TStoredValue()); });
  // Without the library the device file seems to open, and the first read
  // fails.
  const std::string Target = Desktop.File("ZQTUtil.log");
  EXPECT_THROW(Manager->CopyFileFromDevice("\\Temp\\ZQTUtil.log", Target, true),
               TExRapiFileReadFailed);
  EXPECT_FALSE(Manager->TryCopyFileFromDevice("\\Temp\\ZQTUtil.log", Target, true));
  EXPECT_TRUE(std::filesystem::is_empty(Desktop.Path()));
  EXPECT_EQ("", Manager->GetDeviceTempPath());
  Manager.reset();
  EXPECT_EQ(0u, Device.Calls("CeRapiInitEx"));
  EXPECT_EQ(0u, Device.Calls("CeRapiUninit"));
}
