#include <gtest/gtest.h>

#include <tuple>

#include "TestSheets.h"
#include "frmOptionsSheetBase.h"

namespace {

struct TEnumerated {
  std::string ParentName;
  std::string SheetName;
  bool IsGroup;
  bool operator==(const TEnumerated&) const = default;
};

std::vector<TEnumerated> Enumerated() {
  std::vector<TEnumerated> Result;
  EnumOptionsSheets(
      [&](const std::string& ParentName, const std::string& SheetName, TSheetClass SheetClass) {
        Result.push_back({ParentName, SheetName, SheetClass.IsGroup()});
      });
  return Result;
}

std::vector<int> ParentIndexes() {
  std::vector<int> Result;
  for (int Index = 0; SheetList && Index < SheetList->Count(); ++Index)
    Result.push_back(SheetList->Entries(Index).ParentIndex);
  return Result;
}

class PageRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(nullptr, SheetList) << "an earlier test left pages behind"; }
  void TearDown() override { SheetList.reset(); }
};

const auto Group = TSheetClass::Of<TOptionsSheetBase>();
const auto PageA = TSheetClass::Of<TTestSheet<10>>();
const auto PageB = TSheetClass::Of<TTestSheet<11>>();

TEST_F(PageRegistryTest, TheProgramsRegistrationsMakeGroupsBeforeTheirPages) {
  TTestSheetRegistration Registration;
  ASSERT_EQ(7, SheetList->Count());
  EXPECT_EQ((std::vector<int>{-1, -1, 1, -1, 3, -1, 5}), ParentIndexes());
  EXPECT_EQ((std::vector<TEnumerated>{{"", "About ZQTTweaker", false},
                                      {"", "ZQT Desktop", true},
                                      {"ZQT Desktop", "Desktop UI", false},
                                      {"", "ZQT PocketPC", true},
                                      {"ZQT PocketPC", "PocketPC UI", false},
                                      {"", "Troubleshooting", true},
                                      {"Troubleshooting", "Debug setting", false}}),
            Enumerated());
  EXPECT_TRUE(SheetList->Entries(2).SheetClass == TSheetClass::Of<TTestSheet<1>>());
}

TEST_F(PageRegistryTest, ATakenNameIsMadeUnique) {
  EXPECT_EQ("Desktop UI", RegisterOptionsSheet("", "Desktop UI", PageA));
  EXPECT_EQ("Desktop UI-1", RegisterOptionsSheet("", "Desktop UI", PageB));
  EXPECT_EQ("desktop ui-2", RegisterOptionsSheet("", "desktop ui", PageA));
  EXPECT_EQ(3, SheetList->Count());
}

TEST_F(PageRegistryTest, LookupsIgnoreCaseAndSurroundingBlanks) {
  RegisterOptionsSheet("", " Desktop UI\t", PageA);
  EXPECT_EQ(" Desktop UI\t", SheetList->Entries(0).SheetName);
  EXPECT_EQ(0, SheetList->IndexOfName("  desktop ui "));
  EXPECT_EQ(-1, SheetList->IndexOfName("Desktop"));
  EXPECT_THROW(SheetList->Entries(1), Exception);
}

TEST_F(PageRegistryTest, APageTakesOverItsGroupPlaceholderWithItsChildren) {
  RegisterOptionsSheet("Group", "Child", PageA);
  ASSERT_TRUE(SheetList->Entries(0).SheetClass.IsGroup());
  EXPECT_EQ("group", RegisterOptionsSheet("", "group", PageB));
  ASSERT_EQ(2, SheetList->Count());
  EXPECT_TRUE(SheetList->Entries(0).SheetClass == PageB);
  EXPECT_EQ("group", SheetList->Entries(0).SheetName);
  EXPECT_EQ(0, SheetList->Entries(1).ParentIndex);
}

TEST_F(PageRegistryTest, AParentRegisteredLaterIsStillEnumeratedFirst) {
  RegisterOptionsSheet("Group", "Child", PageA);
  RegisterOptionsSheet("Outer", "Group", PageB);
  EXPECT_EQ((std::vector<int>{2, 0, -1}), ParentIndexes());
  EXPECT_EQ((std::vector<TEnumerated>{
                {"", "Outer", true}, {"Outer", "Group", false}, {"Group", "Child", false}}),
            Enumerated());
}

TEST_F(PageRegistryTest, RemovalInReverseOrderTakesGroupsWithTheirLastPage) {
  {
    TTestSheetRegistration Registration;
    UnregisterOptionsSheet("Debug setting");
    EXPECT_EQ(5, SheetList->Count());
    UnregisterOptionsSheet("PocketPC UI");
    EXPECT_EQ(3, SheetList->Count());
    Registration.Names.resize(2);
  }
  EXPECT_EQ(nullptr, SheetList);
  UnregisterOptionsSheet("About ZQTTweaker");
  EXPECT_EQ(nullptr, SheetList);
}

