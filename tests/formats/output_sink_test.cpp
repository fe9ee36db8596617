#include "formats/output_sink.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "test_support/temp_dir.h"

using formats::OutputSink;

TEST(OutputSink, BackspaceOverwritesButNeverShortens) {
  OutputSink out;
  out.write("abcd");
  out.backspace();
  out.backspace();
  out.put('X');
  EXPECT_EQ(out.text(), "abXd");  // 'd' was stepped over and stays
  out.backspace();
  out.backspace();
  out.backspace();
  out.backspace();  // before the start: nothing
  out.write("12");
  EXPECT_EQ(out.text(), "12Xd");
}

TEST(OutputSink, FileMatchesMemoryAcrossTheWindowAndFarBackspaces) {
  // A deterministic mix of writes and runs of backspaces, some of them longer
  // than the window, written to memory and through a tiny window to a file.
  std::mt19937 rng(7);
  OutputSink memory;
  OutputSink file(64);
  testsupport::TempDir dir;
  std::string path = dir.file("out.bin");
  ASSERT_TRUE(file.openFile(path));
  for (int step = 0; step < 20000; ++step) {
    int what = static_cast<int>(rng() % 10);
    if (what < 7) {
      std::string bytes(rng() % 40, static_cast<char>('a' + rng() % 26));
      memory.write(bytes);
      file.write(bytes);
    } else if (what < 9) {
      int n = static_cast<int>(rng() % 8);
      for (int k = 0; k < n; ++k) {
        memory.backspace();
        file.backspace();
      }
    } else {
      // Far back: beyond the bytes the window keeps.
      for (int k = 0; k < 5000; ++k) {
        memory.backspace();
        file.backspace();
      }
    }
  }
  ASSERT_TRUE(file.finish());
  EXPECT_EQ(testsupport::ReadFile(path), memory.text());
}

TEST(OutputSink, TargetAppearsOnlyWhenFinished) {
  testsupport::TempDir dir;
  std::string path = dir.file("element.c");
  testsupport::WriteFile(path, "old");
  {
    OutputSink out;
    ASSERT_TRUE(out.openFile(path));
    out.write("new text");
    EXPECT_EQ(testsupport::ReadFile(path), "old");
    // Abandoned without finish(): the old file stays, no temporary is left.
  }
  EXPECT_EQ(testsupport::ReadFile(path), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);
  OutputSink out;
  ASSERT_TRUE(out.openFile(path));
  out.write("new text");
  ASSERT_TRUE(out.finish());
  EXPECT_EQ(testsupport::ReadFile(path), "new text");
}

TEST(OutputSink, OpeningInAMissingDirectoryFails) {
  testsupport::TempDir dir;
  OutputSink out;
  EXPECT_FALSE(out.openFile(dir.file("missing/element.c")));
}

// Element files are replaced the way project files are: a link is written
// through, a protected file is left alone, the permissions stay.
TEST(OutputSink, AFileSinkHonoursWhatStandsAtItsPath) {
  namespace fs = std::filesystem;
  struct Case {
    const char* name;
    bool readOnly, viaLink;
    bool written;
  };
  for (const Case& c : {Case{"link", false, true, true}, Case{"protected", true, false, false},
                        Case{"private", false, false, true}}) {
    testsupport::TempDir dir;
    std::string real = dir.file("real.map.c");
    testsupport::WriteFile(real, "old");
    fs::perms perms =
        c.readOnly ? fs::perms::owner_read : fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(real, perms);
    std::string path = real;
    if (c.viaLink) {
      path = dir.file("link.map.c");
      fs::create_symlink("real.map.c", path);
    }
    OutputSink out(16);
    bool ok = out.openFile(path);
    out.write("new text, longer than the window");
    ok = out.finish() && ok;
    EXPECT_EQ(ok, c.written) << c.name;
    EXPECT_EQ(testsupport::ReadFile(real), c.written ? "new text, longer than the window" : "old")
        << c.name;
    EXPECT_EQ(fs::status(real).permissions(), perms) << c.name;
    EXPECT_EQ(fs::is_symlink(path), c.viaLink) << c.name;
  }
}
