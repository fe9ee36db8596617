// Truevision TGA, colour-mapped 8-bit images, plain or run-length coded.
// Files with the TGA 2.0 footer are recognised by it. The footer is optional
// (several writers leave it out), so a file no other reader claims is still
// taken as TGA when its header can only describe such an image.
#include <cstring>

#include "tools/tilecvt/image_decoders.h"
#include "tools/tilecvt/image_reader.h"

namespace tilecvt {
namespace {

constexpr size_t kHeaderSize = 18;
constexpr size_t kFooterSize = 26;  // extension and developer offsets, signature
constexpr char kSignature[] = "TRUEVISION-XFILE.";
constexpr size_t kSignatureLength = sizeof(kSignature) - 1;
constexpr uint8_t kTopOrigin = 0x20;  // descriptor bit: first row in the file is the top one

PaletteEntry ColourMapEntry(const uint8_t* entry, unsigned bits) {
  if (bits == 24 || bits == 32) return {entry[0], entry[1], entry[2], 0};
  unsigned v = static_cast<unsigned>(entry[0] | entry[1] << 8);
  return {static_cast<uint8_t>((v & 31) << 3), static_cast<uint8_t>(((v >> 5) & 31) << 3),
          static_cast<uint8_t>(((v >> 10) & 31) << 3), 0};
}

// Run-length packets may run on from one row into the next.
bool DecodeRunLength(const ByteView& file, size_t at, size_t end, std::vector<uint8_t>& pixels) {
  size_t written = 0;
  const size_t total = pixels.size();
  while (written < total) {
    if (at >= end) return false;
    uint8_t packet = file.u8(at++);
    size_t count = static_cast<size_t>(packet & 127) + 1;
    if (count > total - written) count = total - written;
    if (packet & 128) {
      if (at >= end) return false;
      std::memset(pixels.data() + written, file.u8(at++), count);
    } else {
      if (end - at < count) return false;
      std::memcpy(pixels.data() + written, file.at(at), count);
      at += count;
    }
    written += count;
  }
  return true;
}

bool HasMapEntrySize(unsigned bits) { return bits == 15 || bits == 16 || bits == 24 || bits == 32; }

}  // namespace

bool IsTga(const ByteView& file) {
  return file.size() >= 18 &&
         std::memcmp(file.at(file.size() - 18), kSignature, kSignatureLength) == 0;
}

// `end` is where the image's part of the file ends: before the footer, or
// the end of a file without one.
ImageError DecodeTgaImage(const ByteView& file, size_t end, IndexedImage& image) {
  if (file.u8(1) != 1) return ImageError::UnknownFormat;
  if (file.u8(16) != 8) return ImageError::UnsupportedDepth;
  uint8_t type = file.u8(2);
  if (type != 1 && type != 9) return ImageError::UnknownFormat;
  unsigned entryBits = file.u8(7);
  if (!HasMapEntrySize(entryBits)) return ImageError::UnknownFormat;

  size_t entryBytes = (entryBits + 7) / 8;
  size_t mapLength = file.u16(5);
  size_t mapStart = kHeaderSize + file.u8(0);
  size_t dataStart = mapStart + mapLength * entryBytes;
  if (dataStart > end) return ImageError::ReadWrite;
  uint64_t width = file.u16(12);
  uint64_t height = file.u16(14);
  uint64_t dataBytes = end - dataStart;
  // Checked before allocating: a run-length byte pair gives at most 128 pixels.
  if (type == 1 ? width * height > dataBytes : width * height > dataBytes * 64)
    return ImageError::ReadWrite;
  ImageError error = AllocatePixels(image, width, height);
  if (error != ImageError::None) return error;

  image.sourceType = SourceType::Tga;
  image.depth = 8;
  image.colours = 256;
  image.paletteSize = 256;
  for (size_t i = 0; i < mapLength && i < 256; ++i)
    image.palette[i] = ColourMapEntry(file.at(mapStart + i * entryBytes), entryBits);

  if (type == 1)
    std::memcpy(image.pixels.data(), file.at(dataStart), image.pixels.size());
  else if (!DecodeRunLength(file, dataStart, end, image.pixels))
    return ImageError::ReadWrite;
  if (!(file.u8(17) & kTopOrigin)) FlipVertically(image);
  return ImageError::None;
}

ImageError DecodeTga(const ByteView& file, IndexedImage& image) {
  if (!file.has(0, kHeaderSize + kFooterSize)) return ImageError::ReadWrite;
  return DecodeTgaImage(file, file.size() - kFooterSize, image);
}

// Without the footer every header field has to agree with what the decoder
// takes, and the file has to be long enough for the image it describes.
bool IsFooterlessTga(const ByteView& file) {
  if (!file.has(0, kHeaderSize)) return false;
  const uint8_t type = file.u8(2);
  const uint64_t mapLength = file.u16(5);
  const unsigned entryBits = file.u8(7);
  if (file.u8(1) != 1 || (type != 1 && type != 9) || file.u8(16) != 8) return false;
  if (mapLength == 0 || mapLength > 256 || !HasMapEntrySize(entryBits)) return false;
  const uint64_t pixels = uint64_t{file.u16(12)} * file.u16(14);
  if (pixels == 0) return false;
  const uint64_t dataStart = kHeaderSize + file.u8(0) + mapLength * ((entryBits + 7) / 8);
  // Run-length data takes at least a byte pair for every 128 pixels.
  const uint64_t leastData = type == 1 ? pixels : (pixels + 127) / 128 * 2;
  return dataStart + leastData <= file.size();
}

ImageError DecodeFooterlessTga(const ByteView& file, IndexedImage& image) {
  return DecodeTgaImage(file, file.size(), image);
}

}  // namespace tilecvt
