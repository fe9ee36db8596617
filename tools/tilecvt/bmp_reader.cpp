// Windows BMP, uncompressed 4- and 8-bit images with any info header of at
// least the classic 40 bytes. Rows stay bottom to top, as the file has them;
// the driver flips every BMP image.
#include <cstring>

#include "tools/tilecvt/image_decoders.h"

namespace tilecvt {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;

}  // namespace

bool IsBmp(const ByteView& file) {
  return file.has(0, 2) && file.u8(0) == 'B' && file.u8(1) == 'M';
}

ImageError DecodeBmp(const ByteView& file, IndexedImage& image) {
  if (!file.has(0, kFileHeaderSize + kInfoHeaderSize)) return ImageError::ReadWrite;
  uint32_t infoSize = file.u32(14);
  // The 12-byte OS/2 header has other fields at these offsets.
  if (infoSize < kInfoHeaderSize) return ImageError::UnknownFormat;
  if (file.u32(30) != 0) return ImageError::Compressed;
  auto width = static_cast<int32_t>(file.u32(18));
  auto signedHeight = static_cast<int32_t>(file.u32(22));
  unsigned bits = file.u16(28);
  if (bits != 4 && bits != 8) return ImageError::UnsupportedDepth;
  if (width <= 0 || signedHeight == 0 || signedHeight == INT32_MIN)
    return ImageError::UnknownFormat;
  bool topDown = signedHeight < 0;
  uint64_t height = topDown ? -static_cast<int64_t>(signedHeight) : signedHeight;

  uint32_t slots = 1u << bits;
  uint32_t colours = file.u32(46);
  if (colours == 0 || colours > slots) colours = slots;
  uint64_t paletteStart = kFileHeaderSize + uint64_t{infoSize};
  if (!file.has(paletteStart, uint64_t{colours} * 4)) return ImageError::ReadWrite;

  // Every row is padded to a multiple of 4 bytes; the last one need not be.
  uint64_t rowBytes = (uint64_t(width) * bits + 7) / 8;
  uint64_t stride = (rowBytes + 3) & ~uint64_t{3};
  uint64_t dataStart = file.u32(10);
  if (!file.has(dataStart, stride * (height - 1) + rowBytes)) return ImageError::ReadWrite;
  ImageError error = AllocatePixels(image, uint64_t(width), height);
  if (error != ImageError::None) return error;

  image.sourceType = SourceType::Bmp;
  image.depth = static_cast<int>(bits);
  image.colours = static_cast<int>(colours);
  image.paletteSize = static_cast<int>(slots);
  for (size_t i = 0; i < colours; ++i) {
    const uint8_t* quad = file.at(static_cast<size_t>(paletteStart) + i * 4);
    image.palette[i] = {quad[0], quad[1], quad[2], 0};
  }
  for (uint64_t row = 0; row < height; ++row) {
    // Stored bottom-up like a classic BMP, whatever the file's row order.
    uint64_t fileRow = topDown ? height - 1 - row : row;
    const uint8_t* source = file.at(static_cast<size_t>(dataStart + fileRow * stride));
    uint8_t* target = image.pixels.data() + row * static_cast<uint64_t>(width);
    if (bits == 8) {
      std::memcpy(target, source, static_cast<size_t>(width));
    } else {
      for (int32_t x = 0; x < width; ++x)
        target[x] = (x & 1) ? source[x / 2] & 15 : source[x / 2] >> 4;
    }
  }
  return ImageError::None;
}

}  // namespace tilecvt
