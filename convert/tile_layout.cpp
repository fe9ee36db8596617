#include "convert/tile_layout.h"

#include "convert/converted_pixel.h"

namespace convert {

void GatherTile(const uint32_t* area, size_t areaStride, int tileWidth, int tileHeight,
                uint32_t* tile) {
  for (int by = 0; by < tileHeight; by += kBlockSide)
    for (int bx = 0; bx < tileWidth; bx += kBlockSide)
      for (int y = 0; y < kBlockSide; ++y) {
        const uint32_t* row = area + static_cast<size_t>(by + y) * areaStride + bx;
        for (int x = 0; x < kBlockSide; ++x) *tile++ = row[x];
      }
}

void ScatterTile(const uint32_t* tile, int tileWidth, int tileHeight, uint32_t* area,
                 size_t areaStride) {
  for (int by = 0; by < tileHeight; by += kBlockSide)
    for (int bx = 0; bx < tileWidth; bx += kBlockSide)
      for (int y = 0; y < kBlockSide; ++y) {
        uint32_t* row = area + static_cast<size_t>(by + y) * areaStride + bx;
        for (int x = 0; x < kBlockSide; ++x) row[x] = *tile++;
      }
}

int WrittenBlockValues(int bitsPerPixel) {
  switch (bitsPerPixel) {
    case 4:
      return kBlockPixels / 2;
    case 8:
    case 15:
    case 32:
      return kBlockPixels;
    default:
      return 0;
  }
}

int WrittenValueBytes(int bitsPerPixel) {
  switch (bitsPerPixel) {
    case 4:
    case 8:
      return 1;
    case 15:
      return 2;
    case 32:
      return 4;
    default:
      return 0;
  }
}

int WriteBlock(int bitsPerPixel, const uint32_t* block, uint32_t* values) {
  switch (bitsPerPixel) {
    case 4:
      for (int k = 0; k < kBlockPixels / 2; ++k)
        values[k] = (block[2 * k + 1] & 15u) * 16u + (block[2 * k] & 15u);
      break;
    case 8:
      for (int k = 0; k < kBlockPixels; ++k) values[k] = block[k] & 255u;
      break;
    case 15:
      for (int k = 0; k < kBlockPixels; ++k) values[k] = ConsoleColour(block[k]);
      break;
    case 32:
      for (int k = 0; k < kBlockPixels; ++k) values[k] = block[k];
      break;
    default:
      return 0;
  }
  return WrittenBlockValues(bitsPerPixel);
}

bool ReadBlock(int bitsPerPixel, const uint32_t* values, uint32_t* block) {
  switch (bitsPerPixel) {
    case 4:
      for (int k = 0; k < kBlockPixels / 2; ++k) {
        block[2 * k] = values[k] & 15u;
        block[2 * k + 1] = (values[k] >> 4) & 15u;
      }
      return true;
    case 8:
      for (int k = 0; k < kBlockPixels; ++k) block[k] = values[k] & 255u;
      return true;
    case 15:
      for (int k = 0; k < kBlockPixels; ++k)
        block[k] = PixelFromConsoleColour(static_cast<uint16_t>(values[k]));
      return true;
    case 32:
      for (int k = 0; k < kBlockPixels; ++k) block[k] = values[k];
      return true;
    default:
      return false;
  }
}

uint64_t TilesetByteSize(int bitsPerPixel, uint64_t pixelCount) {
  if (bitsPerPixel == 4) return pixelCount / 2;
  return pixelCount * static_cast<uint64_t>(WrittenValueBytes(bitsPerPixel));
}

}  // namespace convert
