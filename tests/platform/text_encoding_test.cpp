#include "platform/text_encoding.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(TextEncoding, EveryCp1252ByteSurvivesARoundTripThroughUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  std::string utf8 = Cp1252ToUtf8(all);
  EXPECT_EQ(Utf8ToCp1252(utf8), all);
  EXPECT_EQ(Utf8Length(utf8), 256u);
}

TEST(TextEncoding, FrenchAccentsAndEuroMapToTheirSingleBytes) {
  EXPECT_EQ(Utf8ToCp1252("Elément é è à ç €"), "El\xE9ment \xE9 \xE8 \xE0 \xE7 \x80");
  EXPECT_EQ(Cp1252ToUtf8("Donn\xE9"
                         "es"),
            "Données");
  EXPECT_EQ(Utf8ToCp1252("日本"), "??");
}

TEST(TextEncoding, FilesAreDetectedAsUtf8OnlyWithValidMultiByteSequences) {
  EXPECT_EQ(DecodeTextFile("dossierd\xC3\xA9"
                           "f"),
            "dossierdéf");  // UTF-8 file
  EXPECT_EQ(DecodeTextFile("dossierd\xE9"
                           "f"),
            "dossierdéf");                                  // 1252 file
  EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBFplain"), "plain");  // BOM dropped
  EXPECT_EQ(DecodeTextFile("ascii only"), "ascii only");
  // A 1252 file whose bytes happen to start like UTF-8 but break later.
  EXPECT_EQ(DecodeTextFile("\xC3\xA9 puis \xE9"), Cp1252ToUtf8("\xC3\xA9 puis \xE9"));
}

TEST(TextEncoding, LengthsAndPrefixesCountCharacters) {
  EXPECT_EQ(Utf8Length("Mosaïques"), 9u);
  EXPECT_EQ(Utf8Prefix("Mosaïques", 5), "Mosaï");
  EXPECT_EQ(Utf8Prefix("abc", 10), "abc");
  EXPECT_EQ(Utf8Prefix("abc", 0), "");
}
