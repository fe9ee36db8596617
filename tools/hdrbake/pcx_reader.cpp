#include "tools/hdrbake/pcx_reader.h"

#include <algorithm>
#include <cstring>
#include <optional>

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
// Returns how many stream bytes the image took, or nothing when the stream
// ends first.
std::optional<std::size_t> DecodeStream(std::span<const std::uint8_t> stream, int width, int height,
                                        int bytesPerLine, std::vector<std::uint8_t>& pixels) {
  const std::uint64_t stride = static_cast<std::uint64_t>(std::max(width, bytesPerLine));
  const std::uint64_t needed = stride * static_cast<std::uint64_t>(height - 1) + width;
  if (needed > kMostPixelsPerStreamByte * stream.size()) return std::nullopt;

  pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  std::uint64_t produced = 0;
  std::uint64_t column = 0;
  std::size_t out = 0;
  std::size_t pos = 0;
  while (produced < needed) {
    if (pos >= stream.size()) return std::nullopt;
    std::uint8_t value = stream[pos++];
    std::uint64_t count = 1;
    if (value > kRunFlag) {
      if (pos >= stream.size()) return std::nullopt;
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
  return pos;
}

bool ReadPalette(std::span<const std::uint8_t> file, std::size_t dataEnd,
                 std::array<PcxColour, 256>& palette) {
  const std::optional<std::size_t> start = FindPcxPalette(file, dataEnd);
  if (!start) return false;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const std::uint8_t* rgb = file.data() + *start + 3 * i;
    palette[i] = PcxColour{rgb[0], rgb[1], rgb[2]};
  }
  return true;
}

}  // namespace

std::optional<std::size_t> FindPcxPalette(std::span<const std::uint8_t> file, std::size_t dataEnd) {
  if (file.size() < kPcxPaletteTailSize) return std::nullopt;
  const std::size_t usual = file.size() - kPcxPaletteTailSize;
  if (file[usual] == kPcxPaletteMarker) return usual + 1;
  // Some writers leave a few bytes behind the palette, which moves it away
  // from the end: the marker then follows the image data, or failing that is
  // the last 12 that still has a whole palette behind it.
  if (dataEnd > usual) return std::nullopt;
  if (file[dataEnd] == kPcxPaletteMarker) return dataEnd + 1;
  for (std::size_t at = usual; at > dataEnd; --at)
    if (file[at - 1] == kPcxPaletteMarker) return at;
  return std::nullopt;
}

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
  const std::optional<std::size_t> streamBytes = DecodeStream(
      file.subspan(kPcxHeaderSize), header.width, header.height, header.bytesPerLine, image.pixels);
  if (!streamBytes) {
    image.pixels = {};
    return PcxStatus::StreamEnded;
  }
  image.width = header.width;
  image.height = header.height;
  if (!ReadPalette(file, kPcxHeaderSize + *streamBytes, image.palette)) return PcxStatus::NoPalette;
  return PcxStatus::Complete;
}

}  // namespace hdrbake
