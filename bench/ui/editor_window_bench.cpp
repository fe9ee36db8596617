// The map editor window on a 1920 × 1080 canvas with 20 visible backgrounds
// of 256 × 256 cells (4-bit tiles in sixteen sub-palettes, GBA bit emulation)
// and "Fonds transparents" on, on the offscreen platform:
// - a frame: one tick of the editor timer (the core composes the frame, the
//   window wraps it and updates the tile panel) and a synchronous paint of
//   the canvas; goals 8 ms median, 16 ms at the 99th percentile;
// - a mouse stroke painting the active background alone (press, move,
//   release with Ctrl); goal 2 ms per event.
// The median and 99th percentile of the iterations are printed as counters.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <vector>

#include "bench/mapeditor/generated_store.h"
#include "mapeditor/map_editor.h"
#include "platform/recording_platform.h"
#include "app/workshop.h"
#include "ui/map_editor_canvas.h"
#include "ui/map_editor_window.h"

namespace {

using namespace mapeditor;

constexpr int kCanvasWidth = 1920;
constexpr int kCanvasHeight = 1080;

using benchsupport::GeneratedStore;

struct Scene {
  platform::RecordingDialogs dialogs;
  platform::RecordingShell shell;
  // The undo budget (a quarter of this) keeps a long run's snapshots bounded.
  platform::FixedMachine machine{1ull << 30};
  app::Workshop w{platform::Services{dialogs, shell, machine}};
  GeneratedStore store;
  MapEditorShared shared;
  std::unique_ptr<ui::MapEditorWindow> window;

  Scene() {
    for (int i = 0; i < 20; ++i) {
      project::EntryRecord e;
      e.name = "fond" + std::to_string(i);
      e.file = e.name + ".map.c";
      e.kind = project::kKindMap;
      w.project.appendRaw(e);
    }
    w.paths.scriptPath.clear();
    window = std::make_unique<ui::MapEditorWindow>(nullptr, w, shared, store);
    window->openElement(0);
    MapEditor& e = window->editor();
    for (int i = 1; i < 20; ++i) e.addBackground(i);
    for (int i = 0; i < 20; ++i) e.setGbaEmulation(i, true);
    w.editor.transparency = 1;
    window->show();
    // The window's size that gives the canvas 1920 × 1080.
    ui::MapEditorCanvas* c = window->canvas();
    for (int i = 0; i < 3 && (c->width() != kCanvasWidth || c->height() != kCanvasHeight); ++i)
      window->resize(window->width() + kCanvasWidth - c->width(),
                     window->height() + kCanvasHeight - c->height());
    QApplication::processEvents();
  }
};

void Percentiles(benchmark::State& state, std::vector<double>& ms) {
  if (ms.empty()) return;
  std::sort(ms.begin(), ms.end());
  state.counters["median_ms"] = ms[ms.size() / 2];
  state.counters["p99_ms"] = ms[std::min(ms.size() - 1, ms.size() * 99 / 100)];
}

void BM_ComposeAndPresentFrame(benchmark::State& state) {
  Scene scene;
  ui::MapEditorCanvas* canvas = scene.window->canvas();
  if (canvas->width() != kCanvasWidth || canvas->height() != kCanvasHeight) {
    state.SkipWithError("the canvas did not reach 1920 x 1080");
    return;
  }
  std::vector<double> ms;
  int frame = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    // A different scroll position each frame, as while the user scrolls.
    scene.window->editor().setScroll((frame % 8) * 8, (frame % 5) * 8);
    ++frame;
    scene.window->tick();
    canvas->repaint();
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count());
  }
  Percentiles(state, ms);
}

// The two halves of a frame apart: the timer's tick (the core's composition)
// and the canvas's paint of the composed frame.
void BM_TickOnly(benchmark::State& state) {
  Scene scene;
  int frame = 0;
  for (auto _ : state) {
    scene.window->editor().setScroll((frame % 8) * 8, (frame % 5) * 8);
    ++frame;
    scene.window->tick();
  }
}

void BM_PaintOnly(benchmark::State& state) {
  Scene scene;
  scene.window->tick();
  for (auto _ : state) scene.window->canvas()->repaint();
}

void Send(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButtons held) {
  QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton, held, Qt::ControlModifier);
  QApplication::sendEvent(w, &e);
}

void BM_PaintStrokeOnOneBackground(benchmark::State& state) {
  Scene scene;
  ui::MapEditorCanvas* canvas = scene.window->canvas();
  scene.window->editor().setPatternValue(5);
  std::vector<double> ms;
  int stroke = 0;
  for (auto _ : state) {
    QPointF from(40 + (stroke % 50) * 8, 40 + (stroke % 30) * 8);
    QPointF to = from + QPointF(64, 48);
    ++stroke;
    auto start = std::chrono::steady_clock::now();
    Send(canvas, QEvent::MouseButtonPress, from, Qt::LeftButton);
    Send(canvas, QEvent::MouseMove, to, Qt::LeftButton);
    Send(canvas, QEvent::MouseButtonRelease, to, Qt::NoButton);
    // Per event: the press, the move and the release.
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count() /
                 3);
  }
  Percentiles(state, ms);
}

BENCHMARK(BM_ComposeAndPresentFrame)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_TickOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintStrokeOnOneBackground)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
