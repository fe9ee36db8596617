#include "platform/paths.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Paths, BothSeparatorsSplitStoredPaths) {
  EXPECT_EQ(LastComponent("gfx\\ball.pcx"), "ball.pcx");
  EXPECT_EQ(LastComponent("gfx/ball.pcx"), "ball.pcx");
  EXPECT_EQ(LastComponent("a/b\\c"), "c");
  EXPECT_EQ(DirectoryPart("a/b\\c"), "a/b");
  EXPECT_EQ(DirectoryPart("c"), "");
  EXPECT_EQ(ToNative("gfx\\sub\\x.c"), "gfx/sub/x.c");
}

TEST(Paths, ExtensionStartsAtTheFirstDotOfTheLastComponent) {
  EXPECT_EQ(ExtensionAfterFirstDot("levels.v2/level.til.c"), "til.c");
  EXPECT_EQ(ExtensionAfterFirstDot("dir.x\\noext"), "");
  EXPECT_EQ(ExtensionAfterFirstDot("a.b"), "b");
}

TEST(Paths, RelativeToKeepsInsideAndParentPathsShort) {
  EXPECT_EQ(RelativeTo("/home/u/proj/gfx/a.til.c", "/home/u/proj"), "gfx/a.til.c");
  EXPECT_EQ(RelativeTo("/home/u/proj/a.c", "/home/u/proj/"), "a.c");
  EXPECT_EQ(RelativeTo("/home/u/other/a.c", "/home/u/proj"), "../other/a.c");
  // Two levels up stays absolute.
  EXPECT_EQ(RelativeTo("/home/x/a.c", "/home/u/proj"), "/home/x/a.c");
  // A directory whose name only starts like the project directory is outside.
  EXPECT_EQ(RelativeTo("/home/u/project2/a.c", "/home/u/proj"), "../project2/a.c");
  // The parent being the root does not count.
  EXPECT_EQ(RelativeTo("/etc/a.c", "/home"), "/etc/a.c");
  EXPECT_EQ(RelativeTo("gfx\\a.c", "/home/u/proj"), "gfx/a.c");
}
