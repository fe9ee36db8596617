// ZSoft PCX, 8 bits per pixel in one plane, run-length coded, with the
// 256-colour palette behind a marker byte 12 at the end of the file.
#include <cstring>
#include <optional>

#include "tools/tilecvt/image_decoders.h"

namespace tilecvt {
namespace {

constexpr size_t kHeaderSize = 128;
constexpr size_t kPaletteSize = 768;
constexpr uint8_t kPaletteMarker = 12;

// Runs may cross from one row into the next; the bytes past the width of a
// row are padding. Returns the offset just past the image data, or nothing
// when the file ends first.
std::optional<size_t> DecodeRows(const ByteView& file, uint64_t stride, IndexedImage& image) {
  const auto width = static_cast<uint64_t>(image.width);
  const uint64_t total = static_cast<uint64_t>(image.height) * stride;
  const size_t end = file.size();
  size_t at = kHeaderSize;
  uint64_t position = 0;
  while (position < total) {
    if (at >= end) return std::nullopt;
    uint8_t code = file.u8(at++);
    uint64_t count = 1;
    uint8_t value = code;
    if (code >= 192) {
      if (at >= end) return std::nullopt;
      count = code & 63;
      value = file.u8(at++);
    }
    for (; count > 0 && position < total; --count, ++position) {
      uint64_t x = position % stride;
      if (x < width) image.pixels[static_cast<size_t>((position / stride) * width + x)] = value;
    }
  }
  return at;
}

}  // namespace

std::optional<size_t> FindPcxPalette(const ByteView& file, size_t dataEnd) {
  const size_t size = file.size();
  if (size < kPaletteSize + 1) return std::nullopt;
  const size_t usual = size - kPaletteSize - 1;
  if (file.u8(usual) == kPaletteMarker) return usual + 1;
  // Some writers leave a few bytes behind the palette, which moves it away
  // from the end: the marker then follows the image data, or failing that is
  // the last 12 that still has a whole palette behind it.
  if (dataEnd > usual) return std::nullopt;
  if (file.u8(dataEnd) == kPaletteMarker) return dataEnd + 1;
  for (size_t at = usual; at > dataEnd; --at)
    if (file.u8(at - 1) == kPaletteMarker) return at;
  return std::nullopt;
}

bool IsPcx(const ByteView& file) { return file.has(0, 1) && file.u8(0) == 10; }

ImageError DecodePcx(const ByteView& file, IndexedImage& image) {
  if (!file.has(0, kHeaderSize + kPaletteSize)) return ImageError::ReadWrite;
  // Several planes of 8 bits are a true-colour image, not an indexed one.
  if (file.u8(3) != 8 || file.u8(65) != 1) return ImageError::UnsupportedDepth;
  unsigned xMin = file.u16(4), yMin = file.u16(6), xMax = file.u16(8), yMax = file.u16(10);
  if (xMax < xMin || yMax < yMin) return ImageError::UnknownFormat;
  uint64_t width = xMax - xMin + 1;
  uint64_t height = yMax - yMin + 1;
  // Rows are stored bytesPerLine long (even), so an odd width carries a pad byte.
  uint64_t stride = file.u16(66);
  if (stride < width) stride = width;

  // Wherever the palette lies, it takes 768 bytes that hold no image data.
  const size_t lastData = file.size() - kPaletteSize;
  uint64_t dataBytes = lastData - kHeaderSize;
  if (height * stride > dataBytes * 32)
    return ImageError::ReadWrite;  // a byte pair gives at most 63
  ImageError error = AllocatePixels(image, width, height);
  if (error != ImageError::None) return error;

  image.sourceType = SourceType::Pcx;
  image.depth = 8;
  image.colours = 256;
  image.paletteSize = 256;
  const std::optional<size_t> dataEnd = DecodeRows(file, stride, image);
  if (!dataEnd || *dataEnd > lastData) return ImageError::ReadWrite;
  // Without a marker the last 768 bytes are taken, as files without one
  // have always been read.
  const size_t palette = FindPcxPalette(file, *dataEnd).value_or(lastData);
  for (size_t i = 0; i < 256; ++i) {
    const uint8_t* rgb = file.at(palette + i * 3);
    image.palette[i] = {rgb[2], rgb[1], rgb[0], 0};
  }
  return ImageError::None;
}

}  // namespace tilecvt
