// One layer of a map editor frame: a 1920 × 1080 surface covered with 8 × 8
// tiles (240 × 135 = 32400 tiles), drawn indexed with 4-bit sub-palettes and
// every combination of mirrors. The editor composes up to 20 layers in its
// 10 ms timer: goals are 1 ms for an opaque layer, 3 ms for a blended one.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "convert/draw_tile.h"
#include "convert/gba_modes.h"
#include "platform/recording_platform.h"

namespace {

using namespace convert;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kTiles = 1024;

struct Cell {
  int tile;
  int subPalette;
  bool mirrorX;
  bool mirrorY;
};

struct Scene {
  platform::RecordingDialogs dialogs;
  Surface surface;
  DrawingState state;
  std::vector<uint32_t> tiles;  // kTiles blocks of 64 indices 0..15
  std::vector<Cell> cells;      // one per 8 × 8 cell of the surface, row by row
  uint32_t colours[256];

  Scene() {
    ResizeSurface(surface, kWidth, kHeight, true, 0, dialogs);
    SelectSurface(state, surface);
    std::mt19937 random(5);
    tiles.resize(static_cast<size_t>(kTiles) * 64);
    for (uint32_t& p : tiles) p = random() & 15u;
    for (uint32_t& c : colours) c = random() & 0x00FFFFFFu;
    for (int i = 0; i < (kWidth / 8) * (kHeight / 8); ++i) {
      uint32_t r = random();
      cells.push_back({static_cast<int>(r % kTiles), static_cast<int>((r >> 10) & 15u),
                       ((r >> 14) & 1u) != 0, ((r >> 15) & 1u) != 0});
    }
  }
};

Scene& TheScene() {
  static Scene scene;
  return scene;
}

// `modeIndex` 0: 4-bit tiles with sub-palettes (the editor's common case); 1: 8-bit
// tiles over the whole 256-colour palette (the same indices, mask 255).
template <bool kTransparent>
void DrawLayer(benchmark::State& bench, int opacity, int modeIndex = 0) {
  Scene& scene = TheScene();
  const ColourMode& mode = kGbaColourModes[static_cast<size_t>(modeIndex)];
  bool subPalettes = mode.paletteKind == PaletteKind::SubPalettes;
  TileStyle style;
  style.colours = scene.colours;
  style.indexMask =
      static_cast<uint32_t>(subPalettes ? mode.coloursPerSubPalette - 1 : mode.paletteEntries - 1);
  style.opacity = opacity;
  for (auto _ : bench) {
    size_t i = 0;
    for (int y = 0; y < kHeight; y += 8)
      for (int x = 0; x < kWidth; x += 8) {
        const Cell& c = scene.cells[i++];
        style.paletteStart = subPalettes ? c.subPalette * mode.coloursPerSubPalette : 0;
        style.mirrorX = c.mirrorX;
        style.mirrorY = c.mirrorY;
        const uint32_t* block = scene.tiles.data() + static_cast<size_t>(c.tile) * 64;
        if constexpr (kTransparent)
          DrawTileTransparentIndexed(scene.state, mode, x, y, block, style);
        else
          DrawTileIndexed(scene.state, mode, x, y, block, style);
      }
    benchmark::DoNotOptimize(scene.surface.bits.get());
    benchmark::ClobberMemory();
  }
  bench.SetItemsProcessed(bench.iterations() * static_cast<int64_t>(scene.cells.size()));
}

void BM_OpaqueLayer(benchmark::State& s) { DrawLayer<false>(s, kOpaque); }
void BM_BlendedLayer(benchmark::State& s) { DrawLayer<false>(s, 160); }
void BM_OpaqueLayerColourZeroTransparent(benchmark::State& s) { DrawLayer<true>(s, kOpaque); }
void BM_BlendedLayerColourZeroTransparent(benchmark::State& s) { DrawLayer<true>(s, 160); }
void BM_OpaqueLayer256Colours(benchmark::State& s) { DrawLayer<false>(s, kOpaque, 1); }
void BM_BlendedLayer256Colours(benchmark::State& s) { DrawLayer<false>(s, 160, 1); }

BENCHMARK(BM_OpaqueLayer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlendedLayer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpaqueLayerColourZeroTransparent)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlendedLayerColourZeroTransparent)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpaqueLayer256Colours)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlendedLayer256Colours)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
