#include "mapeditor/hex_digits.h"

#include <array>
#include <cstddef>

#include "convert/pixel_mix.h"

namespace mapeditor {

namespace {

constexpr uint16_t Glyph(uint16_t r0, uint16_t r1, uint16_t r2, uint16_t r3, uint16_t r4) {
  return static_cast<uint16_t>((r0 << 12) | (r1 << 9) | (r2 << 6) | (r3 << 3) | r4);
}

// Rows written as 3-bit numbers, left pixel in the high bit.
constexpr std::array<uint16_t, 16> kGlyphs{{
    Glyph(07, 05, 05, 05, 07),  // 0
    Glyph(02, 06, 02, 02, 07),  // 1
    Glyph(07, 01, 07, 04, 07),  // 2
    Glyph(07, 01, 07, 01, 07),  // 3
    Glyph(05, 05, 07, 01, 01),  // 4
    Glyph(07, 04, 07, 01, 07),  // 5
    Glyph(07, 04, 07, 05, 07),  // 6
    Glyph(07, 01, 01, 02, 02),  // 7
    Glyph(07, 05, 07, 05, 07),  // 8
    Glyph(07, 05, 07, 01, 07),  // 9
    Glyph(02, 05, 07, 05, 05),  // A
    Glyph(06, 05, 06, 05, 06),  // B
    Glyph(03, 04, 04, 04, 03),  // C
    Glyph(06, 05, 05, 05, 06),  // D
    Glyph(07, 04, 06, 04, 07),  // E
    Glyph(07, 04, 06, 04, 04),  // F
}};

}  // namespace

uint16_t HexGlyph(int digit) { return kGlyphs[static_cast<size_t>(digit & 15)]; }

int HexDigitCount(uint32_t value, int mapFormat, bool zeroPadding) {
  int full = mapFormat == 0 ? 2 : 4;
  if (zeroPadding) return full;
  return value < 0x100u ? 2 : full;
}

DigitPlace HexDigitPlace(int cellLeft, int cellTop, int cellWidth, int cellHeight, int digit) {
  int x0 = cellLeft + cellWidth / 2;
  int y0 = cellTop + cellHeight / 2 - 1;
  return {x0 - 4 * (digit & 1), y0 - 6 * ((digit >> 1) & 1)};
}

void DrawHexValue(const convert::DrawingState& state, int cellLeft, int cellTop, int cellWidth,
                  int cellHeight, uint32_t value, int digitCount, uint32_t colour, int opacity) {
  convert::ClipRect area = convert::DrawableArea(state);
  if (area.empty() || opacity <= 0) return;
  uint32_t a = static_cast<uint32_t>(opacity > 256 ? 256 : opacity);
  convert::Surface& s = *state.surface;
  for (int i = 0; i < digitCount && i < 4; ++i) {
    uint16_t glyph = HexGlyph(static_cast<int>((value >> (4 * i)) & 15u));
    DigitPlace at = HexDigitPlace(cellLeft, cellTop, cellWidth, cellHeight, i);
    for (int row = 0; row < kGlyphHeight; ++row) {
      int y = at.y + row;
      if (y < area.top || y >= area.bottom) continue;
      for (int col = 0; col < kGlyphWidth; ++col) {
        if (!(glyph & (1u << (14 - (row * 3 + col))))) continue;
        int x = at.x + col;
        if (x < area.left || x >= area.right) continue;
        uint32_t& d = s.at(x, y);
        d = a >= 256 ? colour : convert::MixPixels(colour, d, a, 256u - a);
      }
    }
  }
}

}  // namespace mapeditor
