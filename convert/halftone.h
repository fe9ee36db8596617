#pragma once

#include <array>
#include <cstdint>

// The fixed 256-colour palette of the halftone method and the ordered dither
// onto it.
//
// Entries (8-bit levels, 0x00RRGGBB):
//   0..215    a 6 × 6 × 6 colour cube: entry 36 r + 6 g + b has the levels
//             51 r, 51 g, 51 b (r, g, b in 0..5);
//   216..244  greys 1 to 29 of a ramp of 40 greys: grey k has the level
//             round(255 k / 39);
//   245       white (255, 255, 255);
//   246..254  greys 30 to 38 of the same ramp;
//   255       (0, 0, 1).
// Entry 255 is never chosen by the dither: with the zero colour inserted in
// front of the palette, it would become index 256, which no 8-bit pixel can
// hold. Entry 245 keeps white within the first 255 entries.
//
// The dither is an 8 × 8 ordered (Bayer) dither: a colour whose three levels
// are equal is dithered along the 40-level grey ramp (black = entry 0, white
// = entry 215), any other colour channel by channel onto the six levels of
// the cube.
namespace convert {

inline constexpr int kHalftoneEntries = 256;
inline constexpr int kHalftoneGreyLevels = 40;

const std::array<uint32_t, kHalftoneEntries>& HalftonePalette();

// The entry the dither picks for a colour at pixel (x, y) of the picture.
int HalftoneIndex(uint8_t red, uint8_t green, uint8_t blue, int x, int y);

}  // namespace convert
