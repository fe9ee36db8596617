#pragma once

#include <cstdint>

#include "convert/drawing_state.h"

// Drawing one 8 × 8 block of tile pixels: the tile previews and the map
// editor's layers are made of these, so this is the hot path of rendering.
namespace convert {

struct ColourMode;

inline constexpr int kOpaque = 256;

struct TileStyle {
  const uint32_t* colours = nullptr;  // 256 display colours (indexed forms)
  int paletteStart = 0;               // first colour of the tile's sub-palette
  uint32_t indexMask = 255;           // applied to each pixel before the lookup
  bool mirrorX = false;
  bool mirrorY = false;
  int opacity = kOpaque;  // 0..256: each channel becomes (new × a + old × (256 − a)) >> 8
};

// `block` holds the 64 pixels in row order. The indexed forms take colour
// (paletteStart + (pixel AND indexMask)) AND 255 of the table; with a colour
// mode that has no palette they draw the pixels as the direct forms do.
void DrawTile(const DrawingState& state, int x, int y, const uint32_t* block,
              const TileStyle& style);
void DrawTileIndexed(const DrawingState& state, const ColourMode& mode, int x, int y,
                     const uint32_t* block, const TileStyle& style);

// The same, leaving the surface as it is where a pixel is transparent, as the
// console shows layers: colour 0 of the sub-palette (pixel AND indexMask is 0)
// in the indexed forms, opacity 0 in the direct forms.
void DrawTileTransparent(const DrawingState& state, int x, int y, const uint32_t* block,
                         const TileStyle& style);
void DrawTileTransparentIndexed(const DrawingState& state, const ColourMode& mode, int x, int y,
                                const uint32_t* block, const TileStyle& style);

}  // namespace convert
