#pragma once

#include <cstdint>
#include <string_view>

// How a map cell holds its tile number, mirror flags and sub-palette. The
// platform record keeps its formats as mutable copies: its options change the
// masks of the text format.
namespace convert {

// A shift of this value marks a field the format does not have.
inline constexpr int kAbsentField = 32;

struct MapFormat {
  std::string_view name;  // as listed in the conversion assistant
  uint32_t indexMask = 0xFFFFFFFFu;
  uint32_t paletteMask = 0;
  int paletteShift = kAbsentField;
  uint32_t mirrorXMask = 0;
  int mirrorXShift = kAbsentField;
  uint32_t mirrorYMask = 0;
  int mirrorYShift = kAbsentField;
  // What the tile conversion keeps of a tile number (the rotation format has
  // room for 8 bits only).
  uint32_t keptTileMask = 0xFFFFFFFFu;
};

constexpr uint32_t KeptTileNumber(const MapFormat& f, uint32_t tile) {
  return tile & f.keptTileMask;
}

// The cell for a tile drawn with a sub-palette. The sub-palette only lands in
// the palette field: with the field switched off (mask 0) the tile number is
// left as it is instead of being corrupted.
constexpr uint32_t CellWithSubPalette(const MapFormat& f, uint32_t cell, uint32_t subPalette) {
  if (f.paletteShift < 0 || f.paletteShift >= kAbsentField) return cell;
  return cell | ((subPalette << f.paletteShift) & f.paletteMask);
}

constexpr uint32_t CellTile(const MapFormat& f, uint32_t cell) { return cell & f.indexMask; }
constexpr bool CellMirrorX(const MapFormat& f, uint32_t cell) {
  return (cell & f.mirrorXMask) != 0;
}
constexpr bool CellMirrorY(const MapFormat& f, uint32_t cell) {
  return (cell & f.mirrorYMask) != 0;
}
constexpr uint32_t CellSubPalette(const MapFormat& f, uint32_t cell) {
  if (f.paletteShift < 0 || f.paletteShift >= kAbsentField) return 0;
  return (cell & f.paletteMask) >> f.paletteShift;
}

}  // namespace convert
