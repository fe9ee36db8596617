#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include "test_support/temp_dir.h"

using namespace platform;
using testsupport::TempDir;

TEST(Files, AtomicWriteReplacesTheWholeFileAndLeavesNoTemporary) {
  TempDir dir;
  std::string path = dir.file("a.tpj");
  ASSERT_TRUE(WriteFileAtomic(path, "first version, long"));
  ASSERT_TRUE(WriteFileAtomic(path, "second"));
  EXPECT_EQ(ReadFileBytes(path).value(), "second");
  int count = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.path())) (void)e, ++count;
  EXPECT_EQ(count, 1);
}

TEST(Files, AtomicWriteIntoAMissingDirectoryFailsWithoutHarm) {
  TempDir dir;
  EXPECT_FALSE(WriteFileAtomic(dir.file("missing/a.tpj"), "x"));
}

TEST(Files, ReadHonoursTheLimitAndReportsMissingFiles) {
  TempDir dir;
  std::string path = dir.file("big");
  WriteFileAtomic(path, std::string(200000, 'x'));
  EXPECT_EQ(ReadFileBytes(path, 70000).value().size(), 70000u);
  EXPECT_EQ(ReadFileBytes(path).value().size(), 200000u);
  EXPECT_FALSE(ReadFileBytes(dir.file("none")).has_value());
  EXPECT_FALSE(FileExists(dir.file("none")));
  EXPECT_TRUE(FileReadable(path));
}

// Opening a pipe with no writer would block the program for ever.
TEST(Files, ReadRefusesPipesAndDirectoriesWithoutBlocking) {
  TempDir dir;
  std::string pipe = dir.file("pipe.tpj");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_FALSE(ReadFileBytes(pipe).has_value());
  EXPECT_FALSE(ReadFileBytes(dir.path().string()).has_value());
}