TEST_F(PageRegistryTest, UnknownNamesAreIgnored) {
  UnregisterOptionsSheet("Nothing");
  RegisterOptionsSheet("", "About ZQTTweaker", PageA);
  UnregisterOptionsSheet("Nothing");
  EXPECT_EQ(1, SheetList->Count());
}

TEST_F(PageRegistryTest, RemovalInAnyOrderKeepsTheOtherPagesInPlace) {
  TTestSheetRegistration Registration;
  UnregisterOptionsSheet("Desktop UI");
  UnregisterOptionsSheet("About ZQTTweaker");
  EXPECT_EQ((std::vector<TEnumerated>{{"", "ZQT PocketPC", true},
                                      {"ZQT PocketPC", "PocketPC UI", false},
                                      {"", "Troubleshooting", true},
                                      {"Troubleshooting", "Debug setting", false}}),
            Enumerated());
}

TEST_F(PageRegistryTest, APageRemovedBeforeItsChildrenLeavesAGroup) {
  RegisterOptionsSheet("", "Parent", PageA);
  RegisterOptionsSheet("Parent", "Child", PageB);
  UnregisterOptionsSheet("Parent");
  EXPECT_EQ((std::vector<TEnumerated>{{"", "Parent", true}, {"Parent", "Child", false}}),
            Enumerated());
  UnregisterOptionsSheet("Child");
  EXPECT_EQ(nullptr, SheetList);
}

TEST_F(PageRegistryTest, APageCannotBecomeItsOwnAncestor) {
  RegisterOptionsSheet("Group", "Child", PageA);
  RegisterOptionsSheet("Child", "Grandchild", PageA);
  EXPECT_THROW(RegisterOptionsSheet("Grandchild", "Group", PageB), Exception);
  EXPECT_THROW(RegisterOptionsSheet("Group", "Group", PageB), Exception);
  EXPECT_TRUE(SheetList->Entries(0).SheetClass.IsGroup());
  EXPECT_EQ((std::vector<TEnumerated>{
                {"", "Group", true}, {"Group", "Child", false}, {"Child", "Grandchild", false}}),
            Enumerated());
}

class RecordingOwner : public TOptionsSheetOwner {
 public:
  void SetModified(bool Value) override { Calls.push_back(Value); }
  std::vector<bool> Calls;
};

TEST(BaseSheetTest, EditsReachTheOwnerAndAreRemembered) {
  RecordingOwner Owner;
  TOptionsSheetBase Sheet(&Owner);
  EXPECT_FALSE(Sheet.Modified());
  Sheet.SetModified(false);
  EXPECT_TRUE(Owner.Calls.empty());
  Sheet.MarkModified(nullptr);
  EXPECT_TRUE(Sheet.Modified());
  EXPECT_EQ(std::vector<bool>{true}, Owner.Calls);
  Sheet.Apply();
  EXPECT_TRUE(Sheet.Modified());
  const TSheetLabel* Hint = Sheet.Label("lbSheetBaseLabel");
  ASSERT_NE(nullptr, Hint);
  EXPECT_EQ("Please select a subentry for options", Hint->Caption);
  EXPECT_EQ("OptionsSheetBase", Sheet.Layout().Caption);
  EXPECT_EQ(422, Sheet.Layout().Width);
  EXPECT_EQ(325, Sheet.Layout().Height);
}

TEST(BaseSheetTest, ALabelGrowsToItsTextWrappedDownwardsElseToTheRightNeverShrinking) {
  // Word wrap, the text's size in the front end's font, the label's width
  // and height on screen.
  const std::tuple<bool, TTextSize, int, int> Cases[] = {{false, {200, 15}, 200, 13},
                                                         {false, {100, 15}, 167, 13},
                                                         {true, {167, 39}, 167, 39},
                                                         {true, {167, 10}, 167, 13}};
  for (const auto& [WordWrap, Text, Width, Height] : Cases) {
    TSheetLabel Label;
    Label.WordWrap = WordWrap;
    const TSheetRect Grown =
        LabelPlace(Label, {104, 88, 167, 13}, [&](const TSheetLabel&, int Wrap) {
          EXPECT_EQ(WordWrap ? 167 : 0, Wrap);
          return Text;
        });
    EXPECT_EQ((std::vector<int>{104, 88, Width, Height}),
              (std::vector<int>{Grown.Left, Grown.Top, Grown.Width, Grown.Height}));
  }
}

}  // namespace
