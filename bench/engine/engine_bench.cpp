// Goals: single-palette conversions of a 1024 × 1024 photograph in under 1 s
// (the Refined method in under 0.2 s, and 512 × 512 with 16 refined
// sub-palettes in under 0.5 s);
// the multi-palette conversion (16 sub-palettes) of a 256 × 256 photograph in
// under 5 s and of a 512 × 512 one in under 60 s. Loading is measured for each
// format on the 1024 × 1024 photograph. The conversions also report the mean
// colour error of their result drawn as the console draws a text background
// (counter "error", in 8-bit levels).
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <map>

#include "convert/bitmap_conversion.h"
#include "convert/colour_tables.h"
#include "convert/conversion_job.h"
#include "convert/drawing_state.h"
#include "convert/element_writers.h"
#include "convert/gba_modes.h"
#include "convert/image_codecs.h"
#include "convert/image_loader.h"
#include "convert/image_saver.h"
#include "convert/surface.h"
#include "convert/tile_conversion.h"
#include "platform/files.h"
#include "platform/recording_platform.h"
#include "project/entry_record.h"

namespace {

using namespace convert;

const DecodedImage& Picture(const std::string& name) {
  static std::map<std::string, DecodedImage> pictures;
  DecodedImage& p = pictures[name];
  if (p.pixels.empty()) {
    const std::string path = std::string(TESSEL_ENGINE_PHOTOS) + "/" + name;
    const std::string bytes = platform::ReadFileBytes(path).value_or(std::string());
    DecodeImage({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, p);
  }
  return p;
}

// Side 0: the whole wizard, 480 × 640.
const DecodedImage& Photo(int side) {
  return Picture(side == 0 ? "wizard.jpg" : "wizard_" + std::to_string(side) + ".jpg");
}

// The pictures the methods are compared on (see tests/data/engine/make_inputs.sh).
constexpr const char* kPictures[] = {"rose_280x184.png", "wizard_240x320.png", "plasma_256.jpg",
                                     "plasma_noisy_256.jpg"};

// Keeps what the conversion writes, for the error measurement.
struct KeptWriters : ElementWriters {
  std::vector<uint32_t> palette, tiles, cells;
  int columns = 0, rows = 0;
  bool writePalette(const project::EntryRecord&, std::span<const uint32_t> c) override {
    palette.assign(c.begin(), c.end());
    return true;
  }
  bool writeTileset(const project::EntryRecord&, const project::EntryRecord*, const ColourMode&,
                    std::span<const uint32_t> p, int, int, int) override {
    tiles.assign(p.begin(), p.end());
    return true;
  }
  bool writeMap(const project::EntryRecord&, const project::EntryRecord*,
                const project::EntryRecord*, const MapFormat&, std::span<const uint32_t> c, int w,
                int h, int, int) override {
    cells.assign(c.begin(), c.end());
    columns = w;
    rows = h;
    return true;
  }
  bool writeBitmap(const project::EntryRecord&, const project::EntryRecord*, const ColourMode&,
                   std::span<const uint32_t>, int, int) override {
    return true;
  }
};

// A text-background cell with room for every tile number: the photographs
// have more tiles than the console's 1024, so the measurement keeps the tile
// number in 16 bits and the sub-palette above it. Only the map cells differ
// from the text format; tiles and palettes are the same.
constexpr MapFormat kWideTextFormat{"wide",       0xFFFFu, 0xF0000u,     16,         0,
                                    kAbsentField, 0,       kAbsentField, 0xFFFFFFFFu};

// The written tiles drawn as the console draws a text background (8 × 8
// tiles, sub-palette bits, 15-bit colours, entry 0 of a 4-bit sub-palette
// showing the backdrop) against the photograph: the mean distance of the
// colours, in 8-bit levels, with 5-bit levels expanded as the screen does
// (c × 8 + c / 4).
double MeanError(const KeptWriters& w, const DecodedImage& photo, int bitsPerPixel) {
  auto expand = [](uint32_t c) { return (c << 3) | (c >> 2); };
  double total = 0;
  for (int y = 0; y < photo.height; ++y)
    for (int x = 0; x < photo.width; ++x) {
      const uint32_t cell = w.cells[static_cast<size_t>(y / 8) * w.columns + x / 8];
      const size_t tile = cell & 0xFFFF;
      uint32_t index = w.tiles[tile * 64 + static_cast<size_t>(y % 8 * 8 + x % 8)];
      size_t entry;
      if (bitsPerPixel == 4) {
        index &= 15;
        entry = index == 0 ? 0 : (cell >> 16) * 16 + index;
      } else {
        entry = index & 255;
      }
      const uint16_t c = ConsoleColour(entry < w.palette.size() ? w.palette[entry] : 0);
      const uint32_t p = photo.pixels[static_cast<size_t>(y) * photo.width + x];
      const double dr = double(expand(c & 31)) - double(p >> 16 & 255);
      const double dg = double(expand(c >> 5 & 31)) - double(p >> 8 & 255);
      const double db = double(expand(c >> 10 & 31)) - double(p & 255);
      total += std::sqrt(dr * dr + dg * dg + db * db);
    }
  return total / (double(photo.width) * photo.height);
}

struct Conversion {
  platform::RecordingDialogs dialogs;
  ConversionSettings settings;
  ColourTables tables;
  Surface surface;
  KeptWriters writers;
  project::EntryRecord tileset{0, "", "t.til.c", "t", "", 3};
  project::EntryRecord palette{0, "", "t.pal.c", "p", "", 6};
  project::EntryRecord map{0, "", "t.map.c", "m", "", 1};
  const ColourMode* mode;

  Conversion(const DecodedImage& photo, int modeIndex, ReductionMethod method)
      : mode(&kGbaColourModes[static_cast<size_t>(modeIndex)]) {
    settings.method = method;
    RebuildColourTables(settings, mode, tables);
    ResizeSurface(surface, photo.width, photo.height, true, 0, dialogs);
    for (int y = 0; y < photo.height; ++y)
      for (int x = 0; x < photo.width; ++x)
        surface.at(x, y) = photo.pixels[static_cast<size_t>(y) * photo.width + x] | 0xFF000000u;
  }

  bool runBitmap(int colours) {
    BitmapJob job;
    job.bitmap = &tileset;
    job.palette = &palette;
    job.colourCount = colours;
    job.image = {&surface, surface.visibleWidth, surface.visibleHeight};
    ConversionContext context{settings, tables,  *mode, kWideTextFormat, dialogs,
                              writers,  nullptr, false, nullptr};
    return ConvertBitmap(job, context);
  }

  bool run(int colours) {
    ConversionJob job;
    job.tileset = &tileset;
    job.palette = &palette;
    job.map = &map;
    job.colourCount = colours;
    job.image = {&surface, surface.visibleWidth, surface.visibleHeight};
    job.areaWidth = surface.visibleWidth;
    job.areaHeight = surface.visibleHeight;
    ConversionContext context{settings, tables,  *mode, kWideTextFormat, dialogs,
                              writers,  nullptr, false, nullptr};
    return ConvertTiles(job, context);
  }
};

void SinglePalette(benchmark::State& state, ReductionMethod method) {
  const DecodedImage& photo = Photo(static_cast<int>(state.range(0)));
  Conversion c(photo, 1, method);
  for (auto _ : state)
    if (!c.run(256)) state.SkipWithError("conversion failed");
  state.counters["error"] = MeanError(c.writers, photo, 8);
  state.counters["colours"] = static_cast<double>(c.writers.palette.size());
}

void BM_Standard(benchmark::State& state) { SinglePalette(state, ReductionMethod::Standard); }
void BM_Halftone(benchmark::State& state) { SinglePalette(state, ReductionMethod::Halftone); }
void BM_Optimal(benchmark::State& state) { SinglePalette(state, ReductionMethod::Optimal); }
void BM_Refined(benchmark::State& state) { SinglePalette(state, ReductionMethod::Refined); }
BENCHMARK(BM_Standard)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Halftone)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Optimal)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Refined)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);

