#include "frTweakOptionsSet.h"

#include <string>

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
const char* const TfrTweakOptions::ResetCaption = "Reset to default";
const char* const TfrTweakOptions::ResetAllCaption = "Reset all options on this page";
const char* const TfrTweakOptions::ShowChangesCaption = "Show changes from defaults";

TfrTweakOptions::TfrTweakOptions() = default;
TfrTweakOptions::~TfrTweakOptions() = default;

void TfrTweakOptions::FillList() {
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
  if (TTweakOptionItem* Option = NodeToItem(Row)) {
    FDescription = Option->Description;
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

bool TfrTweakOptions::ClickOpensEditor(int Row, int Column, int FocusedRow) const {
  return Row == FocusedRow && VTVEditing(Row, Column);
}

bool TfrTweakOptions::EditorCloses(int Row, int Column, const WideString& OriginalText,
                                   const WideString& Text) {
  if (Text == OriginalText) return true;
  FHoldsRejectedText = false;
  if (Text == OriginalText) return true;
  try {
    VTVNewText(Row, Column, Text);
    return true;
  } catch (const EConvertError& Error) {
    FHoldsRejectedText = true;
    UserInteraction().ShowError(Error.what());
    return false;
  }
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
