#include "OptionText.h"

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>

namespace {

constexpr int kJsonIndent = 2;
constexpr std::size_t kColumns = 5;

using TJson = nlohmann::ordered_json;
using TTableLine = std::array<std::string, kColumns>;

const char* WhereOf(const TOptionRow& Row) {
  return Row.Target == TTweakOptionTarget::otDevice ? "device" : "desktop";
}

TJson JsonValue(const TOptionRow& Row, int Value) {
  if (Row.Kind->IsYesNo()) return Value != 0;
  return Value;
}

TJson JsonOf(const TOptionValue& Value) {
  const TOptionRow& Row = *Value.Row;
  return {{"id", Row.Id},
          {"where", WhereOf(Row)},
          {"type", Row.Kind->Name()},
          {"value", JsonValue(Row, Value.Value)},
          {"default", JsonValue(Row, Row.Default)},
          {"caption", Row.Caption},
          {"description", Row.Description}};
}

TTableLine TableLineOf(const TOptionValue& Value) {
  const TOptionRow& Row = *Value.Row;
  return {Row.Id, WhereOf(Row), std::to_string(Value.Value), std::to_string(Row.Default),
          Row.Caption};
}

}  // namespace

std::string OptionTable(const std::vector<TOptionValue>& Values) {
  std::vector<TTableLine> Lines;
  std::transform(Values.begin(), Values.end(), std::back_inserter(Lines), TableLineOf);
  std::array<std::size_t, kColumns> Widths{};
  for (const TTableLine& Line : Lines)
    for (std::size_t Column = 0; Column < kColumns; ++Column)
      Widths[Column] = std::max(Widths[Column], Line[Column].size());
  std::string Table;
  for (const TTableLine& Line : Lines) {
    for (std::size_t Column = 0; Column + 1 < kColumns; ++Column)
      Table += Line[Column] + std::string(Widths[Column] - Line[Column].size() + 2, ' ');
    Table += Line.back() + "\n";
  }
  return Table;
}

std::string OptionJson(const TOptionValue& Value) { return JsonOf(Value).dump(kJsonIndent); }

std::string OptionsJson(const std::vector<TOptionValue>& Values) {
  TJson Array = TJson::array();
  for (const TOptionValue& Value : Values) Array.push_back(JsonOf(Value));
  return Array.dump(kJsonIndent);
}
