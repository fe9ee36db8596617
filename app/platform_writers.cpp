#include "app/platform_writers.h"

#include "app/element_slots.h"
#include "app/platforms.h"
#include "app/workshop.h"
#include "app/language.h"

namespace app {

namespace {

// The index of a map format of the platform: the record's own copy, or one
// with the same name.
int MapFormatIndex(const PlatformRecord& p, const convert::MapFormat& format) {
  for (int i = 0; i < kMapFormatCount; ++i)
    if (&p.mapFormats[static_cast<size_t>(i)] == &format) return i;
  for (int i = 0; i < kMapFormatCount; ++i)
    if (p.mapFormats[static_cast<size_t>(i)].name == format.name) return i;
  return -1;
}

}  // namespace

PlatformWriters::PlatformWriters(Workshop& w) : PlatformWriters(w, CurrentElementFileSettings(w)) {}

const PlatformSlots& PlatformWriters::prepareExport() {
  RunExportHook(w_, settings_.platform);
  return settings_.platform.ioSlots;
}

ElementWrite PlatformWriters::target(const project::EntryRecord& entry) const {
  return ElementWrite{.entry = entry, .settings = &settings_};
}

bool PlatformWriters::writePalette(const project::EntryRecord& palette,
                                   std::span<const uint32_t> colours) {
  return prepareExport().writePalette(w_, target(palette), colours);
}

bool PlatformWriters::writeTileset(const project::EntryRecord& tileset,
                                   const project::EntryRecord* palette,
                                   const convert::ColourMode& mode,
                                   std::span<const uint32_t> pixels, int tileCount, int tileWidth,
                                   int tileHeight) {
  return prepareExport().writeTileset(w_, target(tileset), mode, pixels, tileCount, tileWidth,
                                      tileHeight, palette);
}

bool PlatformWriters::writeMap(const project::EntryRecord& map, const project::EntryRecord* tileset,
                               const project::EntryRecord*, const convert::MapFormat& format,
                               std::span<const uint32_t> cells, int width, int height,
                               int tileWidth, int tileHeight) {
  return prepareExport().writeMap(w_, target(map), MapFormatIndex(settings_.platform, format),
                                  cells, width, height, tileWidth, tileHeight, tileset);
}

bool PlatformWriters::writeBitmap(const project::EntryRecord& bitmap,
                                  const project::EntryRecord* palette,
                                  const convert::ColourMode& mode, std::span<const uint32_t> pixels,
                                  int width, int height) {
  return prepareExport().writeBitmap(w_, target(bitmap), mode, pixels, width, height, palette);
}

}  // namespace app
