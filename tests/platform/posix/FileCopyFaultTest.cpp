// A copy that fails half-way, because the file size limit stops its writes.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "TemporaryFolder.h"
#include "miniUtils.h"

namespace {

// Runs Action with files limited to Limit bytes.
template <typename Action>
auto WithFileSizeLimit(rlim_t Limit, Action Run) {
  rlimit Saved;
  getrlimit(RLIMIT_FSIZE, &Saved);
  const auto SavedHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit Limited = Saved;
  Limited.rlim_cur = Limit;
  setrlimit(RLIMIT_FSIZE, &Limited);
  const auto Result = Run();
  setrlimit(RLIMIT_FSIZE, &Saved);
  std::signal(SIGXFSZ, SavedHandler);
  return Result;
}

}  // namespace

TEST(FileCopy, FailedWriteKeepsTheOldTargetAndLeavesNoPartialFile) {
  TTemporaryFolder Folder;
  const std::string Source = Folder.File("source.log"), Dest = Folder.File("dest.log");
  WriteWholeFile(Source, std::string(100000, 'x'));
  WriteWholeFile(Dest, "old content");
  EXPECT_FALSE(WithFileSizeLimit(4096, [&] { return FileCopy(Source, Dest); }));
  EXPECT_EQ(ReadWholeFile(Dest), "old content");
  const std::filesystem::directory_iterator Files(Folder.Path());
  EXPECT_EQ(std::distance(begin(Files), end(Files)), 2);
}
