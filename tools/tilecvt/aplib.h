#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tilecvt {

// Compresses into the aPLib stream format, the one the published aPLib
// decompressors read. With `safeHeader` the stream is preceded by the 24-byte
// header: "AP32", 24, packed size, CRC-32 of the packed stream, original
// size, CRC-32 of the original (all 32-bit little-endian).
// Returns nothing for an empty input.
std::vector<uint8_t> CompressAplib(std::span<const uint8_t> input, bool safeHeader);

}  // namespace tilecvt
