// zqttweak and the files of Linux that have no like on Windows: pipes, and
// permission bits.
#include <sys/stat.h>

#include "ZqtTweakFixture.h"

namespace {

using ZqtTweakFilesTest = ZqtTweakFixture;

// Opening a pipe for reading would wait for a writer for ever.
TEST_F(ZqtTweakFilesTest, ImportOfAPipeIsRefusedWithoutWaitingForAWriter) {
  const std::string Pipe = File("options.reg");
  ASSERT_EQ(0, mkfifo(Pipe.c_str(), 0600));
  const TProgramRun Import = Run({"--import", Pipe});
  EXPECT_EQ(1, Import.ExitCode);
  EXPECT_EQ("zqttweak: Cannot read " + Pipe + ": it is not a regular file\n", Import.Err);
}

TEST_F(ZqtTweakFilesTest, ExportKeepsTheModeOfTheFileItReplaces) {
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
