#include "ConsoleInteraction.h"

namespace {

constexpr const char* kProgramName = "zqttweak";

}  // namespace

void TConsoleInteraction::ShowError(const std::string& Message) {
  FErr << kProgramName << ": " << ConsoleText(Message) << std::endl;
}

void TConsoleInteraction::ShowMessage(const std::string& Message) { ShowError(Message); }

std::string TConsoleInteraction::BrowseFolder(const std::string&, DWORD, const std::string&) {
  return std::string();
}

std::string ConsoleText(const std::string& Message) {
  std::string Text;
  for (std::size_t Index = 0; Index < Message.size(); ++Index) {
    Text += Message[Index];
    if (Message.compare(Index, 2, "\n\r") == 0) ++Index;
  }
  return Text;
}
