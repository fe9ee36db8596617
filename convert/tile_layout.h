#pragma once

#include <cstddef>
#include <cstdint>

// Tiles are kept and written as sequences of 8 × 8 blocks: bands of 8 rows from
// the top, blocks from left to right within a band, and 64 pixels row by row
// inside a block. Tile sizes are multiples of 8. Each pixel is one 32-bit word
// in memory: a palette index, or a ConvertedPixel in direct-colour modes.
namespace convert {

inline constexpr int kBlockSide = 8;
inline constexpr int kBlockPixels = 64;

// Index, within a tile of `tileWidth` pixels, of the pixel at (x, y).
constexpr size_t TilePixelIndex(int x, int y, int tileWidth) {
  size_t block = static_cast<size_t>(y / kBlockSide) * static_cast<size_t>(tileWidth / kBlockSide) +
                 static_cast<size_t>(x / kBlockSide);
  return block * kBlockPixels + static_cast<size_t>((y % kBlockSide) * kBlockSide + x % kBlockSide);
}

// Copies a tile from an area stored row by row (top row first, `areaStride`
// words apart) into block order, and back.
void GatherTile(const uint32_t* area, size_t areaStride, int tileWidth, int tileHeight,
                uint32_t* tile);
void ScatterTile(const uint32_t* tile, int tileWidth, int tileHeight, uint32_t* area,
                 size_t areaStride);

// The written form of one block, as the values a file holds:
//   4 bits: 32 bytes, the left pixel of each pair in the low nibble;
//   8 bits: 64 bytes, one index each;
//  15 bits: 64 console colours;
//  32 bits: 64 words, the ConvertedPixel read as a number.
// Returns the number of values (0 for another bit count).
int WrittenBlockValues(int bitsPerPixel);
// Bytes of one written value: 1, 1, 2 or 4 (0 for another bit count).
int WrittenValueBytes(int bitsPerPixel);
// Fills `values` (WrittenBlockValues entries) from 64 pixels; returns the count.
int WriteBlock(int bitsPerPixel, const uint32_t* block, uint32_t* values);
// The reverse: 64 pixels from the written values. False for another bit count.
bool ReadBlock(int bitsPerPixel, const uint32_t* values, uint32_t* block);

// Bytes of a written tileset of `pixelCount` pixels (half the pixels at 4 bits).
uint64_t TilesetByteSize(int bitsPerPixel, uint64_t pixelCount);

}  // namespace convert
