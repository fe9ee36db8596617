// Converts a picture the way the program does (loaded by the image loader,
// converted by the tile conversion) and writes the results as the console
// takes them, for the emulator check (emulator_check.sh): the palette as
// little-endian 16-bit console colours, the tiles in the console's layout
// (32 bytes per 8 × 8 tile at 4 bits, 64 at 8 bits), the map as 16-bit
// text-background entries.
//
//   engine_emulator_export PICTURE OUTDIR
// writes OUTDIR/8bit.{pal,tiles,map}.bin (one palette of 256) and
// OUTDIR/4bit.{pal,tiles,map}.bin (16 sub-palettes of 16).
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "convert/colour_tables.h"
#include "convert/conversion_job.h"
#include "convert/conversion_progress.h"
#include "convert/drawing_state.h"
#include "convert/element_writers.h"
#include "convert/gba_modes.h"
#include "convert/image_loader.h"
#include "convert/surface.h"
#include "convert/tile_conversion.h"
#include "convert/tile_layout.h"
#include "platform/recording_platform.h"
#include "project/entry_record.h"

namespace {

using namespace convert;

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

struct RawWriters : ElementWriters {
  bool writePalette(const project::EntryRecord& palette,
                    std::span<const uint32_t> colours) override {
    std::vector<uint8_t> out;
    for (uint32_t c : colours) Put16(out, ConsoleColour(c));
    return WriteBytes(palette.file, out);
  }
  bool writeTileset(const project::EntryRecord& tileset, const project::EntryRecord*,
                    const ColourMode& mode, std::span<const uint32_t> pixels, int tileCount,
                    int tileWidth, int tileHeight) override {
    std::vector<uint8_t> out;
    const size_t blocks = static_cast<size_t>(tileCount) * (tileWidth / 8) * (tileHeight / 8);
    uint32_t values[kBlockPixels];
    for (size_t b = 0; b < blocks; ++b) {
      const int n = WriteBlock(mode.bitsPerPixel, pixels.data() + b * kBlockPixels, values);
      for (int i = 0; i < n; ++i) out.push_back(static_cast<uint8_t>(values[i]));
    }
    return WriteBytes(tileset.file, out);
  }
  bool writeMap(const project::EntryRecord& map, const project::EntryRecord*,
                const project::EntryRecord*, const MapFormat&, std::span<const uint32_t> cells, int,
                int, int, int) override {
    std::vector<uint8_t> out;
    for (uint32_t c : cells) Put16(out, c);
    return WriteBytes(map.file, out);
  }
  bool writeBitmap(const project::EntryRecord&, const project::EntryRecord*, const ColourMode&,
                   std::span<const uint32_t>, int, int) override {
    return false;
  }
};

bool Convert(const std::string& picture, const std::string& prefix, int modeIndex, int colours) {
  platform::RecordingDialogs dialogs;
  Surface loading, work;
  DrawingState drawing;
  LoadSurfaces surfaces{loading, work, drawing, &work};
  const ColourMode& mode = kGbaColourModes[static_cast<size_t>(modeIndex)];
  LoadedImage loaded;
  if (!LoadImage({picture, &mode}, surfaces, dialogs, loaded)) {
    std::fprintf(stderr, "cannot load %s\n", picture.c_str());
    return false;
  }
  ConversionSettings settings;
  ColourTables tables;
  RebuildColourTables(settings, &mode, tables);
  RawWriters writers;
  project::EntryRecord tileset{0, picture, prefix + ".tiles.bin", "tiles", "", 3};
  project::EntryRecord palette{0, picture, prefix + ".pal.bin", "pal", "", 6};
  project::EntryRecord map{0, picture, prefix + ".map.bin", "map", "", 1};
  ConversionJob job;
  job.tileset = &tileset;
  job.palette = &palette;
  job.map = &map;
  job.colourCount = colours;
  job.image = {&loading, loaded.width, loaded.height};
  job.areaWidth = loaded.width;
  job.areaHeight = loaded.height;
  PrintedProgress progress(stdout, nullptr);
  ConversionContext context{settings, tables,          mode,  kGbaMapFormats[1], dialogs,
                            writers,  &loaded.palette, false, &progress};
  if (!ConvertTiles(job, context)) {
    for (const auto& e : dialogs.entries())
      std::fprintf(stderr, "%s: %s\n", e.caption.c_str(), e.text.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s PICTURE OUTDIR\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[2];
  bool ok = Convert(argv[1], dir + "/8bit", 1, 256);
  ok = Convert(argv[1], dir + "/4bit", 0, 255) && ok;
  return ok ? 0 : 1;
}
