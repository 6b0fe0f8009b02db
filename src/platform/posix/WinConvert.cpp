// The Win32 text conversions. Both code pages known here, CP_ACP and CP_UTF8,
// are UTF-8, so that round trips are lossless whatever the locale.
//
// Every conversion runs twice over its input, once to count and once to
// write, so that it needs no memory of its own and cannot throw. The output
// is written only when it fits whole.
#include <climits>
#include <cstdint>
#include <string>

#include "CaseFold.h"
#include "WinCompat.h"

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;
constexpr char kDefaultCharacter = '?';

bool IsUtf8CodePage(UINT CodePage) { return CodePage == CP_ACP || CodePage == CP_UTF8; }

// The length of a Win32 source text: -1 means up to and including its NUL.
template <typename Char>
std::int64_t SourceLength(const Char* Text, int Length) {
  if (Length != -1) return Length;
  std::int64_t Count = 0;
  while (Text[Count] != 0) ++Count;
  return Count + 1;
}

bool IsContinuation(unsigned char Byte, unsigned char Low, unsigned char High) {
  return Byte >= Low && Byte <= High;
}

// Decodes the character at Text, advancing Text past it. A sequence that is
// not valid UTF-8 yields U+FFFD for its longest valid beginning (at least
// one byte), as Unicode recommends.
char32_t DecodeUtf8(const unsigned char*& Text, const unsigned char* End) {
  const unsigned char Lead = *Text++;
  if (Lead < 0x80) return Lead;
  int Following;
  unsigned char Low = 0x80, High = 0xBF;  // the range of the first continuation byte
  char32_t Code;
  if (Lead >= 0xC2 && Lead <= 0xDF) {
    Following = 1;
    Code = Lead & 0x1F;
  } else if (Lead >= 0xE0 && Lead <= 0xEF) {
    Following = 2;
    Code = Lead & 0x0F;
    if (Lead == 0xE0) Low = 0xA0;   // no overlong forms
    if (Lead == 0xED) High = 0x9F;  // no surrogates
  } else if (Lead >= 0xF0 && Lead <= 0xF4) {
    Following = 3;
    Code = Lead & 0x07;
    if (Lead == 0xF0) Low = 0x90;   // no overlong forms
    if (Lead == 0xF4) High = 0x8F;  // nothing above U+10FFFF
  } else {
    return kReplacementCharacter;
  }
  for (int Index = 0; Index < Following; ++Index, Low = 0x80, High = 0xBF) {
    if (Text == End || !IsContinuation(*Text, Low, High)) return kReplacementCharacter;
    Code = (Code << 6) | (*Text++ & 0x3F);
  }
  return Code;
}

bool IsHighSurrogate(char16_t Unit) { return Unit >= 0xD800 && Unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t Unit) { return Unit >= 0xDC00 && Unit <= 0xDFFF; }

// Collects output units: counts them, and writes them when given room.
template <typename Unit>
class TOutput {
 public:
  explicit TOutput(Unit* Buffer) : FBuffer(Buffer) {}
  void Put(Unit Value) {
    if (FBuffer) FBuffer[FCount] = Value;
    ++FCount;
  }
  std::int64_t Count() const { return FCount; }

 private:
  Unit* FBuffer;
  std::int64_t FCount = 0;
};

void PutUtf16(char32_t Code, TOutput<WCHAR>& Output) {
  if (Code < 0x10000) {
    Output.Put(static_cast<WCHAR>(Code));
    return;
  }
  Code -= 0x10000;
  Output.Put(static_cast<WCHAR>(0xD800 + (Code >> 10)));
  Output.Put(static_cast<WCHAR>(0xDC00 + (Code & 0x3FF)));
}

void PutUtf8(char32_t Code, TOutput<char>& Output) {
  if (Code < 0x80) {
    Output.Put(static_cast<char>(Code));
  } else if (Code < 0x800) {
    Output.Put(static_cast<char>(0xC0 | (Code >> 6)));
    Output.Put(static_cast<char>(0x80 | (Code & 0x3F)));
  } else if (Code < 0x10000) {
    Output.Put(static_cast<char>(0xE0 | (Code >> 12)));
    Output.Put(static_cast<char>(0x80 | ((Code >> 6) & 0x3F)));
    Output.Put(static_cast<char>(0x80 | (Code & 0x3F)));
  } else {
    Output.Put(static_cast<char>(0xF0 | (Code >> 18)));
    Output.Put(static_cast<char>(0x80 | ((Code >> 12) & 0x3F)));
    Output.Put(static_cast<char>(0x80 | ((Code >> 6) & 0x3F)));
    Output.Put(static_cast<char>(0x80 | (Code & 0x3F)));
  }
}

