// Whole conversions and the two compressors, on images made by ImageMagick
// (Debian's convert) when it is installed, else on generated pictures.
//
//   BM_Convert/<side>/<compress>   tilecvt -q -m [-Z] on a side x side 8-bit
//                                  picture (tiles, map, palette, raw files)
//   BM_ConvertDistinctTiles        tilecvt -q -m on 1024 x 1024 pixels whose
//                                  16384 tiles all differ
//   BM_Lz77 / BM_Aplib             1 MiB of 8-bit tile data from pictures;
//                                  counters give the compressed size as a
//                                  share of the input
//   BM_Compress/<input>/<encoder>  every encoder on the same inputs; counters
//                                  give the output in bytes and the input
//                                  MB (10^6 bytes) per second of CPU time
//                                  (the machine is shared; the encoders use
//                                  one thread).
//                                  Inputs: 0 the pictures' tiles above, 1
//                                  d_mixed_1MiB.bin and 2 the tiles tilecvt -m
//                                  keeps of c_4096_8bpp.bmp, both from the
//                                  benchmark inputs' folder
//                                  ($TILECVT_BENCH_INPUTS, else
//                                  /tmp/bench-data/inputs; skipped without).
//                                  Encoders: 0 LZ77, 1 LZ77 -W, 2 LZ77 -L,
//                                  3 LZ77 -W -L, 4 aPLib
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "tools/tilecvt/aplib.h"
#include "tools/tilecvt/console.h"
#include "tools/tilecvt/converter.h"
#include "tools/tilecvt/image_reader.h"
#include "tools/tilecvt/lz77.h"
#include "tools/tilecvt/tiles.h"

