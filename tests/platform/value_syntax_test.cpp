#include "platform/value_syntax.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(ParseInteger, FirstCharacterDecidesTheForm) {
  EXPECT_EQ(ParseInteger("0x1F"), 31);
  EXPECT_EQ(ParseInteger("0X1f"), 31);
  EXPECT_EQ(ParseInteger("0b101"), 5);
  EXPECT_EQ(ParseInteger("42abc"), 42);
  EXPECT_EQ(ParseInteger("vrai"), 1);
  EXPECT_EQ(ParseInteger("true"), 1);
  EXPECT_EQ(ParseInteger("faux"), 0);
  EXPECT_EQ(ParseInteger("-3"), 0);
  EXPECT_EQ(ParseInteger(""), 0);
  EXPECT_EQ(ParseInteger("0xFFFFFFFF"), -1);
}

TEST(ParseInteger, RgbPacksThreeLowBytesRedFirst) {
  EXPECT_EQ(ParseInteger("RGB(255,0,0x10)"), 255 + 16 * 65536);
  EXPECT_EQ(ParseInteger("rgb(255, 0, 254)"), 255 + 254 * 65536);
  EXPECT_EQ(ParseInteger("rgb(64 64 64)"), 64 + 64 * 256 + 64 * 65536);
  EXPECT_EQ(ParseInteger("rgb(300,256,1)"), (300 & 255) + 65536);
  // The green component is plain decimal: a hex form reads as 0.
  EXPECT_EQ(ParseInteger("rgb(0,0x10,0)"), 0);
}

TEST(ParseString, DelimitedByTheFirstCharacter) {
  size_t end = 0;
  EXPECT_EQ(ParseString("\"a;b\" rest", &end).value(), "a;b");
  EXPECT_EQ(end, 5u);
  EXPECT_EQ(ParseString("'x'").value(), "x");
  EXPECT_EQ(ParseString("*it's*").value(), "it's");
  EXPECT_EQ(ParseString("\"a\\\"b\"").value(), "a\\");  // no escapes here
  EXPECT_FALSE(ParseString("plain").has_value());
  EXPECT_FALSE(ParseString("\"open").has_value());
  EXPECT_FALSE(ParseString("").has_value());
}

TEST(ParseString, EscapedFormTurnsBackslashSequencesIntoBytes) {
  size_t end = 0;
  EXPECT_EQ(ParseStringEscaped("\"a\\nb\\b\\\\\\\"q\" x", "\r\n", &end).value(), "a\r\nb\b\\\"q");
  EXPECT_EQ(end, 13u);
  EXPECT_EQ(ParseStringEscaped("'\\n'", "\n").value(), "\n");
  EXPECT_FALSE(ParseStringEscaped("\"ends with escape\\\"", "\n").has_value());
}

TEST(ParseReal, ReadsSignFractionAndExponent) {
  EXPECT_DOUBLE_EQ(ParseReal("1.5"), 1.5);
  EXPECT_DOUBLE_EQ(ParseReal("-2.25e1x"), -22.5);
  EXPECT_DOUBLE_EQ(ParseReal("+.5"), 0.5);
  EXPECT_DOUBLE_EQ(ParseReal("3e"), 3.0);
  EXPECT_DOUBLE_EQ(ParseReal("50%"), 50.0);
  EXPECT_DOUBLE_EQ(ParseReal("abc"), 0.0);
  EXPECT_DOUBLE_EQ(ParseReal("."), 0.0);
}

TEST(SkipArgument, StopsOutsideParenthesesAndSkipsBlanks) {
  std::string_view t = "rgb(1, 2, 3),  next";
  EXPECT_EQ(t.substr(SkipArgument(t)), "next");
  EXPECT_EQ(SkipArgument("abc"), 3u);
  std::string_view u = "a)b";
  EXPECT_EQ(u.substr(SkipArgument(u)), "b");
}

TEST(QuoteString, EscapesAndStopsBeforeTheCapacity) {
  EXPECT_EQ(QuoteString("a\"b\\c\nd"), "\"a\\\"b\\\\c\\nd\"");
  EXPECT_EQ(QuoteString("abcdef", '"', 6), "\"abc\"");
  EXPECT_EQ(QuoteString("ab\"", '"', 6), "\"ab\"");  // the escape is not split
  EXPECT_EQ(QuoteString("é", '"', 1024), "\"é\"");
}
