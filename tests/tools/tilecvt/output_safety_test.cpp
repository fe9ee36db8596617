// What stands at the input and output paths: pipes are refused without
// waiting, outputs are replaced whole or not at all, and quiet mode still
// names every output it could not write.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

#include <filesystem>
#include <string>
#include <vector>

#include "test_support/temp_dir.h"
#include "tool_run.h"

namespace {

namespace fs = std::filesystem;
using tilecvttest::RunTool;

struct PathCase {
  const char* name;
  void (*prepare)(const fs::path& dir);
  std::vector<std::string> args;
  int exitStatus;
  void (*check)(const fs::path& dir, const tilecvttest::ToolResult& result);
};

const PathCase kPathCases[] = {
    {"PipeAsInput",
     [](const fs::path& d) { ASSERT_EQ(::mkfifo((d / "in.bmp").c_str(), 0644), 0); },
     {"in.bmp"},
     1,
     [](const fs::path&, const tilecvttest::ToolResult& r) {
       EXPECT_EQ(r.err, "\n***ERROR: file not found\n");
     }},
    {"PipeAsOutput",
     [](const fs::path& d) {
       tilecvttest::CopyInput("odd8.bmp", d);
       ASSERT_EQ(::mkfifo((d / "odd8.raw").c_str(), 0644), 0);
     },
     {"odd8.bmp"},
     1,
     [](const fs::path& d, const tilecvttest::ToolResult& r) {
       EXPECT_NE(r.out.find("odd8.raw ... FAILED!"), std::string::npos) << r.out;
       EXPECT_EQ(fs::status(d / "odd8.raw").type(), fs::file_type::fifo);
     }},
    {"QuietModeNamesWhatItCouldNotWrite",
     [](const fs::path& d) { tilecvttest::CopyInput("odd8.bmp", d); },
     {"-q", "-o", "nowhere", "odd8.bmp"},
     1,
     [](const fs::path&, const tilecvttest::ToolResult& r) {
       EXPECT_NE(r.err.find("***ERROR: couldn't write nowhere/odd8.raw\n"), std::string::npos)
           << r.err;
       EXPECT_NE(r.err.find("***ERROR: couldn't write nowhere/master.pal\n"), std::string::npos)
           << r.err;
     }},
    {"LinkIsWrittenThroughAndKeepsItsMode",
     [](const fs::path& d) {
       tilecvttest::CopyInput("odd8.bmp", d);
       testsupport::WriteFile(d / "kept.raw", "old");
       fs::permissions(d / "kept.raw", fs::perms::owner_read | fs::perms::owner_write);
       fs::create_symlink("kept.raw", d / "odd8.raw");
     },
     {"odd8.bmp"},
     0,
     [](const fs::path& d, const tilecvttest::ToolResult&) {
       EXPECT_TRUE(fs::is_symlink(d / "odd8.raw"));
       EXPECT_GT(fs::file_size(d / "kept.raw"), 3u);
       EXPECT_EQ(fs::status(d / "kept.raw").permissions(),
                 fs::perms::owner_read | fs::perms::owner_write);
     }},
};

class TilecvtPaths : public ::testing::TestWithParam<PathCase> {};

TEST_P(TilecvtPaths, AreHandledWithoutWaitingOrLosingAnything) {
  const PathCase& c = GetParam();
  testsupport::TempDir dir;
  c.prepare(dir.path());
  const auto result = RunTool(dir.path(), c.args);
  EXPECT_EQ(result.exitStatus, c.exitStatus) << result.err;
  c.check(dir.path(), result);
}

INSTANTIATE_TEST_SUITE_P(Tilecvt, TilecvtPaths, ::testing::ValuesIn(kPathCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Tilecvt, AFullDiskLeavesThePreviousOutputsWhole) {
  testsupport::TempDir dir;
  if (::mount("tmpfs", dir.path().c_str(), "tmpfs", 0, "size=256k") != 0)
    GTEST_SKIP() << "no tmpfs can be mounted here";
  tilecvttest::CopyInput("wizard8.bmp", dir.path());
  ASSERT_EQ(RunTool(dir.path(), {"-q", "-fsrc", "wizard8.bmp"}).exitStatus, 0);
  std::vector<std::pair<fs::path, std::string>> before;
  for (const auto& e : fs::directory_iterator(dir.path()))
    if (e.path().filename() != "wizard8.bmp")
      before.emplace_back(e.path(), testsupport::ReadFile(e.path()));
  ASSERT_FALSE(before.empty());
  struct statvfs vfs {};
  ::statvfs(dir.path().c_str(), &vfs);
  testsupport::WriteFile(dir.path() / "filler", std::string(vfs.f_bavail * vfs.f_bsize, 'f'));
  const auto result = RunTool(dir.path(), {"-q", "-fsrc", "wizard8.bmp"});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_NE(result.err.find("couldn't write"), std::string::npos) << result.err;
  for (const auto& [path, bytes] : before) EXPECT_EQ(testsupport::ReadFile(path), bytes) << path;
  ::umount(dir.path().c_str());
}

}  // namespace
