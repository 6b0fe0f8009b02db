#include "OptionKind.h"

#include "IntegerConversion.h"
#include "StringUtils.h"

const TBooleanKind BooleanKind;
const TIntegerKind IntegerKind;

namespace {

const TTweakOptionItemBool& AsBoolean(const TTweakOptionItem& Option) {
  return static_cast<const TTweakOptionItemBool&>(Option);
}

const TTweakOptionItemInt& AsInteger(const TTweakOptionItem& Option) {
  return static_cast<const TTweakOptionItemInt&>(Option);
}

}  // namespace

const TOptionKind& TTweakOptionItemBool::Kind() const { return BooleanKind; }

int TTweakOptionItemBool::AsInteger() const { return BooleanKind.Value(*this); }

void TTweakOptionItemBool::SetAsInteger(int Value) { BooleanKind.SetValue(*this, Value); }

const TOptionKind& TTweakOptionItemInt::Kind() const { return IntegerKind; }

int TBooleanKind::Value(const TTweakOptionItem& Option) const {
  return AsBoolean(Option).Value() ? 1 : 0;
}

int TBooleanKind::DefaultValue(const TTweakOptionItem& Option) const {
  return AsBoolean(Option).DefaultValue() ? 1 : 0;
}

void TBooleanKind::SetValue(TTweakOptionItem& Option, int Value) const {
  static_cast<TTweakOptionItemBool&>(Option).SetValue(Value != 0);
}

int TBooleanKind::Parse(const std::string& Text) const {
  const std::string Word = Trim(Text);
  if (Word == "1" || AnsiSameText(Word, "true")) return 1;
  if (Word == "0" || AnsiSameText(Word, "false")) return 0;
  throw EConvertError("'" + Word + "' is not a valid Boolean value: use 0, 1, true or false");
}

void TBooleanKind::AddOption(TTweakOptionSet& Set, const std::string& Caption,
                             const std::string& Description, const std::string& Key,
                             const std::string& ValueName, int Default,
                             TTweakOptionTarget Target) const {
  Set.AddBoolOption(Caption, Description, Key, ValueName, Default != 0, Target);
}

int TIntegerKind::Value(const TTweakOptionItem& Option) const { return AsInteger(Option).Value(); }

int TIntegerKind::DefaultValue(const TTweakOptionItem& Option) const {
  return AsInteger(Option).DefaultValue();
}

void TIntegerKind::SetValue(TTweakOptionItem& Option, int Value) const {
  static_cast<TTweakOptionItemInt&>(Option).SetValue(Value);
}

int TIntegerKind::Parse(const std::string& Text) const { return StrToInt(Text); }

void TIntegerKind::AddOption(TTweakOptionSet& Set, const std::string& Caption,
                             const std::string& Description, const std::string& Key,
                             const std::string& ValueName, int Default,
                             TTweakOptionTarget Target) const {
  Set.AddIntOption(Caption, Description, Key, ValueName, Default, Target);
}
