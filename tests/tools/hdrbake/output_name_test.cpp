#include "tools/hdrbake/output_name.h"

#include <gtest/gtest.h>

namespace hdrbaketest {
namespace {

using namespace hdrbake;

TEST(OutputName, DefaultIsTheInputCutAtTheFileNamesFirstDot) {
  EXPECT_EQ(DefaultOutputName("ball.pcx"), "ball.h");
  EXPECT_EQ(DefaultOutputName("Ball.PCX"), "Ball.h");
  EXPECT_EQ(DefaultOutputName("ball.final.pcx"), "ball.h");
  EXPECT_EQ(DefaultOutputName("ball"), "ball.h");
  EXPECT_EQ(DefaultOutputName("gfx\\ball.pcx"), "gfx\\ball.h");
  EXPECT_EQ(DefaultOutputName("gfx/ball.pcx"), "gfx/ball.h");
  // Dots in directory names belong to the directory.
  EXPECT_EQ(DefaultOutputName("../gfx/ball.pcx"), "../gfx/ball.h");
  EXPECT_EQ(DefaultOutputName("my.gfx\\ball.pcx"), "my.gfx\\ball.h");
}

TEST(OutputName, PrefixIsTheFileNameUpToItsFirstDot) {
  EXPECT_EQ(HeaderPrefix("ball.h"), "ball");
  EXPECT_EQ(HeaderPrefix("BallSprite.h"), "BallSprite");
  EXPECT_EQ(HeaderPrefix("gfx\\ball.h"), "ball");
  EXPECT_EQ(HeaderPrefix("gfx/ball.h"), "ball");
  EXPECT_EQ(HeaderPrefix("a.b\\c/d.inc.h"), "d");
  EXPECT_EQ(HeaderPrefix("tiles"), "tiles");
}

}  // namespace
}  // namespace hdrbaketest
