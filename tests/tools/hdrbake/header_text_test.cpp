#include "tools/hdrbake/header_text.h"

#include <gtest/gtest.h>

#include <string>

namespace hdrbaketest {
namespace {

using namespace hdrbake;

const std::string kIndent = "\n                   ";

std::string ZeroLines(int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i) {
    text += kIndent;
    for (int v = 0; v < 10; ++v) text += " 0x0000,";
  }
  return text;
}

TEST(HeaderText, SmallImageIsWrittenByteForByte) {
  PcxImage image;
  image.width = 3;
  image.height = 1;
  image.pixels = {0x12, 0xAB, 0x07};  // the odd last pixel has no word
  image.palette[0] = {255, 0, 0};
  image.palette[1] = {0, 255, 0};
  image.palette[2] = {0, 0, 255};
  image.palette[3] = {8, 16, 24};
  image.palette[4] = {7, 7, 7};  // below one step of five bits
  image.palette[255] = {255, 255, 255};

  const std::string expected =
      "/**********************************************\\\n"
      "*       Ball.h                                   *\n"
      "/**********************************************/\n"
      "#define  Ball_WIDTH   3\n"
      "#define  Ball_HEIGHT  1\n"
      "\n\nconst u16 BallData[] = {" +
      kIndent + " 0xAB12,};" + "\n\nconst u16 BallPalette[] = {" + kIndent +
      " 0x001F, 0x03E0, 0x7C00, 0x0C41, 0x0000, 0x0000, 0x0000, 0x0000, 0x0000, 0x0000," +
      ZeroLines(24) + kIndent + " 0x0000, 0x0000, 0x0000, 0x0000, 0x0000, 0x7FFF,};";
  EXPECT_EQ(HeaderText(image, "Ball"), expected);
}

TEST(HeaderText, EveryTenthValueStartsALine) {
  PcxImage image;
  image.width = 22;
  image.height = 1;
  image.pixels.assign(22, 1);
  const std::string text = HeaderText(image, "x");
  const std::string word = " 0x0101,";
  std::string values;
  for (int i = 0; i < 10; ++i) values += word;
  const std::string data = "const u16 xData[] = {" + kIndent + values + kIndent + word + "};";
  EXPECT_NE(text.find(data), std::string::npos) << text;
}

TEST(HeaderText, ImageNotReadGivesZeroSizeAndEmptyData) {
  const std::string text = HeaderText(PcxImage{}, "missing");
  EXPECT_NE(text.find("#define  missing_WIDTH   0\n#define  missing_HEIGHT  0\n"),
            std::string::npos);
  EXPECT_NE(text.find("const u16 missingData[] = {};"), std::string::npos);
}

}  // namespace
}  // namespace hdrbaketest
