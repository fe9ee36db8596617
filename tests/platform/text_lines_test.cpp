#include "platform/text_lines.h"

#include <gtest/gtest.h>

using platform::TextLines;

TEST(TextLines, ServesLinesWithoutTheirEndsIncludingAnUnterminatedLast) {
  TextLines lines("a\r\nb\n\nlast");
  std::string l;
  std::vector<std::string> got;
  while (lines.readLine(l)) got.push_back(l);
  EXPECT_EQ(got, (std::vector<std::string>{"a", "b", "", "last"}));
}

TEST(TextLines, LongLinesArriveInPiecesOfWholeCharacters) {
  TextLines lines("ééééé\nx");
  std::string l;
  ASSERT_TRUE(lines.readLine(l, 2));
  EXPECT_EQ(l, "éé");
  ASSERT_TRUE(lines.readLine(l, 2));
  EXPECT_EQ(l, "éé");
  ASSERT_TRUE(lines.readLine(l, 2));
  EXPECT_EQ(l, "é");
  ASSERT_TRUE(lines.readLine(l, 2));
  EXPECT_EQ(l, "x");
  EXPECT_FALSE(lines.readLine(l, 2));
}
