#include "frTweakOptionsSet.h"

#include <string>
#include <utility>

#include "IntegerConversion.h"
#include "TweakOptionsMngr.h"
#include "UserInteraction.h"
#include "miniUtils.h"

// How the Value cell shows and edits one kind of option. A row's kind is
// decided once, when the row is initialised (CellOf).
class TOptionCell {
 public:
  virtual ~TOptionCell() = default;
  virtual bool HasCheckBox() const { return false; }
  virtual bool IsChecked(const TTweakOptionItem&) const { return false; }
  virtual void SetChecked(TTweakOptionItem&, bool) const {}
  virtual std::string Text(const TTweakOptionItem&) const { return std::string(); }
  virtual bool Editable() const { return false; }
  // Raises EConvertError for a text the option cannot take.
  virtual void SetText(TTweakOptionItem&, const std::string&) const {}
  virtual bool IsDefault(const TTweakOptionItem&) const { return true; }
  virtual void Reset(TTweakOptionItem&) const {}
  virtual std::string DefaultText(const TTweakOptionItem&) const { return std::string(); }
};

namespace {

// A cell of options of the class TItem.
template <class TItem>
class TCellOf : public TOptionCell {
 public:
  bool IsDefault(const TTweakOptionItem& Option) const override { return Of(Option).IsDefault(); }
  void Reset(TTweakOptionItem& Option) const override { Of(Option).ResetToDefault(); }

 protected:
  static const TItem& Of(const TTweakOptionItem& Option) {
    return static_cast<const TItem&>(Option);
  }
  static TItem& Of(TTweakOptionItem& Option) { return static_cast<TItem&>(Option); }
};

// A yes/no option: a check box alone shows the value.
class TBoolCell : public TCellOf<TTweakOptionItemBool> {
 public:
  bool HasCheckBox() const override { return true; }
  bool IsChecked(const TTweakOptionItem& Option) const override { return Of(Option).Value(); }
  void SetChecked(TTweakOptionItem& Option, bool Checked) const override {
    Of(Option).SetValue(Checked);
  }
  std::string DefaultText(const TTweakOptionItem& Option) const override {
    return Of(Option).DefaultValue() ? "checked" : "unchecked";
  }
};

// A number: shown in decimal and edited in place.
class TIntCell : public TCellOf<TTweakOptionItemInt> {
 public:
  std::string Text(const TTweakOptionItem& Option) const override {
    return std::to_string(Of(Option).Value());
  }
  bool Editable() const override { return true; }
  void SetText(TTweakOptionItem& Option, const std::string& Text) const override {
    Of(Option).SetValue(StrToInt(Text));
  }
  std::string DefaultText(const TTweakOptionItem& Option) const override {
    return std::to_string(Of(Option).DefaultValue());
  }
};

const TBoolCell BoolCell;
const TIntCell IntCell;
const TOptionCell NoCell;

const TOptionCell& CellOf(const TTweakOptionItem* Option) {
  if (dynamic_cast<const TTweakOptionItemBool*>(Option)) return BoolCell;
  if (dynamic_cast<const TTweakOptionItemInt*>(Option)) return IntCell;
  return NoCell;
}

}  // namespace

const char* const TfrTweakOptions::ColumnCaptions[ColumnCount] = {"Option", "Value"};
const char* const TfrTweakOptions::DescriptionCaption = "Option description";
const char* const TfrTweakOptions::GridName = "Options";
const char* const TfrTweakOptions::ResetCaption = "Reset to default";
const char* const TfrTweakOptions::ResetAllCaption = "Reset all options on this page";
const char* const TfrTweakOptions::ShowChangesCaption = "Show changes from defaults";

TfrTweakOptions::TfrTweakOptions() = default;
TfrTweakOptions::~TfrTweakOptions() = default;

void TfrTweakOptions::FillList() {
  CancelEditor();
  FFocusedRow = -1;
  FRows.assign(OptionSet ? OptionSet->Count() : 0, TRow{});
  for (int Row = 0; Row < RowCount(); ++Row) VTVInitNode(Row);
  if (FView) FView->RowsChanged();
}

const TfrTweakOptions::TRow* TfrTweakOptions::RowAt(int Row) const {
  return Row >= 0 && Row < RowCount() ? &FRows[Row] : nullptr;
}

