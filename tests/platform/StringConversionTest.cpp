// The conversions and the Win32 functions under them, as both systems have
// them for UTF-8.
#include <gtest/gtest.h>

#include "miniUtils.h"

namespace {

// Narrow literals are UTF-8 to the compiler.
const std::string kUtf8Text = "Gr\u00FC\u00DFe \u20AC \U0001F600";
const WideString kUtf16Text = WIDE("Gr\u00FC\u00DFe \u20AC \U0001F600");

}  // namespace

TEST(TextConversion, EmptyTextStaysEmpty) {
  EXPECT_EQ(AnsiToWide("", CP_ACP), WideString());
  EXPECT_EQ(WideToAnsi(WideString(), CP_ACP), "");
}

TEST(TextConversion, PlainAsciiKeepsItsLengthBothWays) {
  const WideString Wide = AnsiToWide("Software\\ZQT\\ZQT\\Appearance", CP_ACP);
  EXPECT_EQ(Wide, WIDE("Software\\ZQT\\ZQT\\Appearance"));
  EXPECT_EQ(WideToAnsi(Wide, CP_ACP), "Software\\ZQT\\ZQT\\Appearance");
}

TEST(TextConversion, NonAsciiTextSurvivesARoundTripThroughUtf8) {
  EXPECT_EQ(AnsiToWide(kUtf8Text, CP_UTF8), kUtf16Text);
  EXPECT_EQ(WideToAnsi(kUtf16Text, CP_UTF8), kUtf8Text);
}

TEST(TextConversion, InvalidBytesAreReplacedInsteadOfRefused) {
  EXPECT_EQ(AnsiToWide("a\xFFz", CP_UTF8), WIDE("a\uFFFDz"));
  EXPECT_EQ(AnsiToWide("\x80", CP_UTF8), WIDE("\uFFFD"));
}

TEST(TextConversion, UnknownCodePageGivesEmptyText) {
  EXPECT_EQ(AnsiToWide("abc", 12345), WideString());
  EXPECT_EQ(WideToAnsi(WIDE("abc"), 12345), "");
}

TEST(MultiByteToWideChar, CountsTheNulOfATextGivenWithoutLength) {
  WCHAR Buffer[8] = {};
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "ab", -1, nullptr, 0), 3);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "ab", -1, Buffer, 8), 3);
  EXPECT_EQ(WideString(Buffer), WIDE("ab"));
}

TEST(MultiByteToWideChar, RefusesATooSmallBufferAndAnEmptySource) {
  WCHAR Buffer[4] = {};
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abcdef", 6, Buffer, 3), 0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", 0, Buffer, 3), 0);
}

TEST(WideCharToMultiByte, NeedsRoomForEveryByteOfACharacter) {
  char Buffer[8] = {};
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, WIDE("\u20AC"), 1, nullptr, 0, nullptr, nullptr), 3);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, WIDE("\u20AC"), 1, Buffer, 2, nullptr, nullptr), 0);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, WIDE("\u20AC"), 1, Buffer, 3, nullptr, nullptr), 3);
  EXPECT_EQ(std::string(Buffer), "\xE2\x82\xAC");
}
