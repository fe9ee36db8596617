#include "tools/hdrbake/header_text.h"

#include <cstdint>

#include "tools/hdrbake/console_colour.h"

namespace hdrbake {

namespace {

constexpr int kValuesPerLine = 10;
constexpr std::string_view kValueIndent = "\n                   ";
// " 0x" + four hex digits + ","
constexpr std::size_t kValueWidth = 8;

// Appends the values in " 0xABCD," form, ten to a line. Formatted by hand:
// a large image has hundreds of thousands of values.
template <typename ValueAt>
void AppendValues(std::string& text, std::size_t count, ValueAt valueAt) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  text.reserve(text.size() + count * kValueWidth +
               (count / kValuesPerLine + 1) * kValueIndent.size() + 2);
  for (std::size_t i = 0; i < count; ++i) {
    if (i % kValuesPerLine == 0) text += kValueIndent;
    const std::uint16_t value = valueAt(i);
    const char digits[kValueWidth] = {' ',
                                      '0',
                                      'x',
                                      kHex[(value >> 12) & 15],
                                      kHex[(value >> 8) & 15],
                                      kHex[(value >> 4) & 15],
                                      kHex[value & 15],
                                      ','};
    text.append(digits, kValueWidth);
  }
  text += "};";
}

}  // namespace

std::string HeaderText(const PcxImage& image, std::string_view prefix) {
  std::string text;
  text += "/**********************************************\\\n";
  text += "*       ";
  text += prefix;
  text += ".h                                   *\n";
  text += "/**********************************************/\n";
  text += "#define  ";
  text += prefix;
  text += "_WIDTH   " + std::to_string(image.width) + "\n";
  text += "#define  ";
  text += prefix;
  text += "_HEIGHT  " + std::to_string(image.height) + "\n";

  text += "\n\nconst u16 ";
  text += prefix;
  text += "Data[] = {";
  const std::uint8_t* pixels = image.pixels.data();
  AppendValues(text, image.pixels.size() / 2, [pixels](std::size_t i) {
    return static_cast<std::uint16_t>(pixels[2 * i] | (pixels[2 * i + 1] << 8));
  });

  text += "\n\nconst u16 ";
  text += prefix;
  text += "Palette[] = {";
  AppendValues(text, image.palette.size(),
               [&image](std::size_t i) { return ConsoleColour(image.palette[i]); });
  return text;
}

}  // namespace hdrbake
