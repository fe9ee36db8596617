#pragma once

#include <cstddef>
#include <cstdint>

#include "convert/drawing_state.h"

// Drawing primitives on the current surface, each clipped to the clip
// rectangle and to the surface. Indexed forms look every source value up in a
// 256-entry table of display colours; with a colour mode that has no palette
// they draw the source values as they are.
namespace convert {

struct ColourMode;

// A block of source values stored row by row, top row first.
struct SourceBlock {
  const uint32_t* values = nullptr;
  int width = 0;
  int height = 0;
  size_t stride = 0;  // values from one row to the next (at least width)
};

void FillRect(const DrawingState& state, int x, int y, int width, int height, uint32_t colour);

void CopyBlock(const DrawingState& state, int x, int y, const SourceBlock& source);
// Values are looked up by their low 8 bits.
void CopyBlockIndexed(const DrawingState& state, const ColourMode& mode, int x, int y,
                      const SourceBlock& source, const uint32_t* colours);

void CopyBlockMirrored(const DrawingState& state, int x, int y, const SourceBlock& source,
                       bool mirrorX, bool mirrorY);
// Each value is ANDed with `indexMask` (and kept within the table) before the
// lookup.
void CopyBlockMirroredIndexed(const DrawingState& state, const ColourMode& mode, int x, int y,
                              const SourceBlock& source, const uint32_t* colours,
                              uint32_t indexMask, bool mirrorX, bool mirrorY);

// Mixes `colour` into the rectangle: each channel becomes
// (colour × opacity + old × (255 − opacity)) >> 8, opacity 0..255.
void BlendRect(const DrawingState& state, int x, int y, int width, int height, uint32_t colour,
               int opacity);

}  // namespace convert
