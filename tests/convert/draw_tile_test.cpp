#include "convert/draw_tile.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "convert/gba_modes.h"
#include "platform/recording_platform.h"

using namespace convert;

namespace {

// The obvious way: pixel by pixel, every test spelled out.
uint32_t ReferenceMix(uint32_t c, uint32_t d, uint32_t a) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    uint32_t cc = (c >> shift) & 255u, dc = (d >> shift) & 255u;
    out |= (((cc * a + dc * (256u - a)) >> 8) & 255u) << shift;
  }
  return out;
}

void ReferenceDrawTile(Surface& s, const ClipRect& clip, int x, int y, const uint32_t* block,
                       const TileStyle& style, bool indexed, bool transparent) {
  int opacity = style.opacity > 256 ? 256 : style.opacity;
  if (opacity <= 0) return;
  for (int j = 0; j < 8; ++j) {
    for (int i = 0; i < 8; ++i) {
      int px = x + i, py = y + j;
      if (px < clip.left || px >= clip.right || py < clip.top || py >= clip.bottom) continue;
      if (px < 0 || py < 0 || px >= s.visibleWidth || py >= s.visibleHeight) continue;
      int sx = style.mirrorX ? 7 - i : i;
      int sy = style.mirrorY ? 7 - j : j;
      uint32_t v = block[sy * 8 + sx];
      uint32_t colour;
      if (indexed) {
        uint32_t index = v & style.indexMask;
        if (transparent && index == 0) continue;
        colour = style.colours[(static_cast<uint32_t>(style.paletteStart) + index) % 256];
      } else {
        if (transparent && (v >> 24) == 0) continue;
        colour = v;
      }
      uint32_t& d = s.at(px, py);
      d = opacity == 256 ? colour : ReferenceMix(colour, d, static_cast<uint32_t>(opacity));
    }
  }
}

using DrawFn = void (*)(const DrawingState&, const ColourMode&, int, int, const uint32_t*,
                        const TileStyle&);

void Direct(const DrawingState& st, const ColourMode&, int x, int y, const uint32_t* b,
            const TileStyle& s) {
  DrawTile(st, x, y, b, s);
}
void DirectTransparent(const DrawingState& st, const ColourMode&, int x, int y, const uint32_t* b,
                       const TileStyle& s) {
  DrawTileTransparent(st, x, y, b, s);
}

struct Variant {
  const char* name;
  DrawFn draw;
  bool indexed;
  bool transparent;
};

const Variant kVariants[] = {
    {"direct", Direct, false, false},
    {"direct transparent", DirectTransparent, false, true},
    {"indexed", DrawTileIndexed, true, false},
    {"indexed transparent", DrawTileTransparentIndexed, true, true},
};

class TileDrawer : public ::testing::Test {
 protected:
  void SetUp() override {
    std::mt19937 random(1234);
    ASSERT_TRUE(ResizeSurface(fast, 21, 19, true, 0, dialogs));
    ASSERT_TRUE(ResizeSurface(reference, 21, 19, true, 0, dialogs));
    background.resize(static_cast<size_t>(fast.stride * fast.height));
    for (uint32_t& p : background) p = random();
    for (uint32_t& c : colours) c = random();
    for (int i = 0; i < 64; ++i) {
      // Indices with high bits set (the mask must remove them), some zeros.
      indices[i] = (i % 7 == 0) ? 0x100u : random() & 0x3FFu;
      // Direct pixels with opacity 0 in places.
      pixels[i] = (i % 5 == 0) ? random() & 0x00FFFFFFu : random() | 0x01000000u;
    }
  }

  void reset() {
    std::copy(background.begin(), background.end(), fast.bits.get());
    std::copy(background.begin(), background.end(), reference.bits.get());
  }

  // Draws one tile both ways and compares every word of the surfaces, padding
  // included.
  void check(const Variant& v, const ColourMode& mode, const ClipRect& clip, int x, int y,
             const TileStyle& style) {
    reset();
    DrawingState state;
    SelectSurface(state, fast);
    SetClipRect(state, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top);
    const uint32_t* block = v.indexed ? indices : pixels;
    v.draw(state, mode, x, y, block, style);
    ReferenceDrawTile(reference, clip, x, y, block, style, v.indexed && mode.hasPalette(),
                      v.transparent);
    size_t words = static_cast<size_t>(fast.stride * fast.height);
    for (size_t i = 0; i < words; ++i) {
      if (fast.bits[i] != reference.bits[i]) {
        ADD_FAILURE() << v.name << " at (" << x << ", " << y << ") mirror " << style.mirrorX
                      << style.mirrorY << " opacity " << style.opacity << " start "
                      << style.paletteStart << " mask " << style.indexMask << ": word " << i
                      << " is " << std::hex << fast.bits[i] << ", expected " << reference.bits[i];
        return;
      }
    }
  }

  platform::RecordingDialogs dialogs;
  Surface fast, reference;
  std::vector<uint32_t> background;
  uint32_t colours[256];
  uint32_t indices[64];
  uint32_t pixels[64];
};

