#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tilecvt {

enum class SourceType : int { None = 0, Bmp = 1, Pcx = 2, Tga = 3, Spr = 4, Tim = 5, Png = 6 };

struct PaletteEntry {
  uint8_t blue = 0;
  uint8_t green = 0;
  uint8_t red = 0;
  uint8_t reserved = 0;
};

// One input file after reading: a palette index per pixel, rows top to bottom
// (BMP rows bottom to top until the driver flips them), and the file palette.
struct IndexedImage {
  SourceType sourceType = SourceType::None;
  int depth = 0;        // bits per pixel in the file: 4 or 8
  int colours = 0;      // palette entries the file declares
  int paletteSize = 0;  // palette slots: 1 << depth, or 256
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;
  std::array<PaletteEntry, 256> palette{};

  size_t pixelCount() const { return pixels.size(); }
};

}  // namespace tilecvt
