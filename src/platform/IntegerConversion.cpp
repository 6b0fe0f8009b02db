#include "IntegerConversion.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include "StringUtils.h"

namespace {

constexpr std::uint64_t kLargestPattern = 0xFFFFFFFF;
constexpr std::uint64_t kLargestNegative = 0x80000000;

int DigitValue(char Character) {
  if (Character >= '0' && Character <= '9') return Character - '0';
  if (Character >= 'a' && Character <= 'f') return Character - 'a' + 10;
  if (Character >= 'A' && Character <= 'F') return Character - 'A' + 10;
  return 99;
}

// The value of the digits in Base; nothing when there are none, when one is
// not a digit, or when the value passes Largest.
std::optional<std::uint64_t> DigitsValue(std::string_view Digits, int Base, std::uint64_t Largest) {
  if (Digits.empty()) return std::nullopt;
  std::uint64_t Value = 0;
  for (char Character : Digits) {
    const int Digit = DigitValue(Character);
    if (Digit >= Base) return std::nullopt;
    Value = Value * Base + Digit;
    if (Value > Largest) return std::nullopt;
  }
  return Value;
}

bool ConsumePrefix(std::string_view& Text, std::string_view Prefix) {
  if (!Text.starts_with(Prefix)) return false;
  Text.remove_prefix(Prefix.size());
  return true;
}

bool ConsumeHexPrefix(std::string_view& Text) {
  for (std::string_view Prefix : {"0x", "0X", "$", "x", "X"}) {
    if (ConsumePrefix(Text, Prefix)) return true;
  }
  return false;
}

std::optional<int> ParsedInteger(std::string_view Text) {
  const bool Negative = ConsumePrefix(Text, "-");
  if (!Negative) ConsumePrefix(Text, "+");
  if (ConsumeHexPrefix(Text)) {
    const auto Pattern = DigitsValue(Text, 16, kLargestPattern);
    if (!Pattern) return std::nullopt;
    const auto Bits = static_cast<std::uint32_t>(*Pattern);
    return static_cast<std::int32_t>(Negative ? 0u - Bits : Bits);
  }
  const auto Magnitude = DigitsValue(Text, 10, kLargestNegative);
  if (!Magnitude || (!Negative && *Magnitude == kLargestNegative)) return std::nullopt;
  return static_cast<int>(Negative ? -static_cast<std::int64_t>(*Magnitude) : *Magnitude);
}

}  // namespace

int StrToInt(const std::string& S) {
  const std::string Text = Trim(S);
  const std::optional<int> Value = ParsedInteger(Text);
  if (!Value) throw EConvertError("'" + Text + "' is not a valid integer value");
  return *Value;
}
