// One frame of the map editor on a 1920 × 1080 canvas: 20 visible map
// backgrounds of 256 × 256 cells of 8 × 8 tiles (4-bit tiles in sixteen
// sub-palettes, GBA bit emulation with mirrors) with "Fonds transparents" on,
// and a single opaque background. The editor composes a frame on each tick of
// its 10 ms timer: goals are 10 ms for the twenty layers and 2 ms for one.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "bench/mapeditor/generated_store.h"
#include "mapeditor/frame_renderer.h"
#include "mapeditor/layer_compositor.h"
#include "mapeditor/map_editor.h"
#include "platform/recording_platform.h"
#include "app/workshop.h"

namespace {

using namespace mapeditor;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

using benchsupport::GeneratedStore;

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
