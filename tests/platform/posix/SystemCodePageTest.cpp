// The system's code page here is UTF-8, whatever the locale.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "miniUtils.h"

namespace {

// Narrow literals are UTF-8 to the compiler.
const std::string kUtf8Text = "\u00C4rger \u4E2D\u6587 \U0001D11E";
const WideString kUtf16Text = u"\u00C4rger \u4E2D\u6587 \U0001D11E";
const WCHAR kHigh = 0xD800;
const WCHAR kLow = 0xDC00;

}  // namespace

TEST(SystemCodePage, IsUtf8WhateverTheLocale) {
  const std::string Saved = std::setlocale(LC_ALL, nullptr);
  for (const char* Locale : {"C", "POSIX"}) {
    std::setlocale(LC_ALL, Locale);
    EXPECT_EQ(AnsiToWide(kUtf8Text, CP_ACP), kUtf16Text) << Locale;
    EXPECT_EQ(WideToAnsi(kUtf16Text, CP_ACP), kUtf8Text) << Locale;
  }
  std::setlocale(LC_ALL, Saved.c_str());
}

TEST(SystemCodePage, BrokenSequencesAreReplacedAsUnicodeRecommends) {
  EXPECT_EQ(AnsiToWide("\xE2\x82", CP_ACP), u"\uFFFD");                         // cut short
  EXPECT_EQ(AnsiToWide("\xF0\x9F\x98x", CP_ACP), u"\uFFFDx");                   // cut short
  EXPECT_EQ(AnsiToWide("\xC0\xAF", CP_ACP), u"\uFFFD\uFFFD");                   // overlong
  EXPECT_EQ(AnsiToWide("\xED\xA0\x80", CP_ACP), u"\uFFFD\uFFFD\uFFFD");         // a surrogate
  EXPECT_EQ(AnsiToWide("\xF4\x90\x80\x80", CP_ACP), WideString(4, u'\uFFFD'));  // past U+10FFFF
}

TEST(SystemCodePage, UnpairedSurrogatesBecomeTheDefaultCharacter) {
  EXPECT_EQ(WideToAnsi(WideString{u'a', kHigh, u'b'}, CP_ACP), "a?b");
  EXPECT_EQ(WideToAnsi(WideString{u'a', kLow}, CP_ACP), "a?");
  EXPECT_EQ(WideToAnsi(WideString{kLow, kHigh}, CP_ACP), "??");
  EXPECT_EQ(WideToAnsi(WideString{kHigh, kLow}, CP_ACP), "\xF0\x90\x80\x80");
}

TEST(SystemCodePage, TellsWhenTheDefaultCharacterWasUsed) {
  const WideString Text{u'a', kHigh, u'b'};
  char Buffer[8] = {};
  BOOL Used = FALSE;
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, Text.data(), 3, Buffer, 8, "#", &Used), 3);
  EXPECT_EQ(std::string(Buffer, 3), "a#b");
  EXPECT_TRUE(Used);
  // As on Windows, UTF-8 itself takes no default character.
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, Text.data(), 3, Buffer, 8, "#", &Used), 0);
}
