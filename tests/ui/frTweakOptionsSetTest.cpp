#include <gtest/gtest.h>

#include "RecordingInteraction.h"
#include "TweakOptionsMngr.h"
#include "frTweakOptionsSet.h"
#include "miniUtils.h"

namespace {

using enum TTweakOptionTarget;

WideString Wide(const std::string& Text) { return AnsiToWide(Text, 0); }

// A frame bound to a set of two numbers and two yes/no options.
class OptionGridTest : public ::testing::Test {
 protected:
  OptionGridTest() {
    Set.AddIntOption("Größe", "Delay description", "Key", "Delay", 1000, otDesktop);
    Set.AddBoolOption("Margins", "Margins description", "Key", "Margins", true, otDevice);
    Set.AddIntOption("TTL", "TTL description", "Key", "TTL", 90, otDevice);
    Set.AddBoolOption("Log", "Log description", "Key", "Log", false, otDesktop);
    Frame.SetOptionSet(&Set);
    Frame.SetOnOptionChanged([this](const void* Sender) {
      EXPECT_EQ(&Frame, Sender);
      ++Changes;
    });
    Frame.FillList();
  }
  int Number(int Row) { return dynamic_cast<TTweakOptionItemInt*>(Set.Items(Row))->Value(); }
  bool Flag(int Row) { return dynamic_cast<TTweakOptionItemBool*>(Set.Items(Row))->Value(); }
  // The user types Text into the row's value editor and leaves it; whether
  // the editor closed.
  bool Type(int Row, const std::string& Text) {
    return Frame.EditorCloses(Row, 1, Frame.VTVGetText(Row, 1), Wide(Text));
  }

  TRecordingInteraction Interaction;
  TTweakOptionSet Set;
  TfrTweakOptions Frame;
  int Changes = 0;
};

TEST_F(OptionGridTest, RowsShowCaptionsNumbersAndCheckBoxes) {
  ASSERT_EQ(4, Frame.RowCount());
  EXPECT_EQ(Wide("Größe"), Frame.VTVGetText(0, 0));
  EXPECT_EQ(Wide("1000"), Frame.VTVGetText(0, 1));
  EXPECT_EQ(Wide(""), Frame.VTVGetText(1, 1)) << "a check box alone shows a yes/no value";
  EXPECT_EQ(Wide(""), Frame.VTVGetText(0, 2));
  EXPECT_TRUE(Frame.HasCheckBox(1));
  EXPECT_TRUE(Frame.IsChecked(1));
  EXPECT_TRUE(Frame.HasCheckBox(3));
  EXPECT_FALSE(Frame.IsChecked(3));
  EXPECT_FALSE(Frame.HasCheckBox(0));
  EXPECT_EQ(Set.Items(2), Frame.NodeToItem(2));
  EXPECT_EQ(nullptr, Frame.NodeToItem(4));
  EXPECT_EQ(0, Changes) << "filling the list reports no change";
}

TEST_F(OptionGridTest, TypedNumbersAreStoredAndEachEditIsReported) {
  const std::pair<const char*, int> Cases[] = {
      {" 42 ", 42}, {"-5", -5}, {"0", 0}, {"$10", 16}, {"0x10", 16}};
  int Expected = 0;
  for (const auto& [Text, Value] : Cases) {
    EXPECT_TRUE(Type(0, Text)) << Text;
    EXPECT_EQ(Value, Number(0)) << Text;
    EXPECT_EQ(++Expected, Changes) << Text;
  }
}

TEST_F(OptionGridTest, AChangedTextIsReportedEvenForTheSameNumberAndAnUnchangedOneIsNot) {
  EXPECT_TRUE(Type(2, "90"));
  EXPECT_EQ(0, Changes);
  EXPECT_TRUE(Type(2, "090"));
  EXPECT_EQ(90, Number(2));
  EXPECT_EQ(1, Changes);
}

TEST_F(OptionGridTest, TextThatIsNoNumberIsReportedAndKeepsTheEditorOpen) {
  for (const char* Text : {"abc", "2147483648"}) {
    Interaction.Errors.clear();
    EXPECT_FALSE(Type(0, std::string(" ") + Text)) << Text;
    EXPECT_EQ(std::vector<std::string>{"'" + std::string(Text) + "' is not a valid integer value"},
              Interaction.Errors);
  }
  EXPECT_EQ(1000, Number(0));
  EXPECT_EQ(0, Changes);
}

TEST_F(OptionGridTest, OnlyTheValueOfANumberCanBeEdited) {
  EXPECT_TRUE(Frame.VTVEditing(0, 1));
  EXPECT_FALSE(Frame.VTVEditing(0, 0));
  EXPECT_FALSE(Frame.VTVEditing(1, 1));
  EXPECT_FALSE(Frame.VTVEditing(7, 1));
  Frame.VTVNewText(1, 1, Wide("5"));
  Frame.VTVNewText(0, 0, Wide("5"));
  EXPECT_EQ(1000, Number(0));
  EXPECT_EQ(0, Changes);
  EXPECT_TRUE(Frame.ClickOpensEditor(0, 1, 0));
  EXPECT_FALSE(Frame.ClickOpensEditor(0, 1, 2)) << "only the row that had the focus";
  EXPECT_FALSE(Frame.ClickOpensEditor(1, 1, 1));
}

TEST_F(OptionGridTest, TogglingACheckBoxTwiceReportsTwiceAndLeavesTheOptionUnmodified) {
  Frame.VTVChecked(3, true);
  EXPECT_TRUE(Flag(3));
  EXPECT_TRUE(Frame.IsChecked(3));
  Frame.VTVChecked(3, false);
  EXPECT_FALSE(Flag(3));
  EXPECT_EQ(2, Changes);
  EXPECT_FALSE(dynamic_cast<TTweakOptionItemBool*>(Set.Items(3))->Modified());
  Frame.VTVChecked(0, true);
  EXPECT_EQ(2, Changes) << "a number has no check box";
}

TEST_F(OptionGridTest, TheDescriptionFollowsTheFocusedRowAndAClickedCheckBox) {
  EXPECT_EQ("", Frame.Description());
  Frame.VTVChange(2);
  EXPECT_EQ("TTL description", Frame.Description());
  Frame.VTVChange(-1);
  EXPECT_EQ("TTL description", Frame.Description()) << "no row keeps the text";
  Frame.VTVChecked(3, true);
  EXPECT_EQ("Log description", Frame.Description());
}

TEST(UnboundOptionGridTest, AFrameWithoutASetShowsNoRows) {
  TfrTweakOptions Frame;
  Frame.FillList();
  EXPECT_EQ(0, Frame.RowCount());
  EXPECT_EQ(WideString(), Frame.VTVGetText(0, 0));
}

}  // namespace
