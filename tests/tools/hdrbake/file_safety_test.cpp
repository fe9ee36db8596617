// What stands at the input and output paths: pipes are refused without
// waiting, a failed write leaves the previous header whole, both separators
// name the same file, and an image too large is refused before it is read.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

#include <filesystem>
#include <string>
#include <vector>

#include "run_tool.h"
#include "test_support/temp_dir.h"

namespace hdrbaketest {
namespace {

namespace fs = std::filesystem;

std::string Ball() { return testsupport::ReadFile(testsupport::DataPath("hdrbake/ball.pcx")); }

// A 128-byte header claiming `width` × `height` pixels, then a stream of
// long runs that could hold them.
std::string HugeHeader(int width, int height) {
  std::string pcx(128, '\0');
  pcx[0] = 10;
  pcx[3] = 8;
  pcx[8] = static_cast<char>((width - 1) & 0xFF);
  pcx[9] = static_cast<char>((width - 1) >> 8);
  pcx[10] = static_cast<char>((height - 1) & 0xFF);
  pcx[11] = static_cast<char>((height - 1) >> 8);
  for (int64_t left = int64_t{width} * height; left > 0; left -= 63) pcx += "\xFF\x01";
  return pcx;
}

struct PathCase {
  const char* name;
  void (*prepare)(const fs::path& dir);
  std::vector<std::string> args;
  int exitStatus;
  void (*check)(const fs::path& dir, const std::string& console);
};

const PathCase kPathCases[] = {
    {"PipeAsInput",
     [](const fs::path& d) { ASSERT_EQ(::mkfifo((d / "ball.pcx").c_str(), 0644), 0); },
     {"ball.pcx", "ball.h"},
     1,
     [](const fs::path&, const std::string& console) {
       EXPECT_NE(console.find("failed to open pcx file"), std::string::npos);
     }},
    {"PipeAsOutput",
     [](const fs::path& d) {
       testsupport::WriteFile(d / "ball.pcx", Ball());
       ASSERT_EQ(::mkfifo((d / "ball.h").c_str(), 0644), 0);
     },
     {"ball.pcx"},
     1,
     [](const fs::path& d, const std::string& console) {
       EXPECT_NE(console.find("failed to create ball.h"), std::string::npos);
       EXPECT_EQ(fs::status(d / "ball.h").type(), fs::file_type::fifo);
     }},
    {"BackslashNamesTheFileInItsFolder",
     [](const fs::path& d) {
       fs::create_directory(d / "gfx");
       testsupport::WriteFile(d / "gfx/ball.pcx", Ball());
     },
     {"gfx\\ball.pcx"},
     0,
     [](const fs::path& d, const std::string&) {
       std::string header = testsupport::ReadFile(d / "gfx/ball.h");
       EXPECT_NE(header.find("#define  ball_WIDTH   6"), std::string::npos) << header;
       EXPECT_FALSE(fs::exists(d / "gfx\\ball.h"));
     }},
    {"LinkIsWrittenThrough",
     [](const fs::path& d) {
       testsupport::WriteFile(d / "ball.pcx", Ball());
       testsupport::WriteFile(d / "real.h", "old");
       fs::permissions(d / "real.h", fs::perms::owner_read | fs::perms::owner_write);
       fs::create_symlink("real.h", d / "ball.h");
     },
     {"ball.pcx"},
     0,
     [](const fs::path& d, const std::string&) {
       EXPECT_TRUE(fs::is_symlink(d / "ball.h"));
       EXPECT_NE(testsupport::ReadFile(d / "real.h").find("ball_WIDTH"), std::string::npos);
       EXPECT_EQ(fs::status(d / "real.h").permissions(),
                 fs::perms::owner_read | fs::perms::owner_write);
     }},
    {"ImageTooLarge",
     [](const fs::path& d) { testsupport::WriteFile(d / "huge.pcx", HugeHeader(4097, 4097)); },
     {"huge.pcx"},
     1,
     [](const fs::path& d, const std::string& console) {
       EXPECT_NE(console.find("image too large"), std::string::npos) << console;
       EXPECT_LT(fs::file_size(d / "huge.h"), 4096u);
     }},
};

class HdrbakePaths : public ::testing::TestWithParam<PathCase> {};

TEST_P(HdrbakePaths, AreHandledWithoutWaitingOrLosingAnything) {
  const PathCase& c = GetParam();
  testsupport::TempDir dir;
  c.prepare(dir.path());
  const hdrbaketest::ToolRun run = hdrbaketest::RunHdrbakeIn(dir.path(), c.args);
  EXPECT_EQ(run.exitStatus, c.exitStatus) << run.console;
  c.check(dir.path(), run.console);
}

INSTANTIATE_TEST_SUITE_P(Hdrbake, HdrbakePaths, ::testing::ValuesIn(kPathCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Hdrbake, AFullDiskLeavesThePreviousHeaderWhole) {
  testsupport::TempDir dir;
  if (::mount("tmpfs", dir.path().c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "no tmpfs can be mounted here";
  testsupport::WriteFile(dir.path() / "ball.pcx", Ball());
  ASSERT_EQ(hdrbaketest::RunHdrbakeIn(dir.path(), {"ball.pcx"}).exitStatus, 0);
  std::string good = testsupport::ReadFile(dir.path() / "ball.h");
  struct statvfs vfs {};
  ::statvfs(dir.path().c_str(), &vfs);
  testsupport::WriteFile(dir.path() / "filler", std::string(vfs.f_bavail * vfs.f_bsize, 'f'));
  const hdrbaketest::ToolRun run = hdrbaketest::RunHdrbakeIn(dir.path(), {"ball.pcx"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(testsupport::ReadFile(dir.path() / "ball.h"), good);
  ::umount(dir.path().c_str());
}

}  // namespace
}  // namespace hdrbaketest