TTweakOptionItem* TfrTweakOptions::NodeToItem(int Row) const {
  const TRow* Found = RowAt(Row);
  return Found ? Found->Option : nullptr;
}

void TfrTweakOptions::VTVInitNode(int Row) {
  TTweakOptionItem* Option =
      OptionSet && Row < OptionSet->Count() ? OptionSet->Items(Row) : nullptr;
  FRows[Row] = TRow{Option, &CellOf(Option)};
}

WideString TfrTweakOptions::VTVGetText(int Row, int Column) const {
  const TRow* Found = RowAt(Row);
  if (!Found || !Found->Option) return WideString();
  if (Column == OptionColumn) return AnsiToWide(Found->Option->Caption, 0);
  if (Column == ValueColumn) return AnsiToWide(Found->Cell->Text(*Found->Option), 0);
  return WideString();
}

TCellStyle TfrTweakOptions::VTVPaintText(int Row, int) const {
  // Every cell keeps the grid's font and colours, unless changes from the
  // defaults are shown: then an option away from its default is bold.
  const TRow* Found = RowAt(Row);
  TCellStyle Style;
  Style.Bold = FShowChanges && Found && Found->Option && !Found->Cell->IsDefault(*Found->Option);
  return Style;
}

bool TfrTweakOptions::VTVEditing(int Row, int Column) const {
  const TRow* Found = RowAt(Row);
  return Column == ValueColumn && Found && Found->Option && Found->Cell->Editable();
}

void TfrTweakOptions::VTVNewText(int Row, int Column, const WideString& NewText) {
  if (!VTVEditing(Row, Column)) return;
  FRows[Row].Cell->SetText(*FRows[Row].Option, WideToAnsi(NewText, 0));
  Changed(Row);
}

void TfrTweakOptions::VTVChecked(int Row, bool Checked) {
  if (!HasCheckBox(Row)) return;
  FRows[Row].Cell->SetChecked(*FRows[Row].Option, Checked);
  // A click on a check box also focuses its row.
  VTVChange(Row);
  if (FView) FView->RowFocused(Row);
  Changed(Row);
}

void TfrTweakOptions::VTVChange(int Row) {
  FFocusedRow = Row;
  if (NodeToItem(Row)) {
    FDescription = RowDescription(Row);
    if (FView) FView->DescriptionChanged();
  }
}

bool TfrTweakOptions::HasCheckBox(int Row) const {
  const TRow* Found = RowAt(Row);
  return Found && Found->Option && Found->Cell->HasCheckBox();
}

bool TfrTweakOptions::IsChecked(int Row) const {
  return HasCheckBox(Row) && FRows[Row].Cell->IsChecked(*FRows[Row].Option);
}

std::string TfrTweakOptions::RowDescription(int Row) const {
  const TTweakOptionItem* Option = NodeToItem(Row);
  return Option ? Option->Description : std::string();
}

bool TfrTweakOptions::GridMouseDown() {
  DropPendingEdit();
  FFocusedAtPress = FFocusedRow;
  return LeaveEditor();
}

void TfrTweakOptions::GridFocusIn() {
  if (FFocusedRow >= 0 || RowCount() == 0) return;
  VTVChange(0);
  if (FView) FView->RowFocused(0);
}

void TfrTweakOptions::GridClick(int Row, int Column) {
  if (Row != FFocusedAtPress || !VTVEditing(Row, Column)) return;
  FPendingEdit = Row;
  if (FView) FView->StartEditTimer(EditDelay);
}

void TfrTweakOptions::EditTimerElapsed() {
  const int Row = std::exchange(FPendingEdit, -1);
  if (Row >= 0 && Row == FFocusedRow) OpenEditorAt(Row);
}

void TfrTweakOptions::DropPendingEdit() {
  if (FPendingEdit < 0) return;
  FPendingEdit = -1;
  if (FView) FView->StopEditTimer();
}

bool TfrTweakOptions::GridKeyDown(TListKey Key) {
  if (Key == TListKey::lkF2 && VTVEditing(FFocusedRow, ValueColumn)) {
    OpenEditorAt(FFocusedRow);
    return true;
  }
  if (Key == TListKey::lkSpace && HasCheckBox(FFocusedRow)) {
    ToggleCheck(FFocusedRow);
    return true;
  }
  return false;
}

void TfrTweakOptions::ToggleCheck(int Row) { VTVChecked(Row, !IsChecked(Row)); }