void Utf8ToUtf16(const unsigned char* Text, std::int64_t Length, TOutput<WCHAR>& Output) {
  const unsigned char* End = Text + Length;
  while (Text != End) PutUtf16(DecodeUtf8(Text, End), Output);
}

// Returns whether the default character had to stand in for a character.
bool Utf16ToUtf8(const WCHAR* Text, std::int64_t Length, char Default, TOutput<char>& Output) {
  bool UsedDefault = false;
  for (std::int64_t Index = 0; Index < Length; ++Index) {
    const char16_t Unit = Text[Index];
    if (IsHighSurrogate(Unit) && Index + 1 < Length && IsLowSurrogate(Text[Index + 1])) {
      PutUtf8(0x10000 + ((char32_t(Unit) - 0xD800) << 10) + (Text[++Index] - 0xDC00), Output);
    } else if (IsHighSurrogate(Unit) || IsLowSurrogate(Unit)) {
      Output.Put(Default);
      UsedDefault = true;
    } else {
      PutUtf8(Unit, Output);
    }
  }
  return UsedDefault;
}

// The Win32 rule for the result: the count asked for when there is no room
// given, 0 when the output does not fit (nothing is written then).
template <typename Unit, typename Convert>
int Converted(Unit* Buffer, int Room, Convert Run) {
  TOutput<Unit> Counter(nullptr);
  Run(Counter);
  const std::int64_t Needed = Counter.Count();
  if (Needed > INT_MAX) return 0;
  if (Room == 0) return static_cast<int>(Needed);
  if (Needed > Room) return 0;
  TOutput<Unit> Writer(Buffer);
  Run(Writer);
  return static_cast<int>(Needed);
}

bool ValidArguments(const void* Source, int SourceLength, const void* Buffer, int Room) {
  return Source && SourceLength != 0 && SourceLength >= -1 && Room >= 0 && (Room == 0 || Buffer);
}

}  // namespace

extern "C" int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr,
                                   int cbMultiByte, LPWSTR lpWideCharStr, int cchWideChar) {
  if (!IsUtf8CodePage(CodePage) || dwFlags != 0 ||
      !ValidArguments(lpMultiByteStr, cbMultiByte, lpWideCharStr, cchWideChar))
    return 0;
  const auto* Text = reinterpret_cast<const unsigned char*>(lpMultiByteStr);
  const std::int64_t Length = SourceLength(lpMultiByteStr, cbMultiByte);
  return Converted(lpWideCharStr, cchWideChar,
                   [&](TOutput<WCHAR>& Output) { Utf8ToUtf16(Text, Length, Output); });
}

extern "C" int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr,
                                   int cchWideChar, LPSTR lpMultiByteStr, int cbMultiByte,
                                   LPCSTR lpDefaultChar, BOOL* lpUsedDefaultChar) {
  // As on Windows, UTF-8 itself takes no default character and no report of its use.
  if (!IsUtf8CodePage(CodePage) || dwFlags != 0 ||
      !ValidArguments(lpWideCharStr, cchWideChar, lpMultiByteStr, cbMultiByte) ||
      (CodePage == CP_UTF8 && (lpDefaultChar || lpUsedDefaultChar)))
    return 0;
  const std::int64_t Length = SourceLength(lpWideCharStr, cchWideChar);
  const char Default = lpDefaultChar ? *lpDefaultChar : kDefaultCharacter;
  bool UsedDefault = false;
  const int Result = Converted(lpMultiByteStr, cbMultiByte, [&](TOutput<char>& Output) {
    UsedDefault = Utf16ToUtf8(lpWideCharStr, Length, Default, Output);
  });
  if (lpUsedDefaultChar) *lpUsedDefaultChar = UsedDefault ? TRUE : FALSE;
  return Result;
}

extern "C" int lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2) {
  return FoldCase(lpString1 ? lpString1 : "").compare(FoldCase(lpString2 ? lpString2 : ""));
}