// 256 colours on 8-bit tiles with every method (0..3), on each picture of
// kPictures: time and mean error side by side.
void BM_PictureSinglePalette(benchmark::State& state) {
  const char* name = kPictures[state.range(0)];
  const DecodedImage& photo = Picture(name);
  Conversion c(photo, 1, static_cast<ReductionMethod>(state.range(1)));
  for (auto _ : state)
    if (!c.run(256)) state.SkipWithError("conversion failed");
  state.SetLabel(name);
  state.counters["error"] = MeanError(c.writers, photo, 8);
  state.counters["colours"] = static_cast<double>(c.writers.palette.size());
}
BENCHMARK(BM_PictureSinglePalette)
    ->ArgsProduct({{0, 1, 2, 3}, {0, 1, 2, 3}})
    ->ArgNames({"picture", "method"})
    ->Unit(benchmark::kMillisecond);

// 16 sub-palettes of 15 colours on 4-bit tiles, on each picture of kPictures.
// Variants: 0 fast palette reduction, 1 without it, 2 Refined (fast, then
// refined), 3 Refined with the dither.
void BM_PictureMultiPalette(benchmark::State& state) {
  const char* name = kPictures[state.range(0)];
  const DecodedImage& photo = Picture(name);
  const int variant = static_cast<int>(state.range(1));
  Conversion c(photo, 0, variant >= 2 ? ReductionMethod::Refined : ReductionMethod::Standard);
  c.settings.fastPaletteReduction = variant == 1 ? 0 : 1;
  c.settings.refinedDither = variant == 3 ? 1 : 0;
  for (auto _ : state)
    if (!c.run(255)) state.SkipWithError("conversion failed");
  state.SetLabel(name);
  state.counters["error"] = MeanError(c.writers, photo, 4);
}
BENCHMARK(BM_PictureMultiPalette)
    ->ArgsProduct({{0, 1, 2, 3}, {0, 1, 2, 3}})
    ->ArgNames({"picture", "variant"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// The bitmap conversion: its Standard method tries every tolerance from the
// maximum precision down.
void BM_Bitmap(benchmark::State& state) {
  const DecodedImage& photo = Photo(static_cast<int>(state.range(0)));
  Conversion c(photo, 1, static_cast<ReductionMethod>(state.range(1)));
  for (auto _ : state)
    if (!c.runBitmap(256)) state.SkipWithError("conversion failed");
  state.counters["colours"] = static_cast<double>(c.writers.palette.size());
}
BENCHMARK(BM_Bitmap)
    ->ArgsProduct({{256, 1024}, {0, 1, 2, 3}})
    ->ArgNames({"side", "method"})
    ->Unit(benchmark::kMillisecond);

// 4-bit tiles: 16 sub-palettes of 16 (255 colours asked), and for comparison
// one palette of 16. Arguments: the photograph's side (0: the whole wizard,
// 480 × 640), fast palette reduction (1, the default, or 0) and the method
// (0 Standard, 3 Refined).
void BM_MultiPalette(benchmark::State& state) {
  const DecodedImage& photo = Photo(static_cast<int>(state.range(0)));
  Conversion c(photo, 0, static_cast<ReductionMethod>(state.range(2)));
  c.settings.fastPaletteReduction = static_cast<int32_t>(state.range(1));
  for (auto _ : state)
    if (!c.run(255)) state.SkipWithError("conversion failed");
  state.counters["error"] = MeanError(c.writers, photo, 4);
}
BENCHMARK(BM_MultiPalette)
    ->Args({256, 1, 0})
    ->Args({512, 1, 0})
    ->Args({0, 1, 0})
    ->Args({256, 0, 0})
    ->Args({512, 0, 0})
    ->Args({0, 0, 0})
    ->Args({256, 1, 3})
    ->Args({512, 1, 3})
    ->Args({0, 1, 3})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

void BM_FourBitSinglePalette(benchmark::State& state) {
  const DecodedImage& photo = Photo(static_cast<int>(state.range(0)));
  Conversion c(photo, 0, ReductionMethod::Standard);
  for (auto _ : state)
    if (!c.run(16)) state.SkipWithError("conversion failed");
  state.counters["error"] = MeanError(c.writers, photo, 4);
}
BENCHMARK(BM_FourBitSinglePalette)->Arg(256)->Arg(512)->Arg(0)->Unit(benchmark::kMillisecond);

// Loading a 1024 × 1024 photograph from a file of each format (BMP, PNG and
// TIFF true colour, JPEG, GIF dithered to 256 colours): read, decode, draw on
// the loading surface with mask transparency, copy to the work surface.
void BM_Load(benchmark::State& state) {
  static const char* kExtensions[] = {"bmp", "png", "jpg", "gif", "tiff"};
  const char* extension = kExtensions[state.range(0)];
  const DecodedImage& photo = Photo(1024);
  const std::string path =
      (std::filesystem::temp_directory_path() / (std::string("engine_bench_load.") + extension))
          .string();
  if (!SaveImage({photo.width, photo.height, photo.pixels, {}}, path)) {
    state.SkipWithError("cannot write the picture");
    return;
  }
  platform::RecordingDialogs dialogs;
  Surface loading, work;
  DrawingState drawing;
  LoadSurfaces surfaces{loading, work, drawing, &work};
  LoadRequest request{path, &kGbaColourModes[1]};
  LoadedImage loaded;
  for (auto _ : state)
    if (!LoadImage(request, surfaces, dialogs, loaded)) state.SkipWithError("load failed");
  state.SetLabel(extension);
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
  std::filesystem::remove(path);
}
BENCHMARK(BM_Load)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