void TfrTweakOptions::OpenEditorAt(int Row) {
  if (EditorOpen() || !VTVEditing(Row, ValueColumn)) return;
  DropPendingEdit();
  FEditRow = Row;
  FOriginalText = VTVGetText(Row, ValueColumn);
  if (FView) FView->OpenEditor(Row, FOriginalText);
}

bool TfrTweakOptions::EditorKeyDown(TListKey Key) {
  switch (Key) {
    case TListKey::lkReturn:
    case TListKey::lkTab:
      LeaveEditor();
      return true;
    case TListKey::lkEscape:
      CancelEditor();
      return true;
    default:
      return false;
  }
}

void TfrTweakOptions::EditorFocusLost(TFocusTarget Target) {
  if (Target != TFocusTarget::ftControl) return;
  // The focus moving on after a refusal (a tree takes it even when its
  // selection stayed) tells nothing new: the editor takes the focus back.
  if (FView && FRefusedText && *FRefusedText == FView->EditorText()) {
    FView->FocusEditor();
    return;
  }
  LeaveEditor();
}

bool TfrTweakOptions::LeaveEditor() {
  if (!EditorOpen()) return true;
  // The error box lets events through; none of them leaves the editor
  // while its text is being reported.
  if (FReportingRefusal) return false;
  const WideString Text = FView ? FView->EditorText() : FOriginalText;
  try {
    if (Text != FOriginalText) VTVNewText(FEditRow, ValueColumn, Text);
  } catch (const EConvertError& Error) {
    FRefusedText = Text;
    FReportingRefusal = true;
    UserInteraction().ShowError(Error.what());
    FReportingRefusal = false;
    if (FView && EditorOpen()) FView->FocusEditor();
    return false;
  }
  CancelEditor();
  return true;
}

void TfrTweakOptions::CancelEditor() {
  if (!EditorOpen()) return;
  FEditRow = -1;
  FRefusedText.reset();
  if (FView) FView->CloseEditor();
}

std::vector<TMenuEntry> TfrTweakOptions::ContextMenu(int Row) const {
  std::vector<TMenuEntry> Menu(miCount);
  Menu[miReset] = {ResetCaption, NodeToItem(Row) != nullptr};
  Menu[miResetAll] = {ResetAllCaption, RowCount() > 0};
  Menu[miShowChanges] = {ShowChangesCaption, true, FShowChanges};
  return Menu;
}

void TfrTweakOptions::ContextMenuChosen(int Row, int Index) {
  if (!ContextMenu(Row).at(Index).Enabled) return;
  if (Index == miReset) ResetOption(Row);
  if (Index == miResetAll) ResetAllOptions();
  if (Index == miShowChanges) SetShowChanges(!FShowChanges);
}

void TfrTweakOptions::ResetOption(int Row) {
  if (!NodeToItem(Row)) return;
  Reset(Row);
  Notify();
}

void TfrTweakOptions::ResetAllOptions() {
  if (RowCount() == 0) return;
  for (int Row = 0; Row < RowCount(); ++Row) Reset(Row);
  Notify();
}

void TfrTweakOptions::Reset(int Row) {
  FRows[Row].Cell->Reset(*FRows[Row].Option);
  if (FView) FView->RowChanged(Row);
}

void TfrTweakOptions::SetShowChanges(bool Value) {
  FShowChanges = Value;
  for (int Row = 0; FView && Row < RowCount(); ++Row) FView->RowChanged(Row);
}

std::string TfrTweakOptions::Hint(int Row) const {
  const TRow* Found = RowAt(Row);
  if (!FShowChanges || !Found || !Found->Option) return std::string();
  const TTweakOptionItem& Option = *Found->Option;
  const std::string Key = !Option.Key.empty() && Option.Key[0] == '\\' ? Option.Key.substr(1)
                                                                        : Option.Key;
  const char* Registry = Option.Target == TTweakOptionTarget::otDevice ? "device" : "desktop";
  return Option.Caption + "\nDefault: " + Found->Cell->DefaultText(Option) + "\n" + Registry +
         " registry: HKEY_CURRENT_USER\\" + Key + ", " + Option.ValueName;
}

void TfrTweakOptions::Changed(int Row) {
  if (FView) FView->RowChanged(Row);
  Notify();
}

void TfrTweakOptions::Notify() {
  if (OnOptionChanged) OnOptionChanged(this);
}
