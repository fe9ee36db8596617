#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formats/list_model.h"

namespace convert {
struct ColourMode;
struct MapFormat;
}  // namespace convert

namespace project {
struct EntryRecord;
}

// What the map editor needs of the element files and of the platform: reading
// a map or a list with its tileset and palette, writing it back, and the
// platform's colour modes and map formats. The program implements it over the
// platform's element readers and writers; tests give their own.
namespace mapeditor {

struct Background;

// A tileset with its palette, as a map or a list is drawn with it.
struct LoadedTiles {
  int32_t tileWidth = 8;
  int32_t tileHeight = 8;
  int32_t tileCount = 0;             // tiles of tileWidth × tileHeight
  std::vector<uint32_t> tilePixels;  // 8 × 8 blocks, one word per pixel
  int32_t colourMode = 1;            // index of the platform's colour mode
  std::vector<uint32_t> palette;     // converted pixels (levels of the mode)
  std::string tilesetFile;
  std::string paletteFile;
  std::string formatName;  // the output format the element was read with
};

struct LoadedMap {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> cells;
  int32_t mapFormat = 1;
  LoadedTiles tiles;
};

struct LoadedList {
  int32_t elementSize = 12;
  int32_t count = 0;
  std::vector<uint8_t> elements;  // count × elementSize bytes
  formats::ListModel model;
  LoadedTiles tiles;
};

class ElementStore {
 public:
  virtual ~ElementStore() = default;

  // Each reader reports its own failures and gives nothing.
  virtual std::optional<LoadedMap> readMap(const project::EntryRecord& map) = 0;
  virtual std::optional<LoadedList> readList(const project::EntryRecord& list,
                                             int32_t maxElements) = 0;

  // Writes the background's cells (or elements) to its own element; the
  // tileset and palette elements are those it links to. True on success.
  virtual bool writeMap(const project::EntryRecord& map, const project::EntryRecord& tileset,
                        const project::EntryRecord& palette, const Background& background) = 0;
  virtual bool writeList(const project::EntryRecord& list, const project::EntryRecord& tileset,
                         const Background& background) = 0;

  // The platform's tables; an index out of range gives the default entry.
  virtual const convert::MapFormat& mapFormat(int32_t index) const = 0;
  virtual const convert::ColourMode& colourMode(int32_t index) const = 0;
};

}  // namespace mapeditor
