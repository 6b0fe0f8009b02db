// Copies at the file system's limits: one that fails half-way, because the
// file size limit stops its writes, one to the longest name it takes, copies
// the kernel cannot make in place, and pipes, which are never copied.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

TEST(FileCopy, EveryKindOfSourceIsCopiedWholeWithItsTime) {
  TTemporaryFolder Folder;
  // On the same disk, on a file system of memory, and one of the system's
  // files that give their size as 0 whatever they hold.
  const std::string Memory = "/dev/shm/zqt-copy-source-" + std::to_string(getpid());
  const std::string Content = std::string(300000, 'x') + "end";
  WriteWholeFile(Folder.File("source.log"), Content);
  WriteWholeFile(Memory, Content);
  for (const std::string& Source : {Folder.File("source.log"), Memory}) {
    std::filesystem::last_write_time(Source, std::filesystem::file_time_type::clock::now() -
                                                 std::chrono::hours(50));
    ASSERT_TRUE(FileCopy(Source, Folder.File("copy.log"))) << Source;
    EXPECT_EQ(Content, ReadWholeFile(Folder.File("copy.log"))) << Source;
    EXPECT_EQ(std::filesystem::last_write_time(Source),
              std::filesystem::last_write_time(Folder.File("copy.log")))
        << Source;
  }
  std::filesystem::remove(Memory);
  ASSERT_TRUE(FileCopy("/proc/self/mountinfo", Folder.File("copy.log")));
  EXPECT_NE(std::string::npos, ReadWholeFile(Folder.File("copy.log")).find(" / "));
}

TEST(FileCopy, APipeIsNeitherCopiedNorCopiedOntoAndNothingWaitsOnIt) {
  TTemporaryFolder Folder;
  const std::string Pipe = Folder.File("pipe"), File = Folder.File("file.log");
  ASSERT_EQ(0, mkfifo(Pipe.c_str(), 0600));
  WriteWholeFile(File, "content");
  EXPECT_FALSE(FileCopy(Pipe, Folder.File("copy.log")));
  EXPECT_FALSE(CopyFileA(File.c_str(), Pipe.c_str(), FALSE));
  EXPECT_TRUE(std::filesystem::is_fifo(Pipe));
  const std::filesystem::directory_iterator Files(Folder.Path());
  EXPECT_EQ(std::distance(begin(Files), end(Files)), 2);
}
