// Runs the program on each case folder's input and compares the header it
// writes with the expected one under tests/data/hdrbake/expected. With
// TESSEL_UPDATE_GOLDEN=1, the expected headers are rewritten instead (check
// the difference before keeping it).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <ostream>
#include <vector>

#include "run_tool.h"
#include "test_support/temp_dir.h"

namespace hdrbaketest {
namespace {

std::string SizeLines(int height, int width) {
  char text[128];
  std::snprintf(text, sizeof text,
                "height           %8i\nwidth            %8i\nbits_per_pixel   %8d\n", height, width,
                8);
  return text;
}

const std::string kInputFailed = "stringfailed to open pcx file";

struct GoldenCase {
  const char* name;
  const char* input;      // file under tests/data/hdrbake, or nullptr
  const char* inputName;  // its name in the run directory
  std::vector<std::string> args;
  int exitStatus;
  std::string console;
  const char* outputName;
  const char* expected;  // under tests/data/hdrbake/expected
};

const GoldenCase kCases[] = {
    {"ImageMagickPicture",
     "wizard.pcx",
     "wizard.pcx",
     {"wizard.pcx"},
     0,
     SizeLines(128, 96),
     "wizard.h",
     "wizard.h"},
    {"OddPixelCountKeepsCaseOfName",
     "rose_odd.pcx",
     "RoseOdd.pcx",
     {"RoseOdd.pcx"},
     0,
     SizeLines(45, 69),
     "RoseOdd.h",
     "RoseOdd.h"},
    {"BackslashPath",
     "ball.pcx",
     "gfx\\ball.pcx",
     {"gfx\\ball.pcx"},
     0,
     SizeLines(4, 6),
     "gfx\\ball.h",
     "ball.h"},
    {"SlashPath",
     "ball.pcx",
     "gfx/ball.pcx",
     {"gfx/ball.pcx"},
     0,
     SizeLines(4, 6),
     "gfx/ball.h",
     "ball.h"},
    {"NamedOutputWithPaddedRows",
     "padded.pcx",
     "padded.pcx",
     {"padded.pcx", "Tiles.inc.h"},
     0,
     "wtf?" + SizeLines(3, 3),
     "Tiles.inc.h",
     "Tiles.h"},
    // Three bytes a writer left after the palette: the same header as without them.
    {"BytesAfterThePalette",
     "wizard_trailing.pcx",
     "wizard.pcx",
     {"wizard.pcx"},
     0,
     SizeLines(128, 96),
     "wizard.h",
     "wizard.h"},
    {"MissingPaletteMarker",
     "no_marker.pcx",
     "no_marker.pcx",
     {"no_marker.pcx"},
     1,
     SizeLines(4, 6) + kInputFailed,
     "no_marker.h",
     "no_marker.h"},
    {"TruncatedStream",
     "truncated.pcx",
     "truncated.pcx",
     {"truncated.pcx"},
     1,
     SizeLines(4, 6) + kInputFailed,
     "truncated.h",
     "truncated.h"},
    {"UnreadableInput",
     nullptr,
     nullptr,
     {"missing.pcx"},
     1,
     kInputFailed,
     "missing.h",
     "missing.h"},
};

void PrintTo(const GoldenCase& golden, std::ostream* out) { *out << golden.name; }

class HdrbakeGolden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(HdrbakeGolden, WritesTheExpectedHeader) {
  const GoldenCase& golden = GetParam();
  testsupport::TempDir dir;
  if (golden.input != nullptr) {
    const std::filesystem::path inputPath = dir.path() / golden.inputName;
    std::filesystem::create_directories(inputPath.parent_path());
    testsupport::WriteFile(
        inputPath,
        testsupport::ReadFile(testsupport::DataPath(std::string("hdrbake/") + golden.input)));
  }

  const hdrbaketest::ToolRun run = hdrbaketest::RunHdrbakeIn(dir.path(), golden.args);
  EXPECT_EQ(run.exitStatus, golden.exitStatus);
  EXPECT_EQ(run.console, golden.console);

  const std::filesystem::path written = dir.path() / golden.outputName;
  ASSERT_TRUE(std::filesystem::exists(written));
  const std::string expectedPath =
      testsupport::DataPath(std::string("hdrbake/expected/") + golden.expected);
  if (testsupport::UpdatingGoldenFiles())
    testsupport::WriteFile(expectedPath, testsupport::ReadFile(written));
  EXPECT_EQ(testsupport::ReadFile(written), testsupport::ReadFile(expectedPath));
}

INSTANTIATE_TEST_SUITE_P(Cases, HdrbakeGolden, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                           return info.param.name;
                         });

TEST(Hdrbake, WrongArgumentCountShowsUsageAndWritesNothing) {
  const std::vector<std::vector<std::string>> wrongCounts = {{}, {"a.pcx", "b.h", "c"}};
  for (const auto& args : wrongCounts) {
    testsupport::TempDir dir;
    const hdrbaketest::ToolRun run = hdrbaketest::RunHdrbakeIn(dir.path(), args);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.console, "Usage:\nHDRBAKE  filename [outputfile]");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  }
}

TEST(Hdrbake, OutputThatCannotBeCreatedFails) {
  testsupport::TempDir dir;
  testsupport::WriteFile(dir.path() / "ball.pcx",
                         testsupport::ReadFile(testsupport::DataPath("hdrbake/ball.pcx")));
  const hdrbaketest::ToolRun run =
      hdrbaketest::RunHdrbakeIn(dir.path(), {"ball.pcx", "no/such/dir/ball.h"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.console, "wtf?" + SizeLines(4, 6) + "failed to create no/such/dir/ball.h\n");
}

}  // namespace
}  // namespace hdrbaketest
