#include "convert/image_saver.h"

#include <algorithm>
#include <array>
#include <vector>

#include "convert/image_codecs.h"
#include "convert/surface.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace convert {

namespace {

using Encoder = bool (*)(const ImageToEncode&, std::string&);

struct EncoderRow {
  std::string_view extension;
  std::string_view mimeType;
  Encoder encode;
};

constexpr std::array<EncoderRow, 6> kEncoders{{
    {"png", "image/png", EncodePng},
    {"jpg", "image/jpeg", EncodeJpeg},
    {"jpeg", "image/jpeg", EncodeJpeg},
    {"bmp", "image/bmp", EncodeBmp},
    {"gif", "image/gif", EncodeGif},
    {"tiff", "image/tiff", EncodeTiff},
}};

std::string_view Extension(std::string_view fileName) {
  std::string_view name = platform::LastComponent(fileName);
  size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view{} : name.substr(dot + 1);
}

const EncoderRow* FindEncoder(std::string_view extension) {
  for (const EncoderRow& row : kEncoders)
    if (row.extension == extension) return &row;
  return nullptr;
}

}  // namespace

std::string_view EncoderMimeType(std::string_view extension) {
  const EncoderRow* row = FindEncoder(extension);
  return row ? row->mimeType : std::string_view{};
}

std::string SavedImageFileName(std::string_view fileName) {
  std::string name(fileName);
  if (!FindEncoder(Extension(name))) name += ".bmp";
  return name;
}

bool SaveImage(const ImageToEncode& image, const std::string& fileName) {
  if (!ValidImageToEncode(image)) return false;
  const std::string name = SavedImageFileName(fileName);
  const EncoderRow* row = FindEncoder(Extension(name));
  if (!row) return false;
  // Every index a pixel holds must name a palette entry in the file: a short
  // palette is completed with black.
  ImageToEncode complete = image;
  std::vector<uint32_t> palette;
  if (!image.palette.empty()) {
    uint32_t highest = 0;
    const size_t count = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
    for (size_t i = 0; i < count; ++i) highest = std::max(highest, image.pixels[i] & 255u);
    palette.assign(image.palette.begin(), image.palette.end());
    if (palette.size() <= highest) palette.resize(highest + 1, 0);
    complete.palette = palette;
  }
  std::string bytes;
  if (!row->encode(complete, bytes)) return false;
  return platform::WriteFileAtomic(name, bytes);
}

bool SaveSurfaceImage(const Surface& surface, std::span<const uint32_t> palette,
                      const std::string& fileName) {
  if (!surface.bits) return false;
  const int width = std::min(surface.visibleWidth, surface.stride);
  const int height = std::min(surface.visibleHeight, surface.height);
  if (width < 1 || height < 1) return false;
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y)
    std::copy_n(surface.row(y), width, pixels.begin() + static_cast<ptrdiff_t>(y) * width);
  ImageToEncode image{width, height, pixels, palette.size() <= 256 ? palette : palette.first(256)};
  return SaveImage(image, fileName);
}

}  // namespace convert