namespace {

namespace fs = std::filesystem;

// What a replacement must honour in what stands at the path already.
struct ReplaceCase {
  const char* name;
  // Prepares the directory; returns the path to write.
  std::string (*prepare)(const TempDir& dir);
  WriteStatus expected;
  // Checks the directory afterwards.
  void (*check)(const TempDir& dir);
};

std::string Existing(const TempDir& dir, const char* name, fs::perms perms) {
  std::string path = dir.file(name);
  testsupport::WriteFile(path, "old");
  fs::permissions(path, perms);
  return path;
}

// A name of `stem` letters and ".tpj".
std::string LongName(size_t stem) {
  std::string name(stem, 'n');
  name.append(".tpj");
  return name;
}

fs::perms PermsOf(const std::string& path) { return fs::status(path).permissions(); }

const ReplaceCase kReplaceCases[] = {
    {"ReadOnlyFileIsRefused",
     [](const TempDir& d) { return Existing(d, "ro.tpj", fs::perms::owner_read); },
     WriteStatus::ReadOnly,
     [](const TempDir& d) { EXPECT_EQ(testsupport::ReadFile(d.file("ro.tpj")), "old"); }},
    {"SymlinkIsWrittenThrough",
     [](const TempDir& d) {
       Existing(d, "real.tpj", fs::perms::owner_read | fs::perms::owner_write);
       fs::create_symlink("real.tpj", d.file("link.tpj"));
       return d.file("link.tpj");
     },
     WriteStatus::Ok,
     [](const TempDir& d) {
       EXPECT_TRUE(fs::is_symlink(d.file("link.tpj")));
       EXPECT_EQ(testsupport::ReadFile(d.file("real.tpj")), "new");
     }},
    {"ModeIsKept",
     [](const TempDir& d) {
       return Existing(d, "private.tpj", fs::perms::owner_read | fs::perms::owner_write);
     },
     WriteStatus::Ok,
     [](const TempDir& d) {
       EXPECT_EQ(PermsOf(d.file("private.tpj")), fs::perms::owner_read | fs::perms::owner_write);
       EXPECT_EQ(testsupport::ReadFile(d.file("private.tpj")), "new");
     }},
    {"LongestNameFitsItsTemporaryName", [](const TempDir& d) { return d.file(LongName(251)); },
     WriteStatus::Ok,
     [](const TempDir& d) { EXPECT_EQ(testsupport::ReadFile(d.file(LongName(251))), "new"); }},
    {"NameOverTheLimitIsRefused", [](const TempDir& d) { return d.file(LongName(252)); },
     WriteStatus::NameTooLong, [](const TempDir&) {}},
    {"PipeIsNeverOpened",
     [](const TempDir& d) {
       EXPECT_EQ(::mkfifo(d.file("pipe.tpj").c_str(), 0644), 0);
       return d.file("pipe.tpj");
     },
     WriteStatus::NotRegular,
     [](const TempDir& d) {
       EXPECT_EQ(fs::status(d.file("pipe.tpj")).type(), fs::file_type::fifo);
     }},
};

class Replace : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(Replace, HonoursWhatIsThere) {
  const ReplaceCase& c = GetParam();
  // Twenty times: a random temporary name must fit every time.
  for (int round = 0; round < 20; ++round) {
    TempDir dir;
    std::string path = c.prepare(dir);
    EXPECT_EQ(ReplaceFile(path, "new"), c.expected);
    c.check(dir);
    // Nothing left behind but what was there and the result.
    for (const auto& e : fs::directory_iterator(dir.path()))
      EXPECT_EQ(e.path().filename().string().find(".~"), std::string::npos) << e.path();
  }
}

INSTANTIATE_TEST_SUITE_P(Files, Replace, ::testing::ValuesIn(kReplaceCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A small file system stands in for a full disk.
class FullDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    if (::mount("tmpfs", dir.path().c_str(), "tmpfs", 0, "size=64k") != 0)
      GTEST_SKIP() << "no tmpfs can be mounted here";
    mounted_ = true;
  }
  void TearDown() override {
    if (mounted_) ::umount(dir.path().c_str());
  }
  TempDir dir;

 private:
  bool mounted_ = false;
};

TEST_F(FullDisk, AFailedWriteLeavesTheOldFileWhole) {
  std::string path = dir.file("a.tpj");
  ASSERT_EQ(ReplaceFile(path, std::string(40000, 'a')), WriteStatus::Ok);
  EXPECT_EQ(ReplaceFile(path, std::string(40000, 'b')), WriteStatus::Failed);
  EXPECT_EQ(ReadFileBytes(path).value(), std::string(40000, 'a'));
  int count = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.path())) (void)e, ++count;
  EXPECT_EQ(count, 1);
}

// The files of one operation take their names together or not at all.
TEST_F(FullDisk, AGroupPublishesNothingUntilEveryFileIsComplete) {
  ASSERT_EQ(ReplaceFile(dir.file("t.c"), "old tiles"), WriteStatus::Ok);
  ASSERT_EQ(ReplaceFile(dir.file("m.c"), "old map"), WriteStatus::Ok);
  FileGroup group;
  PendingFile map;
  ASSERT_EQ(map.open(dir.file("m.c")), WriteStatus::Ok);
  std::fputs("new map", map.stream());
  ASSERT_EQ(map.complete(), WriteStatus::Ok);
  group.add(std::move(map));
  PendingFile tiles;
  ASSERT_EQ(tiles.open(dir.file("t.c")), WriteStatus::Ok);
  std::string big(100000, 't');
  std::fwrite(big.data(), 1, big.size(), tiles.stream());
  EXPECT_EQ(tiles.complete(), WriteStatus::Failed);
  group.abandonAll();
  EXPECT_EQ(ReadFileBytes(dir.file("m.c")).value(), "old map");
  EXPECT_EQ(ReadFileBytes(dir.file("t.c")).value(), "old tiles");
}

}  // namespace
