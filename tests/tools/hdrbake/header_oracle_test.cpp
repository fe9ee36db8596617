// The expected headers (which the golden cases hold the program to) checked
// against a second decoder: ImageMagick's reading of the same PCX files, stored
// beside them as raw RGB pixels (.rgb) and as its colour map (.colormap, one
// "red green blue" line per entry). And the headers must compile as C once
// `u16` is defined.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "run_tool.h"
#include "test_support/commands.h"
#include "test_support/temp_dir.h"

namespace hdrbaketest {
namespace {

struct Rgb {
  int red, green, blue;
  bool operator==(const Rgb&) const = default;
};

int DefineValue(const std::string& text, const std::string& name) {
  const std::size_t at = text.find("#define  " + name + " ");
  if (at == std::string::npos) return -1;
  return std::atoi(text.c_str() + at + 9 + name.size());
}

std::vector<unsigned> ArrayValues(const std::string& text, const std::string& name) {
  std::vector<unsigned> values;
  std::size_t at = text.find("const u16 " + name + "[] = {");
  const std::size_t end = text.find("};", at);
  while ((at = text.find("0x", at)) < end) {
    values.push_back(static_cast<unsigned>(std::strtoul(text.c_str() + at, nullptr, 16)));
    at += 2;
  }
  return values;
}

std::vector<Rgb> ReadColourMap(const std::string& path) {
  std::ifstream in(path);
  std::vector<Rgb> map;
  Rgb colour{};
  while (in >> colour.red >> colour.green >> colour.blue) map.push_back(colour);
  return map;
}

unsigned Console(const Rgb& colour) {
  return (colour.red >> 3) | ((colour.green >> 3) << 5) | ((colour.blue >> 3) << 10);
}

struct OracleCase {
  const char* picture;  // NAME of NAME.pcx, NAME.rgb and NAME.colormap
  const char* header;   // under expected/
  const char* prefix;
};

void PrintTo(const OracleCase& oracle, std::ostream* out) { *out << oracle.picture; }

class HeaderOracle : public ::testing::TestWithParam<OracleCase> {};

TEST_P(HeaderOracle, ValuesMatchTheSecondDecoder) {
  const OracleCase& oracle = GetParam();
  const std::string base = testsupport::DataPath(std::string("hdrbake/") + oracle.picture);
  const std::string text = testsupport::ReadFile(
      testsupport::DataPath(std::string("hdrbake/expected/") + oracle.header));
  const std::string prefix = oracle.prefix;

  const std::vector<Rgb> colourMap = ReadColourMap(base + ".colormap");
  const std::string rgb = testsupport::ReadFile(base + ".rgb");
  ASSERT_EQ(colourMap.size(), 256u);
  const int width = DefineValue(text, prefix + "_WIDTH");
  const int height = DefineValue(text, prefix + "_HEIGHT");
  ASSERT_EQ(rgb.size(), static_cast<std::size_t>(width) * height * 3);

  const std::vector<unsigned> palette = ArrayValues(text, prefix + "Palette");
  ASSERT_EQ(palette.size(), 256u);
  for (std::size_t i = 0; i < palette.size(); ++i)
    EXPECT_EQ(palette[i], Console(colourMap[i])) << "entry " << i;

  const std::vector<unsigned> data = ArrayValues(text, prefix + "Data");
  ASSERT_EQ(data.size(), static_cast<std::size_t>(width) * height / 2);
  int wrong = 0;
  for (std::size_t pixel = 0; pixel < 2 * data.size(); ++pixel) {
    const unsigned index = (data[pixel / 2] >> (pixel % 2 * 8)) & 0xFF;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(rgb.data()) + 3 * pixel;
    if (!(colourMap[index] == Rgb{bytes[0], bytes[1], bytes[2]}) && ++wrong <= 5)
      ADD_FAILURE() << "pixel " << pixel;
  }
  EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(Images, HeaderOracle,
                         ::testing::Values(OracleCase{"wizard", "wizard.h", "wizard"},
                                           OracleCase{"rose_odd", "RoseOdd.h", "RoseOdd"},
                                           OracleCase{"wizard_trailing", "wizard.h", "wizard"},
                                           OracleCase{"ball", "ball.h", "ball"},
                                           OracleCase{"padded", "Tiles.h", "Tiles"}),
                         [](const ::testing::TestParamInfo<OracleCase>& info) {
                           return info.param.picture;
                         });

TEST(HeaderCompiles, WithGccOnceU16IsDefined) {
  std::string compiler;
  for (const char* candidate : {"gcc", "cc"}) {
    if (testsupport::HaveProgram(candidate)) {
      compiler = candidate;
      break;
    }
  }
  if (compiler.empty()) GTEST_SKIP() << "no C compiler on this machine";

  testsupport::TempDir dir;
  // A full picture, an odd pixel count, and the empty header of an unreadable input.
  for (const char* header : {"wizard.h", "RoseOdd.h", "missing.h"}) {
    const std::string wrapper = dir.file("wrapper.c");
    testsupport::WriteFile(
        wrapper, "typedef unsigned short u16;\n#include \"" +
                     testsupport::DataPath(std::string("hdrbake/expected/") + header) + "\"\n");
    const std::string command = compiler + " -c " + hdrbaketest::ShellQuote(wrapper) + " -o " +
                                hdrbaketest::ShellQuote(dir.file("wrapper.o"));
    EXPECT_EQ(hdrbaketest::RunCommand(command), 0) << header;
  }
}

}  // namespace
}  // namespace hdrbaketest
