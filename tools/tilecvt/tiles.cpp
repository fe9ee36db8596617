#include "tools/tilecvt/tiles.h"

#include <cstring>

namespace tilecvt {

bool CutIntoTiles(IndexedImage& image, int size) {
  if (size <= 0 || image.width % size != 0 || image.height % size != 0) return false;
  const auto s = static_cast<size_t>(size);
  const auto width = static_cast<size_t>(image.width);
  const size_t tilesAcross = width / s;
  const size_t tileRows = static_cast<size_t>(image.height) / s;
  // A row of tiles takes exactly the bytes of the band of pixel rows it is
  // cut from, so each band is reordered in place through a small copy.
  std::vector<uint8_t> band(s * width);
  for (size_t tileRow = 0; tileRow < tileRows; ++tileRow) {
    uint8_t* out = image.pixels.data() + tileRow * s * width;
    std::memcpy(band.data(), out, band.size());
    for (size_t tile = 0; tile < tilesAcross; ++tile)
      for (size_t y = 0; y < s; ++y, out += s)
        std::memcpy(out, band.data() + y * width + tile * s, s);
  }
  image.height = static_cast<int>(tilesAcross * tileRows * s);
  image.width = size;
  return true;
}

void BlocksAsColumns(std::vector<uint8_t>& data, size_t blockBytes, size_t columns, size_t rows) {
  if (blockBytes == 0 || columns * rows * blockBytes > data.size()) return;
  std::vector<uint8_t> reordered(data);
  uint8_t* out = reordered.data();
  for (size_t column = 0; column < columns; ++column)
    for (size_t row = 0; row < rows; ++row, out += blockBytes)
      std::memcpy(out, data.data() + (row * columns + column) * blockBytes, blockBytes);
  data.swap(reordered);
}

}  // namespace tilecvt
