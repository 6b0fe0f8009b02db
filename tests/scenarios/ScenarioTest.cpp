// Every scenario of this folder, played on this system's front end, gives
// the transcript kept beside it: the same file for both systems, so that
// the two front ends cannot differ, nor drift from it together.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <numeric>

#include "RandomWalk.h"
#include "Scenario.h"
#include "SimulatedDevice.h"
#include "StoredValue.h"
#include "StartedCatalogue.h"
#include "TemporaryRegistry.h"
#include "TweakerPages.h"
#include "ZQTTweakerManager.h"
#include "frTweakOptionsSet.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> ScenarioNames() {
  std::vector<std::string> Names;
  for (const fs::directory_entry& Entry : fs::directory_iterator(ZQT_SCENARIO_FOLDER))
    if (Entry.path().extension() == ".scenario") Names.push_back(Entry.path().stem().string());
  std::sort(Names.begin(), Names.end());
  return Names;
}

std::string ScenarioFile(const std::string& Name, const char* Extension) {
  return (fs::path(ZQT_SCENARIO_FOLDER) / (Name + Extension)).string();
}

std::string ValueText(DWORD Type, const std::string& Bytes) {
  if (Type == REG_DWORD && Bytes.size() == 4)
    return "dword " +
           std::to_string(static_cast<std::int32_t>(
               static_cast<unsigned char>(Bytes[0]) | static_cast<unsigned char>(Bytes[1]) << 8 |
               static_cast<unsigned char>(Bytes[2]) << 16 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(Bytes[3])) << 24));
  return "type " + std::to_string(Type) + ", " + std::to_string(Bytes.size()) + " bytes";
}

// Every value of an option that either registry holds at the end.
std::string RegistryValues(const TSimulatedDevice& Device) {
  std::string Text = "> registry\n";
  for (const TOptionRow& Row : OptionRows()) {
    const std::string Path = PathBelowRoot(Row.Key);
    DWORD Type = REG_NONE;
    std::string Bytes;
    const bool OnDevice = Row.Target == TTweakOptionTarget::otDevice;
    const bool Found = OnDevice
                           ? Device.QueryValue(HKEY_CURRENT_USER, Path, Row.ValueName, Type, Bytes)
                           : QueryRawValue(HKEY_CURRENT_USER, Path, Row.ValueName, Type, Bytes);
    if (Found)
      Text += std::string("  ") + (OnDevice ? "device " : "desktop ") + Row.Id + " = " +
              ValueText(Type, Bytes) + "\n";
  }
  return Text;
}

// Plays Scenario on this system's dialog, from a fresh registry and device
// as the scenario starts them; the transcript with the registry's values.
std::string PlayedHere(const TScenario& Scenario) {
  TTemporaryRegistry Registry;
  TSimulatedDevice Device;
  if (!Scenario.Device) Device.RefuseConnection();
  if (Scenario.Advanced)
    SetRawValue(HKEY_CURRENT_USER, std::string(kSettingsKey).substr(1), kAdvancedValueName,
                REG_DWORD, DwordBytes(1));
  // Changes from the defaults are shown as long as the program runs: each
  // path starts as the program does.
  TfrTweakOptions().SetShowChanges(false);
  TStartedCatalogue Program;
  Program.Start();
  RegisterTweakerPages();
  std::string Transcript = PlayInFrontEnd(Scenario, Registry.Folder().Path().string());
  UnregisterTweakerPages();
  return Transcript + RegistryValues(Device);
}

class ScenarioTest : public ::testing::TestWithParam<std::string> {};

TEST_P(ScenarioTest, PlaysAsItsTranscriptSays) {
  const std::string Transcript =
      PlayedHere(ParseScenario(ReadWholeFile(ScenarioFile(GetParam(), ".scenario"))));
  // Kept for a look, or to become the expected transcript of a new scenario.
  WriteWholeFile(GetParam() + ".transcript", Transcript);
  const std::string Expected = ScenarioFile(GetParam(), ".transcript");
  ASSERT_TRUE(fs::exists(Expected)) << "no transcript beside the scenario; this run's:\n"
                                    << Transcript;
  EXPECT_EQ(ReadWholeFile(Expected), Transcript);
}

// Seeds 1 to ZQT_WALK_SEEDS (30 unless set).
std::vector<unsigned> WalkSeeds() {
  const char* Count = std::getenv("ZQT_WALK_SEEDS");
  std::vector<unsigned> Seeds(Count ? std::stoul(Count) : 30);
  std::iota(Seeds.begin(), Seeds.end(), 1u);
  return Seeds;
}

// A random walk played on this system's dialog; its transcript is kept in
// walks/. Linux plays first: Windows compares its own transcript of each
// walk with the one Linux kept, step by step.
class RandomWalkTest : public ::testing::TestWithParam<unsigned> {};

TEST_P(RandomWalkTest, PlaysAlikeOnBothSystems) {
  const std::string Walk = RandomWalk(GetParam());
  const std::string Transcript = PlayedHere(ParseScenario(Walk));
  const std::string Name = std::to_string(GetParam()) + ".transcript";
  fs::create_directories("walks");
  WriteWholeFile("walks/" + Name, Transcript);
  EXPECT_EQ(std::string::npos, Transcript.find("not a step")) << Walk;
#ifdef ZQT_WALKS_TO_COMPARE
  const fs::path Linux = fs::path(ZQT_WALKS_TO_COMPARE) / Name;
  ASSERT_TRUE(fs::exists(Linux)) << "Linux's walks are played first, into " << Linux.string();
  const std::string Difference = FirstDifference(ReadWholeFile(Linux.string()), Transcript);
  EXPECT_TRUE(Difference.empty()) << "the walk:\n" << Walk << "differs at\n" << Difference;
#endif
}

// The dump reads each option where the option names its key, with or
// without a leading backslash.
TEST(ScenarioRegistryDump, SeesAValueOfEveryOption) {
  TTemporaryRegistry Registry;
  TSimulatedDevice Device;
  for (const TOptionRow& Row : OptionRows()) {
    if (Row.Target == TTweakOptionTarget::otDevice)
      Device.SetValue(HKEY_CURRENT_USER, PathBelowRoot(Row.Key), Row.ValueName, REG_DWORD,
                      DwordBytes(7));
    else
      SetRawValue(HKEY_CURRENT_USER, PathBelowRoot(Row.Key), Row.ValueName, REG_DWORD,
                  DwordBytes(7));
  }
  const std::string Dump = RegistryValues(Device);
  for (const TOptionRow& Row : OptionRows())
    EXPECT_NE(std::string::npos, Dump.find(std::string(" ") + Row.Id + " = dword 7\n")) << Dump;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ScenarioTest, ::testing::ValuesIn(ScenarioNames()),
                         [](const ::testing::TestParamInfo<std::string>& Info) {
                           std::string Name = Info.param;
                           std::replace(Name.begin(), Name.end(), '-', '_');
                           return Name;
                         });
INSTANTIATE_TEST_SUITE_P(Walks, RandomWalkTest, ::testing::ValuesIn(WalkSeeds()));

}  // namespace
