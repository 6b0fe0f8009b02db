#include "RandomWalk.h"

#include <cstdint>
#include <functional>
#include <random>
#include <sstream>
#include <vector>

namespace {

// The numbers come straight from the engine, whose sequence the language
// fixes, so that a seed makes the same walk with every standard library.
class TDice {
 public:
  explicit TDice(unsigned Seed) : FEngine(Seed) {}
  int Below(int Count) { return static_cast<int>(FEngine() % static_cast<std::uint32_t>(Count)); }
  template <std::size_t N>
  const char* Pick(const char* const (&Items)[N]) {
    return Items[Below(static_cast<int>(N))];
  }

 private:
  std::mt19937 FEngine;
};

const char* const kPages[] = {"About ZQTTweaker", "ZQT Desktop",     "Desktop UI",   "ZQT PocketPC",
                              "PocketPC UI",      "Troubleshooting", "Debug setting"};
// Return and Escape, which close the dialog from the list, come apart and
// less often, so that most walks go on long.
const char* const kKeys[] = {"F2", "Space",     "Tab",  "Shift+Tab", "Up",
                             "Down", "Shift+F10", "Menu", "Alt+A",     "F2"};
const char* const kClosingKeys[] = {"Return", "Escape"};
// Numbers taken, numbers refused, and the edges of a 32-bit number.
const char* const kTexts[] = {"0",  "12",  "30",    "250",        "1000",       "007",
                              "-1", "1x",  "3q",    "abc",        "-",          "+",
                              "1 2", "2147483647", "-2147483648", "2147483648", "99999999999"};
const char* const kMenuEntries[] = {"Reset to default", "Reset all options on this page",
                                    "Show changes from defaults"};
// A walk's last step may close the dialog with the mouse.
const char* const kEnds[] = {"button OK", "button Cancel", "close", "check"};
const char* const kFolders[] = {"", "."};

// Rows beyond a page's last one are the list's empty area; the only
// number of the common pages is the first row of "Desktop UI", which the
// walks take often.
std::string Row(TDice& Dice) { return std::to_string(Dice.Below(2) ? 0 : Dice.Below(12)); }

struct TStepKind {
  int Weight;
  std::function<std::string(TDice&)> Make;
};

const std::vector<TStepKind>& StepKinds() {
  static const std::vector<TStepKind> Kinds = {
      {4, [](TDice& D) { return "select " + std::string(D.Below(2) ? "Desktop UI" : D.Pick(kPages)); }},
      {6, [](TDice& D) { return "click " + Row(D) + " " + std::to_string(D.Below(2)); }},
      {2, [](TDice& D) { return "double-click " + Row(D) + " " + std::to_string(D.Below(2)); }},
      {3, [](TDice& D) { return "tick " + Row(D); }},
      {3, [](TDice& D) { return "right-click " + Row(D); }},
      {14, [](TDice& D) { return "key " + std::string(D.Pick(kKeys)); }},
      {2, [](TDice& D) { return "key " + std::string(D.Pick(kClosingKeys)); }},
      {9, [](TDice& D) { return "type " + std::string(D.Pick(kTexts)); }},
      {2, [](TDice& D) { return "scroll " + std::to_string(D.Below(2) ? 1 + D.Below(3) : -1 - D.Below(3)); }},
      {3, [](TDice&) { return std::string("button &Apply"); }},
      {1, [](TDice&) { return std::string("button Save all logs to ..."); }},
      {1, [](TDice&) { return std::string("check"); }},
      {3, [](TDice& D) { return "answer menu " + std::string(D.Pick(kMenuEntries)); }},
      {1, [](TDice& D) { return "answer folder " + std::string(D.Pick(kFolders)); }},
  };
  return Kinds;
}

std::string Step(TDice& Dice) {
  int Total = 0;
  for (const TStepKind& Kind : StepKinds()) Total += Kind.Weight;
  int Throw = Dice.Below(Total);
  for (const TStepKind& Kind : StepKinds()) {
    if (Throw < Kind.Weight) return Kind.Make(Dice);
    Throw -= Kind.Weight;
  }
  return "check";
}

// A transcript cut at its steps: each block starts with its "> " line.
std::vector<std::string> Blocks(const std::string& Transcript) {
  std::vector<std::string> Found;
  std::istringstream Lines(Transcript);
  for (std::string Line; std::getline(Lines, Line);) {
    if (Line.starts_with("> ") || Found.empty()) Found.emplace_back();
    Found.back() += Line + "\n";
  }
  return Found;
}

}  // namespace

std::string RandomWalk(unsigned Seed) {
  TDice Dice(Seed);
  std::string Walk = "# random walk " + std::to_string(Seed) + "\n";
  if (Dice.Below(4) == 0) Walk += "without device\n";
  if (Dice.Below(2)) Walk += "advanced\n";
  Walk += "start " + std::string(Dice.Pick(kPages)) + "\n";
  for (int Steps = 19 + Dice.Below(21); Steps > 0; --Steps) Walk += Step(Dice) + "\n";
  return Walk + Dice.Pick(kEnds) + "\n";
}

std::string FirstDifference(const std::string& Linux, const std::string& Windows) {
  const std::vector<std::string> Ours = Blocks(Linux);
  const std::vector<std::string> Theirs = Blocks(Windows);
  for (std::size_t Index = 0; Index < std::max(Ours.size(), Theirs.size()); ++Index) {
    const std::string Left = Index < Ours.size() ? Ours[Index] : "(nothing)\n";
    const std::string Right = Index < Theirs.size() ? Theirs[Index] : "(nothing)\n";
    if (Left != Right) return "Linux:\n" + Left + "Windows:\n" + Right;
  }
  return std::string();
}
