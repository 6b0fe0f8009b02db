#include <set>

#include "OptionTestFixture.h"
#include "ZQTTweakerManager.h"

namespace {

using enum TTweakOptionTarget;

// "<value name>@<key>", "b" or "i" for the kind, "d" or "p" for desktop or
// device: enough to tell every option of the catalogue apart.
std::vector<std::string> Describe(const TTweakOptionSet& Set) {
  std::vector<std::string> Rows;
  for (int Index = 0; Index < Set.Count(); ++Index) {
    const TTweakOptionItem* Item = Set.Items(Index);
    Rows.push_back(std::string(dynamic_cast<const TTweakOptionItemBool*>(Item) ? "b " : "i ") +
                   (Item->Target == otDesktop ? "d " : "p ") + Item->ValueName + "@" + Item->Key);
  }
  return Rows;
}

const std::vector<std::string> kDesktopSet = {
    "i d DragDropExpandCollapseInterval@Software\\Quorvanta\\Velora\\Settings"};
const std::vector<std::string> kPocketPCSet = {"b p UseMargins@\\Software\\ZQT\\ZQT\\Appearance",
                                               "b p DisableSIP@\\Software\\ZQT\\ZQT\\MainForm"};
const std::string kDebugRows[] = {"b d LogEnabled@\\Software\\Quorvanta\\Velora\\WMSync",
                                  "b d KeepTempFiles@\\Software\\ZQT\\Sync",
                                  "b d EnableTraceWindow@\\Software\\ZQT\\Sync",
                                  "b d ShowItemModifStampInUI@\\Software\\Quorvanta\\Debug",
                                  "b p LogEnabled@\\Software\\ZQT\\ZQT\\Appearance",
                                  "b p LogEnabled@\\Software\\ZQT\\ZQTRemindSvc",
                                  "b p ExtraLogging@\\Software\\ZQT\\ZQTRemindSvc",
                                  "b p RTELogEnabled@\\Software\\ZQT\\ZQT",
                                  "b p EnableCSVImportExport@\\Software\\ZQT\\ZQT\\MainForm",
                                  "i p DeletedItemsTTL@\\Software\\ZQT\\ZQT\\MainForm",
                                  "b p KeepTempFiles@\\Software\\ZQT\\Sync\\Mappings",
                                  "b p ShowTaskStamps@\\Software\\ZQT\\ZQT\\Appearance"};

std::vector<std::string> DebugRows(std::initializer_list<int> Numbers) {
  std::vector<std::string> Rows;
  for (int Number : Numbers) Rows.push_back(kDebugRows[Number - 1]);
  return Rows;
}

struct TCatalogueCase {
  bool Connected;
  bool Advanced;
  std::vector<std::string> PocketPC;
  std::vector<std::string> Debugging;
};

// Tests are listed under the case's name rather than its bytes.
std::string CaseName(const TCatalogueCase& Case) {
  return std::string(Case.Connected ? "Device" : "NoDevice") +
         (Case.Advanced ? "Advanced" : "Basic");
}
void PrintTo(const TCatalogueCase& Case, std::ostream* Out) { *Out << CaseName(Case); }

class CatalogueTest : public OptionTestFixture,
                      public ::testing::WithParamInterface<TCatalogueCase> {};

TEST_P(CatalogueTest, TheDeviceAndTheAdvancedSwitchDecideWhichOptionsExist) {
  const TCatalogueCase& Case = GetParam();
  if (!Case.Connected) Device.RefuseConnection();
  if (Case.Advanced) RegWriteBool(kSettingsKey, kAdvancedValueName, true);
  Connect();
  ASSERT_EQ(Case.Connected, Rapi->Connected());
  TZQTTweakOptionsManager Catalogue;
  Catalogue.BuildOptions(&Desktop, Rapi.get());
  EXPECT_EQ(&Desktop, Catalogue.RegistryManager);
  EXPECT_EQ(Rapi.get(), Catalogue.RapiManager);
  EXPECT_EQ(kDesktopSet, Describe(Catalogue.DesktopUIOptions));
  EXPECT_EQ(Case.PocketPC, Describe(Catalogue.PocketPCUIOptions));
  EXPECT_EQ(Case.Debugging, Describe(Catalogue.DebuggingOptions));
}

INSTANTIATE_TEST_SUITE_P(
    FourCombinations, CatalogueTest,
    ::testing::Values(TCatalogueCase{false, false, {}, DebugRows({1})},
                      TCatalogueCase{false, true, {}, DebugRows({1, 2, 3, 4})},
                      TCatalogueCase{true, false, kPocketPCSet, DebugRows({1, 5, 6, 7, 8})},
                      TCatalogueCase{true, true, kPocketPCSet,
                                     DebugRows({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})}),
    [](const ::testing::TestParamInfo<TCatalogueCase>& Info) { return CaseName(Info.param); });

class AdvancedSwitchTest : public OptionTestFixture {
 protected:
  int DebuggingOptionsWith(DWORD Type, const std::string& Bytes) {
    SetRawValue(HKEY_CURRENT_USER, Relative(kSettingsKey), kAdvancedValueName, Type, Bytes);
    Device.RefuseConnection();
    Connect();
    TZQTTweakOptionsManager Catalogue;
    Catalogue.BuildOptions(&Desktop, Rapi.get());
    return Catalogue.DebuggingOptions.Count();
  }
};

TEST_F(AdvancedSwitchTest, ZeroIsOff) {
  EXPECT_EQ(1, DebuggingOptionsWith(REG_DWORD, DwordBytes(0)));
}

TEST_F(AdvancedSwitchTest, AnyOtherNumberIsOn) {
  EXPECT_EQ(4, DebuggingOptionsWith(REG_DWORD, DwordBytes(7)));
}

TEST_F(AdvancedSwitchTest, AValueOfAnotherTypeIsOff) {
  EXPECT_EQ(1, DebuggingOptionsWith(REG_SZ, std::string("1\0", 2)));
}

TEST_F(AdvancedSwitchTest, BuildingTheCatalogueLeavesTheDesktopManagerAlone) {
  ASSERT_TRUE(Desktop.OpenKeyMode("\\Software\\ZQT\\Sync", false, true));
  DebuggingOptionsWith(REG_DWORD, DwordBytes(1));
  EXPECT_EQ("Software\\ZQT\\Sync", Desktop.CurrentPath());
}

TEST_F(OptionTestFixture, WithoutADeviceManagerOnlyTheDesktopOptionsExist) {
  TZQTTweakOptionsManager Catalogue;
  Catalogue.BuildOptions(&Desktop, nullptr);
  EXPECT_EQ(0, Catalogue.PocketPCUIOptions.Count());
  EXPECT_EQ(1, Catalogue.DebuggingOptions.Count());
  const TTweakOptionItem* Delay = Catalogue.DesktopUIOptions.Items(0);
  EXPECT_EQ("Expand/collapse delay when drag&drop in outline (ms)", Delay->Caption);
  EXPECT_EQ(' ', Delay->Description.back());
  EXPECT_EQ(1000, dynamic_cast<const TTweakOptionItemInt*>(Delay)->Value());
}

TEST_F(OptionTestFixture, ConnectedAdvancedCatalogueSpellsTheDeviceTexts) {
  RegWriteBool(kSettingsKey, kAdvancedValueName, true);
  Connect();
  TZQTTweakOptionsManager Catalogue;
  Catalogue.BuildOptions(&Desktop, Rapi.get());
  const TTweakOptionItem* Csv = Catalogue.DebuggingOptions.Items(8);
  EXPECT_EQ("ZQT-PocketPC: export/Improt to CSV debug menu", Csv->Caption);
  EXPECT_EQ("Enables \"Import from CSV\" / \"Export to CSV\" items in the ZQT main menu",
            Csv->Description);
  EXPECT_TRUE(
      dynamic_cast<const TTweakOptionItemBool*>(Catalogue.PocketPCUIOptions.Items(0))->Value());
  EXPECT_EQ(90,
            dynamic_cast<const TTweakOptionItemInt*>(Catalogue.DebuggingOptions.Items(9))->Value());
}

TEST_F(OptionTestFixture, EveryOptionOfTheRunIsFoundUnderItsOwnId) {
  RegWriteBool(kSettingsKey, kAdvancedValueName, true);
  Connect();
  TZQTTweakOptionsManager Catalogue;
  Catalogue.BuildOptions(&Desktop, Rapi.get());
  std::set<std::string> Ids;
  for (const TOptionRow& Row : OptionRows()) {
    EXPECT_TRUE(Ids.insert(Row.Id).second) << Row.Id;
    const TTweakOptionItem* Option = Catalogue.OptionById(Row.Id);
    ASSERT_NE(nullptr, Option) << Row.Id;
    EXPECT_EQ(Row.Key, Option->Key);
    EXPECT_EQ(Row.ValueName, Option->ValueName);
    EXPECT_EQ(Row.Target, Option->Target);
  }
  EXPECT_EQ(15u, Ids.size());
  EXPECT_EQ(nullptr, Catalogue.OptionById("margins"));
}

}  // namespace
