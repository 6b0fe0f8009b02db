// zqttweak and what only Linux has: pipes and devices among the files, and
// permission bits.
#include <sys/stat.h>

#include "ZqtTweakFixture.h"

namespace {

using ZqtTweakSystemTest = ZqtTweakFixture;

// Opening a pipe for reading would wait for a writer for ever; a device
// would be read as whatever it gives.
TEST_F(ZqtTweakSystemTest, ImportOfAPipeOrADeviceIsRefusedWithoutReadingIt) {
  const std::string Pipe = File("options.reg");
  ASSERT_EQ(0, mkfifo(Pipe.c_str(), 0600));
  for (const std::string& FileName : {Pipe, std::string("/dev/zero")}) {
    const TProgramRun Import = Run({"--import", FileName});
    EXPECT_EQ(1, Import.ExitCode);
    EXPECT_EQ("zqttweak: Cannot read " + FileName + ": it is not a regular file\n", Import.Err);
  }
}

TEST_F(ZqtTweakSystemTest, ExportKeepsTheModeOfTheFileItReplaces) {
  const std::string Exported = File("desktop.reg");
  WriteWholeFile(Exported, "older export");
  ASSERT_EQ(0, chmod(Exported.c_str(), 0640));
  ASSERT_EQ(0, Run({"--export", Exported}).ExitCode);
  struct stat Info;
  ASSERT_EQ(0, stat(Exported.c_str(), &Info));
  EXPECT_EQ(0640u, Info.st_mode & 07777);
  EXPECT_TRUE(ReadWholeFile(Exported).starts_with("Windows Registry Editor Version 5.00\n"));
}

}  // namespace
