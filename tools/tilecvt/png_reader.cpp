// PNG through libpng: palette images of 1, 2, 4 and 8 bits, and greyscale
// images of up to 8 bits, read as a palette of evenly spaced greys. Every
// pixel becomes one byte and the palette 256 slots, exactly as an 8-bit BMP
// of the same picture reads, so both convert to the same output. Rows come
// top to bottom. True-colour images (and 16-bit greys) have no palette to
// keep and are refused.
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

#include "tools/tilecvt/image_decoders.h"
#include "tools/tilecvt/png_reader.h"

namespace tilecvt {
namespace {

constexpr size_t kSignatureSize = 8;

// Where libpng reads from; the decoder only reads it back after a long jump.
struct PngSource {
  const ByteView* file = nullptr;
  size_t offset = 0;
  bool truncated = false;
};

void ReadBytes(png_structp png, png_bytep out, png_size_t count) {
  auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
  if (!source->file->has(source->offset, count)) {
    source->truncated = true;
    png_error(png, "truncated");
  }
  std::memcpy(out, source->file->at(source->offset), count);
  source->offset += count;
}

// libpng's messages are not the tool's: the error codes say what went wrong.
void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

struct ReadStructs {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~ReadStructs() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

// What the header allows; the pixels are read only when it is kNone.
ImageError CheckHeader(png_structp png, png_infop info) {
  int colourType = png_get_color_type(png, info);
  int bits = png_get_bit_depth(png, info);
  if (colourType != PNG_COLOR_TYPE_PALETTE && colourType != PNG_COLOR_TYPE_GRAY)
    return ImageError::TrueColour;
  if (bits > 8) return ImageError::UnsupportedDepth;
  if (colourType == PNG_COLOR_TYPE_PALETTE && !png_get_valid(png, info, PNG_INFO_PLTE))
    return ImageError::NoPalette;
  return ImageError::None;
}

void SetPalette(png_structp png, png_infop info, IndexedImage& image) {
  if (png_get_color_type(png, info) == PNG_COLOR_TYPE_PALETTE) {
    png_colorp entries = nullptr;
    int count = 0;
    png_get_PLTE(png, info, &entries, &count);
    count = count < 0 ? 0 : (count > 256 ? 256 : count);
    for (int i = 0; i < count; ++i)
      image.palette[static_cast<size_t>(i)] = {entries[i].blue, entries[i].green, entries[i].red,
                                               0};
    image.colours = count;
    return;
  }
  int levels = 1 << png_get_bit_depth(png, info);
  for (int i = 0; i < levels; ++i) {
    auto grey = static_cast<uint8_t>(i * 255 / (levels - 1));
    image.palette[static_cast<size_t>(i)] = {grey, grey, grey, 0};
  }
  image.colours = levels;
}

// The part that libpng may leave by a long jump: nothing here has a
// destructor, and what outlives the jump (`source`, `image`, `rows`) belongs
// to the caller.
ImageError ReadPng(png_structp png, png_infop info, PngSource& source, IndexedImage& image,
                   std::vector<png_bytep>& rows) {
  // A file that ends early is "read/write", as with the other readers; any
  // other complaint (a broken checksum, a header libpng refuses, bad
  // compressed data) means the bytes do not describe an image.
  if (setjmp(png_jmpbuf(png)))
    return source.truncated ? ImageError::ReadWrite : ImageError::UnknownFormat;
  png_set_read_fn(png, &source, ReadBytes);
  png_read_info(png, info);
  ImageError error = CheckHeader(png, info);
  if (error != ImageError::None) return error;
  error = AllocatePixels(image, png_get_image_width(png, info), png_get_image_height(png, info));
  if (error != ImageError::None) return error;
  // Before the transformations: they report a depth of 8 afterwards.
  SetPalette(png, info, image);

  png_set_packing(png);  // 1, 2 and 4 bits: one byte per pixel
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  auto width = static_cast<size_t>(image.width);
  rows.resize(static_cast<size_t>(image.height));
  for (size_t y = 0; y < rows.size(); ++y) rows[y] = image.pixels.data() + y * width;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  image.sourceType = SourceType::Png;
  image.depth = 8;
  image.paletteSize = 256;
  return ImageError::None;
}

}  // namespace

bool IsPng(const ByteView& file) {
  return file.has(0, kSignatureSize) && png_sig_cmp(file.at(0), 0, kSignatureSize) == 0;
}

ImageError DecodePng(const ByteView& file, IndexedImage& image) {
  ReadStructs structs;
  structs.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (structs.png == nullptr) return ImageError::OutOfMemory;
  structs.info = png_create_info_struct(structs.png);
  if (structs.info == nullptr) return ImageError::OutOfMemory;
  PngSource source;
  source.file = &file;
  std::vector<png_bytep> rows;
  return ReadPng(structs.png, structs.info, source, image, rows);
}

}  // namespace tilecvt
