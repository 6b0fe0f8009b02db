#include "UserInteraction.h"

#include <cstdio>

namespace {

class TConsoleInteraction : public TUserInteraction {
 public:
  void ShowError(const std::string& Message) override {
    std::fprintf(stderr, "ZQTTweaker: %s\n", Message.c_str());
  }
  void ShowMessage(const std::string& Message) override {
    std::fprintf(stderr, "ZQTTweaker: %s\n", Message.c_str());
  }
  std::string BrowseFolder(const std::string&, DWORD, const std::string&) override {
    return std::string();
  }
};

TConsoleInteraction ConsoleInteraction;
TUserInteraction* CurrentInteraction = &ConsoleInteraction;

}  // namespace

TUserInteraction& UserInteraction() { return *CurrentInteraction; }

TUserInteraction* SetUserInteraction(TUserInteraction* Interaction) {
  TUserInteraction* Previous = CurrentInteraction;
  CurrentInteraction = Interaction ? Interaction : &ConsoleInteraction;
  return Previous;
}
