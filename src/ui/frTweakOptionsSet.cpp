#include "frTweakOptionsSet.h"

#include <string>
#include <utility>

#include "IntegerConversion.h"
#include "OptionKind.h"
#include "TweakOptionsMngr.h"
#include "UserInteraction.h"
#include "miniUtils.h"

const char* const TfrTweakOptions::ColumnCaptions[ColumnCount] = {"Option", "Value"};
const char* const TfrTweakOptions::DescriptionCaption = "Option description";
const char* const TfrTweakOptions::GridName = "Options";
const char* const TfrTweakOptions::ResetCaption = "Reset to default";
const char* const TfrTweakOptions::ResetAllCaption = "Reset all options on this page";
const char* const TfrTweakOptions::ShowChangesCaption = "Show changes from defaults";

TSheetRect TfrTweakOptions::DescriptionPlace(int BoxWidth, int BoxHeight, int (*Scale)(int)) {
  return {Scale(4), Scale(15), BoxWidth - Scale(9), BoxHeight - Scale(23)};
}

TfrTweakOptions::TfrTweakOptions() = default;
TfrTweakOptions::~TfrTweakOptions() = default;

void TfrTweakOptions::FillList() {
  CancelEditor();
  FFocusedRow = -1;
  FRows.assign(OptionSet ? OptionSet->Count() : 0, nullptr);
  for (int Row = 0; Row < RowCount(); ++Row) VTVInitNode(Row);
  if (FView) FView->RowsChanged();
}

TTweakOptionItem* TfrTweakOptions::NodeToItem(int Row) const {
  return Row >= 0 && Row < RowCount() ? FRows[Row] : nullptr;
}

void TfrTweakOptions::VTVInitNode(int Row) {
  TTweakOptionItem* Option =
      OptionSet && Row < OptionSet->Count() ? OptionSet->Items(Row) : nullptr;
  FRows[Row] = Option;
}

WideString TfrTweakOptions::VTVGetText(int Row, int Column) const {
  const TTweakOptionItem* Option = NodeToItem(Row);
  if (!Option) return WideString();
  if (Column == OptionColumn) return AnsiToWide(Option->Caption, 0);
  // A check box alone shows a yes or no.
  const TOptionKind& Kind = Option->Kind();
  if (Column == ValueColumn && !Kind.IsYesNo())
    return AnsiToWide(Kind.Words(Kind.Value(*Option)), 0);
  return WideString();
}

TCellStyle TfrTweakOptions::VTVPaintText(int Row, int) const {
  // Every cell keeps the grid's font and colours, unless changes from the
  // defaults are shown: then an option away from its default is bold.
  const TTweakOptionItem* Option = NodeToItem(Row);
  TCellStyle Style;
  Style.Bold = FShowChanges && Option && !Option->Kind().IsDefault(*Option);
  return Style;
}

bool TfrTweakOptions::VTVEditing(int Row, int Column) const {
  const TTweakOptionItem* Option = NodeToItem(Row);
  return Column == ValueColumn && Option && !Option->Kind().IsYesNo();
}

void TfrTweakOptions::VTVNewText(int Row, int Column, const WideString& NewText) {
  if (!VTVEditing(Row, Column)) return;
  TTweakOptionItem& Option = *FRows[Row];
  Option.Kind().SetValue(Option, Option.Kind().Parse(WideToAnsi(NewText, 0)));
  Changed(Row);
}

void TfrTweakOptions::VTVChecked(int Row, bool Checked) {
  if (!HasCheckBox(Row)) return;
  FRows[Row]->Kind().SetValue(*FRows[Row], Checked ? 1 : 0);
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
  const TTweakOptionItem* Option = NodeToItem(Row);
  return Option && Option->Kind().IsYesNo();
}

bool TfrTweakOptions::IsChecked(int Row) const {
  return HasCheckBox(Row) && FRows[Row]->Kind().Value(*FRows[Row]) != 0;
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

void TfrTweakOptions::GridClick(int Row, int Column, bool OnCheckBox) {
  if (OnCheckBox && Column == ValueColumn && HasCheckBox(Row)) ToggleCheck(Row);
  if (Row != FFocusedAtPress || !VTVEditing(Row, Column)) return;
  FPendingEdit = Row;
  if (FView) FView->StartEditTimer(EditDelay);
}

void TfrTweakOptions::GridRightClick(int Row) {
  if (NodeToItem(Row)) {
    VTVChange(Row);
    if (FView) FView->RowFocused(Row);
  }
  if (FView) FView->ShowContextMenu(Row);
}

void TfrTweakOptions::GridDoubleClick(int Row, int Column, bool OnCheckBox) {
  DropPendingEdit();
  if (OnCheckBox && Column == ValueColumn && HasCheckBox(Row)) ToggleCheck(Row);
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
  if (Key == TListKey::lkContextMenu) {
    if (FView) FView->ShowContextMenu(FFocusedRow);
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
    case TListKey::lkUpDown:
      return true;
    case TListKey::lkContextMenu:
      if (LeaveEditor() && FView) FView->ShowContextMenu(FFocusedRow);
      return true;
    default:
      return false;
  }
}

void TfrTweakOptions::EditorFocusLost(TFocusTarget Target) {
  if (Target != TFocusTarget::ftControl && Target != TFocusTarget::ftButton) return;
  // The focus moving on after a refusal (a tree takes it even when its
  // selection stayed) tells nothing new: the editor takes the focus back,
  // except from a pressed button, which would lose its click and with it
  // the report the click gives.
  if (FView && FRefusedText && *FRefusedText == FView->EditorText()) {
    if (Target == TFocusTarget::ftControl) FView->FocusEditor();
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
  FRows[Row]->Kind().Reset(*FRows[Row]);
  if (FView) FView->RowChanged(Row);
}

void TfrTweakOptions::SetShowChanges(bool Value) {
  FShowChanges = Value;
  for (int Row = 0; FView && Row < RowCount(); ++Row) FView->RowChanged(Row);
}

std::string TfrTweakOptions::Hint(int Row) const {
  const TTweakOptionItem* Option = NodeToItem(Row);
  if (!FShowChanges || !Option) return std::string();
  const TOptionKind& Kind = Option->Kind();
  const char* Registry = Option->Target == TTweakOptionTarget::otDevice ? "device" : "desktop";
  return Option->Caption + "\nDefault: " + Kind.Words(Kind.DefaultValue(*Option)) + "\n" +
         Registry + " registry: " + RegistryKeyName(Option->Key) + ", " + Option->ValueName;
}

void TfrTweakOptions::Changed(int Row) {
  if (FView) FView->RowChanged(Row);
  Notify();
}

void TfrTweakOptions::Notify() {
  if (OnOptionChanged) OnOptionChanged(this);
}
