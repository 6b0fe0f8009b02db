// The option list: one option set as a grid of "Option" and "Value" with
// check boxes for yes/no options, in-place editing for numbers and the
// focused option's description below. It changes the options' values in
// memory and tells its owner of every change; loading and saving belong to
// the page. A front end draws the grid from the rows and cells given here
// and passes the user's events to the hooks.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "SheetLayout.h"
#include "WinCompat.h"

class TTweakOptionItem;
class TTweakOptionSet;

// The notify event of a change: called with the frame as sender.
using TNotifyEvent = std::function<void(const void* Sender)>;

// What the front end's grid is told and asked. The list decides every
// rule of the interaction; the grid draws, measures and keeps the editor's
// window.
class TOptionListView {
 public:
  virtual ~TOptionListView() = default;
  // The rows were made anew.
  virtual void RowsChanged() = 0;
  // The cells of one row changed.
  virtual void RowChanged(int Row) = 0;
  virtual void DescriptionChanged() = 0;
  // The row became the focused one.
  virtual void RowFocused(int Row) = 0;
  // Call EditTimerElapsed once after Milliseconds; starting again replaces
  // the wait.
  virtual void StartEditTimer(int Milliseconds) = 0;
  virtual void StopEditTimer() = 0;
  // The in-place editor over the Value cell of Row, holding Text, all of it
  // selected, with the focus.
  virtual void OpenEditor(int Row, const WideString& Text) = 0;
  // What the open editor holds now.
  virtual WideString EditorText() const = 0;
  // The open editor takes the focus back.
  virtual void FocusEditor() = 0;
  virtual void CloseEditor() = 0;
  // Shows ContextMenu(Row) at the row (-1: at the grid's top) and passes
  // the entry chosen to ContextMenuChosen.
  virtual void ShowContextMenu(int Row) = 0;
};

// The keys the list gives a meaning to.
// lkContextMenu: the Menu key or Shift+F10; lkUpDown: the arrow up or down.
enum class TListKey { lkOther, lkF2, lkSpace, lkReturn, lkTab, lkEscape, lkContextMenu, lkUpDown };

// Where the focus went when the editor lost it.
enum class TFocusTarget {
  // Another control of the dialog: the editor is left with its text.
  ftControl,
  // "Cancel", which closes the dialog whatever the editor holds.
  ftCancel,
  // Another button of the dialog, pressed: its click leaves the editor, so
  // a text refused already keeps the focus where the press put it.
  ftButton,
  // Another window (an error box), or none because the dialog closes.
  ftElsewhere
};

// One entry of the grid's context menu; an empty caption is a separator.
struct TMenuEntry {
  std::string Caption;
  bool Enabled = true;
  bool Checked = false;
};

// How a cell's text is drawn.
struct TCellStyle {
  bool Bold = false;
};

class TfrTweakOptions {
 public:
  static constexpr int OptionColumn = 0;
  static constexpr int ValueColumn = 1;
  static constexpr int ColumnCount = 2;
  static constexpr int OptionColumnWidth = 300;
  static constexpr int ValueColumnWidth = 50;
  // Rows leave this much above and below a check box, so that the boxes of
  // adjacent rows never touch.
  static constexpr int CheckBoxGap = 2;
  static constexpr int DescriptionHeight = 80;
  // A click on the Value cell of the row that already has the focus opens
  // the editor after this pause, in milliseconds; F2 opens it at once.
  static constexpr int EditDelay = 400;
  static const char* const ColumnCaptions[ColumnCount];
  static const char* const DescriptionCaption;
  // Where the description sits in its box of BoxWidth by BoxHeight, both
  // in the same pixels as Scale gives.
  static TSheetRect DescriptionPlace(int BoxWidth, int BoxHeight, int (*Scale)(int));
  // The grid's name for assistive technology, which the screen does not
  // show.
  static const char* const GridName;
  // The grid's context menu.
  static const char* const ResetCaption;
  static const char* const ResetAllCaption;
  static const char* const ShowChangesCaption;

  TfrTweakOptions();
  ~TfrTweakOptions();
  TfrTweakOptions(const TfrTweakOptions&) = delete;
  TfrTweakOptions& operator=(const TfrTweakOptions&) = delete;

  // Binds a set (borrowed); its values must be loaded before FillList.
  void SetOptionSet(TTweakOptionSet* Value) { OptionSet = Value; }
  void SetOnOptionChanged(TNotifyEvent Value) { OnOptionChanged = std::move(Value); }
  // The front end's grid (borrowed), told of every change; null for none.
  void SetView(TOptionListView* View) { FView = View; }
  // One row per option of the bound set.
  void FillList();
  int RowCount() const { return static_cast<int>(FRows.size()); }
  // The option a row shows; null for no row.
  TTweakOptionItem* NodeToItem(int Row) const;

