#pragma once

// PCX files whose palette is found, or not, by its marker: one table for both
// console tools, which find it by the same rule in their own code.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace toolstest {

using Bytes = std::vector<std::uint8_t>;

struct PaletteCase {
  const char* name;
  Bytes gap;  // between the image data and the marker
  std::uint8_t marker;
  Bytes trailing;  // after the 768 palette bytes
  bool found;      // whether the marker is to be found
};

struct PaletteFile {
  Bytes bytes;
  Bytes pixels;                        // what the image data decodes to
  std::optional<std::size_t> palette;  // where the palette starts, when found
};

inline constexpr int kWidth = 8;
inline constexpr int kHeight = 4;

// Entry i is red i, green 255 - i, blue 7i: no 12 among the first and last
// bytes, where a wrong guess would look.
inline std::uint8_t PaletteByte(std::size_t at) {
  const std::size_t entry = at / 3;
  switch (at % 3) {
    case 0:
      return static_cast<std::uint8_t>(entry);
    case 1:
      return static_cast<std::uint8_t>(255 - entry);
    default:
      return static_cast<std::uint8_t>(entry * 7);
  }
}

inline PaletteFile Build(const PaletteCase& c) {
  PaletteFile file;
  file.bytes.assign(128, 0);
  Bytes& b = file.bytes;
  b[0] = 10;
  b[1] = 5;
  b[2] = 1;
  b[3] = 8;
  b[8] = kWidth - 1;
  b[10] = kHeight - 1;
  b[65] = 1;
  b[66] = kWidth;
  // Pixels of value 12 early in the data, with a whole palette's length behind
  // them; the last run is cut at the last pixel.
  const Bytes stream = {12, 1, 2, 0xC0 + 10, 12, 0xC0 + 30, 5};
  b.insert(b.end(), stream.begin(), stream.end());
  file.pixels = {12, 1, 2};
  file.pixels.insert(file.pixels.end(), 10, 12);
  file.pixels.insert(file.pixels.end(), kWidth * kHeight - file.pixels.size(), 5);
  b.insert(b.end(), c.gap.begin(), c.gap.end());
  b.push_back(c.marker);
  if (c.found) file.palette = b.size();
  for (std::size_t i = 0; i < 768; ++i) b.push_back(PaletteByte(i));
  b.insert(b.end(), c.trailing.begin(), c.trailing.end());
  return file;
}

inline const std::vector<PaletteCase>& Cases() {
  static const std::vector<PaletteCase> cases = {
      {"MarkerAtTheUsualPlace", {}, 12, {}, true},
      {"ThreeBytesAfterThePalette", {}, 12, {0, 0, 0}, true},
      {"TrailingBytesOf12", {}, 12, {12, 12, 12}, true},
      {"LongTrailer", {}, 12, Bytes(2000, 1), true},
      {"GapBeforeTheMarker", {0, 0}, 12, {1, 2, 3}, true},
      {"NoMarker", {}, 0, {}, false},
      {"NoMarkerAndTrailingBytes", {}, 0, {0, 0, 0}, false},
      {"TwelvesInTheImageAreNoMarker", {0}, 0, {}, false},
  };
  return cases;
}

inline std::string CaseName(const PaletteCase& c) { return c.name; }

}  // namespace toolstest
