#include "OptionsFile.h"

#include <algorithm>
#include <cstdio>

#include "StringUtils.h"

namespace {

using enum TTweakOptionTarget;

std::string SideName(TTweakOptionTarget Side) {
  return Side == otDevice ? "the device" : "the desktop";
}

// Why a file that holds options of Other is not imported to the other side.
std::string OtherSideReason(TTweakOptionTarget Other) {
  if (Other == otDevice)
    return "the file holds options of the device: import it with --import-device";
  return "the file holds options of the desktop: import it with --import";
}

std::vector<const TOptionRow*> RowsUnder(const TRegFileKey& Key, TTweakOptionTarget Side) {
  std::vector<const TOptionRow*> Rows;
  for (const TOptionRow& Row : OptionRows())
    if (Row.Target == Side && AnsiSameText(RegistryKeyName(Row.Key), Key.Path))
      Rows.push_back(&Row);
  return Rows;
}

const TOptionRow* RowNamed(const std::vector<const TOptionRow*>& Rows, const TRegFileValue& Value) {
  for (const TOptionRow* Row : Rows)
    if (AnsiSameText(Row->ValueName, Value.Name)) return Row;
  return nullptr;
}

int OptionValueOf(const TOptionRow& Row, const TRegFileValue& Value) {
  if (Value.IsDeletion()) return Row.Default;
  if (!Value.Data)
    throw ERegFileError(Value.Line, QuotedName(Value.Name) + " is not a DWORD value");
  if (!Row.Kind->Holds(static_cast<int>(*Value.Data))) {
    char Text[64];
    std::snprintf(Text, sizeof(Text), "dword:%08x is out of range for a Boolean option (0 or 1)",
                  static_cast<unsigned>(*Value.Data));
    throw ERegFileError(Value.Line, Text);
  }
  return static_cast<int>(*Value.Data);
}

TTweakOptionTarget OtherSide(TTweakOptionTarget Side) {
  return Side == otDevice ? otDesktop : otDevice;
}

// Takes from a file what it sets for the options of one side.
class TOptionsReader : public TRegFileSink {
 public:
  explicit TOptionsReader(TTweakOptionTarget Side) : FSide(Side) {}

  void Side(TTweakOptionTarget Side, int Line) override {
    if (Side != FSide) throw ERegFileError(Line, OtherSideReason(Side));
  }

  void Key(const TRegFileKey& Key) override {
    FKeyPath = Key.Path;
    FRows = RowsUnder(Key, FSide);
    if (!FRows.empty()) return;
    FFound.Skipped.push_back(
        {Key.Line, "[" + Key.Path + "] holds no option of " + SideName(FSide)});
    FOtherSideSeen = FOtherSideSeen || !RowsUnder(Key, OtherSide(FSide)).empty();
  }

  void Value(const TRegFileValue& Value) override {
    if (FRows.empty()) return;
    if (const TOptionRow* Row = RowNamed(FRows, Value))
      FFound.Values.push_back({Row, OptionValueOf(*Row, Value), Value.Line});
    else
      FFound.Skipped.push_back(
          {Value.Line, QuotedName(Value.Name) + " in [" + FKeyPath + "] is no option"});
  }

  // What was found; a file that sets no option of the side is refused.
  TOptionsInFile Found() {
    if (!FFound.Values.empty()) return std::move(FFound);
    if (FOtherSideSeen) throw ERegFileError(0, OtherSideReason(OtherSide(FSide)));
    throw ERegFileError(0, "the file sets no option of " + SideName(FSide));
  }

 private:
  TTweakOptionTarget FSide;
  TOptionsInFile FFound;
  // The rows of the options kept in the current key, and its path.
  std::vector<const TOptionRow*> FRows;
  std::string FKeyPath;
  // Whether a key holds options of the other side.
  bool FOtherSideSeen = false;
};

}  // namespace

TRegFile RegFileOf(TTweakOptionTarget Side, const std::vector<TOptionValue>& Values) {
  TRegFile File;
  File.Side = Side;
  for (const TOptionValue& Value : Values) {
    const std::string Path = RegistryKeyName(Value.Row->Key);
    auto Key = std::find_if(File.Keys.begin(), File.Keys.end(),
                            [&](const TRegFileKey& Key) { return Key.Path == Path; });
    if (Key == File.Keys.end()) Key = File.Keys.insert(Key, TRegFileKey{0, Path, {}});
    Key->Values.push_back({0, Value.Row->ValueName, static_cast<DWORD>(Value.Value), {}});
  }
  return File;
}

TOptionsInFile OptionsIn(const std::string& Bytes, TTweakOptionTarget Side) {
  TOptionsReader Reader(Side);
  ReadRegFile(Bytes, Reader);
  return Reader.Found();
}
