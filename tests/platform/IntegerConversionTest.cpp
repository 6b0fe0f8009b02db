#include <gtest/gtest.h>

#include <climits>

#include "IntegerConversion.h"

TEST(StrToInt, ReadsDecimalTextWithSignAndSurroundingBlanks) {
  EXPECT_EQ(StrToInt("42"), 42);
  EXPECT_EQ(StrToInt("  -17 "), -17);
  EXPECT_EQ(StrToInt("+5"), 5);
  EXPECT_EQ(StrToInt("\t\r\n 12\x01"), 12);
  EXPECT_EQ(StrToInt("-0"), 0);
  EXPECT_EQ(StrToInt("0000000000000000000123"), 123);
}

TEST(StrToInt, AcceptsTheWholeSigned32BitRangeAndNothingBeyond) {
  EXPECT_EQ(StrToInt("2147483647"), INT_MAX);
  EXPECT_EQ(StrToInt("-2147483648"), INT_MIN);
  EXPECT_THROW(StrToInt("2147483648"), EConvertError);
  EXPECT_THROW(StrToInt("-2147483649"), EConvertError);
  EXPECT_THROW(StrToInt("99999999999999999999999"), EConvertError);
}

TEST(StrToInt, ReadsHexadecimalTextAfterEachPrefix) {
  for (const char* Text : {"$1F", "x1f", "X1F", "0x1F", "0X1f", " $1f "})
    EXPECT_EQ(StrToInt(Text), 31) << Text;
  EXPECT_EQ(StrToInt("-$10"), -16);
  EXPECT_EQ(StrToInt("+0x10"), 16);
  EXPECT_EQ(StrToInt("$00000000000000FF"), 255);
}

TEST(StrToInt, HexadecimalTextSpellsA32BitPattern) {
  EXPECT_EQ(StrToInt("$7FFFFFFF"), INT_MAX);
  EXPECT_EQ(StrToInt("$80000000"), INT_MIN);
  EXPECT_EQ(StrToInt("0xFFFFFFFF"), -1);
  EXPECT_EQ(StrToInt("-$FFFFFFFF"), 1);
  EXPECT_THROW(StrToInt("$100000000"), EConvertError);
}

TEST(StrToInt, RefusesTextThatIsNotAnInteger) {
  for (const char* Text : {"", "   ", "abc", "12abc", "1 2", "1.5", "0x", "$", "x", "-", "+", "--1",
                           "+-1", "- 1", "0x-1", "$$1", "$G", "1e3", "\xEF\xBC\x91"})
    EXPECT_THROW(StrToInt(Text), EConvertError) << '"' << Text << '"';
}

TEST(StrToInt, ErrorNamesTheTrimmedText) {
  try {
    StrToInt("  12 apples\t");
    FAIL() << "no error raised";
  } catch (const Exception& Error) {
    EXPECT_EQ(Error.Message(), "'12 apples' is not a valid integer value");
    EXPECT_NE(dynamic_cast<const EConvertError*>(&Error), nullptr);
  }
}
