#include <array>
#include <cstring>

#include "convert/image_codecs.h"

namespace convert {

namespace {

struct Signature {
  std::string_view bytes;
  ImageFormat format;
};

// Pictures are recognised by their content, as the desktop's imaging library
// does: a PNG saved under ".bmp" still loads.
constexpr std::array<Signature, 7> kSignatures{{
    {std::string_view("BM", 2), ImageFormat::Bmp},
    {std::string_view("\x89PNG\r\n\x1a\n", 8), ImageFormat::Png},
    {std::string_view("\xFF\xD8\xFF", 3), ImageFormat::Jpeg},
    {std::string_view("GIF87a", 6), ImageFormat::Gif},
    {std::string_view("GIF89a", 6), ImageFormat::Gif},
    {std::string_view("II*\0", 4), ImageFormat::Tiff},
    {std::string_view("MM\0*", 4), ImageFormat::Tiff},
}};

using Decoder = bool (*)(std::span<const uint8_t>, DecodedImage&, const DecodeLimits&);

struct DecoderRow {
  ImageFormat format;
  Decoder decode;
};

constexpr std::array<DecoderRow, 5> kDecoders{{
    {ImageFormat::Bmp, DecodeBmp},
    {ImageFormat::Png, DecodePng},
    {ImageFormat::Jpeg, DecodeJpeg},
    {ImageFormat::Gif, DecodeGif},
    {ImageFormat::Tiff, DecodeTiff},
}};

}  // namespace

bool WithinDecodeLimits(uint64_t width, uint64_t height, const DecodeLimits& limits) {
  if (width == 0 || height == 0) return false;
  if (width > static_cast<uint64_t>(limits.maxSide) ||
      height > static_cast<uint64_t>(limits.maxSide))
    return false;
  return width * height <= limits.maxPixels;
}

ImageFormat DetectImageFormat(std::span<const uint8_t> bytes) {
  for (const Signature& s : kSignatures)
    if (bytes.size() >= s.bytes.size() &&
        std::memcmp(bytes.data(), s.bytes.data(), s.bytes.size()) == 0)
      return s.format;
  return ImageFormat::Unknown;
}

bool DecodeImage(std::span<const uint8_t> bytes, DecodedImage& out, const DecodeLimits& limits) {
  out = {};
  ImageFormat format = DetectImageFormat(bytes);
  for (const DecoderRow& row : kDecoders)
    if (row.format == format) return row.decode(bytes, out, limits);
  return false;
}

}  // namespace convert
