// Text values: number conversions, comparison, cutting and case, as messages and data files use them.
#include "platform/core/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

std::string Str(const Text& t) { return t.ToBytes(); }

TEST(TextConversion, IntToTextCoversSignsAndTheMostNegative) {
  EXPECT_EQ(Str(IntToText(0)), "0");
  EXPECT_EQ(Str(IntToText(-7)), "-7");
  EXPECT_EQ(Str(IntToText(1234567)), "1234567");
  EXPECT_EQ(Str(IntToText(INT32_MIN)), "-2147483648");
}

TEST(TextConversion, RealFormatsKeepThePointAndTrailingZeros) {
  EXPECT_EQ(Str(RealToText(1.5f)), "1.50000000");
  EXPECT_EQ(Str(RealToText(100.0f)), "100.000000");
  // The float is widened first, so its binary value shows in the ninth digit.
  EXPECT_EQ(Str(RealToText(0.1f)), "0.100000001");
  EXPECT_EQ(Str(RealToText(1e20f)), "1.00000002e+20");
  EXPECT_EQ(Str(DoubleToText(0.1)), "0.10000000000000001");
  EXPECT_EQ(Str(DoubleToText(2.0)), "2.0000000000000000");
}

TEST(TextConversion, TextToIntReadsSpacesSignAndBase) {
  EXPECT_EQ(TextToInt("  42abc"), 42);
  EXPECT_EQ(TextToInt("-$ff"), -255);
  EXPECT_EQ(TextToInt("$FF"), 255);
  EXPECT_EQ(TextToInt("%101"), 5);
  EXPECT_EQ(TextToInt("%102"), 2);
  EXPECT_EQ(TextToInt("\t\n\v\f\r 17"), 17);
  EXPECT_EQ(TextToInt("+8"), 8);
  EXPECT_EQ(TextToInt("12\r"), 12);
}

TEST(TextConversion, TextToIntGivesZeroWhenThereAreNoDigits) {
  EXPECT_EQ(TextToInt(""), 0);
  EXPECT_EQ(TextToInt("+"), 0);
  EXPECT_EQ(TextToInt("   "), 0);
  EXPECT_EQ(TextToInt("abc"), 0);
  EXPECT_EQ(TextToInt("$"), 0);
  EXPECT_EQ(TextToInt("- 5"), 0);
}

TEST(TextConversion, TextToIntWrapsAtThirtyTwoBits) {
  EXPECT_EQ(TextToInt("4294967297"), 1);
  EXPECT_EQ(TextToInt("$FFFFFFFF"), -1);
  EXPECT_EQ(TextToInt("2147483648"), INT32_MIN);
  EXPECT_EQ(TextToInt("-2147483648"), INT32_MIN);
}

TEST(TextConversion, RealToIntTruncatesTowardZero) {
  EXPECT_EQ(RealToInt(2.9), 2);
  EXPECT_EQ(RealToInt(-2.9), -2);
  EXPECT_EQ(RealToInt(-0.5), 0);
  // Values no int can hold saturate rather than being undefined.
  EXPECT_EQ(RealToInt(1e12), INT32_MAX);
  EXPECT_EQ(RealToInt(-1e12), INT32_MIN);
  EXPECT_EQ(RealToInt(std::nan("")), 0);
}

TEST(TextBytes, EveryByteBecomesItsOwnCodeAndBack) {
  const Text t(std::string_view("\xe9\xff\x01", 3));
  ASSERT_EQ(t.Length(), 3);
  EXPECT_EQ(t[0], 233);
  EXPECT_EQ(t[1], 255);
  Text wide(std::u16string{u'\u0141', u'A'});
  EXPECT_EQ(wide.ToBytes(), std::string("\x41" "A"));
  EXPECT_EQ(Text(static_cast<const char*>(nullptr)).Length(), 0);
}

TEST(TextCompare, CodesThenLengths) {
  EXPECT_LT(CompareText("ab", "abc"), 0);
  EXPECT_EQ(CompareText("b", "a"), 1);
  EXPECT_EQ(CompareText("abc", "abc"), 0);
  EXPECT_EQ(CompareText("a", "A"), 'a' - 'A');
  EXPECT_EQ(CompareText("", ""), 0);
  EXPECT_EQ(Str(Text("A ") + Text("rat") + " attacks!"), "A rat attacks!");
  EXPECT_EQ(Str("gold: " + IntToText(5)), "gold: 5");
}

