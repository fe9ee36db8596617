#pragma once

#include <vector>

#include "convert/colour_tables.h"
#include "convert/conversion_job.h"
#include "convert/conversion_settings.h"
#include "convert/gba_modes.h"
#include "convert/image_loader.h"
#include "convert/surface.h"
#include "platform/recording_platform.h"
#include "project/entry_record.h"
#include "recording_writers.h"

// What a conversion test needs: settings, colour tables for a mode, a picture
// on a surface, destination elements and recording dialogs and writers.
namespace converttest {

inline constexpr int kMode4 = 0;
inline constexpr int kMode8 = 1;
inline constexpr int kMode15 = 2;
inline constexpr int kMode32 = 3;

// An opaque pixel whose levels (0..31) convert back to exactly these levels.
constexpr uint32_t Opaque(uint32_t red, uint32_t green, uint32_t blue) {
  return 0xFF000000u | (red * 8) << 16 | (green * 8) << 8 | (blue * 8);
}
// The converted pixel of those levels.
constexpr uint32_t Level(uint32_t red, uint32_t green, uint32_t blue) {
  return 0xFF000000u | red << 16 | green << 8 | blue;
}

struct Engine {
  platform::RecordingDialogs dialogs;
  RecordingWriters writers;
  convert::ConversionSettings settings;
  convert::ColourTables tables;
  const convert::ColourMode* mode = nullptr;
  convert::MapFormat format = convert::kGbaMapFormats[1];
  convert::Surface surface;
  project::EntryRecord tilesetEntry{0, "", "tiles.til.c", "tiles", "", 3};
  project::EntryRecord paletteEntry{0, "", "tiles.pal.c", "pal", "", 6};
  project::EntryRecord mapEntry{0, "", "tiles.map.c", "map", "", 1};
  project::EntryRecord bitmapEntry{0, "", "img.bmp.c", "img", "", 4};
  bool messages = true;
  const convert::SourcePalette* sourcePalette = nullptr;
  convert::ConversionProgress* progress = nullptr;
  convert::SourceImage image;

  explicit Engine(int modeIndex = kMode8) { useMode(modeIndex); }

  void useMode(int index) {
    mode = &convert::kGbaColourModes[static_cast<size_t>(index)];
    convert::RebuildColourTables(settings, mode, tables);
  }

  // Puts a picture (0xAARRGGBB words, row by row) on the surface.
  void picture(int width, int height, const std::vector<uint32_t>& pixels) {
    convert::ResizeSurface(surface, width, height, true, 0, dialogs);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) surface.at(x, y) = pixels[static_cast<size_t>(y) * width + x];
    image = {&surface, width, height};
  }

  convert::ConversionContext context() {
    return convert::ConversionContext{settings, tables,        *mode,    format,  dialogs,
                                      writers,  sourcePalette, messages, progress};
  }

  convert::ConversionJob tileJob(int colours) {
    convert::ConversionJob job;
    job.tileset = &tilesetEntry;
    job.palette = &paletteEntry;
    job.map = &mapEntry;
    job.colourCount = colours;
    job.image = image;
    job.areaWidth = image.width;
    job.areaHeight = image.height;
    return job;
  }

  convert::BitmapJob bitmapJobFor(int colours) {
    convert::BitmapJob job;
    job.bitmap = &bitmapEntry;
    job.palette = &paletteEntry;
    job.colourCount = colours;
    job.image = image;
    return job;
  }

  const RecordingWriters::Call& written(const std::string& kind) const {
    static const RecordingWriters::Call kNone;
    const RecordingWriters::Call* c = writers.find(kind);
    return c ? *c : kNone;
  }
};

}  // namespace converttest
