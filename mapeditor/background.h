#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "formats/list_model.h"
#include "mapeditor/bit_names.h"
#include "mapeditor/undo_history.h"
#include "mapeditor/value_range.h"
#include "project/entry_record.h"

// One layer of the map editor: a map (cells) or an object list (elements),
// with the tileset and palette it is drawn with.
namespace mapeditor {

inline constexpr int kMaxBackgrounds = 20;
inline constexpr int kHexCellSide = 16;

struct Background {
  int32_t kind = project::kKindMap;  // kKindMap or kKindList
  int32_t width = 0;                 // cells
  int32_t height = 0;
  int32_t cellWidth = 8;  // display cell size before zoom
  int32_t cellHeight = 8;
  int32_t tileWidth = 8;  // natural tile size ("Taille blocs")
  int32_t tileHeight = 8;
  int32_t scrollStepX = 8;
  int32_t scrollStepY = 8;
  int32_t tileCount = 0;  // tiles of tileWidth × tileHeight
  uint32_t displayMask = 0xFFFFFFFFu;
  int32_t referenceTile = 0;
  int32_t mapFormat = 1;
  int32_t colourMode = 1;  // the mode its tileset was read in
  double parallaxX = 1.0;
  double parallaxY = 1.0;
  std::vector<uint32_t> palette;        // converted pixels, as read
  std::array<uint32_t, 256> colours{};  // the palette as display colours
  std::vector<uint32_t> tilePixels;     // 8 × 8 blocks, tileCount × (tile pixels / 64) of them
  std::vector<uint8_t> blockIndices;    // the pixels' colour indices, for composing frames
  std::vector<uint32_t> cells;          // width × height, row-major
  std::string paletteFile;
  std::string ownFile;
  std::string tilesetFile;
  std::string formatName;
  // Object lists.
  int32_t elementSize = formats::kObjectHeaderSize;
  int32_t maxElements = 0;
  std::vector<uint8_t> elements;  // room for maxElements
  int32_t elementCount = 0;
  formats::ListModel model;
  int32_t snapX = 8;  // "Grille d'accrochage"
  int32_t snapY = 8;
  bool gbaEmulation = false;
  std::vector<ValueRange> ranges;

  bool isMap() const { return kind != project::kKindList; }
  size_t blocksPerTile() const {
    return static_cast<size_t>(tileWidth / 8) * static_cast<size_t>(tileHeight / 8);
  }
  uint32_t& cell(int x, int y) {
    return cells[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
  uint32_t cell(int x, int y) const {
    return cells[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
  std::span<uint8_t> element(int i) {
    return {elements.data() + static_cast<size_t>(i) * static_cast<size_t>(elementSize),
            static_cast<size_t>(elementSize)};
  }
  std::span<const uint8_t> element(int i) const {
    return {elements.data() + static_cast<size_t>(i) * static_cast<size_t>(elementSize),
            static_cast<size_t>(elementSize)};
  }
};

// What the editor keeps per slot besides the record.
struct BackgroundSlot {
  Background background;
  project::EntryRecord element;  // the element it was opened from
  bool open = false;
  bool used = true;  // cleared by "Ne pas ouvrir la prochaine fois"
  UndoHistory history;
  BitNames bits;  // belongs to the slot, open or not
};

// The state an undo snapshot holds: the cells of a map; for a list a 12-byte
// header (element size, a storage word, element count) and the storage for
// the maximum number of elements.
std::vector<uint8_t> BackgroundSnapshot(const Background& b);
// A map snapshot that also carries the map's shape (size in cells, tile
// size and count, reference tile, snap grid and scroll step), for the states
// on either side of a change of size or block format, so that undo can cross
// it.
std::vector<uint8_t> ShapedSnapshot(const Background& b);
// Restores a snapshot; false (nothing changed) when it does not fit the
// background's present size. A shaped snapshot gives the map its shape back.
bool RestoreSnapshot(Background& b, std::span<const uint8_t> snapshot);

// The tile sides, in pixels, the editor can show and edit.
inline bool EditableTileSide(int side) {
  return side == 8 || side == 16 || side == 32 || side == 64;
}

// The natural size becomes the display size (leaving hex mode).
inline void ShowNaturalCells(Background& b) {
  b.cellWidth = b.tileWidth;
  b.cellHeight = b.tileHeight;
}

}  // namespace mapeditor
