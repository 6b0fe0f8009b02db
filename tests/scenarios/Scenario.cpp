#include "Scenario.h"

#include <map>
#include <sstream>
#include <stdexcept>

namespace {

std::string Trimmed(const std::string& Text) {
  const auto First = Text.find_first_not_of(" \t\r");
  if (First == std::string::npos) return std::string();
  return Text.substr(First, Text.find_last_not_of(" \t\r") - First + 1);
}

// The first word of a step and what follows it.
std::pair<std::string, std::string> Split(const std::string& Step) {
  const auto Space = Step.find(' ');
  if (Space == std::string::npos) return {Step, std::string()};
  return {Step.substr(0, Space), Trimmed(Step.substr(Space + 1))};
}

std::string OneLine(std::string Text) {
  for (const char* Break : {"\r\n", "\n\r", "\r", "\n"})
    for (auto At = Text.find(Break); At != std::string::npos; At = Text.find(Break, At))
      Text.replace(At, std::string(Break).size(), " | ");
  return Text;
}

// The screen as keyed lines, each shown again when its text changes.
std::map<std::string, std::string> Lines(const TScreen& Screen) {
  std::map<std::string, std::string> Lines;
  if (Screen.Closed) {
    Lines["closed"] = std::to_string(Screen.ExitCode);
    return Lines;
  }
  Lines["page"] = Screen.Page;
  Lines["tree"] = Screen.Tree;
  Lines["focus"] = Screen.Focus;
  Lines["apply"] = Screen.ApplyEnabled ? "enabled" : "disabled";
  Lines["row"] =
      std::to_string(Screen.FocusedRow) + ", selected " + std::to_string(Screen.SelectedRow);
  Lines["top"] = std::to_string(Screen.TopRow);
  Lines["editor"] = Screen.EditorOpen ? "\"" + Screen.EditorText + "\"" : "closed";
  Lines["description"] = OneLine(Screen.Description);
  Lines["names"] = "tree \"" + Screen.TreeName + "\", list \"" + Screen.ListName + "\"";
  for (std::size_t Row = 0; Row < Screen.Rows.size(); ++Row) {
    const TScreenRow& Cells = Screen.Rows[Row];
    std::string Text = Cells.Bold ? "*" : "";
    Text += Cells.Caption + " |";
    if (Cells.Checked >= 0) Text += Cells.Checked ? " [x]" : " [ ]";
    if (!Cells.Value.empty()) Text += " " + Cells.Value;
    if (Cells.Name != Cells.Caption) Text += " (named \"" + Cells.Name + "\")";
    Lines["row " + std::string(Row < 10 ? "0" : "") + std::to_string(Row)] = Text;
  }
  return Lines;
}

// The lines of Now that differ from Before (all of them without Before).
std::string Changes(const std::map<std::string, std::string>& Before,
                    const std::map<std::string, std::string>& Now) {
  std::string Text;
  for (const auto& [Key, Line] : Now)
    if (const auto Old = Before.find(Key); Old == Before.end() || Old->second != Line)
      Text += "  " + Key + ": " + Line + "\n";
  if (Now.count("closed")) return Text;
  for (const auto& [Key, Line] : Before)
    if (!Now.count(Key)) Text += "  " + Key + ": -\n";
  return Text;
}

int Number(const std::string& Word) {
  std::size_t End = 0;
  const int Value = std::stoi(Word, &End);
  if (End != Word.size()) throw std::invalid_argument(Word);
  return Value;
}

// Plays one step; false for a line that is no step.
bool Play(const std::string& Step, TScenarioDriver& Driver, const std::string& FolderRoot) {
  using TClick = TScenarioDriver::TClick;
  const auto [Verb, Rest] = Split(Step);
  const auto [First, Second] = Split(Rest);
  if (Verb == "select")
    Driver.SelectNode(Rest);
  else if (Verb == "click" || Verb == "double-click")
    Driver.ClickCell(Number(First), Number(Second),
                     Verb == "click" ? TClick::ckSingle : TClick::ckDouble);
  else if (Verb == "tick")
    Driver.ClickCell(Number(Rest), 1, TClick::ckCheckBox);
  else if (Verb == "right-click")
    Driver.RightClickRow(Number(Rest));
  else if (Verb == "key")
    Driver.PressKey(Rest);
  else if (Verb == "type")
    Driver.Type(Rest);
  else if (Verb == "scroll")
    Driver.Scroll(Number(Rest));
  else if (Verb == "button")
    Driver.ClickButton(Rest);
  else if (Verb == "close")
    Driver.CloseBox();
  else if (Verb == "answer" && First == "menu")
    Driver.MenuAnswer = Second;
  else if (Verb == "answer" && First == "folder")
    Driver.FolderAnswer = Second.empty() ? std::string() : FolderRoot + "/" + Second;
  else
    return Verb == "check";
  return true;
}

}  // namespace

TScenario ParseScenario(const std::string& Text) {
  TScenario Scenario;
  std::istringstream Stream(Text);
  for (std::string Line; std::getline(Stream, Line);) {
    Line = Trimmed(Line.substr(0, Line.find('#')));
    const auto [Verb, Rest] = Split(Line);
    if (Line.empty())
      continue;
    else if (Line == "without device")
      Scenario.Device = false;
    else if (Line == "advanced")
      Scenario.Advanced = true;
    else if (Verb == "start")
      Scenario.StartPage = Rest;
    else
      Scenario.Steps.push_back(Line);
  }
  return Scenario;
}

std::string BoxReport(const std::string& Icon, const std::string& Text,
                      const std::vector<std::string>& Buttons) {
  std::string Report = "box " + Icon + ": " + OneLine(Text) + " [";
  for (std::size_t Index = 0; Index < Buttons.size(); ++Index) {
    std::string Caption = Buttons[Index];
    std::erase(Caption, '&');
    Report += (Index ? " " : "") + Caption;
  }
  return Report + "]";
}

std::string MenuReport(const std::vector<std::string>& Entries, const std::string& Chosen) {
  std::string Report = "menu:";
  for (const std::string& Entry : Entries) Report += " " + Entry + ";";
  return Report + " chosen: " + (Chosen.empty() ? "none" : Chosen);
}

std::string PlayScenario(const TScenario& Scenario, TScenarioDriver& Driver,
                         const std::string& FolderRoot) {
  Driver.Settle();
  std::map<std::string, std::string> Before = Lines(Driver.Screen());
  std::string Transcript = "> start\n" + Changes({}, Before);
  for (const std::string& Step : Scenario.Steps) {
    Transcript += "> " + Step + "\n";
    if (Before.count("closed")) {
      Transcript += "  the dialog is closed\n";
      break;
    }
    if (!Play(Step, Driver, FolderRoot)) {
      Transcript += "  not a step\n";
      continue;
    }
    Driver.Settle();
    for (const std::string& Report : Driver.Seen) Transcript += "  " + Report + "\n";
    Driver.Seen.clear();
    const std::map<std::string, std::string> Now = Lines(Driver.Screen());
    Transcript += Changes(Step == "check" ? std::map<std::string, std::string>() : Before, Now);
    Before = Now;
  }
  return Transcript;
}