TEST(TextCutting, MidFollowsTheSliceRule) {
  EXPECT_EQ(Str(TextMid("hello", 2, 3)), "ell");
  EXPECT_EQ(Str(TextMid("hello", 6, 1)), "");
  EXPECT_EQ(Str(TextMid("hello", 4, 10)), "lo");
  EXPECT_EQ(Str(TextMid("hello", 3, -1)), "llo");
  EXPECT_EQ(Str(TextMid("hello", 0, 3)), "he");
  EXPECT_EQ(Str(TextMid("hello", -5, 3)), "");
  EXPECT_EQ(Str(TextMid("hello", 5, 0)), "");
  // A negative count from before the text reads the missing positions as spaces.
  EXPECT_EQ(Str(TextMid("abc", 0, -1)), " abc");
}

TEST(TextCutting, LeftAndFind) {
  EXPECT_EQ(Str(TextLeft("hello", 2)), "he");
  EXPECT_EQ(Str(TextLeft("hello", 99)), "hello");
  EXPECT_EQ(Str(TextLeft("hello", 0)), "");
  EXPECT_EQ(Str(TextLeft("hello", -3)), "");
  EXPECT_EQ(TextFind("hello", "l", 1), 3);
  EXPECT_EQ(TextFind("hello", "l", 4), 4);
  EXPECT_EQ(TextFind("hello", "l", 5), 0);
  EXPECT_EQ(TextFind("hello", "z", 1), 0);
  EXPECT_EQ(TextFind("incbin::x", "::", 1), 7);
  EXPECT_EQ(TextFind("hi", "hi", 9), 0);
}

TEST(TextCutting, PaddingCutsOrFillsWithSpaces) {
  EXPECT_EQ(Str(TextPadRight("ab", 4)), "ab  ");
  EXPECT_EQ(Str(TextPadRight("abcdef", 2)), "ab");
  EXPECT_EQ(Str(TextPadLeft("ab", 4)), "  ab");
  EXPECT_EQ(Str(TextPadLeft("abcdef", 2)), "ef");
  EXPECT_EQ(Str(TextPadLeft("ab", 0)), "");
  EXPECT_EQ(Str(TextPadRight("ab", -1)), "");
}

TEST(TextCase, OnlyAsciiLettersChange) {
  EXPECT_EQ(Str(TextUpper("Rune of health-max 3")), "RUNE OF HEALTH-MAX 3");
  EXPECT_EQ(Str(TextLower("VICTORY!")), "victory!");
  const Text accented(std::u16string{233, 201, u'z'});
  EXPECT_EQ(TextUpper(accented).chars, (std::u16string{233, 201, u'Z'}));
  EXPECT_EQ(TextLower(accented).chars, (std::u16string{233, 201, u'z'}));
}

}  // namespace

TEST(Numbers, SaturatingSumsStopAtTheThirtyTwoBitLimits) {
  EXPECT_EQ(SaturatingAdd(2147483000, 1000), INT32_MAX);
  EXPECT_EQ(SaturatingAdd(INT32_MAX, INT32_MAX), INT32_MAX);
  EXPECT_EQ(SaturatingAdd(INT32_MIN, -1), INT32_MIN);
  EXPECT_EQ(SaturatingAdd(-5, 7), 2);
  EXPECT_EQ(SaturatingSub(INT32_MAX, -1), INT32_MAX);
  EXPECT_EQ(SaturatingSub(INT32_MIN, 1), INT32_MIN);
  EXPECT_EQ(SaturatingSub(100, 160), -60);
  EXPECT_EQ(SaturatingMul(1073741824, 2), INT32_MAX);
  EXPECT_EQ(SaturatingMul(INT32_MIN, -1), INT32_MAX);
  EXPECT_EQ(SaturatingMul(-1073741825, 2), INT32_MIN);
  EXPECT_EQ(SaturatingMul(-46341, 46341), INT32_MIN);
  EXPECT_EQ(SaturatingMul(12, -3), -36);
}
