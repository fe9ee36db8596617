#include "tools/tilecvt/image_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <vector>

#include "tools/tilecvt/image_decoders.h"
#include "tools/tilecvt/png_reader.h"

namespace tilecvt {
namespace {

struct ImageFormat {
  bool (*recognise)(const ByteView&);
  ImageError (*decode)(const ByteView&, IndexedImage&);
};

constexpr ImageFormat kFormats[] = {
    // PNG (png_reader.cpp, through libpng) goes first: its 8-byte signature
    // starts no file of the others, and no looser test can take it.
    {IsPng, DecodePng}, {IsSpr, DecodeSpr}, {IsTga, DecodeTga},
    {IsPcx, DecodePcx}, {IsBmp, DecodeBmp}, {IsTim, DecodeTim},
};

// A TGA file without its footer is recognised by its header alone, which is
// less certain than any test above: it comes last.
constexpr ImageFormat kFallback = {IsFooterlessTga, DecodeFooterlessTga};

ImageError Decode(const ImageFormat& format, const ByteView& file, IndexedImage& image) {
  ImageError error;
  try {
    error = format.decode(file, image);
  } catch (const std::bad_alloc&) {
    error = ImageError::OutOfMemory;
  }
  if (error != ImageError::None) image = IndexedImage{};
  return error;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Regular files only: a directory opens but is no file, and a pipe or a
// device could block the run for ever (hence opened without waiting).
std::FILE* OpenFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  std::FILE* file = ::fdopen(fd, "rb");
  if (file == nullptr) ::close(fd);
  return file;
}

std::FILE* OpenForReading(const std::string& path) {
  std::FILE* file = OpenFile(path);
  if (file != nullptr || path.find('\\') == std::string::npos) return file;
  // Names written for the other platform ("gfx\title.bmp") still find the file.
  std::string converted = path;
  std::replace(converted.begin(), converted.end(), '\\', '/');
  return OpenFile(converted);
}

}  // namespace

ImageError AllocatePixels(IndexedImage& image, uint64_t width, uint64_t height) {
  if (width == 0 || height == 0) return ImageError::UnknownFormat;
  if (width > kMaxPixels || height > kMaxPixels || width * height > kMaxPixels)
    return ImageError::OutOfMemory;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.pixels.assign(static_cast<size_t>(width * height), 0);
  return ImageError::None;
}

ImageError DecodeImage(std::span<const uint8_t> bytes, IndexedImage& image) {
  image = IndexedImage{};
  ByteView file(bytes);
  for (const ImageFormat& format : kFormats)
    if (format.recognise(file)) return Decode(format, file, image);
  if (kFallback.recognise(file)) return Decode(kFallback, file, image);
  return ImageError::UnknownFormat;
}

ImageError LoadImage(const std::string& path, IndexedImage& image) {
  image = IndexedImage{};
  FilePtr file(OpenForReading(path));
  if (!file) return ImageError::FileNotFound;
  if (std::fseek(file.get(), 0, SEEK_END) != 0) return ImageError::ReadWrite;
  long length = std::ftell(file.get());
  if (length < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) return ImageError::ReadWrite;
  const auto size = static_cast<size_t>(length);
  // Left uninitialised: the read fills it, and images run to many megabytes.
  std::unique_ptr<uint8_t[]> bytes(new (std::nothrow) uint8_t[size > 0 ? size : 1]);
  if (!bytes) return ImageError::OutOfMemory;
  if (size > 0 && std::fread(bytes.get(), 1, size, file.get()) != size)
    return ImageError::ReadWrite;
  file.reset();
  return DecodeImage(std::span<const uint8_t>(bytes.get(), size), image);
}

void FlipVertically(IndexedImage& image) {
  if (image.width <= 0 || image.height <= 1) return;
  auto width = static_cast<size_t>(image.width);
  for (size_t top = 0, bottom = static_cast<size_t>(image.height) - 1; top < bottom;
       ++top, --bottom)
    std::swap_ranges(image.pixels.begin() + static_cast<std::ptrdiff_t>(top * width),
                     image.pixels.begin() + static_cast<std::ptrdiff_t>((top + 1) * width),
                     image.pixels.begin() + static_cast<std::ptrdiff_t>(bottom * width));
}

}  // namespace tilecvt
