#include "OptionsFile.h"

#include <algorithm>
#include <cstdio>

#include "StringUtils.h"

namespace {

using enum TTweakOptionTarget;

constexpr const char* kRootName = "HKEY_CURRENT_USER\\";

// Option keys are below HKEY_CURRENT_USER of their registry.
std::string KeyPathOf(const TOptionRow& Row) {
  const std::string Key = Row.Key;
  return kRootName + (Key.starts_with('\\') ? Key.substr(1) : Key);
}

std::string SideName(TTweakOptionTarget Side) {
  return Side == otDevice ? "the device" : "the desktop";
}

// Why a file that holds options of Other is not imported to the other side.
std::string OtherSideReason(TTweakOptionTarget Other) {
  if (Other == otDevice) return "the file holds options of the device: import it with --import-device";
  return "the file holds options of the desktop: import it with --import";
}

void CheckSide(const TRegFile& File, TTweakOptionTarget Side) {
  if (File.Side && *File.Side != Side) throw ERegFileError(File.SideLine, OtherSideReason(*File.Side));
}

std::vector<const TOptionRow*> RowsUnder(const TRegFileKey& Key, TTweakOptionTarget Side) {
  std::vector<const TOptionRow*> Rows;
  for (const TOptionRow& Row : OptionRows())
    if (Row.Target == Side && AnsiSameText(KeyPathOf(Row), Key.Path)) Rows.push_back(&Row);
  return Rows;
}

const TOptionRow* RowNamed(const std::vector<const TOptionRow*>& Rows,
                           const TRegFileValue& Value) {
  for (const TOptionRow* Row : Rows)
    if (AnsiSameText(Row->ValueName, Value.Name)) return Row;
  return nullptr;
}

int OptionValueOf(const TOptionRow& Row, const TRegFileValue& Value) {
  if (Value.IsDeletion()) return Row.Default;
  if (!Value.Data) throw ERegFileError(Value.Line, QuotedName(Value.Name) + " is not a DWORD value");
  if (Row.IsBoolean && *Value.Data > 1) {
    char Text[64];
    std::snprintf(Text, sizeof(Text), "dword:%08x is out of range for a Boolean option (0 or 1)",
                  static_cast<unsigned>(*Value.Data));
    throw ERegFileError(Value.Line, Text);
  }
  return static_cast<int>(*Value.Data);
}

// Why a file that sets no option of Side is refused.
std::string NoOptionReason(const TRegFile& File, TTweakOptionTarget Side) {
  const TTweakOptionTarget Other = Side == otDevice ? otDesktop : otDevice;
  for (const TRegFileKey& Key : File.Keys)
    if (!RowsUnder(Key, Other).empty()) return OtherSideReason(Other);
  return "the file sets no option of " + SideName(Side);
}

}  // namespace

TRegFile RegFileOf(TTweakOptionTarget Side, const std::vector<TOptionValue>& Values) {
  TRegFile File;
  File.Side = Side;
  for (const TOptionValue& Value : Values) {
    const std::string Path = KeyPathOf(*Value.Row);
    auto Key = std::find_if(File.Keys.begin(), File.Keys.end(),
                            [&](const TRegFileKey& Key) { return Key.Path == Path; });
    if (Key == File.Keys.end()) Key = File.Keys.insert(Key, TRegFileKey{0, Path, {}});
    Key->Values.push_back({0, Value.Row->ValueName, static_cast<DWORD>(Value.Value), {}});
  }
  return File;
}

TOptionsInFile OptionsIn(const TRegFile& File, TTweakOptionTarget Side) {
  CheckSide(File, Side);
  TOptionsInFile Found;
  for (const TRegFileKey& Key : File.Keys) {
    const std::vector<const TOptionRow*> Rows = RowsUnder(Key, Side);
    if (Rows.empty()) {
      Found.Skipped.push_back({Key.Line, "[" + Key.Path + "] holds no option of " + SideName(Side)});
      continue;
    }
    for (const TRegFileValue& Value : Key.Values) {
      if (const TOptionRow* Row = RowNamed(Rows, Value))
        Found.Values.push_back({Row, OptionValueOf(*Row, Value), Value.Line});
      else
        Found.Skipped.push_back(
            {Value.Line, QuotedName(Value.Name) + " in [" + Key.Path + "] is no option"});
    }
  }
  if (Found.Values.empty()) throw ERegFileError(0, NoOptionReason(File, Side));
  return Found;
}
