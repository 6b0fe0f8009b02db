// The demo's preparation makes a demo only in a new or empty folder and
// keeps one it made; whatever else it is given it refuses with the reason
// and leaves as it was.
#include <gtest/gtest.h>

#include <filesystem>

#include "ChildProcess.h"
#include "TemporaryFolder.h"

namespace {

namespace fs = std::filesystem;

// Every name below Folder with its file's size: what a removal or a write shows.
std::string Listing(const fs::path& Folder) {
  std::string Text;
  for (const fs::directory_entry& Entry : fs::recursive_directory_iterator(Folder))
    Text += Entry.path().string() + " " +
            std::to_string(Entry.is_regular_file() ? Entry.file_size() : 0) + "\n";
  return Text;
}

TEST(PrepareDemoTest, OnlyANewOrEmptyFolderGetsADemoAndEveryOtherIsLeftAsItWas) {
  TTemporaryFolder Temporary;
  const fs::path Root = Temporary.Path();
  for (const char* Folder : {"docs", "empty", "home", "demo"}) fs::create_directories(Root / Folder);
  WriteWholeFile((Root / "docs/letter.txt").string(), "the user's letter");
  WriteWholeFile((Root / "file").string(), "a file");
  const struct {
    const char* Within;
    std::string Argument;
    int Status;
    std::string Answer;  // a part of what it printed
  } Cases[] = {
      {"", "demo", 0, (Root / "demo").string() + "\n"},
      {"", "demo", 0, (Root / "demo").string() + "\n"},  // kept, with the user's note
      {"", "docs", 1, "docs holds files and no demo: name a new or empty folder"},
      {"", "", 1, "no folder was given"},
      {"empty", ".", 1, "name the demo's own folder, not \".\""},
      {"empty", "..", 1, "name the demo's own folder, not \"..\""},
      {"", "empty/..", 1, "name the demo's own folder, not \"empty/..\""},
      {"", "/", 1, "/ is the root folder"},
      {"", (Root / "home").string(), 1, "home is the home folder"},
      {"", "file", 1, "file is not a folder"},
      {"", "file/demo", 1, "could not prepare the demo in " + (Root / "file/demo").string()},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Argument);
    const std::string Before = Listing(Root);
    TChildProcess Tool("/bin/sh", {"-c", "cd \"$1\" && HOME=\"$3\" exec \"$0\" \"$2\" 2>&1",
                                   PREPARE_DEMO, (Root / Case.Within).string(), Case.Argument,
                                   (Root / "home").string()});
    std::string Output, Line;
    while (Tool.ReadLine(Line)) Output += Line + "\n";
    EXPECT_EQ(Case.Status, Tool.Wait());
    EXPECT_NE(std::string::npos, Output.find(Case.Answer)) << Output;
    if (&Case != &Cases[0]) EXPECT_EQ(Before, Listing(Root));
    WriteWholeFile((Root / "demo/users-note").string(), "kept");
  }
  EXPECT_TRUE(fs::exists(Root / "demo/desktop.db"));
}

}  // namespace
