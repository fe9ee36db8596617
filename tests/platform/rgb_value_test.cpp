// Integer values whose "rgb" components nest or overlap: the parser against a
// slow reference that reads component by component, as the value syntax is
// described, and texts built to make such a reading take forever.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>

#include "platform/value_syntax.h"

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

uint32_t ReferenceDecimal(std::string_view text) {
  uint32_t v = 0;
  for (size_t i = 0; i < text.size() && IsDigit(text[i]); ++i)
    v = v * 10u + static_cast<uint32_t>(text[i] - '0');
  return v;
}

uint32_t ReferenceUnsigned(std::string_view text) {
  if (text.size() >= 2 && text[0] == '0' && (Lower(text[1]) == 'x' || Lower(text[1]) == 'b')) {
    const bool hex = Lower(text[1]) == 'x';
    uint32_t v = 0;
    for (char c : text.substr(2)) {
      int d = IsDigit(c)                             ? c - '0'
              : (Lower(c) >= 'a' && Lower(c) <= 'f') ? Lower(c) - 'a' + 10
                                                     : -1;
      if (d < 0 || (!hex && d > 1)) break;
      v = v * (hex ? 16u : 2u) + static_cast<uint32_t>(d);
    }
    return v;
  }
  return ReferenceDecimal(text);
}

// Component by component, each one read by calling itself: exponential in
// blank-separated "rgb" words and as deep as the nesting.
int32_t ReferenceParseInteger(std::string_view text) {
  if (text.empty()) return 0;
  const char c = Lower(text[0]);
  if (IsDigit(c)) return static_cast<int32_t>(ReferenceUnsigned(text));
  if (c == 't' || c == 'v') return 1;
  if (text.size() < 3 || c != 'r' || Lower(text[1]) != 'g' || Lower(text[2]) != 'b') return 0;
  size_t pos = text.find('(', 3);
  pos = pos == std::string_view::npos ? 3 : pos + 1;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  const uint32_t red = static_cast<uint32_t>(ReferenceParseInteger(text.substr(pos))) & 255u;
  pos = platform::SkipArgument(text, pos);
  const uint32_t green = ReferenceDecimal(text.substr(pos)) & 255u;
  pos = platform::SkipArgument(text, pos);
  const uint32_t blue = static_cast<uint32_t>(ReferenceParseInteger(text.substr(pos))) & 255u;
  return static_cast<int32_t>(red + 256u * green + 65536u * blue);
}

TEST(RgbValue, SameAsReadingComponentByComponentOnGeneratedTexts) {
  const char* const pieces[] = {"rgb", "RGB", "rGb(", "rgb(", "(",          ")",  ",",     ", ",
                                " ",   "\t",  "  ",   "0x",   "0X1f",       "0b", "0b101", "1",
                                "12",  "255", "300",  "7",    "4294967301", "f",  "t",     "vrai",
                                "-",   "x",   "ab",   "r",    "rg",         "b",  "))",    "(("};
  std::mt19937 random(2224);
  std::uniform_int_distribution<size_t> piece(0, std::size(pieces) - 1);
  std::uniform_int_distribution<int> length(1, 24);
  int rgbTexts = 0;
  for (int n = 0; n < 200000; ++n) {
    std::string text = n % 2 == 0 ? "rgb" : "";
    for (int i = length(random); i > 0; --i) text += pieces[piece(random)];
    if (text.compare(0, 3, "rgb") == 0) ++rgbTexts;
    ASSERT_EQ(platform::ParseInteger(text), ReferenceParseInteger(text)) << '"' << text << '"';
  }
  EXPECT_GT(rgbTexts, 100000);
}

TEST(RgbValue, NestedAndListedComponentsAsWritten) {
  const std::pair<const char*, int32_t> cases[] = {
      {"rgb(rgb(1,2,3), 4, rgb(5 6 7))", 1 + 4 * 256 + 5 * 65536},
      {"rgb(rgb(rgb(rgb(9))),0,0)", 9},
      {"RGB( 10, 20, 0x1e)", 10 + 20 * 256 + 30 * 65536},
      {"rgb 1 2 3", 1 + 2 * 256 + 3 * 65536},
      {"rgb rgb 1 2 3",
       1 + 1 * 256 + 2 * 65536},  // the inner word takes "1 2 3", the outer one "1 2"
      {"rgb(", 0},
  };
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(platform::ParseInteger(text), value) << text;
    EXPECT_EQ(ReferenceParseInteger(text), value) << text;
  }
}

std::string Words(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "rgb ";
  return text;
}

// Time is printed, not checked; a parser that took time exponential in the
// words or recursed for every "rgb(" would not come back from these.
TEST(RgbValue, ManyWordsAndDeepNestingReadAsAMalformedValue) {
  const std::string nested = [] {
    std::string text;
    for (int i = 0; i < 40000; ++i) text += "rgb(";
    return text;
  }();
  for (const std::string& text :
       {Words(250), Words(40000), nested, nested + "1,2,3" + std::string(40000, ')')}) {
    const auto start = std::chrono::steady_clock::now();
    const int32_t value = platform::ParseInteger(text);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%zu characters: %.2f ms\n", text.size(), ms);
    EXPECT_EQ(value, text.find('1') == std::string::npos ? platform::ParseInteger("rgb(") : 1)
        << text.size();
  }
}

}  // namespace
