#include "platform/files.h"

#include <gtest/gtest.h>
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
