// A copy that fails half-way, because the file size limit stops its writes.
#include <gtest/gtest.h>

#include <filesystem>

#include "FileSizeLimit.h"
#include "TemporaryFolder.h"
#include "miniUtils.h"

TEST(FileCopy, FailedWriteKeepsTheOldTargetAndLeavesNoPartialFile) {
  TTemporaryFolder Folder;
  const std::string Source = Folder.File("source.log"), Dest = Folder.File("dest.log");
  WriteWholeFile(Source, std::string(100000, 'x'));
  WriteWholeFile(Dest, "old content");
  bool Copied = true;
  {
    TFileSizeLimit Limit(4096);
    Copied = FileCopy(Source, Dest);
  }
  EXPECT_FALSE(Copied);
  EXPECT_EQ(ReadWholeFile(Dest), "old content");
  const std::filesystem::directory_iterator Files(Folder.Path());
  EXPECT_EQ(std::distance(begin(Files), end(Files)), 2);
}
