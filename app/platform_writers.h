#pragma once

#include "convert/element_writers.h"
#include "app/platform_record.h"
#include "app/language.h"

namespace app {

struct Workshop;

// The writers conversions hand their results to: the writer slots of one
// platform, each export preceded by that platform's export hook. The C
// identifiers are the export identifiers a conversion command set, or the
// elements' names.
class PlatformWriters : public convert::ElementWriters {
 public:
  // Writes with the settings the program has now (its current platform).
  explicit PlatformWriters(Workshop& w);
  // Writes through the slots of `settings.platform`, with those settings.
  PlatformWriters(Workshop& w, const ElementFileSettings& settings) : w_(w), settings_(settings) {}

  bool writePalette(const project::EntryRecord& palette,
                    std::span<const uint32_t> colours) override;
  bool writeTileset(const project::EntryRecord& tileset, const project::EntryRecord* palette,
                    const convert::ColourMode& mode, std::span<const uint32_t> pixels,
                    int tileCount, int tileWidth, int tileHeight) override;
  bool writeMap(const project::EntryRecord& map, const project::EntryRecord* tileset,
                const project::EntryRecord* palette, const convert::MapFormat& format,
                std::span<const uint32_t> cells, int width, int height, int tileWidth,
                int tileHeight) override;
  bool writeBitmap(const project::EntryRecord& bitmap, const project::EntryRecord* palette,
                   const convert::ColourMode& mode, std::span<const uint32_t> pixels, int width,
                   int height) override;

 private:
  // Runs the export hook; the slots of the platform to write through.
  const PlatformSlots& prepareExport();
  ElementWrite target(const project::EntryRecord& entry) const;

  Workshop& w_;
  ElementFileSettings settings_;
};

}  // namespace app