  // The grid's hooks.
  void VTVInitNode(int Row);
  WideString VTVGetText(int Row, int Column) const;
  TCellStyle VTVPaintText(int Row, int Column) const;
  bool VTVEditing(int Row, int Column) const;
  // Raises EConvertError for a text that is not a number.
  void VTVNewText(int Row, int Column, const WideString& NewText);
  void VTVChecked(int Row, bool Checked);
  void VTVChange(int Row);

  // Whether the row's Value cell shows a check box, and its state.
  bool HasCheckBox(int Row) const;
  bool IsChecked(int Row) const;
  // The description of a row's option; empty for no row.
  std::string RowDescription(int Row) const;
  // The text of lbDescription: the focused option's description.
  const std::string& Description() const { return FDescription; }
  // The focused row, or -1.
  int FocusedRow() const { return FFocusedRow; }

  // The user's events on the grid.
  // The left button went down on the grid: a pending edit is dropped, the
  // focused row remembered and the open editor left with its text; false
  // when the editor refused its text and the press must go no further.
  bool GridMouseDown();
  // The grid took the keyboard's focus: with no row focused, the first one
  // becomes the focused row, so that the focus shows.
  void GridFocusIn();
  // A single left click on a cell (OnCheckBox: on the check box drawn in
  // it): a check box toggles; on the editable Value cell of the row that
  // had the focus before the press, the editor opens after EditDelay.
  void GridClick(int Row, int Column, bool OnCheckBox);
  // A right-click on Row (-1: the list's empty area), after GridMouseDown
  // let the press go on and the grid took the focus: the row becomes the
  // focused one and its menu shows.
  void GridRightClick(int Row);
  // The second click of a double click, after GridMouseDown: no editor
  // opens, and a check box toggles again.
  void GridDoubleClick(int Row, int Column, bool OnCheckBox);
  void EditTimerElapsed();
  // A key in the grid; true when the list used it. The context menu key
  // shows the menu of the focused row.
  bool GridKeyDown(TListKey Key);
  // The grid is about to scroll: the editor, which does not move with the
  // rows, is left with its text first; false when it refused its text and
  // the rows must stay where they are.
  bool GridScrolled() { return LeaveEditor(); }

  // The user's events on the in-place editor.
  bool EditorOpen() const { return FEditRow >= 0; }
  int EditRow() const { return FEditRow; }
  // A key in the editor; true when the list used it, so that neither the
  // grid nor the dialog ever sees it: Return and Tab leave the editor with
  // its text, Escape drops the edit (the cell shows its value again,
  // nothing is written), the arrows up and down do nothing, and the context
  // menu key leaves the editor with its text, then shows the row's menu.
  bool EditorKeyDown(TListKey Key);
  void EditorFocusLost(TFocusTarget Target);
  // The toolkit closed the editor on its own (the grid went away).
  void EditorDropped() {
    FEditRow = -1;
    FRefusedText.reset();
  }
  // Leaves the open editor with the text it holds now: a text left as it
  // was closes it without a change, a number is taken, and anything else is
  // reported once and keeps the editor open with the focus; false then.
  // True when no editor is open. A page cannot be left while this is false.
  bool LeaveEditor();

  // The context menu for the row under the mouse (-1 for none), and what
  // choosing its entry Index does: "Reset to default", "Reset all options
  // on this page", a separator and "Show changes from defaults".
  enum TMenuItem { miReset, miResetAll, miSeparator, miShowChanges, miCount };
  std::vector<TMenuEntry> ContextMenu(int Row) const;
  void ContextMenuChosen(int Row, int Index);

  // "Reset to default": the row's option takes its default, as an edit.
  void ResetOption(int Row);
  // "Reset all options on this page".
  void ResetAllOptions();
  // "Show changes from defaults", for every list, as long as the program
  // runs: options away from their defaults are drawn in bold and each row
  // has a hint.
  static bool ShowChanges() { return FShowChanges; }
  void SetShowChanges(bool Value);
  // The row's hint while changes are shown: the full caption, the default
  // and where the value lives; empty otherwise.
  std::string Hint(int Row) const;

 private:
  void OpenEditorAt(int Row);
  void CancelEditor();
  void DropPendingEdit();
  void ToggleCheck(int Row);
  void Changed(int Row);
  void Reset(int Row);
  void Notify();

  static inline bool FShowChanges = false;

  TTweakOptionSet* OptionSet = nullptr;
  TNotifyEvent OnOptionChanged;
  // The option each row shows.
  std::vector<TTweakOptionItem*> FRows;
  std::string FDescription;
  TOptionListView* FView = nullptr;
  int FFocusedRow = -1;
  // The row that had the focus when the left button last went down.
  int FFocusedAtPress = -1;
  // The row whose editor the edit delay will open; -1 for none.
  int FPendingEdit = -1;
  // The row whose editor is open and the text it opened with.
  int FEditRow = -1;
  WideString FOriginalText;
  bool FReportingRefusal = false;
  // The editor's text when it was last refused.
  std::optional<WideString> FRefusedText;
};
