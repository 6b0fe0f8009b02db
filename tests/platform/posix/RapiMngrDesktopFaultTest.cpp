// Device copies whose desktop writes stop short, because the file size
// limit stops them as a full disk would.
#include <gtest/gtest.h>

#include <filesystem>

#include "FileSizeLimit.h"
#include "RapiMngr.h"
#include "SimulatedDevice.h"

TEST(RapiManagerDesktopFault, AShortDesktopWriteFailsTheCopyAndKeepsTheTarget) {
  TSimulatedDevice Device;
  TTemporaryFolder Desktop;
  Device.PutFile("\\Temp\\ZQTUtil.log", std::string(100000, 'x'));
  const std::string Target = Desktop.File("ZQTUtil.log");
  WriteWholeFile(Target, "earlier copy");
  TRapiManager Manager;
  ASSERT_TRUE(Manager.Connected());
  {
    TFileSizeLimit Limit(4096);
    EXPECT_THROW(Manager.CopyFileFromDevice("\\Temp\\ZQTUtil.log", Target, true), EInOutError);
    EXPECT_FALSE(Manager.TryCopyFileFromDevice("\\Temp\\ZQTUtil.log", Target, true));
  }
  EXPECT_EQ("earlier copy", ReadWholeFile(Target));
  const std::filesystem::directory_iterator Files(Desktop.Path());
  EXPECT_EQ(1, std::distance(begin(Files), end(Files)));
  EXPECT_EQ(2u, Device.Calls("CeCloseHandle"));
}
