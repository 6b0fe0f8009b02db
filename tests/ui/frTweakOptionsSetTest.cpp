#include <gtest/gtest.h>

#include <functional>

#include "RecordingInteraction.h"
#include "RecordingListView.h"
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
    Frame.SetView(&View);
    Frame.SetOnOptionChanged([this](const void* Sender) {
      EXPECT_EQ(&Frame, Sender);
      ++Changes;
    });
    Frame.FillList();
  }
  int Number(int Row) { return dynamic_cast<TTweakOptionItemInt*>(Set.Items(Row))->Value(); }
  bool Flag(int Row) { return dynamic_cast<TTweakOptionItemBool*>(Set.Items(Row))->Value(); }
  // The user opens the row's editor with F2 and types Text into it.
  void Edit(int Row, const std::string& Text) {
    Frame.VTVChange(Row);
    EXPECT_TRUE(Frame.GridKeyDown(TListKey::lkF2));
    ASSERT_EQ(Row, View.EditorRow);
    View.EditorText_ = Wide(Text);
  }
  // ... and presses Return; whether the editor closed.
  bool Type(int Row, const std::string& Text) {
    Edit(Row, Text);
    EXPECT_TRUE(Frame.EditorKeyDown(TListKey::lkReturn));
    return !Frame.EditorOpen() && View.EditorRow == -1;
  }
  // A single click on a cell, as the grid reports it.
  void Click(int Row, int Column, bool OnCheckBox = false) {
    EXPECT_TRUE(Frame.GridMouseDown());
    Frame.VTVChange(Row);
    Frame.GridClick(Row, Column, OnCheckBox);
  }

  TRecordingInteraction Interaction;
  TRecordingListView View;
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

TEST_F(OptionGridTest, TextThatIsNoNumberIsReportedAndKeepsTheEditorOpenWithTheFocus) {
  for (const char* Text : {"abc", "2147483648"}) {
    Interaction.Errors.clear();
    Frame.EditorKeyDown(TListKey::lkEscape);
    EXPECT_FALSE(Type(0, std::string(" ") + Text)) << Text;
    EXPECT_EQ(std::vector<std::string>{"'" + std::string(Text) + "' is not a valid integer value"},
              Interaction.Errors);
    EXPECT_EQ(0, View.EditorRow) << "the editor keeps the text";
  }
  EXPECT_EQ(2, View.EditorFocused);
  Frame.EditorFocusLost(TFocusTarget::ftControl);
  EXPECT_EQ(1u, Interaction.Errors.size()) << "the focus moving on tells nothing new";
  EXPECT_EQ(3, View.EditorFocused);
  Frame.EditorFocusLost(TFocusTarget::ftButton);
  EXPECT_EQ(3, View.EditorFocused) << "a pressed button keeps the focus for its click";
  EXPECT_FALSE(Frame.GridScrolled()) << "the rows stay under the refused text";
  EXPECT_EQ(2u, Interaction.Errors.size());
  Interaction.Errors.pop_back();
  EXPECT_FALSE(Frame.GridMouseDown()) << "a press on the grid goes no further";
  EXPECT_EQ(2u, Interaction.Errors.size());
  EXPECT_EQ(1000, Number(0));
  EXPECT_EQ(0, Changes);
  View.EditorText_ = Wide("7");
  EXPECT_TRUE(Frame.LeaveEditor());
  EXPECT_EQ(7, Number(0));
}

// How the editor ends: which keys and which focus losses take its text.
TEST_F(OptionGridTest, ReturnTabAndFocusLossToAControlTakeTheTextEscapeCancelOrElsewhereKeep) {
  struct TCase {
    const char* Name;
    std::function<void(TfrTweakOptions&)> Ends;
    bool Open;
    int Value;
  };
  const TCase Cases[] = {
      {"Return", [](TfrTweakOptions& F) { EXPECT_TRUE(F.EditorKeyDown(TListKey::lkReturn)); },
       false, 5},
      {"Tab", [](TfrTweakOptions& F) { EXPECT_TRUE(F.EditorKeyDown(TListKey::lkTab)); }, false, 5},
      {"focus to a control", [](TfrTweakOptions& F) { F.EditorFocusLost(TFocusTarget::ftControl); },
       false, 5},
      {"focus to a button", [](TfrTweakOptions& F) { F.EditorFocusLost(TFocusTarget::ftButton); },
       false, 5},
      {"Escape", [](TfrTweakOptions& F) { EXPECT_TRUE(F.EditorKeyDown(TListKey::lkEscape)); },
       false, 1000},
      {"focus to Cancel", [](TfrTweakOptions& F) { F.EditorFocusLost(TFocusTarget::ftCancel); },
       true, 1000},
      {"focus elsewhere", [](TfrTweakOptions& F) { F.EditorFocusLost(TFocusTarget::ftElsewhere); },
       true, 1000},
      {"a letter", [](TfrTweakOptions& F) { EXPECT_FALSE(F.EditorKeyDown(TListKey::lkOther)); },
       true, 1000},
  };
  for (const TCase& Case : Cases) {
    Edit(0, "5");
    Case.Ends(Frame);
    EXPECT_EQ(Case.Open, Frame.EditorOpen()) << Case.Name;
    EXPECT_EQ(Case.Open ? 0 : -1, View.EditorRow) << Case.Name;
    EXPECT_EQ(Case.Value, Number(0)) << Case.Name;
    Frame.EditorKeyDown(TListKey::lkEscape);
    Frame.VTVNewText(0, 1, Wide("1000"));
  }
  EXPECT_TRUE(Interaction.Errors.empty());
}