namespace {

namespace fs = std::filesystem;

fs::path WorkDirectory() {
  static const fs::path dir = [] {
    fs::path path = fs::temp_directory_path() / "tilecvt-bench";
    fs::create_directories(path / "out");
    return path;
  }();
  return dir;
}

void WriteBmp8(const fs::path& path, int width, int height, const std::vector<uint8_t>& pixels) {
  std::vector<uint8_t> file(54 + 1024 + pixels.size());
  auto put = [&file](size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
      file[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put(2, static_cast<uint32_t>(file.size()));
  put(10, 54 + 1024);
  put(14, 40);
  put(18, static_cast<uint32_t>(width));
  put(22, static_cast<uint32_t>(height));
  file[26] = 1;
  file[28] = 8;
  for (size_t i = 0; i < 256; ++i) {  // distinct console colours
    file[54 + i * 4] = static_cast<uint8_t>((i & 7) << 5);
    file[54 + i * 4 + 1] = static_cast<uint8_t>(((i >> 3) & 7) << 5);
    file[54 + i * 4 + 2] = static_cast<uint8_t>((i >> 6) << 6);
  }
  std::copy(pixels.begin(), pixels.end(), file.begin() + 54 + 1024);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

bool Convert(const std::string& arguments) {
  return std::system(("convert " + arguments + " > /dev/null 2>&1").c_str()) == 0;
}

// A side x side picture: ImageMagick's logo scaled and reduced to 256
// colours; without ImageMagick, soft shapes over a gradient.
fs::path Picture(int side) {
  const fs::path path = WorkDirectory() / ("picture" + std::to_string(side) + ".bmp");
  if (fs::exists(path)) return path;
  const std::string size = std::to_string(side) + "x" + std::to_string(side);
  if (Convert("logo: -resize " + size + "! -colors 256 -type palette -compress none BMP3:'" +
              path.string() + "'"))
    return path;
  std::vector<uint8_t> pixels(static_cast<size_t>(side) * side);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      int cx = x % 512 - 256, cy = y % 512 - 256;
      pixels[static_cast<size_t>(y) * side + x] =
          static_cast<uint8_t>(cx * cx + cy * cy < 20000 ? (x / 64 + y / 64) * 7 : (x + y) / 32);
    }
  WriteBmp8(path, side, side, pixels);
  return path;
}

fs::path DistinctTiles() {
  const fs::path path = WorkDirectory() / "distinct1024.bmp";
  if (fs::exists(path)) return path;
  std::mt19937 random(7);
  std::vector<uint8_t> pixels(1024 * 1024);
  for (uint8_t& pixel : pixels) pixel = static_cast<uint8_t>(random());
  WriteBmp8(path, 1024, 1024, pixels);
  return path;
}

int Run(const std::vector<std::string>& arguments) {
  tilecvt::SilentConsole console;
  return tilecvt::RunTilecvt(arguments, "tilecvt", console);
}

void BM_Convert(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  const fs::path input = Picture(side);
  std::vector<std::string> arguments = {"-q", "-m", "-o", (WorkDirectory() / "out").string()};
  if (state.range(1) != 0) arguments.push_back("-Z");
  arguments.push_back(input.string());
  for (auto _ : state)
    if (Run(arguments) != 0) state.SkipWithError("conversion failed");
  state.SetBytesProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_Convert)
    ->ArgsProduct({{256, 1024, 4096}, {0, 1}})
    ->ArgNames({"side", "Z"})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void BM_ConvertDistinctTiles(benchmark::State& state) {
  const std::vector<std::string> arguments = {"-q", "-m", "-o", (WorkDirectory() / "out").string(),
                                              DistinctTiles().string()};
  for (auto _ : state)
    if (Run(arguments) != 0) state.SkipWithError("conversion failed");
}
BENCHMARK(BM_ConvertDistinctTiles)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// 1 MiB of 8 x 8 tiles (8-bit) cut from pictures.
const std::vector<uint8_t>& TileData() {
  static const std::vector<uint8_t> data = [] {
    std::vector<uint8_t> bytes;
    const char* sources[] = {"wizard:", "logo:", "wizard: -resize 120%", "rose: -resize 400%"};
    int n = 0;
    for (const char* source : sources) {
      const fs::path path = WorkDirectory() / ("tiles" + std::to_string(n++) + ".bmp");
      if (!fs::exists(path) && !Convert(std::string(source) +
                                        " -colors 256 +dither -type palette -compress none BMP3:'" +
                                        path.string() + "'"))
        continue;
      tilecvt::IndexedImage image;
      if (tilecvt::LoadImage(path.string(), image) != tilecvt::ImageError::None) continue;
      tilecvt::FlipVertically(image);
      const int width = image.width / 8 * 8, height = image.height / 8 * 8;
      std::vector<uint8_t> cropped;
      for (int y = 0; y < height; ++y)
        cropped.insert(cropped.end(), image.pixels.begin() + y * image.width,
                       image.pixels.begin() + y * image.width + width);
      image.pixels = cropped;
      image.width = width;
      image.height = height;
      tilecvt::CutIntoTiles(image, 8);
      bytes.insert(bytes.end(), image.pixels.begin(), image.pixels.end());
    }
    if (bytes.size() < (size_t{1} << 20)) {  // no ImageMagick: the generated picture's tiles
      tilecvt::IndexedImage image;
      tilecvt::LoadImage(Picture(1024).string(), image);
      tilecvt::CutIntoTiles(image, 8);
      bytes.insert(bytes.end(), image.pixels.begin(), image.pixels.end());
    }
    bytes.resize(size_t{1} << 20);
    return bytes;
  }();
  return data;
}

void BM_Lz77(benchmark::State& state) {
  const auto& data = TileData();
  size_t packed = 0;
  for (auto _ : state) packed = tilecvt::CompressLz77(data).size();
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(data.size()));
  state.counters["share"] = static_cast<double>(packed) / static_cast<double>(data.size());
}
BENCHMARK(BM_Lz77)->Unit(benchmark::kMillisecond);

void BM_Aplib(benchmark::State& state) {
  const auto& data = TileData();
  size_t packed = 0;
  for (auto _ : state) packed = tilecvt::CompressAplib(data, false).size();
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(data.size()));
  state.counters["share"] = static_cast<double>(packed) / static_cast<double>(data.size());
  state.counters["vs_lz77"] =
      static_cast<double>(packed) / static_cast<double>(tilecvt::CompressLz77(data).size());
}
BENCHMARK(BM_Aplib)->Unit(benchmark::kMillisecond);

fs::path BenchInputs() {
  const char* folder = std::getenv("TILECVT_BENCH_INPUTS");
  return folder != nullptr ? fs::path(folder) : fs::path("/tmp/bench-data/inputs");
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The tiles a map conversion keeps (what a game stores), read back from the
// raw tile file tilecvt writes.
std::vector<uint8_t> KeptTiles(const fs::path& picture) {
  if (!fs::exists(picture)) return {};
  const fs::path out = WorkDirectory() / "kept";
  fs::create_directories(out);
  if (Run({"-q", "-m", "-o", out.string(), picture.string()}) != 0) return {};
  return ReadBytes(out / (picture.stem().string() + ".raw"));
}

const std::vector<uint8_t>& CompressInput(int64_t index) {
  static const std::vector<uint8_t> inputs[] = {TileData(),
                                                ReadBytes(BenchInputs() / "d_mixed_1MiB.bin"),
                                                KeptTiles(BenchInputs() / "c_4096_8bpp.bmp")};
  return inputs[index];
}

std::vector<uint8_t> CompressWith(int64_t encoder, const std::vector<uint8_t>& data) {
  switch (encoder) {
    case 0:
      return tilecvt::CompressLz77(data);
    case 1:
      return tilecvt::CompressLz77(data, {true, false});
    case 2:
      return tilecvt::CompressLz77(data, {false, true});
    case 3:
      return tilecvt::CompressLz77(data, {true, true});
    default:
      return tilecvt::CompressAplib(data, false);
  }
}

void BM_Compress(benchmark::State& state) {
  const auto& data = CompressInput(state.range(0));
  if (data.empty()) {
    state.SkipWithError("input missing (run gen_inputs.py, see TILECVT_BENCH_INPUTS)");
    return;
  }
  size_t packed = 0;
  for (auto _ : state) packed = CompressWith(state.range(1), data).size();
  state.counters["bytes"] = static_cast<double>(packed);
  state.counters["in_bytes"] = static_cast<double>(data.size());
  state.counters["MB"] = benchmark::Counter(
      static_cast<double>(data.size()) * 1e-6 * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Compress)
    ->ArgsProduct({{0, 1, 2}, {0, 1, 2, 3, 4}})
    ->ArgNames({"input", "encoder"})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
