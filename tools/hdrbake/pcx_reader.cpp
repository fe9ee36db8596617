#include "tools/hdrbake/pcx_reader.h"

#include <algorithm>
#include <cstring>

namespace hdrbake {

namespace {

constexpr std::size_t kBitsPerPixelOffset = 3;
constexpr std::size_t kMaxXOffset = 8;
constexpr std::size_t kMaxYOffset = 10;
constexpr std::size_t kBytesPerLineOffset = 66;
constexpr std::uint8_t kRunFlag = 192;
// One count byte and one value byte give at most 63 pixels, so a stream of n
// bytes never holds more than 32 × n; a header claiming more is refused before
// anything is allocated for it.
constexpr std::uint64_t kMostPixelsPerStreamByte = 32;

int Word(std::span<const std::uint8_t> file, std::size_t offset) {
  return file[offset] | (file[offset + 1] << 8);
}

// The stream is one run-length sequence over the whole image: runs may go on
// past the end of a row. Writers that pad rows to an even length (stored line
// length above the width) leave one or more bytes per row that are not pixels;
// they are dropped so the picture is not sheared.
bool DecodeStream(std::span<const std::uint8_t> stream, int width, int height, int bytesPerLine,
                  std::vector<std::uint8_t>& pixels) {
  const std::uint64_t stride = static_cast<std::uint64_t>(std::max(width, bytesPerLine));
  const std::uint64_t needed = stride * static_cast<std::uint64_t>(height - 1) + width;
  if (needed > kMostPixelsPerStreamByte * stream.size()) return false;

  pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  std::uint64_t produced = 0;
  std::uint64_t column = 0;
  std::size_t out = 0;
  std::size_t pos = 0;
  while (produced < needed) {
    if (pos >= stream.size()) return false;
    std::uint8_t value = stream[pos++];
    std::uint64_t count = 1;
    if (value > kRunFlag) {
      if (pos >= stream.size()) return false;
      count = value - kRunFlag;
      value = stream[pos++];
    }
    // A run that reaches past the last pixel is cut there.
    while (count > 0 && produced < needed) {
      const std::uint64_t span = std::min(count, stride - column);
      if (column < static_cast<std::uint64_t>(width)) {
        const std::uint64_t take = std::min(span, width - column);
        std::memset(pixels.data() + out, value, take);
        out += take;
      }
      column += span;
      if (column == stride) column = 0;
      produced += span;
      count -= span;
    }
  }
  return true;
}

bool ReadPalette(std::span<const std::uint8_t> file, std::array<PcxColour, 256>& palette) {
  if (file.size() < kPcxPaletteTailSize) return false;
  const std::size_t marker = file.size() - kPcxPaletteTailSize;
  if (file[marker] != kPcxPaletteMarker) return false;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const std::uint8_t* rgb = file.data() + marker + 1 + 3 * i;
    palette[i] = PcxColour{rgb[0], rgb[1], rgb[2]};
  }
  return true;
}

}  // namespace

PcxStatus ReadPcx(std::span<const std::uint8_t> file, PcxHeader& header, PcxImage& image) {
  image = PcxImage{};
  if (file.size() < kPcxHeaderSize) return PcxStatus::ShortHeader;

  // The window's minimum corner is not subtracted: the stored maxima give the size.
  header.width = Word(file, kMaxXOffset) + 1;
  header.height = Word(file, kMaxYOffset) + 1;
  header.bitsPerPixel = file[kBitsPerPixelOffset];
  header.bytesPerLine = Word(file, kBytesPerLineOffset);

  // A stream too short for the size claimed is refused as ended (below); one
  // that could hold it is refused here when the size is beyond the limit.
  const std::uint64_t claimed =
      static_cast<std::uint64_t>(header.width) * static_cast<std::uint64_t>(header.height);
  if (claimed > kMaxPcxPixels &&
      claimed <= kMostPixelsPerStreamByte * (file.size() - kPcxHeaderSize))
    return PcxStatus::TooLarge;
  if (!DecodeStream(file.subspan(kPcxHeaderSize), header.width, header.height, header.bytesPerLine,
                    image.pixels)) {
    image.pixels = {};
    return PcxStatus::StreamEnded;
  }
  image.width = header.width;
  image.height = header.height;
  if (!ReadPalette(file, image.palette)) return PcxStatus::NoPalette;
  return PcxStatus::Complete;
}

}  // namespace hdrbake
