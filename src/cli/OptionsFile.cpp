#include "OptionsFile.h"

#include <algorithm>
#include <cstdio>

#include "StringUtils.h"

namespace {

using enum TTweakOptionTarget;

std::string SideName(TTweakOptionTarget Side) {
  return Side == otDevice ? "the device" : "the desktop";
}

void CheckSide(const TRegFile& File, TTweakOptionTarget Side) {
  if (File.Side == Side) return;
  const int Line = std::max(File.SideLine, 1);
  if (File.Side == otDevice)
    throw ERegFileError(Line,
                        "the file holds options of the device: import it with --import-device");
  throw ERegFileError(Line, "the file holds options of the desktop: import it with --import");
}

std::vector<const TOptionRow*> RowsUnder(const TRegFileKey& Key, TTweakOptionTarget Side) {
  std::vector<const TOptionRow*> Rows;
  for (const TOptionRow& Row : OptionRows())
    if (Row.Target == Side && AnsiSameText(RegistryKeyName(Row.Key), Key.Path))
      Rows.push_back(&Row);
  if (Rows.empty())
    throw ERegFileError(Key.Line,
                        "no option of " + SideName(Side) + " is kept in [" + Key.Path + "]");
  return Rows;
}

const TOptionRow& RowNamed(const std::vector<const TOptionRow*>& Rows, const TRegFileKey& Key,
                           const TRegFileValue& Value) {
  for (const TOptionRow* Row : Rows)
    if (AnsiSameText(Row->ValueName, Value.Name)) return *Row;
  throw ERegFileError(Value.Line, "\"" + Value.Name + "\" in [" + Key.Path + "] is no option");
}

int OptionValueOf(const TOptionRow& Row, const TRegFileValue& Value) {
  if (!Value.Data) return Row.Default;
  if (!Row.Kind->Holds(static_cast<int>(*Value.Data))) {
    char Text[64];
    std::snprintf(Text, sizeof(Text), "dword:%08x is out of range for a Boolean option (0 or 1)",
                  static_cast<unsigned>(*Value.Data));
    throw ERegFileError(Value.Line, Text);
  }
  return static_cast<int>(*Value.Data);
}

}  // namespace

TRegFile RegFileOf(TTweakOptionTarget Side, const std::vector<TOptionValue>& Values) {
  TRegFile File;
  File.Side = Side;
  for (const TOptionValue& Value : Values) {
    const std::string Path = RegistryKeyName(Value.Row->Key);
    auto Key = std::find_if(File.Keys.begin(), File.Keys.end(),
                            [&](const TRegFileKey& Key) { return Key.Path == Path; });
    if (Key == File.Keys.end()) Key = File.Keys.insert(Key, TRegFileKey{0, Path, {}});
    Key->Values.push_back({0, Value.Row->ValueName, static_cast<DWORD>(Value.Value)});
  }
  return File;
}

std::vector<TOptionValue> ValuesIn(const TRegFile& File, TTweakOptionTarget Side) {
  CheckSide(File, Side);
  std::vector<TOptionValue> Values;
  for (const TRegFileKey& Key : File.Keys) {
    const std::vector<const TOptionRow*> Rows = RowsUnder(Key, Side);
    for (const TRegFileValue& Value : Key.Values) {
      const TOptionRow& Row = RowNamed(Rows, Key, Value);
      Values.push_back({&Row, OptionValueOf(Row, Value), Value.Line});
    }
  }
  return Values;
}
