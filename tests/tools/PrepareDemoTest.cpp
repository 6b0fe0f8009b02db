// The demo's preparation makes a demo only in a new or empty folder of its
// own and keeps one it made; whatever else it is given it refuses with the
// reason and leaves as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ChildProcess.h"
#include "TemporaryFolder.h"

namespace {

namespace fs = std::filesystem;

// Every name below Folder with the size of its file: what a removal or a
// write shows.
std::string Listing(const fs::path& Folder) {
  std::string Text;
  for (const fs::directory_entry& Entry : fs::recursive_directory_iterator(Folder)) {
    Text += Entry.path().string();
    if (Entry.is_regular_file()) Text += " " + std::to_string(Entry.file_size());
    Text += "\n";
  }
  return Text;
}

struct TRun {
  int Status;
  std::string Output;
};

// Runs the tool on Argument in the folder Within, with HOME set to Home;
// its output and error output together.
TRun PrepareDemo(const fs::path& Within, const std::string& Argument, const fs::path& Home) {
  TChildProcess Tool("/bin/sh",
                     {"-c", "cd \"$1\" && HOME=\"$3\" exec \"$0\" \"$2\" 2>&1", PREPARE_DEMO,
                      Within.string(), Argument, Home.string()});
  TRun Run{-1, ""};
  std::string Line;
  while (Tool.ReadLine(Line)) Run.Output += Line + "\n";
  Run.Status = Tool.Wait();
  return Run;
}

TEST(PrepareDemoTest, EveryFolderButANewOrEmptyOneIsRefusedAndLeftAsItWas) {
  TTemporaryFolder Temporary;
  const fs::path Root = Temporary.Path();
  fs::create_directories(Root / "docs");
  WriteWholeFile((Root / "docs/letter.txt").string(), "the user's letter");
  fs::create_directories(Root / "empty");
  fs::create_directories(Root / "home");
  WriteWholeFile((Root / "file").string(), "a file");
  const struct {
    const char* Within;
    std::string Argument;
    std::string Reason;
  } Cases[] = {
      {"", "docs", "docs holds files and no demo: name a new or empty folder"},
      {"", "", "no folder was given"},
      {"empty", ".", "name the demo's own folder, not \".\""},
      {"empty", "..", "name the demo's own folder, not \"..\""},
      {"", "empty/..", "name the demo's own folder, not \"empty/..\""},
      {"", "/", "/ is the root folder"},
      {"", (Root / "home").string(), "home is the home folder"},
      {"", "file", "file is not a folder"},
      {"", "file/demo", "could not prepare the demo in " + (Root / "file/demo").string()},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Argument);
    const std::string Before = Listing(Root);
    const TRun Run = PrepareDemo(Root / Case.Within, Case.Argument, Root / "home");
    EXPECT_EQ(1, Run.Status);
    EXPECT_NE(std::string::npos, Run.Output.find(Case.Reason)) << Run.Output;
    EXPECT_EQ(Before, Listing(Root));
  }
}

TEST(PrepareDemoTest, ADemoIsMadeInAnEmptyFolderAndKeptWithTheUsersChanges) {
  TTemporaryFolder Temporary;
  const fs::path Folder = Temporary.Path() / "demo";
  fs::create_directories(Folder);
  for (int Run = 0; Run < 2; ++Run) {
    const TRun Prepared = PrepareDemo(Temporary.Path(), "demo", Temporary.Path());
    EXPECT_EQ(0, Prepared.Status) << Prepared.Output;
    EXPECT_EQ(Folder.string() + "\n", Prepared.Output);
    EXPECT_TRUE(fs::exists(Folder / "desktop.db"));
    EXPECT_EQ(Run == 1, fs::exists(Folder / "users-note"));
    WriteWholeFile((Folder / "users-note").string(), "kept");
  }
}

}  // namespace
