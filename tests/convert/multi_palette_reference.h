#pragma once

#include "convert/multi_palette.h"

// The multi-palette algorithm written the slow, obvious way: every rebuild
// starts a new octree (its own, pointer-based) over every pixel, every
// colour collection visits every pixel, every error visits every pixel. The
// fast converter must give exactly its results.
namespace converttest {

int ReferenceMultiPalette(const convert::MultiPaletteJob& job, convert::MultiPaletteResult& result);

}  // namespace converttest
