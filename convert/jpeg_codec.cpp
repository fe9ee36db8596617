#include <cstdio>  // jpeglib.h needs FILE

#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "convert/image_codecs.h"

// libjpeg reports errors by a long jump; as with PNG, the functions that set
// the jump point keep their objects with destructors in the state record.
namespace convert {

namespace {

// Progressive files may hold any number of scans, each a full pass over the
// picture; real encoders write about ten. Beyond this a file is an attack on
// the decoder's time.
constexpr int kMaxScans = 500;

struct JpegErrors {
  jpeg_error_mgr manager;
  jmp_buf jump;
};

[[noreturn]] void JpegErrorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}
void JpegOutputMessage(j_common_ptr) {}

struct JpegReader {
  std::span<const uint8_t> bytes;
  DecodeLimits limits;
  jpeg_decompress_struct info;
  JpegErrors errors;
  jpeg_progress_mgr progress;
  DecodedImage image;
  std::vector<uint8_t> row;  // one CMYK row
};

void WatchScans(j_common_ptr common) {
  auto* info = reinterpret_cast<j_decompress_ptr>(common);
  if (info->input_scan_number > kMaxScans) JpegErrorExit(common);
}

bool ReadJpeg(JpegReader* r) {
  if (setjmp(r->errors.jump)) return false;
  jpeg_create_decompress(&r->info);
  r->info.progress = &r->progress;
  jpeg_mem_src(&r->info, r->bytes.data(), static_cast<unsigned long>(r->bytes.size()));
  if (jpeg_read_header(&r->info, TRUE) != JPEG_HEADER_OK) return false;
  if (!WithinDecodeLimits(r->info.image_width, r->info.image_height, r->limits)) return false;
  bool cmyk = r->info.jpeg_color_space == JCS_CMYK || r->info.jpeg_color_space == JCS_YCCK;
  r->info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
  jpeg_start_decompress(&r->info);
  const JDIMENSION width = r->info.output_width;
  const JDIMENSION height = r->info.output_height;
  if (!WithinDecodeLimits(width, height, r->limits) || r->info.output_components != 4) return false;
  r->image.pixels.resize(static_cast<size_t>(width) * height);
  r->row.resize(static_cast<size_t>(width) * 4);
  // Adobe writes CMYK inverted (0 = full ink); that is the only CMYK JPEG in
  // common use.
  const bool inverted = r->info.saw_Adobe_marker;
  while (r->info.output_scanline < height) {
    JDIMENSION y = r->info.output_scanline;
    uint32_t* dst = r->image.pixels.data() + static_cast<size_t>(y) * width;
    JSAMPROW rowPointer = cmyk ? r->row.data() : reinterpret_cast<JSAMPROW>(dst);
    if (jpeg_read_scanlines(&r->info, &rowPointer, 1) != 1) return false;
    if (cmyk) {
      for (JDIMENSION x = 0; x < width; ++x) {
        uint32_t c = r->row[4 * x], m = r->row[4 * x + 1], yl = r->row[4 * x + 2],
                 k = r->row[4 * x + 3];
        if (!inverted) c = 255 - c, m = 255 - m, yl = 255 - yl, k = 255 - k;
        dst[x] = Argb(255, c * k / 255, m * k / 255, yl * k / 255);
      }
    }
  }
  // libjpeg warns, and fills in grey, when the data ends early or is corrupt.
  r->image.incomplete = r->errors.manager.num_warnings > 0;
  jpeg_finish_decompress(&r->info);
  r->image.incomplete = r->image.incomplete || r->errors.manager.num_warnings > 0;
  r->image.width = static_cast<int>(width);
  r->image.height = static_cast<int>(height);
  return true;
}

struct JpegWriter {
  const ImageToEncode* image = nullptr;
  jpeg_compress_struct info;
  JpegErrors errors;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  std::vector<uint32_t> row;
};

bool WriteJpeg(JpegWriter* w) {
  if (setjmp(w->errors.jump)) return false;
  const ImageToEncode& image = *w->image;
  jpeg_create_compress(&w->info);
  jpeg_mem_dest(&w->info, &w->buffer, &w->size);
  w->info.image_width = static_cast<JDIMENSION>(image.width);
  w->info.image_height = static_cast<JDIMENSION>(image.height);
  w->info.input_components = 4;
  w->info.in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(&w->info);
  jpeg_start_compress(&w->info, TRUE);
  w->row.resize(static_cast<size_t>(image.width));
  const bool indexed = !image.palette.empty();
  while (w->info.next_scanline < w->info.image_height) {
    const uint32_t* src =
        image.pixels.data() + static_cast<size_t>(w->info.next_scanline) * image.width;
    for (int x = 0; x < image.width; ++x)
      w->row[static_cast<size_t>(x)] =
          indexed ? image.palette[std::min<size_t>(src[x] & 255, image.palette.size() - 1)]
                  : src[x];
    JSAMPROW rowPointer = reinterpret_cast<JSAMPROW>(w->row.data());
    jpeg_write_scanlines(&w->info, &rowPointer, 1);
  }
  jpeg_finish_compress(&w->info);
  return true;
}

}  // namespace

bool DecodeJpeg(std::span<const uint8_t> bytes, DecodedImage& out, const DecodeLimits& limits) {
  out = {};
  JpegReader r;
  r.bytes = bytes;
  r.limits = limits;
  std::memset(&r.info, 0, sizeof r.info);
  r.info.err = jpeg_std_error(&r.errors.manager);
  r.errors.manager.error_exit = JpegErrorExit;
  r.errors.manager.output_message = JpegOutputMessage;
  std::memset(&r.progress, 0, sizeof r.progress);
  r.progress.progress_monitor = WatchScans;
  bool ok = ReadJpeg(&r);
  jpeg_destroy_decompress(&r.info);
  if (!ok) return false;
  out = std::move(r.image);
  return true;
}

bool EncodeJpeg(const ImageToEncode& image, std::string& out) {
  if (!ValidImageToEncode(image)) return false;
  JpegWriter w;
  w.image = &image;
  std::memset(&w.info, 0, sizeof w.info);
  w.info.err = jpeg_std_error(&w.errors.manager);
  w.errors.manager.error_exit = JpegErrorExit;
  w.errors.manager.output_message = JpegOutputMessage;
  bool ok = WriteJpeg(&w);
  jpeg_destroy_compress(&w.info);
  if (ok) out.append(reinterpret_cast<const char*>(w.buffer), w.size);
  std::free(w.buffer);
  return ok;
}

}  // namespace convert