TEST_F(TileDrawer, MatchesThePixelByPixelReferenceAtEveryPositionAndEdge) {
  const ColourMode& subPalettes = kGbaColourModes[0];
  ClipRect whole{0, 0, 21, 19};
  for (const Variant& v : kVariants)
    for (int opacity : {256, 100})
      for (int mirror = 0; mirror < 4; ++mirror)
        for (int y = -9; y <= 20; ++y)
          for (int x = -9; x <= 22; ++x) {
            TileStyle style;
            style.colours = colours;
            style.paletteStart = 32;
            style.indexMask = 15;
            style.mirrorX = mirror & 1;
            style.mirrorY = mirror & 2;
            style.opacity = opacity;
            check(v, subPalettes, whole, x, y, style);
            if (HasFailure()) return;
          }
}

TEST_F(TileDrawer, HonoursAClipRectangleInsideTheSurface) {
  ClipRect inner{3, 2, 13, 11};
  for (const Variant& v : kVariants)
    for (int mirror = 0; mirror < 4; ++mirror)
      for (int y = -2; y <= 12; ++y)
        for (int x = -2; x <= 14; ++x) {
          TileStyle style;
          style.colours = colours;
          style.indexMask = 255;
          style.mirrorX = mirror & 1;
          style.mirrorY = mirror & 2;
          check(v, kGbaColourModes[1], inner, x, y, style);
          if (HasFailure()) return;
        }
}

TEST_F(TileDrawer, SubPalettesMasksAndOpacitiesMatchTheReference) {
  ClipRect whole{0, 0, 21, 19};
  struct Palette {
    int start;
    uint32_t mask;
  } palettes[] = {{0, 15}, {240, 15}, {16, 255}, {250, 15}, {0, 0xFFFFFFFF}, {128, 7}};
  for (const Variant& v : kVariants)
    for (const Palette& p : palettes)
      for (int opacity : {0, 1, 128, 255, 256, 1000})
        for (int mirror = 0; mirror < 4; ++mirror) {
          TileStyle style;
          style.colours = colours;
          style.paletteStart = p.start;
          style.indexMask = p.mask;
          style.mirrorX = mirror & 1;
          style.mirrorY = mirror & 2;
          style.opacity = opacity;
          check(v, kGbaColourModes[0], whole, 5, 4, style);
          check(v, kGbaColourModes[0], whole, 17, -3, style);
          if (HasFailure()) return;
        }
}

TEST_F(TileDrawer, IndexedFormsDrawThePixelsThemselvesInDirectColourModes) {
  ClipRect whole{0, 0, 21, 19};
  TileStyle style;
  style.colours = colours;
  style.indexMask = 15;
  style.mirrorX = true;
  for (const ColourMode* mode : {&kGbaColourModes[2], &kGbaColourModes[3]}) {
    reset();
    DrawingState state;
    SelectSurface(state, fast);
    DrawTileIndexed(state, *mode, 2, 3, pixels, style);
    ReferenceDrawTile(reference, whole, 2, 3, pixels, style, false, false);
    EXPECT_TRUE(std::equal(fast.bits.get(), fast.bits.get() + fast.stride * fast.height,
                           reference.bits.get()));
  }
}

TEST_F(TileDrawer, MirroredTileIsTheImageReversed) {
  // A tile whose pixel value is its own position: what lands where can be
  // read off directly, independently of the reference above.
  uint32_t positions[64];
  for (uint32_t i = 0; i < 64; ++i) positions[i] = 0xFF000000u | i;
  DrawingState state;
  SelectSurface(state, fast);
  TileStyle style;
  style.mirrorX = true;
  DrawTile(state, 0, 0, positions, style);
  EXPECT_EQ(fast.at(0, 0) & 0xFF, 7u);
  EXPECT_EQ(fast.at(7, 2) & 0xFF, 16u);
  style.mirrorX = false;
  style.mirrorY = true;
  DrawTile(state, 8, 0, positions, style);
  EXPECT_EQ(fast.at(8, 0) & 0xFF, 56u);
  EXPECT_EQ(fast.at(15, 7) & 0xFF, 7u);
  style.mirrorX = true;
  DrawTile(state, 0, 8, positions, style);
  EXPECT_EQ(fast.at(0, 8) & 0xFF, 63u);
  EXPECT_EQ(fast.at(7, 15) & 0xFF, 0u);
}

TEST(DrawTile, NothingHappensWithoutSurfaceTableOrBlock) {
  platform::RecordingDialogs dialogs;
  Surface s;
  ASSERT_TRUE(ResizeSurface(s, 8, 8, true, 0, dialogs));
  DrawingState state;
  uint32_t block[64] = {};
  TileStyle style;
  DrawTileIndexed(state, kGbaColourModes[1], 0, 0, block, style);  // no surface
  SelectSurface(state, s);
  s.at(0, 0) = 5;
  DrawTileIndexed(state, kGbaColourModes[1], 0, 0, block, style);  // no colour table
  DrawTile(state, 0, 0, nullptr, style);
  EXPECT_EQ(s.at(0, 0), 5u);
}

}  // namespace
