#pragma once

#include "convert/multi_palette.h"

// Refining a multi-palette result: alternately each sub-palette's colours are
// refitted by k-means over the pixels of its tiles (kmeans_refinement.h,
// starting from the colours it has), and each tile moves to the sub-palette
// that draws it with the least error, for as long as the total error falls.
// A round that does not lower it is dropped, so the result is never worse
// than the one given.
//
// The error is the sum, over the opaque pixels, of the distance (the square
// root of the squared level differences) to the entry that draws the pixel.
namespace convert {

void RefineSubPalettes(const MultiPaletteJob& job, MultiPaletteResult& result);

// The error of a result as the refinement measures it: each opaque pixel
// against the entry its index names in its tile's sub-palette.
double SubPaletteError(const MultiPaletteJob& job, const MultiPaletteResult& result);

}  // namespace convert
