#pragma once

#include <span>
#include <string>
#include <vector>

#include "convert/colour_mode.h"
#include "convert/element_writers.h"
#include "convert/map_format.h"
#include "project/entry_record.h"

// Element writers that keep what the conversions hand them, in order.
namespace converttest {

struct RecordingWriters : convert::ElementWriters {
  struct Call {
    std::string kind;     // "palette", "tileset", "map", "bitmap"
    std::string element;  // the element's name
    std::string linked;   // the linked element's name (tileset of a map, palette of the others)
    std::vector<uint32_t> values;
    int count = 0;  // colours, tiles
    int width = 0;
    int height = 0;
    int tileWidth = 0;
    int tileHeight = 0;
    int bitsPerPixel = 0;
  };

  std::vector<Call> calls;
  bool failing = false;  // every write fails

  const Call* find(const std::string& kind) const {
    for (const Call& c : calls)
      if (c.kind == kind) return &c;
    return nullptr;
  }
  std::vector<std::string> order() const {
    std::vector<std::string> out;
    for (const Call& c : calls) out.push_back(c.kind);
    return out;
  }

  bool writePalette(const project::EntryRecord& palette,
                    std::span<const uint32_t> colours) override {
    Call c{"palette", palette.name, "", {colours.begin(), colours.end()}};
    c.count = static_cast<int>(colours.size());
    calls.push_back(c);
    return !failing;
  }
  bool writeTileset(const project::EntryRecord& tileset, const project::EntryRecord* palette,
                    const convert::ColourMode& mode, std::span<const uint32_t> pixels,
                    int tileCount, int tileWidth, int tileHeight) override {
    Call c{"tileset", tileset.name, palette ? palette->name : "", {pixels.begin(), pixels.end()}};
    c.count = tileCount;
    c.tileWidth = tileWidth;
    c.tileHeight = tileHeight;
    c.bitsPerPixel = mode.bitsPerPixel;
    calls.push_back(c);
    return !failing;
  }
  bool writeMap(const project::EntryRecord& map, const project::EntryRecord* tileset,
                const project::EntryRecord*, const convert::MapFormat&,
                std::span<const uint32_t> cells, int width, int height, int tileWidth,
                int tileHeight) override {
    Call c{"map", map.name, tileset ? tileset->name : "", {cells.begin(), cells.end()}};
    c.width = width;
    c.height = height;
    c.tileWidth = tileWidth;
    c.tileHeight = tileHeight;
    calls.push_back(c);
    return !failing;
  }
  bool writeBitmap(const project::EntryRecord& bitmap, const project::EntryRecord* palette,
                   const convert::ColourMode& mode, std::span<const uint32_t> pixels, int width,
                   int height) override {
    Call c{"bitmap", bitmap.name, palette ? palette->name : "", {pixels.begin(), pixels.end()}};
    c.width = width;
    c.height = height;
    c.bitsPerPixel = mode.bitsPerPixel;
    calls.push_back(c);
    return !failing;
  }
};

}  // namespace converttest
