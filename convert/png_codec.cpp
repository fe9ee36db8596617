#include <png.h>

#include <bit>
#include <csetjmp>
#include <cstring>

#include "convert/image_codecs.h"

// libpng reports errors by a long jump. Each function that sets the jump point
// keeps every object with a destructor outside its own frame (in the state
// record it is given), so the jump never skips one.
namespace convert {

static_assert(std::endian::native == std::endian::little,
              "decoded pixels are laid out as little-endian words");

namespace {

[[noreturn]] void PngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void PngWarning(png_structp, png_const_charp) {}

struct PngReader {
  std::span<const uint8_t> bytes;
  size_t pos = 0;
  png_structp png = nullptr;
  png_infop info = nullptr;
  DecodeLimits limits;
  DecodedImage image;
  std::vector<png_bytep> rows;
};

void ReadBytes(png_structp png, png_bytep data, size_t length) {
  auto* r = static_cast<PngReader*>(png_get_io_ptr(png));
  if (length > r->bytes.size() - r->pos) png_error(png, "truncated");
  std::memcpy(data, r->bytes.data() + r->pos, length);
  r->pos += length;
}

bool ReadPng(PngReader* r) {
  if (setjmp(png_jmpbuf(r->png))) return false;
  png_set_read_fn(r->png, r, ReadBytes);
  png_set_user_limits(r->png, static_cast<png_uint_32>(r->limits.maxSide),
                      static_cast<png_uint_32>(r->limits.maxSide));
  png_read_info(r->png, r->info);
  png_uint_32 width = png_get_image_width(r->png, r->info);
  png_uint_32 height = png_get_image_height(r->png, r->info);
  if (!WithinDecodeLimits(width, height, r->limits)) return false;
  int colourType = png_get_color_type(r->png, r->info);

  if (colourType == PNG_COLOR_TYPE_PALETTE) {
    png_colorp plte = nullptr;
    int count = 0;
    if (png_get_PLTE(r->png, r->info, &plte, &count) == PNG_INFO_PLTE && count > 0) {
      png_bytep alpha = nullptr;
      int alphaCount = 0;
      png_get_tRNS(r->png, r->info, &alpha, &alphaCount, nullptr);
      r->image.palette.resize(static_cast<size_t>(count));
      for (int i = 0; i < count; ++i) {
        uint32_t a = (alpha && i < alphaCount) ? alpha[i] : 255;
        r->image.palette[static_cast<size_t>(i)] =
            Argb(a, plte[i].red, plte[i].green, plte[i].blue);
      }
    }
  }

  png_set_expand(r->png);
  png_set_scale_16(r->png);
  png_set_gray_to_rgb(r->png);
  png_set_bgr(r->png);
  png_set_filler(r->png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(r->png);
  png_read_update_info(r->png, r->info);
  if (png_get_rowbytes(r->png, r->info) != static_cast<size_t>(width) * 4) return false;

  r->image.pixels.resize(static_cast<size_t>(width) * height);
  r->rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y)
    r->rows[y] =
        reinterpret_cast<png_bytep>(r->image.pixels.data() + static_cast<size_t>(y) * width);
  png_read_image(r->png, r->rows.data());
  r->image.width = static_cast<int>(width);
  r->image.height = static_cast<int>(height);
  return true;
}

struct PngWriter {
  const ImageToEncode* image = nullptr;
  std::string* out = nullptr;
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::vector<png_color> palette;
  std::vector<uint8_t> row;
};

void WriteBytes(png_structp png, png_bytep data, size_t length) {
  auto* w = static_cast<PngWriter*>(png_get_io_ptr(png));
  w->out->append(reinterpret_cast<const char*>(data), length);
}
void FlushBytes(png_structp) {}

bool WritePng(PngWriter* w) {
  if (setjmp(png_jmpbuf(w->png))) return false;
  const ImageToEncode& image = *w->image;
  const bool indexed = !image.palette.empty();
  png_set_write_fn(w->png, w, WriteBytes, FlushBytes);
  png_set_IHDR(w->png, w->info, static_cast<png_uint_32>(image.width),
               static_cast<png_uint_32>(image.height), 8,
               indexed ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (indexed) {
    w->palette.resize(image.palette.size());
    for (size_t i = 0; i < image.palette.size(); ++i) {
      uint32_t c = image.palette[i];
      w->palette[i] = {static_cast<png_byte>(c >> 16), static_cast<png_byte>(c >> 8),
                       static_cast<png_byte>(c)};
    }
    png_set_PLTE(w->png, w->info, w->palette.data(), static_cast<int>(w->palette.size()));
  }
  png_write_info(w->png, w->info);
  w->row.resize(static_cast<size_t>(image.width) * (indexed ? 1 : 3));
  for (int y = 0; y < image.height; ++y) {
    const uint32_t* src = image.pixels.data() + static_cast<size_t>(y) * image.width;
    for (int x = 0; x < image.width; ++x) {
      if (indexed) {
        w->row[static_cast<size_t>(x)] = static_cast<uint8_t>(src[x]);
      } else {
        w->row[3 * static_cast<size_t>(x)] = static_cast<uint8_t>(src[x] >> 16);
        w->row[3 * static_cast<size_t>(x) + 1] = static_cast<uint8_t>(src[x] >> 8);
        w->row[3 * static_cast<size_t>(x) + 2] = static_cast<uint8_t>(src[x]);
      }
    }
    png_write_row(w->png, w->row.data());
  }
  png_write_end(w->png, w->info);
  return true;
}

}  // namespace

bool DecodePng(std::span<const uint8_t> bytes, DecodedImage& out, const DecodeLimits& limits) {
  out = {};
  PngReader r;
  r.bytes = bytes;
  r.limits = limits;
  r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
  if (!r.png) return false;
  r.info = png_create_info_struct(r.png);
  bool ok = r.info && ReadPng(&r);
  png_destroy_read_struct(&r.png, &r.info, nullptr);
  if (!ok) return false;
  out = std::move(r.image);
  return true;
}

bool EncodePng(const ImageToEncode& image, std::string& out) {
  if (!ValidImageToEncode(image)) return false;
  PngWriter w;
  w.image = &image;
  w.out = &out;
  w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
  if (!w.png) return false;
  w.info = png_create_info_struct(w.png);
  bool ok = w.info && WritePng(&w);
  png_destroy_write_struct(&w.png, &w.info);
  return ok;
}

}  // namespace convert
