#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace hdrbake {

// The header fields the converter uses, as stored in the file's first 128
// bytes. Width and height already include the +1 of the stored maxima.
struct PcxHeader {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  int bytesPerLine = 0;
};

struct PcxColour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};

// A 256-colour image: one palette index per pixel, rows top to bottom.
// An image that could not be read has width and height 0 and no pixels;
// entries of a palette that could not be read stay black.
struct PcxImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
  std::array<PcxColour, 256> palette{};
};

// How far reading got. Anything but Complete is a failure; with NoPalette the
// size and the pixels are valid and only the palette is missing.
enum class PcxStatus {
  Complete,
  ShortHeader,
  StreamEnded,
  NoPalette,
  TooLarge,  // more than kMaxPcxPixels: refused before anything is allocated
};

// The largest image read (4096 x 4096 pixels): its header is already some
// 70 MB of text, and no console screen or map comes near it.
constexpr std::uint64_t kMaxPcxPixels = std::uint64_t{1} << 24;

}  // namespace hdrbake
