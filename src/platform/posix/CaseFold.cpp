#include "CaseFold.h"

#include <locale.h>
#include <wctype.h>

#include <climits>
#include <cwchar>

namespace {

// The C library's UTF-8 locale, built into glibc: its character tables are
// Unicode's, the same for every user.
locale_t Utf8Locale() {
  static const locale_t Locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr));
  return Locale;
}

// Makes the UTF-8 locale the calling thread's for its lifetime, so that the
// multibyte conversions read and write UTF-8.
class TUtf8Scope {
 public:
  TUtf8Scope() : FPrevious(uselocale(Utf8Locale())) {}
  ~TUtf8Scope() { uselocale(FPrevious); }
  TUtf8Scope(const TUtf8Scope&) = delete;
  TUtf8Scope& operator=(const TUtf8Scope&) = delete;

 private:
  locale_t FPrevious;
};

bool IsAscii(std::string_view Text) {
  for (char Byte : Text)
    if (static_cast<unsigned char>(Byte) >= 0x80) return false;
  return true;
}

// Calls Visit(Code, Bytes) for every character of Text: Code is the
// character, or WEOF for a byte that does not begin a UTF-8 character (Bytes
// is then that byte alone). Only for text with bytes above ASCII, and only
// when the UTF-8 locale exists.
template <typename Visitor>
void ForEachCharacter(std::string_view Text, Visitor&& Visit) {
  TUtf8Scope Scope;
  std::mbstate_t State{};
  size_t Index = 0;
  while (Index < Text.size()) {
    wchar_t Code = 0;
    size_t Length = std::mbrtowc(&Code, Text.data() + Index, Text.size() - Index, &State);
    wint_t Character = Code;
    if (Length == static_cast<size_t>(-1) || Length == static_cast<size_t>(-2)) {
      State = std::mbstate_t{};
      Character = WEOF;
      Length = 1;
    } else if (Length == 0) {
      Length = 1;  // a NUL inside the name
    }
    Visit(Character, Text.substr(Index, Length));
    Index += Length;
  }
}

// Upper-cased, then lowered again when ASCII: see FoldCase.
char AsciiLower(char Byte) { return Byte >= 'A' && Byte <= 'Z' ? char(Byte - 'A' + 'a') : Byte; }

}  // namespace

std::string FoldCase(std::string_view Name) {
  std::string Folded;
  Folded.reserve(Name.size());
  if (IsAscii(Name) || !Utf8Locale()) {
    for (char Byte : Name) Folded.push_back(AsciiLower(Byte));
    return Folded;
  }
  ForEachCharacter(Name, [&](wint_t Code, std::string_view Bytes) {
    if (Code == WEOF || Code > 0xFFFF) {
      Folded.append(Bytes);
      return;
    }
    const wint_t Upper = towupper_l(Code, Utf8Locale());
    if (Upper < 0x80) {
      Folded.push_back(AsciiLower(static_cast<char>(Upper)));
      return;
    }
    char Encoded[MB_LEN_MAX];
    std::mbstate_t State{};
    const size_t Length = std::wcrtomb(Encoded, static_cast<wchar_t>(Upper), &State);
    if (Length == static_cast<size_t>(-1))
      Folded.append(Bytes);
    else
      Folded.append(Encoded, Length);
  });
  return Folded;
}

std::size_t Utf16Length(std::string_view Name) {
  if (IsAscii(Name) || !Utf8Locale()) return Name.size();
  std::size_t Units = 0;
  ForEachCharacter(
      Name, [&](wint_t Code, std::string_view) { Units += Code != WEOF && Code > 0xFFFF ? 2 : 1; });
  return Units;
}
