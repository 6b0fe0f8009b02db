// A user's path through the options dialog: steps written one a line, as a
// person does them, played on the real dialog of either front end by a
// driver of that toolkit. The transcript tells what the screen showed after
// each step, in the same words on both systems.
#pragma once

#include <string>
#include <vector>

struct TScenario {
  // Whether a device is connected and the advanced options unlocked when
  // the program starts, and the page it opens at.
  bool Device = true;
  bool Advanced = false;
  std::string StartPage = "About ZQTTweaker";
  // The steps' lines, as written.
  std::vector<std::string> Steps;
};

// Reads a scenario: a line "without device", "advanced" or "start <page>"
// sets the start; "#" begins a comment; every other line is a step.
TScenario ParseScenario(const std::string& Text);

struct TScreenRow {
  std::string Caption;
  std::string Value;
  // -1: no check box; 0 or 1: its state.
  int Checked = -1;
  bool Bold = false;
  // What a screen reader names its Value cell.
  std::string Name;
};

// What the screen shows; once the dialog closed, only its exit code.
struct TScreen {
  bool Closed = false;
  int ExitCode = 0;
  std::string Page;
  std::string Tree;
  // The control with the keyboard's focus: "tree", "list", "editor", a
  // button's caption.
  std::string Focus;
  bool ApplyEnabled = false;
  int FocusedRow = -1;
  int SelectedRow = -1;
  int TopRow = -1;
  bool EditorOpen = false;
  std::string EditorText;
  std::string Description;
  // What a screen reader names the tree and the list.
  std::string TreeName;
  std::string ListName;
  std::vector<TScreenRow> Rows;
};

// The steps of a scenario in user terms, on the real dialog of one front
// end; each returns once the events it caused were handled. Message boxes,
// menus and the folder dialog shown meanwhile are read and answered by the
// driver's watcher, which tells of each in Seen.
class TScenarioDriver {
 public:
  enum class TClick { ckSingle, ckDouble, ckCheckBox };

  virtual ~TScenarioDriver() = default;
  virtual void SelectNode(const std::string& Caption) = 0;
  virtual void ClickCell(int Row, int Column, TClick Click) = 0;
  virtual void RightClickRow(int Row) = 0;
  // "F2", "Space", "Return", "Tab", "Escape", "Up", "Down", "Shift+F10",
  // "Menu", "Alt+A".
  virtual void PressKey(const std::string& Key) = 0;
  virtual void Type(const std::string& Text) = 0;
  // Notches of the mouse wheel over the list, down the rows.
  virtual void Scroll(int Notches) = 0;
  virtual void ClickButton(const std::string& Caption) = 0;
  virtual void CloseBox() = 0;
  // Lets every delay the dialog started run out, as a person waiting
  // before the next step.
  virtual void Settle() = 0;
  virtual TScreen Screen() const = 0;

  // The watcher's reports since the last step, in the transcript's words.
  std::vector<std::string> Seen;
  // What the next menu is answered with (empty: it is closed), and the
  // folder the folder dialog is answered with (empty: it is cancelled).
  std::string MenuAnswer;
  std::string FolderAnswer;
};

// The watcher's words for a message box and a menu; Icon is "error" or
// "plain", a disabled menu entry is marked "~", a checked one "[x]", a
// separator is "-".
std::string BoxReport(const std::string& Icon, const std::string& Text,
                      const std::vector<std::string>& Buttons);
std::string MenuReport(const std::vector<std::string>& Entries, const std::string& Chosen);

// Plays the steps on Driver, the dialog being up; the transcript.
// FolderRoot: where "answer folder <name>" points.
std::string PlayScenario(const TScenario& Scenario, TScenarioDriver& Driver,
                         const std::string& FolderRoot);

// Runs the program's dialog with the front end of this system and plays
// the scenario on it; the transcript. Defined by each front end's driver.
std::string PlayInFrontEnd(const TScenario& Scenario, const std::string& FolderRoot);
