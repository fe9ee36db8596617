#include "convert/surface.h"

#include <gtest/gtest.h>

#include "convert/drawing_state.h"
#include "platform/recording_platform.h"

using namespace convert;

TEST(Surface, StrideIsTheWidthRoundedUpToFourPixels) {
  EXPECT_EQ(StrideFor(13), 16);
  EXPECT_EQ(StrideFor(16), 16);
  EXPECT_EQ(StrideFor(1), 4);
  EXPECT_EQ(StrideFor(0), 0);
  EXPECT_EQ(StrideFor(INT32_MAX), 0);
  platform::RecordingDialogs dialogs;
  Surface s;
  ASSERT_TRUE(ResizeSurface(s, 13, 5, true, 0, dialogs));
  EXPECT_EQ(s.stride, 16);
  EXPECT_EQ(s.visibleWidth, 13);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(s.bits.get()) % 64, 0u);
  EXPECT_EQ(s.height, 5);
  EXPECT_TRUE(dialogs.entries().empty());
}

TEST(Surface, RowsAreStoredBottomUp) {
  platform::RecordingDialogs dialogs;
  Surface s;
  ASSERT_TRUE(ResizeSurface(s, 6, 3, true, 0, dialogs));
  s.at(1, 0) = 0xA;                    // top row
  s.at(2, 2) = 0xB;                    // bottom row
  EXPECT_EQ(s.bits[2 * 8 + 1], 0xAu);  // (height − 0 − 1) × stride + 1
  EXPECT_EQ(s.bits[0 * 8 + 2], 0xBu);
}

TEST(Surface, ResizingToTheSameSizeKeepsTheBits) {
  platform::RecordingDialogs dialogs;
  Surface s;
  ASSERT_TRUE(ResizeSurface(s, 10, 10, true, 0, dialogs));
  s.at(3, 3) = 42;
  const uint32_t* before = s.bits.get();
  ASSERT_TRUE(ResizeSurface(s, 10, 10, true, 0, dialogs));
  EXPECT_EQ(s.bits.get(), before);
  EXPECT_EQ(s.at(3, 3), 42u);
  // A new size gives fresh, cleared bits.
  ASSERT_TRUE(ResizeSurface(s, 11, 10, true, 0, dialogs));
  EXPECT_EQ(s.at(3, 3), 0u);
}

TEST(Surface, FailedResizeKeepsThePreviousSurfaceAndRemembersALargerRequest) {
  platform::RecordingDialogs dialogs;
  Surface s;
  ASSERT_TRUE(ResizeSurface(s, 20, 10, true, 0, dialogs));
  s.at(0, 0) = 7;
  const uint32_t* before = s.bits.get();
  EXPECT_FALSE(ResizeSurface(s, 40000, 40000, false, 0, dialogs));
  EXPECT_TRUE(s.keepSize);
  EXPECT_EQ(s.bits.get(), before);
  EXPECT_EQ(s.at(0, 0), 7u);
  EXPECT_EQ(s.visibleWidth, 20);
  EXPECT_EQ(s.stride, 20);
  EXPECT_EQ(s.height, 10);
  EXPECT_EQ(s.failedRequestBytes, 40000ull * 40000ull * 4ull);
  // A request that is not larger is not remembered.
  EXPECT_FALSE(ResizeSurface(s, 0, 10, true, 0, dialogs));
  EXPECT_EQ(s.failedRequestBytes, 0u);
  EXPECT_EQ(s.bits.get(), before);
  EXPECT_TRUE(dialogs.entries().empty());
}

