// One frame of the map editor on a 1920 × 1080 canvas: 20 visible map
// backgrounds of 256 × 256 cells of 8 × 8 tiles (4-bit tiles in sixteen
// sub-palettes, GBA bit emulation with mirrors) with "Fonds transparents" on,
// and a single opaque background. The editor composes a frame on each tick of
// its 10 ms timer: goals are 10 ms for the twenty layers and 2 ms for one.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "convert/gba_modes.h"
#include "mapeditor/element_store.h"
#include "mapeditor/frame_renderer.h"
#include "mapeditor/layer_compositor.h"
#include "mapeditor/map_editor.h"
#include "platform/recording_platform.h"
#include "app/workshop.h"

namespace {

using namespace mapeditor;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kCells = 256;
constexpr int kTiles = 1024;

class GeneratedStore : public ElementStore {
 public:
  std::optional<LoadedMap> readMap(const project::EntryRecord& e) override {
    std::mt19937 random(static_cast<uint32_t>(e.name.size() * 977 + e.name.back()));
    LoadedMap m;
    m.width = m.height = kCells;
    m.mapFormat = 1;
    m.cells.resize(kCells * kCells);
    for (uint32_t& c : m.cells) c = random() & 0xFFFFu & ~0x300u;  // tiles 0..1023 with flags
    LoadedTiles& t = m.tiles;
    t.tileCount = kTiles;
    t.colourMode = 0;
    t.tilePixels.resize(static_cast<size_t>(kTiles) * 64);
    for (uint32_t& p : t.tilePixels) p = random() & 15u;
    for (int i = 0; i < 256; ++i) t.palette.push_back(random() | 0xFF000000u);
    return m;
  }
  std::optional<LoadedList> readList(const project::EntryRecord&, int32_t) override {
    return std::nullopt;
  }
  bool writeMap(const project::EntryRecord&, const project::EntryRecord&,
                const project::EntryRecord&, const Background&) override {
    return false;
  }
  bool writeList(const project::EntryRecord&, const project::EntryRecord&,
                 const Background&) override {
    return false;
  }
  const convert::MapFormat& mapFormat(int32_t i) const override {
    return convert::kGbaMapFormats[static_cast<size_t>(i)];
  }
  const convert::ColourMode& colourMode(int32_t i) const override {
    return convert::kGbaColourModes[static_cast<size_t>(i)];
  }
};

struct Scene {
  platform::RecordingDialogs dialogs;
  platform::RecordingShell shell;
  platform::FixedMachine machine{1ull << 34};
  app::Workshop w{platform::Services{dialogs, shell, machine}};
  GeneratedStore store;
  MapEditorShared shared;
  std::unique_ptr<MapEditor> editor;

  explicit Scene(int layers) {
    for (int i = 0; i < layers; ++i) {
      project::EntryRecord e;
      e.name = "fond" + std::to_string(i);
      e.file = e.name + ".map.c";
      e.kind = project::kKindMap;
      w.project.appendRaw(e);
    }
    w.paths.scriptPath.clear();
    editor = std::make_unique<MapEditor>(w.editorHost, shared, store);
    editor->open(0);
    for (int i = 1; i < layers; ++i) editor->addBackground(i);
    for (int i = 0; i < layers; ++i) editor->setGbaEmulation(i, true);
    w.editor.transparency = 1;
    convert::ResizeSurface(w.editorSurface, kWidth, kHeight, true, 0, dialogs);
    convert::SelectSurface(w.drawing, w.editorSurface);
  }
};

void Compose(benchmark::State& state, int layers) {
  Scene scene(layers);
  int frame = 0;
  for (auto _ : state) {
    // A different scroll position each frame, as while the user scrolls.
    scene.editor->setScroll((frame % 8) * 8, (frame % 5) * 8);
    ++frame;
    ComposeFrame(*scene.editor, scene.w.drawing);
    benchmark::DoNotOptimize(scene.w.editorSurface.bits.get());
    benchmark::ClobberMemory();
  }
  state.counters["layers"] = layers;
}

void BM_TwentyTransparentLayers(benchmark::State& state) { Compose(state, 20); }
void BM_OneOpaqueLayer(benchmark::State& state) { Compose(state, 1); }

// The same twenty layers through each instruction set the compositor has, for
// processors without the widest one (0: portable, 1: AVX2, 2: AVX-512).
void BM_TwentyLayersByKernel(benchmark::State& state) {
  const CompositeKernel kernels[] = {CompositeKernel::Portable, CompositeKernel::Avx2,
                                     CompositeKernel::Avx512};
  CompositeKernel kernel = kernels[state.range(0)];
  if (!CompositeKernelAvailable(kernel)) {
    state.SkipWithError("not on this processor");
    return;
  }
  Scene scene(20);
  MapEditor& e = *scene.editor;
  std::vector<CompositeLayer> layers;
  for (int i = 0; i < e.count(); ++i) {
    const Background& b = e.background(i);
    CompositeLayer l;
    l.background = &b;
    l.colours = b.colours.data();
    l.mode = &e.colourModeOf(b);
    l.format = &e.mapFormatOf(b);
    l.opacity = i == e.active() ? 160 : 128;
    l.keyed = i > 0;
    l.columns = std::min(b.width, kWidth / b.cellWidth + 1);
    l.rows = std::min(b.height, kHeight / b.cellHeight + 1);
    layers.push_back(l);
  }
  // The active background is drawn last.
  std::rotate(layers.begin(), layers.begin() + 1, layers.end());
  for (auto _ : state) {
    ComposeMapLayers(scene.w.drawing, layers, kernel);
    benchmark::DoNotOptimize(scene.w.editorSurface.bits.get());
    benchmark::ClobberMemory();
  }
}

BENCHMARK(BM_TwentyTransparentLayers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneOpaqueLayer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwentyLayersByKernel)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
