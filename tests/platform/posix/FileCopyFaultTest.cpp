// Copies at the file system's limits: one that fails half-way, because the
// file size limit stops its writes, and one to the longest name it takes.
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

TEST(FileCopy, AnyNameTheFileSystemTakesCanBeCopiedTo) {
  TTemporaryFolder Folder;
  const std::string Source = Folder.File("source.log");
  const std::string Longest = Folder.File(std::string(255, 'n'));
  WriteWholeFile(Source, "log");
  EXPECT_TRUE(FileCopy(Source, Longest));
  EXPECT_EQ("log", ReadWholeFile(Longest));
}
