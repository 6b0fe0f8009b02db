#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "TemporaryFolder.h"
#include "miniUtils.h"

namespace {

std::set<std::string> FilesIn(const std::filesystem::path& Folder) {
  std::set<std::string> Names;
  for (const auto& Entry : std::filesystem::directory_iterator(Folder))
    Names.insert(Entry.path().filename().string());
  return Names;
}

class FileCopyTest : public ::testing::Test {
 protected:
  TTemporaryFolder Folder;
  const std::string Source = Folder.File("source.log");
  const std::string Dest = Folder.File("dest.log");
};

}  // namespace

TEST_F(FileCopyTest, CopiesIntoANewFile) {
  WriteWholeFile(Source, std::string(200000, 'x') + "end");
  EXPECT_TRUE(FileCopy(Source, Dest));
  EXPECT_EQ(ReadWholeFile(Dest), ReadWholeFile(Source));
  EXPECT_EQ(FilesIn(Folder.Path()), (std::set<std::string>{"source.log", "dest.log"}));
}

TEST_F(FileCopyTest, ReplacesAnExistingTarget) {
  WriteWholeFile(Source, "new content");
  WriteWholeFile(Dest, "old content that was longer");
  EXPECT_TRUE(FileCopy(Source, Dest));
  EXPECT_EQ(ReadWholeFile(Dest), "new content");
  EXPECT_EQ(FilesIn(Folder.Path()), (std::set<std::string>{"source.log", "dest.log"}));
}

TEST_F(FileCopyTest, MissingSourceFailsAndCreatesNothing) {
  EXPECT_FALSE(FileCopy(Source, Dest));
  EXPECT_TRUE(FilesIn(Folder.Path()).empty());
}

TEST_F(FileCopyTest, MissingTargetFolderFails) {
  WriteWholeFile(Source, "content");
  EXPECT_FALSE(FileCopy(Source, Folder.File("missing/dest.log")));
  EXPECT_EQ(FilesIn(Folder.Path()), std::set<std::string>{"source.log"});
}

TEST_F(FileCopyTest, TargetThatIsAFolderFailsAndLeavesNoTemporaryFile) {
  WriteWholeFile(Source, "content");
  std::filesystem::create_directory(Dest);
  WriteWholeFile(Folder.File("dest.log/inside.log"), "kept");
  EXPECT_FALSE(FileCopy(Source, Dest));
  EXPECT_EQ(FilesIn(Folder.Path()), (std::set<std::string>{"source.log", "dest.log"}));
  EXPECT_EQ(ReadWholeFile(Folder.File("dest.log/inside.log")), "kept");
}

TEST_F(FileCopyTest, CopyOfAFileOntoItselfKeepsItsContent) {
  WriteWholeFile(Source, "content");
  EXPECT_TRUE(FileCopy(Source, Source));
  EXPECT_EQ(ReadWholeFile(Source), "content");
  EXPECT_EQ(FilesIn(Folder.Path()), std::set<std::string>{"source.log"});
}

TEST_F(FileCopyTest, SystemCopyRefusesToCopyAFileOntoItself) {
  WriteWholeFile(Source, "content");
  EXPECT_FALSE(CopyFileA(Source.c_str(), Source.c_str(), FALSE));
  EXPECT_EQ(ReadWholeFile(Source), "content");
}

TEST_F(FileCopyTest, SystemMoveReplacesOnlyWhenTold) {
  WriteWholeFile(Source, "new");
  WriteWholeFile(Dest, "old");
  EXPECT_FALSE(MoveFileExA(Source.c_str(), Dest.c_str(), 0));
  EXPECT_EQ(ReadWholeFile(Dest), "old");
  EXPECT_TRUE(MoveFileExA(Source.c_str(), Dest.c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(ReadWholeFile(Dest), "new");
  EXPECT_EQ(FilesIn(Folder.Path()), std::set<std::string>{"dest.log"});
}
