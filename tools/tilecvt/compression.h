#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "tools/tilecvt/lz77.h"
#include "tools/tilecvt/settings.h"

namespace tilecvt {

// Compresses a block with the chosen compressor. Returns nothing when the
// result would not be shorter than the block: it is then written as it is.
// `lz77` only matters for the LZ77 compressor.
std::vector<uint8_t> CompressBlock(std::span<const uint8_t> block, Compressor compressor,
                                   Lz77Options lz77 = {});

}  // namespace tilecvt
