#include "convert/drawing.h"

#include <gtest/gtest.h>

#include <vector>

#include "convert/gba_modes.h"
#include "platform/recording_platform.h"

using namespace convert;

namespace {

class DrawingPrimitives : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ResizeSurface(surface, 10, 6, true, 0, dialogs));
    for (int i = 0; i < surface.stride * surface.height; ++i)
      surface.bits[static_cast<size_t>(i)] = kBackground;
    SelectSurface(state, surface);
    for (uint32_t i = 0; i < 256; ++i) colours[i] = 0xC0000000u + i;
  }

  // The surface as text rows (top row first): '.' background, 'x' anything else,
  // and '#' for a pixel beyond the visible width that was touched.
  std::vector<std::string> picture() const {
    std::vector<std::string> rows;
    for (int y = 0; y < surface.height; ++y) {
      std::string row;
      for (int x = 0; x < surface.stride; ++x) {
        bool changed = surface.at(x, y) != kBackground;
        row += x >= surface.visibleWidth ? (changed ? '#' : ' ') : (changed ? 'x' : '.');
      }
      rows.push_back(row);
    }
    return rows;
  }

  static constexpr uint32_t kBackground = 0x00102030u;
  platform::RecordingDialogs dialogs;
  Surface surface;
  DrawingState state;
  uint32_t colours[256];
};

TEST_F(DrawingPrimitives, FillIsClippedAtEveryEdge) {
  FillRect(state, -3, -2, 5, 4, 1);    // top-left corner
  FillRect(state, 8, 4, 10, 10, 1);    // bottom-right corner, into the padding
  FillRect(state, 4, -10, 1, 100, 1);  // a full column
  FillRect(state, 20, 0, 5, 5, 1);     // outside
  FillRect(state, 0, 0, 0, 5, 1);      // empty
  EXPECT_EQ(picture(), (std::vector<std::string>{
                           "xx..x.....  ",
                           "xx..x.....  ",
                           "....x.....  ",
                           "....x.....  ",
                           "....x...xx  ",
                           "....x...xx  ",
                       }));
}

TEST_F(DrawingPrimitives, ClipRectangleLimitsEveryPrimitive) {
  SetClipRect(state, 2, 1, 3, 2);
  FillRect(state, 0, 0, 10, 6, 1);
  uint32_t block[4] = {5, 6, 7, 8};
  CopyBlock(state, 6, 0, {block, 2, 2, 2});
  BlendRect(state, 6, 0, 4, 6, 0xFFFFFFu, 128);
  EXPECT_EQ(picture(), (std::vector<std::string>{
                           "..........  ",
                           "..xxx.....  ",
                           "..xxx.....  ",
                           "..........  ",
                           "..........  ",
                           "..........  ",
                       }));
}

TEST_F(DrawingPrimitives, CopiesBlocksDirectAndThroughTheColourTable) {
  // A 3 × 2 block taken out of a wider source (stride 4), top row first.
  uint32_t source[8] = {1, 2, 3, 99, 4, 5, 0x1FF, 99};
  CopyBlock(state, 1, 1, {source, 3, 2, 4});
  EXPECT_EQ(surface.at(1, 1), 1u);
  EXPECT_EQ(surface.at(3, 1), 3u);
  EXPECT_EQ(surface.at(3, 2), 0x1FFu);
  EXPECT_EQ(surface.at(4, 1), kBackground);
  CopyBlockIndexed(state, kGbaColourModes[1], -1, 3, {source, 3, 2, 4}, colours);
  EXPECT_EQ(surface.at(0, 3), colours[2]);
  EXPECT_EQ(surface.at(1, 4), colours[255]);  // 0x1FF stays within the table
  // Without a palette the indexed form copies the values themselves.
  CopyBlockIndexed(state, kGbaColourModes[2], 7, 0, {source, 3, 2, 4}, colours);
  EXPECT_EQ(surface.at(7, 0), 1u);
  // A stride shorter than the width is refused.
  CopyBlock(state, 0, 5, {source, 3, 1, 2});
  EXPECT_EQ(surface.at(0, 5), kBackground);
}

TEST_F(DrawingPrimitives, MirroredCopiesReverseRowsAndColumnsAndMaskIndices) {
  uint32_t source[6] = {1, 2, 3, 4, 5, 6};  // 3 × 2
  CopyBlockMirrored(state, 0, 0, {source, 3, 2, 3}, true, false);
  EXPECT_EQ(surface.at(0, 0), 3u);
  EXPECT_EQ(surface.at(2, 1), 4u);
  CopyBlockMirrored(state, 4, 0, {source, 3, 2, 3}, true, true);
  EXPECT_EQ(surface.at(4, 0), 6u);
  EXPECT_EQ(surface.at(6, 1), 1u);
  // Clipped on the left: the visible part is the mirrored block's right side.
  CopyBlockMirrored(state, -2, 3, {source, 3, 2, 3}, true, false);
  EXPECT_EQ(surface.at(0, 3), 1u);
  uint32_t indices[4] = {0x13, 0x24, 0x35, 0x46};  // 2 × 2
  CopyBlockMirroredIndexed(state, kGbaColourModes[0], 7, 4, {indices, 2, 2, 2}, colours, 0x0F,
                           false, true);
  EXPECT_EQ(surface.at(7, 4), colours[5]);
  EXPECT_EQ(surface.at(8, 5), colours[4]);
  // Direct-colour mode: no mask, no table.
  CopyBlockMirroredIndexed(state, kGbaColourModes[3], 7, 4, {indices, 2, 2, 2}, colours, 0x0F,
                           false, true);
  EXPECT_EQ(surface.at(7, 4), 0x35u);
}

TEST_F(DrawingPrimitives, BlendMixesEachChannelOver255) {
  FillRect(state, 0, 0, 10, 6, 0x00FF8040u);
  BlendRect(state, 0, 0, 2, 2, 0x00000000u, 128);
  // (0 × 128 + c × 127) >> 8 for each channel.
  EXPECT_EQ(surface.at(0, 0),
            (((0xFFu * 127) >> 8) << 16) | (((0x80u * 127) >> 8) << 8) | ((0x40u * 127) >> 8));
  BlendRect(state, 2, 0, 2, 2, 0x00FFFFFFu, 255);
  EXPECT_EQ(surface.at(2, 0), 0x00FEFEFEu);  // (255 × 255) >> 8
  BlendRect(state, 4, 0, 2, 2, 0x00FFFFFFu, 0);
  EXPECT_EQ(surface.at(4, 0),
            ((0xFFu * 255 >> 8) << 16) | ((0x80u * 255 >> 8) << 8) | (0x40u * 255 >> 8));
  BlendRect(state, 6, 0, 2, 2, 0x00FFFFFFu, 1000);  // held to 255
  EXPECT_EQ(surface.at(6, 0), 0x00FEFEFEu);
}

TEST(Drawing, WithoutASurfaceNothingIsDrawn) {
  DrawingState state;
  uint32_t v = 1;
  FillRect(state, 0, 0, 4, 4, 1);
  CopyBlock(state, 0, 0, {&v, 1, 1, 1});
  BlendRect(state, 0, 0, 1, 1, 0, 3);
  Surface empty;
  SelectSurface(state, empty);
  FillRect(state, 0, 0, 4, 4, 1);
  SUCCEED();
}

}  // namespace
