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
};

namespace {

// A cell of options of the class TItem.
template <class TItem>
class TCellOf : public TOptionCell {
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

void TfrTweakOptions::VTVPaintText(int, int) const {
  // Every cell keeps the grid's font and colours.
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
  try {
    VTVNewText(Row, Column, Text);
    return true;
  } catch (const EConvertError& Error) {
    UserInteraction().ShowError(Error.what());
    return false;
  }
}

void TfrTweakOptions::Changed(int Row) {
  if (FView) FView->RowChanged(Row);
  if (OnOptionChanged) OnOptionChanged(this);
}
