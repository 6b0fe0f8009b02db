// Every registry call of a command over both registries failed in turn, and
// the command ended after every call in turn: as the next command sees it,
// the command wrote all of its values or none, the journal stays exactly
// when a value could not be put back, and every message is true.
#include <algorithm>
#include <sstream>

#include "FaultyZqtTweak.h"
#include "ProcessVariables.h"
#include "TakeBackFixture.h"

namespace {

struct TFaultCase {
  const char* Name;
  bool Reversed;
  // The device refuses every write: the command always puts back.
  bool DeviceRefuses;
};

const TFaultCase kFaultCases[] = {{"DesktopFirst", false, false},
                                  {"DeviceFirstAndRefusing", true, true},
                                  {"DesktopFirstAndRefusing", false, true}};

void PrintTo(const TFaultCase& Case, std::ostream* Out) { *Out << Case.Name; }

// The ids of the lines of Err that begin with Start, up to the next blank.
std::vector<std::string> IdsAfter(const std::string& Err, const std::string& Start) {
  std::vector<std::string> Ids;
  std::istringstream Lines(Err);
  for (std::string Line; std::getline(Lines, Line);)
    if (Line.starts_with(Start))
      Ids.push_back(Line.substr(Start.size(), Line.find(' ', Start.size()) - Start.size()));
  return Ids;
}

class RegistryFaultTest : public TakeBackFixture, public ::testing::WithParamInterface<TFaultCase> {
 protected:
  std::vector<std::string> Command() const {
    std::vector<TWatchedValue> Values = Watched;
    if (GetParam().Reversed) std::reverse(Values.begin(), Values.end());
    return SetCommand(Values);
  }

  // The command with the fault Variable=Call, on the values as they were.
  TProgramRun RunWithFault(const char* Variable, int Call) {
    SetBefore();
    if (GetParam().DeviceRefuses) Device.RefuseRegistryWrites();
    SetProcessVariable(Variable, std::to_string(Call));
    const TProgramRun Run = RunProgram(FaultyZqtTweakProgram(), Command());
    ClearProcessVariable(Variable);
    return Run;
  }

  // The next command takes back what is left, and says so exactly when a
  // journal was left; then the values are all as before or all as written.
  void ExpectTheNextCommandSeesAllOrNothing(bool JournalLeft) {
    Device.AcceptRegistryWrites();
    const TProgramRun Next = Run({"--get", "desktop-sync-log"});
    EXPECT_EQ(0, Next.ExitCode) << Next.Err;
    EXPECT_EQ(JournalLeft, Next.Err.find("its changes were taken back") != std::string::npos)
        << Next.Err;
    EXPECT_FALSE(std::filesystem::exists(JournalFile()));
    const auto [AsBefore, AsWritten] = AsBeforeAndAsWritten();
    EXPECT_TRUE(AsBefore == 6 || AsWritten == 6)
        << AsBefore << " as before, " << AsWritten << " as written";
  }
};

TEST_P(RegistryFaultTest, EachFailedCallLeavesAllOrNothingAndTrueMessages) {
  int Call = 1;
  for (;; ++Call) {
    SCOPED_TRACE("call " + std::to_string(Call) + " failed");
    const TProgramRun Failed = RunWithFault(kFailCallVariable, Call);
    if (Failed.Err.find(kFaultNotReached) != std::string::npos) break;
    ASSERT_EQ(1, Failed.ExitCode) << Failed.Err;
    const std::vector<std::string> NotPutBack = IdsAfter(Failed.Err, "Could not put ");
    const bool JournalKept = Failed.Err.find("The journal ") != std::string::npos;
    EXPECT_EQ(JournalKept, std::filesystem::exists(JournalFile())) << Failed.Err;
    EXPECT_EQ(JournalKept, !NotPutBack.empty() || !IdsAfter(Failed.Err, "Could not read ").empty())
        << Failed.Err;
    if (!JournalKept) {
      EXPECT_EQ(6, AsBeforeAndAsWritten().first) << Failed.Err;
    }
    for (const std::string& Id : NotPutBack)
      EXPECT_NE(Before(WatchedNamed(Id)), Found(WatchedNamed(Id))) << Id;
    ExpectTheNextCommandSeesAllOrNothing(JournalKept);
    if (HasFailure()) return;
  }
  EXPECT_GT(Call, 6) << "calls made";
}

TEST_P(RegistryFaultTest, EndedAfterEachCallItLeavesAllOrNothing) {
  for (int Call = 1;; ++Call) {
    SCOPED_TRACE("ended after call " + std::to_string(Call));
    const TProgramRun Ended = RunWithFault(kEndAtCallVariable, Call);
    if (Ended.Err.find(kFaultNotReached) != std::string::npos) break;
    ASSERT_EQ(kEndedAtCall, Ended.ExitCode) << Ended.Err;
    ExpectTheNextCommandSeesAllOrNothing(std::filesystem::exists(JournalFile()));
    if (HasFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(BothRegistries, RegistryFaultTest, ::testing::ValuesIn(kFaultCases),
                         [](const ::testing::TestParamInfo<TFaultCase>& Info) {
                           return Info.param.Name;
                         });

}  // namespace
