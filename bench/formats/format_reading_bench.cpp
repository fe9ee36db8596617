// Reading an element file of 8 MB (the readers' buffer) through the built-in
// format: the header is matched, then every value is read with the group and
// row texts matched between them, as the element readers do. Goal: at least
// 100 MB/s. Writing the same text is measured for comparison.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "formats/format_library.h"
#include "formats/output_sink.h"
#include "formats/template_expansion.h"
#include "formats/template_matching.h"
#include "formats/value_format.h"
#include "platform/dialogs.h"

namespace {

constexpr size_t kTextBytes = 8 * 1024 * 1024;

class QuietDialogs : public platform::UserDialogs {
 public:
  void message(std::string_view, std::string_view, platform::Icon) override {}
  platform::Answer question(std::string_view, std::string_view, platform::Buttons,
                            platform::Answer a, platform::Icon) override {
    return a;
  }
  std::optional<std::string> chooseFileName(const platform::FileChoice&) override {
    return std::nullopt;
  }
  std::optional<uint32_t> chooseColour(uint32_t) override { return std::nullopt; }
};

struct Case {
  formats::SectionType section;
  std::string formats::FormatSection::*valueFormat;
  int bits;
  size_t rowLength;  // 0: one running counter
};

bool GroupBefore(const formats::FormatSection& s, size_t counter) {
  return s.n_every > 0 && counter > 0 && counter % static_cast<size_t>(s.n_every) == 0;
}

// Writes values until the text is about 8 MB; returns how many.
size_t WriteElement(formats::OutputSink& out, const formats::FormatSection& s, const Case& c,
                    const formats::TemplateValues& tv, platform::UserDialogs& d) {
  std::mt19937 rng(1);
  formats::Expand(s.declaration, out, tv, d);
  std::string_view fmt = s.*c.valueFormat;
  size_t counter = 0, count = 0;
  uint32_t mask = c.bits == 32 ? 0xFFFFFFFFu : (1u << c.bits) - 1u;
  while (out.size() + 64 < kTextBytes) {
    if (GroupBefore(s, counter)) formats::Expand(s.every_x, out, tv, d);
    formats::WriteValue(out, fmt, static_cast<int32_t>(rng() & mask), d);
    ++counter;
    ++count;
    if (c.rowLength && count % c.rowLength == 0) {
      formats::Expand(s.line, out, tv, d);
      if (!s.line.empty()) counter = 0;
    }
  }
  formats::Expand(s.end, out, tv, d);
  return count;
}

formats::TemplateValues HeaderValues() {
  formats::TemplateValues v;
  v.reset(formats::ReferenceDefaults{});
  v.setText(formats::Placeholder::File, "level.c");
  v.setText(formats::Placeholder::Name, "level");
  v.setText(formats::Placeholder::Link, "tiles.til.c");
  v.setText(formats::Placeholder::Type, "short");
  return v;
}

void ReadElement(benchmark::State& state, const Case& c) {
  formats::FormatLibrary lib;
  QuietDialogs d;
  const formats::FormatSection& s = lib.current.section(c.section);
  formats::TemplateValues tv = HeaderValues();
  formats::OutputSink out;
  size_t count = WriteElement(out, s, c, tv, d);
  const std::string text = out.text();
  std::string_view fmt = s.*c.valueFormat;
  int64_t sum = 0;
  for (auto _ : state) {
    formats::TemplateValues read = HeaderValues();
    size_t pos = formats::Match(text, 0, s.declaration, read, d);
    size_t counter = 0, n = 0;
    while (n < count && pos != formats::kNoPosition) {
      if (GroupBefore(s, counter)) pos = formats::Match(text, pos, s.every_x, read, d);
      int32_t v = 0;
      pos = formats::ReadValue(text, pos, fmt, v, d);
      if (pos == formats::kNoPosition) break;
      sum += v;
      ++counter;
      ++n;
      if (c.rowLength && n % c.rowLength == 0 && n < count) {
        pos = formats::Match(text, pos, s.line, read, d);
        if (!s.line.empty()) counter = 0;
      }
    }
    if (n != count) state.SkipWithError("values lost");
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
  state.counters["values"] = static_cast<double>(count);
}

// Streams the element to a file in the temporary directory, as the writers do.
void WriteFile(benchmark::State& state, const Case& c) {
  formats::FormatLibrary lib;
  QuietDialogs d;
  const formats::FormatSection& s = lib.current.section(c.section);
  formats::TemplateValues tv = HeaderValues();
  std::string path = (std::filesystem::temp_directory_path() / "formats_bench.til.c").string();
  uint64_t bytes = 0;
  for (auto _ : state) {
    formats::OutputSink out;
    if (!out.openFile(path)) {
      state.SkipWithError("cannot write the file");
      break;
    }
    WriteElement(out, s, c, tv, d);
    bytes = out.size();
    if (!out.finish()) state.SkipWithError("write failed");
  }
  std::filesystem::remove(path);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

using F = formats::FormatSection;
using formats::SectionType;

// Tileset of 8-bit pixels: "0x%02x, ", a line break every 12 values.
void BM_ReadTileset8(benchmark::State& s) {
  ReadElement(s, {SectionType::Tileset, &F::element, 8, 64});
}
// Map of 16-bit cells in rows of 256: "0x%04x, ", groups of 8, "},\r\n\t{" per row.
void BM_ReadMap16(benchmark::State& s) { ReadElement(s, {SectionType::Map, &F::element, 16, 256}); }
// 32-bit bitmap: "0x%08x, ".
void BM_ReadBitmap32(benchmark::State& s) {
  ReadElement(s, {SectionType::Bitmap, &F::element3, 32, 240});
}
// The same tileset written to a file.
void BM_WriteTileset8(benchmark::State& s) {
  WriteFile(s, {SectionType::Tileset, &F::element, 8, 64});
}

}  // namespace

BENCHMARK(BM_ReadTileset8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadMap16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBitmap32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteTileset8)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
