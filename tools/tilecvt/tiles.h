#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/tilecvt/indexed_image.h"

namespace tilecvt {

// Reorders the pixels tile by tile (tile rows top to bottom, tiles left to
// right, pixel rows of a tile top to bottom), so tile n is the n-th block of
// size * size pixels; the image becomes `size` pixels wide. Returns false and
// leaves the image alone when `size` does not divide both sides.
bool CutIntoTiles(IndexedImage& image, int size);

// Rewrites a grid of `columns` x `rows` blocks of `blockBytes` bytes, stored
// row by row, column by column. Blocks past the grid stay where they are.
void BlocksAsColumns(std::vector<uint8_t>& data, size_t blockBytes, size_t columns, size_t rows);

}  // namespace tilecvt
