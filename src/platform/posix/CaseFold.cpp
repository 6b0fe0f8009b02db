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

// Every byte looked at, without a branch: names are short, and the loop is
// done in a few vector steps.
bool IsAscii(std::string_view Text) {
  unsigned char Bits = 0;
  for (char Byte : Text) Bits |= static_cast<unsigned char>(Byte);
  return Bits < 0x80;
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
  AppendFolded(Name, Folded);
  return Folded;
}

void AppendFolded(std::string_view Name, std::string& Folded) {
  // Most names are ASCII: each byte is folded as it is looked at, and the
  // name is folded anew where a byte above ASCII turned up.
  const std::size_t Start = Folded.size();
  Folded.append(Name);
  unsigned char Bits = 0;
  char* const End = Folded.data() + Folded.size();
  for (char* Byte = End - Name.size(); Byte != End; ++Byte) {
    Bits |= static_cast<unsigned char>(*Byte);
    *Byte = AsciiLower(*Byte);
  }
  if (Bits < 0x80 || !Utf8Locale()) return;
  Folded.resize(Start);
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
}

std::size_t Utf16Length(std::string_view Name) {
  if (IsAscii(Name) || !Utf8Locale()) return Name.size();
  std::size_t Units = 0;
  ForEachCharacter(
      Name, [&](wint_t Code, std::string_view) { Units += Code != WEOF && Code > 0xFFFF ? 2 : 1; });
  return Units;
}
