#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "convert/converted_pixel.h"

namespace platform {
class UserDialogs;
}

// Distributing the colours of a set of tiles over several sub-palettes: each
// tile ends up drawn with one sub-palette of C colours (entry 0 transparent).
//
// The algorithm: (1) seeding: the tile that fits worst into an empty
// sub-palette seeds the first one; then, until there are enough, the tile
// whose best sub-palette suits it worst seeds the next. (2) assignment: each
// tile in order goes to the sub-palette whose colours, rebuilt over its tiles
// with this one added, cost least (the error of those tiles, plus the
// colorisation measure). (3) post-processing fills free entries with the
// colours of the worst-served tiles. (4) output: each tile is drawn with the
// sub-palette that suits it best.
//
// The error of a tile under a sub-palette is the sum over its opaque pixels of
// trunc(sqrt(d)), d the distance to the nearest of entries 1 .. count − 1 (a
// pixel with no entry to take counts the largest distance, 3 × 255² + 1).
// Colours are fitted into a sub-palette with the octree when fast reduction
// is on and at least two entries are free (taken when it gives two colours or
// more), else by colour collection with the smallest tolerance that fits,
// found by bisection between 0 (failing) and 250000, trying 125000 first.
// The work is done on red-blue swapped words, which decides the octree's
// child order.
namespace convert {

class ConversionProgress;

struct MultiPaletteJob {
  // tileCount tiles of tileWidth × tileHeight converted pixels, each in 8 × 8
  // blocks; transparent pixels have opacity 0.
  std::span<const ConvertedPixel> tiles;
  int tileCount = 0;
  int tileWidth = 8;
  int tileHeight = 8;
  int coloursPerSubPalette = 16;  // C
  int requestedColours = 0;       // K: ceil(K / C) sub-palettes
  bool fastReduction = true;
  bool postProcessing = true;
  int colorisation = 0;  // W > 0: colour change weight; −1: colour count; −2: whole picture error
  // Improve the result afterwards (subpalette_refinement.h), with or without
  // the ordered dither.
  bool refine = false;
  bool dither = false;
};

struct MultiPaletteResult {
  std::vector<uint32_t> tiles;          // each pixel's index in its tile's sub-palette
  std::vector<int> subPalettes;         // the sub-palette of each tile
  std::vector<ConvertedPixel> palette;  // C colours per sub-palette, one after the other
};

// Returns C × the number of sub-palettes, or 0 when C or the number of
// sub-palettes exceeds 255 (or there is nothing to convert).
int ConvertMultiPalette(const MultiPaletteJob& job, MultiPaletteResult& result,
                        platform::UserDialogs& dialogs, ConversionProgress* progress);

// The number of sub-palettes for K colours.
constexpr int SubPaletteCount(int requestedColours, int coloursPerSubPalette) {
  return coloursPerSubPalette <= 0
             ? 0
             : (requestedColours + coloursPerSubPalette - 1) / coloursPerSubPalette;
}

// The largest tolerance the colour fits search, and where they start.
inline constexpr int64_t kFitToleranceCeiling = 250000;
// The distance a pixel counts when its sub-palette has no colour for it.
inline constexpr uint32_t kNoColourDistance = 3 * 255 * 255 + 1;

}  // namespace convert
