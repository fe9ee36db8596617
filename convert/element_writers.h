#pragma once

#include <cstdint>
#include <span>

namespace project {
struct EntryRecord;
}

namespace convert {

struct ColourMode;
struct MapFormat;

// Where conversions hand their results: the current platform's element
// writers (the program's context implements this with the platform record's
// slots). Pixel words, colours and cells are in the layouts of this module:
// tiles as 8x8 blocks, one 32-bit word per pixel (an index, or a converted
// pixel in direct-colour modes); colours as converted pixels. Linked elements
// may be null. Each call returns success; the writer reports its own failures.
class ElementWriters {
 public:
  virtual ~ElementWriters() = default;

  virtual bool writePalette(const project::EntryRecord& palette,
                            std::span<const uint32_t> colours) = 0;

  virtual bool writeTileset(const project::EntryRecord& tileset,
                            const project::EntryRecord* palette, const ColourMode& mode,
                            std::span<const uint32_t> pixels, int tileCount, int tileWidth,
                            int tileHeight) = 0;

  virtual bool writeMap(const project::EntryRecord& map, const project::EntryRecord* tileset,
                        const project::EntryRecord* palette, const MapFormat& format,
                        std::span<const uint32_t> cells, int width, int height, int tileWidth,
                        int tileHeight) = 0;

  virtual bool writeBitmap(const project::EntryRecord& bitmap, const project::EntryRecord* palette,
                           const ColourMode& mode, std::span<const uint32_t> pixels, int width,
                           int height) = 0;
};

}  // namespace convert
