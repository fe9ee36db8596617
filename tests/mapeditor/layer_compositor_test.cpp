// Every composition kernel against the reference renderer, including squares
// cut by the edges of the drawable area.
#include "mapeditor/layer_compositor.h"

#include <cstddef>
#include <random>

#include "convert/drawing_state.h"
#include "convert/gba_modes.h"
#include "convert/surface.h"
#include "editor_fixture.h"
#include "reference_renderer.h"

namespace mapeditortest {
namespace {

using namespace mapeditor;

struct Case {
  int colourMode;
  int tileWidth, tileHeight;
  int opacity;
  bool keyed;
  bool emulation;
};

Background MakeLayer(const Case& c, uint32_t seed) {
  std::mt19937 random(seed);
  Background b;
  b.width = 9;
  b.height = 7;
  b.tileWidth = b.cellWidth = c.tileWidth;
  b.tileHeight = b.cellHeight = c.tileHeight;
  b.tileCount = 12;
  b.colourMode = c.colourMode;
  b.gbaEmulation = c.emulation;
  LoadedTiles t = MakeTiles(12, c.tileWidth, c.tileHeight, c.colourMode == 0 ? 0 : 1,
                            c.colourMode == 0 ? 16 : 256);
  b.tilePixels = t.tilePixels;
  if (c.colourMode >= 2)
    for (uint32_t& p : b.tilePixels)
      p = (p % 7 == 0) ? (random() & 0xFFFFFFu) : (random() | 0xFF000000u);
  for (size_t i = 0; i < 256; ++i) b.colours[i] = random() | 0xFF000000u;
  b.blockIndices =
      BlockIndices(b.tilePixels, convert::kGbaColourModes[static_cast<size_t>(c.colourMode)]);
  b.cells.resize(63);
  for (uint32_t& cell : b.cells)
    cell = static_cast<uint32_t>(random() % 14) | (c.emulation ? (random() & 0xFC00u) : 0u);
  return b;
}

class LayerCompositor : public ::testing::TestWithParam<CompositeKernel> {};

TEST_P(LayerCompositor, EveryKernelDrawsWhatTheReferenceDraws) {
  if (!CompositeKernelAvailable(GetParam())) GTEST_SKIP() << "not on this processor";
  // Even and odd opacities take different paths in the kernels.
  const Case cases[] = {
      {0, 8, 8, 256, false, true},  {0, 16, 32, 160, true, true}, {1, 8, 16, 97, true, false},
      {1, 32, 8, 256, true, true},  {2, 8, 8, 201, true, false},  {3, 16, 16, 256, false, false},
      {0, 8, 8, 1, true, true},     {0, 8, 16, 255, true, true},  {0, 16, 8, 2, false, true},
      {1, 8, 8, 254, false, false},
  };
  std::vector<Background> layers;
  for (size_t i = 0; i < std::size(cases); ++i)
    layers.push_back(MakeLayer(cases[i], 10 + static_cast<uint32_t>(i)));
  platform::RecordingDialogs dialogs;
  convert::Surface surface;
  ASSERT_TRUE(convert::ResizeSurface(surface, 61, 45, true, 0, dialogs));
  convert::DrawingState state;
  convert::SelectSurface(state, surface);
  // The area starts and ends inside squares.
  convert::SetClipRect(state, 3, 5, 53, 37);
  std::mt19937 random(99);
  for (int y = 0; y < 45; ++y)
    for (int x = 0; x < 61; ++x) surface.at(x, y) = random() | 0xFF000000u;
  ReferenceFrame expected = ReferenceFill(61, 45, 0);
  for (int y = 0; y < 45; ++y)
    for (int x = 0; x < 61; ++x) expected.at(x, y) = surface.at(x, y);

  std::vector<CompositeLayer> composite;
  ReferenceFrame clipped = ReferenceFill(61, 45, 0);
  clipped.pixels = expected.pixels;
  for (size_t i = 0; i < layers.size(); ++i) {
    const Case& c = cases[i];
    const Background& b = layers[i];
    CompositeLayer l;
    l.background = &b;
    l.colours = b.colours.data();
    l.mode = &convert::kGbaColourModes[static_cast<size_t>(c.colourMode)];
    l.format = &convert::kGbaMapFormats[1];
    l.opacity = c.opacity;
    l.keyed = c.keyed;
    l.firstColumn = 1;
    l.firstRow = 2;
    l.columns = b.width - 1;
    l.rows = b.height - 2;
    ASSERT_TRUE(Composable(b, *l.mode));
    composite.push_back(l);

    ReferenceLayer r;
    // The reference finds the first cell from the scroll position.
    r.background = &b;
    r.colours = b.colours.data();
    r.opacity = c.opacity;
    r.keyed = c.keyed;
    r.scrollX = b.cellWidth;
    r.scrollY = 2 * b.cellHeight;
    r.paletteSize = c.colourMode == 0 ? 16 : c.colourMode == 1 ? 256 : 0;
    r.subPalettes = c.colourMode == 0;
    ReferenceDraw(clipped, r);
  }
  // Shared out between threads, the bands meet without seams.
  const std::vector<uint32_t> before(
      surface.bits.get(),
      surface.bits.get() + static_cast<size_t>(surface.stride) * surface.height);
  for (int parts : {1, 3}) {
    std::copy(before.begin(), before.end(), surface.bits.get());
    ComposeMapLayers(state, composite, GetParam(), std::nullopt, parts);
    int differences = 0;
    for (int y = 0; y < 45; ++y)
      for (int x = 0; x < 61; ++x) {
        bool inside = x >= 3 && x < 56 && y >= 5 && y < 42;
        uint32_t want = (inside ? clipped.at(x, y) : expected.at(x, y)) & 0xFFFFFFu;
        uint32_t got = surface.at(x, y) & 0xFFFFFFu;
        if (got != want && differences++ == 0)
          ADD_FAILURE() << parts << " part(s): first difference at " << x << "," << y << std::hex
                        << ": " << got << " instead of " << want;
      }
    EXPECT_EQ(differences, 0) << parts << " part(s)";
  }
}

INSTANTIATE_TEST_SUITE_P(Kernels, LayerCompositor,
                         ::testing::Values(CompositeKernel::Portable, CompositeKernel::Avx2,
                                           CompositeKernel::Avx512),
                         [](const auto& info) {
                           switch (info.param) {
                             case CompositeKernel::Portable:
                               return std::string("Portable");
                             case CompositeKernel::Avx2:
                               return std::string("Avx2");
                             case CompositeKernel::Avx512:
                               return std::string("Avx512");
                             default:
                               return std::string("Best");
                           }
                         });

TEST(LayerCompositor, LayersShownAtAnotherSizeOrWithStaleIndicesAreNotComposable) {
  Case c{0, 16, 16, 256, false, true};
  Background b = MakeLayer(c, 1);
  const convert::ColourMode& mode = convert::kGbaColourModes[0];
  EXPECT_TRUE(Composable(b, mode));
  b.cellWidth = b.cellHeight = 16;
  b.tileWidth = 8;
  EXPECT_FALSE(Composable(b, mode));
  b = MakeLayer(c, 1);
  b.tilePixels.resize(b.tilePixels.size() + 64);
  EXPECT_FALSE(Composable(b, mode));
  b = MakeLayer(c, 1);
  b.tileCount = 13;  // more tiles than pixels
  EXPECT_FALSE(Composable(b, mode));
}

}  // namespace
}  // namespace mapeditortest