TEST(Surface, MemoryLimitScalesTheSizeDownKeepingTheAspectRatio) {
  const uint64_t limit = 33554432;  // 8388608 pixels
  // Below the limit nothing changes; reaching it scales.
  EXPECT_EQ(LimitSurfaceSize(4096, 2047, limit).width, 4096);
  SurfaceSize atLimit = LimitSurfaceSize(4096, 2048, limit);
  EXPECT_EQ(atLimit.width, 4096);
  EXPECT_EQ(atLimit.height, 2048);
  SurfaceSize big = LimitSurfaceSize(8000, 6000, limit);
  // sqrt(8388608) × sqrt(4/3) and sqrt(8388608) / sqrt(4/3), truncated.
  EXPECT_EQ(big.width, 3344);
  EXPECT_EQ(big.height, 2508);
  SurfaceSize none = LimitSurfaceSize(8000, 6000, 0);
  EXPECT_EQ(none.width, 8000);

  platform::RecordingDialogs dialogs;
  Surface s;
  ASSERT_TRUE(ResizeSurface(s, 8000, 6000, false, limit, dialogs));
  EXPECT_EQ(s.visibleWidth, 3344);
  EXPECT_EQ(s.visibleHeight, 2508);
  EXPECT_FALSE(s.keepSize);
  // The keep-size flag bypasses the limit.
  ASSERT_TRUE(ResizeSurface(s, 3000, 3000, true, 1024, dialogs));
  EXPECT_EQ(s.visibleWidth, 3000);
}

TEST(Surface, MemoryLimitLeavesAThinPictureOneRowHigh) {
  SurfaceSize thin = LimitSurfaceSize(1000000, 1, 4096);  // 1024 pixels
  EXPECT_EQ(thin.height, 1);
  EXPECT_EQ(thin.width, 1024);
  SurfaceSize tall = LimitSurfaceSize(1, 1000000, 4096);
  EXPECT_EQ(tall.width, 1);
  EXPECT_EQ(tall.height, 1024);
}

TEST(Surface, OddBitCountIsReportedAsAnInternalErrorButStillCreated) {
  platform::RecordingDialogs dialogs;
  auto bits = CreateSurfaceBits(4, 4, 12, dialogs);
  EXPECT_NE(bits, nullptr);
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_EQ(dialogs.entries()[0].text,
            "Une erreur s'est produite car la condition suivante est fausse: (ibitcount == 8) || "
            "(ibitcount == 16) || (ibitcount == 24) || (ibitcount == 32)");
  EXPECT_EQ(dialogs.entries()[0].caption, "Erreur interne");
  for (int bitCount : {8, 16, 24, 32})
    EXPECT_NE(CreateSurfaceBits(4, 4, bitCount, dialogs), nullptr);
  EXPECT_EQ(dialogs.entries().size(), 1u);
  EXPECT_EQ(CreateSurfaceBits(0, 4, 32, dialogs), nullptr);
  EXPECT_EQ(CreateSurfaceBits(4, -1, 32, dialogs), nullptr);
}

TEST(DrawingState, SelectingClipsToTheVisibleSizeAndFollowsAResize) {
  platform::RecordingDialogs dialogs;
  Surface a, b;
  ASSERT_TRUE(ResizeSurface(a, 13, 7, true, 0, dialogs));
  ASSERT_TRUE(ResizeSurface(b, 5, 5, true, 0, dialogs));
  DrawingState state;
  EXPECT_TRUE(DrawableArea(state).empty());
  SelectSurface(state, a);
  EXPECT_EQ(DrawableArea(state).right, 13);  // not the stride
  EXPECT_EQ(DrawableArea(state).bottom, 7);
  SetClipRect(state, -5, 2, 10, 100);
  ClipRect c = DrawableArea(state);
  EXPECT_EQ(c.left, 0);
  EXPECT_EQ(c.top, 2);
  EXPECT_EQ(c.right, 5);
  EXPECT_EQ(c.bottom, 7);
  SetClipRect(state, INT32_MAX - 1, INT32_MAX - 1, INT32_MAX, INT32_MAX);
  EXPECT_TRUE(DrawableArea(state).empty());
  ASSERT_TRUE(ResizeSurface(a, 30, 20, true, 0, dialogs));
  ReselectIfCurrent(state, b);  // not current: nothing changes
  EXPECT_TRUE(DrawableArea(state).empty());
  ReselectIfCurrent(state, a);
  EXPECT_EQ(DrawableArea(state).right, 30);
  EXPECT_EQ(DrawableArea(state).bottom, 20);
}
