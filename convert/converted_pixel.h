#pragma once

#include <cstdint>

// The working pixel of every conversion buffer and the console's 15-bit
// colour, with the conversions between them.
namespace convert {

// Blue level in byte 0, green in byte 1, red in byte 2, opacity in byte 3
// (0 = transparent). Levels are already reduced to the colour mode's channel
// bits (0..31 for 5-bit channels). Palette entries use the same word.
using ConvertedPixel = uint32_t;

constexpr ConvertedPixel MakePixel(uint32_t red, uint32_t green, uint32_t blue,
                                   uint32_t opacity = 255) {
  return ((opacity & 255u) << 24) | ((red & 255u) << 16) | ((green & 255u) << 8) | (blue & 255u);
}

constexpr uint8_t PixelBlue(ConvertedPixel p) { return static_cast<uint8_t>(p); }
constexpr uint8_t PixelGreen(ConvertedPixel p) { return static_cast<uint8_t>(p >> 8); }
constexpr uint8_t PixelRed(ConvertedPixel p) { return static_cast<uint8_t>(p >> 16); }
constexpr uint8_t PixelOpacity(ConvertedPixel p) { return static_cast<uint8_t>(p >> 24); }

// Opacity 0 is the only transparency, so every word below 2^24 is transparent.
constexpr bool IsTransparent(ConvertedPixel p) { return p < 0x1000000u; }

// The multi-palette converter works on red-blue swapped words.
constexpr ConvertedPixel SwapRedBlue(ConvertedPixel p) {
  return (p & 0xFF00FF00u) | ((p >> 16) & 0xFFu) | ((p & 0xFFu) << 16);
}

// Red in bits 0-4, green 5-9, blue 10-14; bit 15 marks a transparent entry
// (taken from bit 0 of the opacity, so both 0 and the reserved zero colour
// set it). Levels are cut to 5 bits so that a stray wide level can never
// spill into a neighbouring field.
constexpr uint16_t ConsoleColour(ConvertedPixel p) {
  uint32_t transparent = ~static_cast<uint32_t>(PixelOpacity(p)) & 1u;
  return static_cast<uint16_t>(
      (((transparent * 32u + (PixelBlue(p) & 31u)) * 32u + (PixelGreen(p) & 31u)) * 32u) +
      (PixelRed(p) & 31u));
}

// The reverse, for palettes and 15-bit tiles read back: bit 15 gives
// opacity 0, otherwise 255; the levels keep their 5 bits.
constexpr ConvertedPixel PixelFromConsoleColour(uint16_t c) {
  return MakePixel(c & 31u, (c >> 5) & 31u, (c >> 10) & 31u, (c & 0x8000u) ? 0u : 255u);
}

// A level of a channel with `bits` bits brought back to 8 bits by the integer
// factor 255 / (2^bits − 1): 8 for 5-bit channels, so 31 shows as 248.
constexpr int ExpansionFactor(int bits) {
  if (bits <= 0) return 0;
  if (bits >= 8) return 1;
  return 255 / ((1 << bits) - 1);
}

constexpr int MaxLevel(int bits) {
  if (bits <= 0) return 0;
  if (bits >= 8) return 255;
  return (1 << bits) - 1;
}

constexpr int ExpandLevel(int level, int bits) {
  int max = MaxLevel(bits);
  level = level < 0 ? 0 : (level > max ? max : level);
  return level * ExpansionFactor(bits);
}

// Swatches and progress drawings centre each level in its band of 8-bit
// values (level × 8 + 4 for 5-bit channels).
constexpr int SwatchLevel(int level, int bits) {
  return ExpandLevel(level, bits) + ExpansionFactor(bits) / 2;
}

}  // namespace convert
