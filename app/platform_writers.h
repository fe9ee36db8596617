#pragma once

#include "convert/element_writers.h"
#include "app/language.h"

namespace app {

struct Workshop;

// The writers conversions hand their results to: the current platform's
// writer slots, each export preceded by the platform's export hook. The C
// identifiers are the export identifiers a conversion command set, or the
// elements' names.
class PlatformWriters : public convert::ElementWriters {
 public:
  explicit PlatformWriters(Workshop& w) : w_(w) {}

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
  Workshop& w_;
};

}  // namespace app
