#pragma once

#include <cstdint>

namespace convert {

// Mixes two pixels channel by channel: (c × a + d × weightOfD) >> 8, all four
// bytes at once (two per 32-bit product). Sums stay below 2^16 per lane as
// long as a + weightOfD ≤ 256.
inline uint32_t MixPixels(uint32_t c, uint32_t d, uint32_t a, uint32_t weightOfD) {
  uint32_t rb = (((c & 0xFF00FFu) * a + (d & 0xFF00FFu) * weightOfD) >> 8) & 0xFF00FFu;
  uint32_t ag = (((c >> 8) & 0xFF00FFu) * a + ((d >> 8) & 0xFF00FFu) * weightOfD) & 0xFF00FF00u;
  return rb | ag;
}

}  // namespace convert