TEST_F(OptionGridTest, AClickOnTheFocusedNumberOpensItsEditorAfterThePause) {
  Frame.VTVChange(0);
  Click(0, 1);
  EXPECT_EQ(TfrTweakOptions::EditDelay, View.EditTimer);
  EXPECT_EQ(-1, View.EditorRow) << "not before the pause";
  Frame.EditTimerElapsed();
  EXPECT_EQ(0, View.EditorRow);
  EXPECT_EQ(Wide("1000"), View.EditorText_);
  Frame.EditorKeyDown(TListKey::lkEscape);

  const std::pair<int, int> NoEditor[] = {{2, 1}, {0, 0}, {1, 1}};
  for (const auto& [Row, Column] : NoEditor) {
    View.EditTimer = 0;
    Click(Row, Column);
    EXPECT_EQ(0, View.EditTimer) << Row << "," << Column << ": not focused before, or not a number";
  }
  Click(2, 1);
  Frame.GridDoubleClick(2, 1, false);
  EXPECT_EQ(0, View.EditTimer) << "a double click drops the pending edit";
  Frame.EditTimerElapsed();
  EXPECT_EQ(-1, View.EditorRow);

  Click(0, 1);
  Frame.VTVChange(2);
  Frame.EditTimerElapsed();
  EXPECT_EQ(-1, View.EditorRow) << "the keyboard left the row before the pause ended";
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
  Frame.VTVChange(1);
  EXPECT_FALSE(Frame.GridKeyDown(TListKey::lkF2));
  EXPECT_EQ(-1, View.EditorRow);
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
  Frame.VTVChange(3);
  EXPECT_TRUE(Frame.GridKeyDown(TListKey::lkSpace));
  EXPECT_TRUE(Flag(3)) << "Space toggles the focused check box";
}

TEST_F(OptionGridTest, AClickOnACheckBoxTogglesItEachClickOfADoubleClickToo) {
  struct TCase {
    const char* Name;
    int Row;
    bool OnCheckBox;
    bool Double;
    bool Ticked;
  };
  const TCase Cases[] = {{"on the box", 3, true, false, true},
                         {"beside the box", 3, false, false, false},
                         {"twice, as a double click", 3, true, true, false},
                         {"on a number", 0, true, false, false}};
  for (const TCase& Case : Cases) {
    Frame.VTVChecked(3, false);
    Click(Case.Row, 1, Case.OnCheckBox);
    if (Case.Double) {
      EXPECT_TRUE(Frame.GridMouseDown());
      Frame.GridDoubleClick(Case.Row, 1, Case.OnCheckBox);
    }
    EXPECT_EQ(Case.Ticked, Flag(3)) << Case.Name;
  }
}

TEST_F(OptionGridTest, TheContextMenuOffersWhatTheRowUnderTheMouseAllows) {
  const std::vector<TMenuEntry> Menu = Frame.ContextMenu(0);
  ASSERT_EQ(4u, Menu.size());
  EXPECT_EQ("Reset to default", Menu[TfrTweakOptions::miReset].Caption);
  EXPECT_EQ("", Menu[TfrTweakOptions::miSeparator].Caption);
  EXPECT_FALSE(Frame.ContextMenu(-1)[TfrTweakOptions::miReset].Enabled) << "no row, no reset";
  Frame.VTVNewText(0, 1, Wide("5"));
  Frame.ContextMenuChosen(-1, TfrTweakOptions::miReset);
  EXPECT_EQ(5, Number(0)) << "a disabled entry does nothing";
  Frame.VTVChange(2);
  EXPECT_TRUE(Frame.GridKeyDown(TListKey::lkContextMenu));
  EXPECT_EQ(2, View.MenuRow) << "the menu key shows the focused row's menu";
}

TEST_F(OptionGridTest, TheDescriptionFollowsTheFocusedRowFirstFocusedAsTheGridTakesTheFocus) {
  EXPECT_EQ("", Frame.Description());
  Frame.GridFocusIn();
  EXPECT_EQ("Delay description", Frame.Description());
  Frame.VTVChange(2);
  EXPECT_EQ("TTL description", Frame.Description());
  Frame.GridFocusIn();
  EXPECT_EQ(2, Frame.FocusedRow()) << "a focused row keeps the focus";
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
  Frame.GridFocusIn();
  EXPECT_EQ(-1, Frame.FocusedRow());
}

}  // namespace
