#pragma once

#include <cstdint>

#include "convert/drawing_state.h"

// Hex mode prints cell values with a built-in 3 × 5 pixel font: the low byte
// on the lower line, the high byte on the line above, so a 16 × 16 cell holds
// four digits.
namespace mapeditor {

inline constexpr int kGlyphWidth = 3;
inline constexpr int kGlyphHeight = 5;

// Bit (14 − (row × 3 + column)) of the glyph is set where the digit has ink.
uint16_t HexGlyph(int digit);

// How many digits a value prints: 2 in the 8-bit map format (index 0), 4 in
// the others; without zero padding a value below 0x100 prints 2.
int HexDigitCount(uint32_t value, int mapFormat, bool zeroPadding);

// Where digit i (0 = least significant) of a cell's value goes: relative to
// (cell left + width / 2, cell top + height / 2 − 1), digits 1 and 3 are 4
// pixels to the left, digits 2 and 3 are 6 pixels up.
struct DigitPlace {
  int x = 0;
  int y = 0;
};
DigitPlace HexDigitPlace(int cellLeft, int cellTop, int cellWidth, int cellHeight, int digit);

// Prints the value's digits over the cell in `colour` at `opacity` (0..256,
// 256 = solid), clipped to the drawable area.
void DrawHexValue(const convert::DrawingState& state, int cellLeft, int cellTop, int cellWidth,
                  int cellHeight, uint32_t value, int digitCount, uint32_t colour, int opacity);

}  // namespace mapeditor
