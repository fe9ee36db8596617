#pragma once

#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "convert/converted_pixel.h"
#include "convert/tile_layout.h"

// Draws converted tiles as the console draws a text background: each map cell
// gives the tile (bits 0-9) and, at 4 bits per pixel, the sub-palette (bits
// 12-15); pixel value 0 (of its sub-palette at 4 bits) shows the backdrop,
// palette entry 0; colours are 15-bit, expanded as the console's screen does
// (c × 8 + c / 4). Mirror bits are honoured too.
namespace converttest {

struct ConsoleFrame {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> rgb;  // 0xRRGGBB
};

inline uint32_t ScreenColour(uint16_t console) {
  auto expand = [](uint32_t c) { return (c << 3) | (c >> 2); };
  return expand(console & 31u) << 16 | expand((console >> 5) & 31u) << 8 |
         expand((console >> 10) & 31u);
}

// `tiles` holds 8 × 8 blocks of indices, `cells` one word per 8 × 8 cell.
inline ConsoleFrame RenderTextBackground(std::span<const uint32_t> tiles,
                                         std::span<const uint32_t> cells, int columns, int rows,
                                         std::span<const uint32_t> palette, int bitsPerPixel) {
  ConsoleFrame f{columns * 8, rows * 8, {}};
  f.rgb.assign(static_cast<size_t>(f.width) * f.height, 0);
  auto colour = [&](size_t i) {
    return i < palette.size() ? convert::ConsoleColour(palette[i]) : uint16_t{0};
  };
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column) {
      const uint32_t cell = cells[static_cast<size_t>(row) * columns + column];
      const size_t tile = cell & 0x3FF;
      const bool flipX = cell & 0x400, flipY = cell & 0x800;
      const uint32_t bank = cell >> 12 & 15;
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
          const int sx = flipX ? 7 - x : x, sy = flipY ? 7 - y : y;
          const size_t at = tile * 64 + static_cast<size_t>(sy * 8 + sx);
          uint32_t index = at < tiles.size() ? tiles[at] : 0;
          index = bitsPerPixel == 4 ? (index & 15) : (index & 255);
          const size_t entry = index == 0 ? 0 : (bitsPerPixel == 4 ? bank * 16 + index : index);
          f.rgb[static_cast<size_t>(row * 8 + y) * f.width + column * 8 + x] =
              ScreenColour(colour(entry));
        }
    }
  return f;
}

// The mean distance, in 8-bit levels, between the frame and a picture
// (0xAARRGGBB words of the same size, row by row).
inline double MeanColourError(const ConsoleFrame& f, std::span<const uint32_t> picture, int width,
                              int height) {
  double total = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const uint32_t a = f.rgb[static_cast<size_t>(y) * f.width + x];
      const uint32_t b = picture[static_cast<size_t>(y) * width + x];
      const double dr = double((a >> 16) & 255) - double((b >> 16) & 255);
      const double dg = double((a >> 8) & 255) - double((b >> 8) & 255);
      const double db = double(a & 255) - double(b & 255);
      total += std::sqrt(dr * dr + dg * dg + db * db);
    }
  return total / (double(width) * height);
}

}  // namespace converttest
