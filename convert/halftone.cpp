#include "convert/halftone.h"

#include <cstddef>

namespace convert {

namespace {

constexpr int kCubeLevels = 6;
constexpr int kCubeStep = 51;

// The classic recursive 8 × 8 threshold matrix (values 0..63).
constexpr uint8_t kBayer[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21},
};

// Grey k (1..38) of the ramp is this palette entry.
constexpr int GreyEntry(int k) { return k <= 29 ? 215 + k : 216 + k; }

constexpr std::array<uint32_t, kHalftoneEntries> BuildPalette() {
  std::array<uint32_t, kHalftoneEntries> p{};
  for (int r = 0; r < kCubeLevels; ++r)
    for (int g = 0; g < kCubeLevels; ++g)
      for (int b = 0; b < kCubeLevels; ++b)
        p[static_cast<size_t>(36 * r + 6 * g + b)] =
            static_cast<uint32_t>((r * kCubeStep) << 16 | (g * kCubeStep) << 8 | b * kCubeStep);
  for (int k = 1; k < kHalftoneGreyLevels - 1; ++k) {
    uint32_t v = static_cast<uint32_t>((255 * k + 19) / 39);
    p[static_cast<size_t>(GreyEntry(k))] = v << 16 | v << 8 | v;
  }
  p[245] = 0xFFFFFF;
  p[255] = 0x000001;
  return p;
}

constexpr std::array<uint32_t, kHalftoneEntries> kPalette = BuildPalette();

// Ordered quantisation of an 8-bit level to `levels` steps: floor(v × (n − 1)
// / 255 + threshold) with the threshold (2t + 1) / 128 in (0, 1).
int Quantise(int value, int levels, int threshold) {
  return (value * (levels - 1) * 128 + (2 * threshold + 1) * 255) / (255 * 128);
}

}  // namespace

const std::array<uint32_t, kHalftoneEntries>& HalftonePalette() { return kPalette; }

int HalftoneIndex(uint8_t red, uint8_t green, uint8_t blue, int x, int y) {
  int t = kBayer[y & 7][x & 7];
  if (red == green && green == blue) {
    int k = Quantise(red, kHalftoneGreyLevels, t);
    if (k == 0) return 0;
    if (k == kHalftoneGreyLevels - 1) return 215;
    return GreyEntry(k);
  }
  return 36 * Quantise(red, kCubeLevels, t) + 6 * Quantise(green, kCubeLevels, t) +
         Quantise(blue, kCubeLevels, t);
}

}  // namespace convert
