// The option list: one option set as a grid of "Option" and "Value" with
// check boxes for yes/no options, in-place editing for numbers and the
// focused option's description below. It changes the options' values in
// memory and tells its owner of every change; loading and saving belong to
// the page. A front end draws the grid from the rows and cells given here
// and passes the user's events to the hooks.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "WinCompat.h"

class TTweakOptionItem;
class TTweakOptionSet;
class TOptionCell;

// The notify event of a change: called with the frame as sender.
using TNotifyEvent = std::function<void(const void* Sender)>;

// What the front end's grid is told when the list changes.
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
  static constexpr int DescriptionHeight = 80;
  // A click on the Value cell of the row that already has the focus opens
  // the editor after this pause, in milliseconds; F2 opens it at once.
  static constexpr int EditDelay = 400;
  static const char* const ColumnCaptions[ColumnCount];
  static const char* const DescriptionCaption;
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
  // The text of lbDescription: the focused option's description.
  const std::string& Description() const { return FDescription; }
  // Whether a click on a cell opens its editor after EditDelay: only on
  // the editable Value cell of the row that had the focus before the click.
  bool ClickOpensEditor(int Row, int Column, int FocusedRow) const;
  // The in-place editor asks to close with Text: true when it may close.
  // A text left as it was closes it without a change; a text that is no
  // number is reported and keeps the editor open.
  bool EditorCloses(int Row, int Column, const WideString& OriginalText, const WideString& Text);
  // The editor closed without its text (Escape, or the dialog closing).
  void EditorDropped() { FHoldsRejectedText = false; }
  // The editor is open with a text that was refused: until the user
  // mends or drops it, the page cannot be left.
  bool HoldsRejectedText() const { return FHoldsRejectedText; }

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
  struct TRow {
    TTweakOptionItem* Option = nullptr;
    const TOptionCell* Cell = nullptr;
  };
  const TRow* RowAt(int Row) const;
  void Changed(int Row);
  void Reset(int Row);
  void Notify();

  static inline bool FShowChanges = false;

  TTweakOptionSet* OptionSet = nullptr;
  TNotifyEvent OnOptionChanged;
  std::vector<TRow> FRows;
  std::string FDescription;
  bool FHoldsRejectedText = false;
  TOptionListView* FView = nullptr;
};
