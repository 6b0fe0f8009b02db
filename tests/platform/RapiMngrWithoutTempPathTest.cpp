// The device manager over a device library that lacks CeGetTempPath. The
// binding keeps the library it loaded for the whole process, so this runs in
// a process of its own.
#include <gtest/gtest.h>

#include "RapiMngr.h"
#include "SimulatedDevice.h"
#include "TemporaryRegistry.h"

TEST(RapiManagerWithoutTempPath, TheTemporaryFolderIsEmptyAndTheRegistryWorks) {
  TSimulatedDevice Device(TDeviceLibrary::WithoutTempPath);
  Device.SetTempPath("\\Windows\\Temp\\");
  TRapiManager Manager;
  ASSERT_TRUE(Manager.Connected());
  EXPECT_EQ("", Manager.GetDeviceTempPath());
  ASSERT_TRUE(Manager.OpenKey("\\Software\\ZQT\\ZQT\\Appearance", false, true));
  Manager.WriteInteger("LogEnabled", 1);
  EXPECT_EQ(1, Manager.ReadInteger("LogEnabled", 0));
  DWORD Type = REG_NONE;
  std::string Bytes;
  ASSERT_TRUE(Device.QueryValue(HKEY_CURRENT_USER, "Software\\ZQT\\ZQT\\Appearance",
                                "LogEnabled", Type, Bytes));
  EXPECT_EQ(DwordBytes(1), Bytes);
}
