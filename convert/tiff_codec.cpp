#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "convert/image_codecs.h"

namespace convert {

namespace {

// A TIFF file in memory, for reading or writing through libtiff's client
// procedures.
struct MemoryFile {
  std::span<const uint8_t> input;  // reading
  std::string* output = nullptr;   // writing
  uint64_t pos = 0;

  uint64_t size() const { return output ? output->size() : input.size(); }
};

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size) {
  auto* f = static_cast<MemoryFile*>(handle);
  if (size <= 0 || f->pos >= f->size()) return 0;
  uint64_t n = std::min<uint64_t>(static_cast<uint64_t>(size), f->size() - f->pos);
  const uint8_t* src =
      f->output ? reinterpret_cast<const uint8_t*>(f->output->data()) : f->input.data();
  std::memcpy(buffer, src + f->pos, n);
  f->pos += n;
  return static_cast<tmsize_t>(n);
}

tmsize_t WriteProc(thandle_t handle, void* buffer, tmsize_t size) {
  auto* f = static_cast<MemoryFile*>(handle);
  if (!f->output || size < 0) return -1;
  uint64_t end = f->pos + static_cast<uint64_t>(size);
  if (end > f->output->size()) f->output->resize(end);
  std::memcpy(f->output->data() + f->pos, buffer, static_cast<size_t>(size));
  f->pos = end;
  return size;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
  auto* f = static_cast<MemoryFile*>(handle);
  uint64_t base = whence == SEEK_CUR ? f->pos : whence == SEEK_END ? f->size() : 0;
  uint64_t target = base + offset;
  if (target < base) return static_cast<toff_t>(-1);
  // Reading never goes past the end; a writer may seek beyond it and fill.
  if (!f->output && target > f->size()) return static_cast<toff_t>(-1);
  f->pos = target;
  return target;
}

int CloseProc(thandle_t) { return 0; }
toff_t SizeProc(thandle_t handle) { return static_cast<MemoryFile*>(handle)->size(); }
int MapProc(thandle_t, void**, toff_t*) { return 0; }
void UnmapProc(thandle_t, void*, toff_t) {}

int QuietHandler(TIFF*, void*, const char*, const char*, va_list) { return 1; }

struct TiffCloser {
  void operator()(TIFF* tif) const { TIFFClose(tif); }
};
struct OptionsFree {
  void operator()(TIFFOpenOptions* o) const { TIFFOpenOptionsFree(o); }
};

std::unique_ptr<TIFF, TiffCloser> OpenMemory(MemoryFile& file, const char* mode,
                                             tmsize_t maxAlloc) {
  std::unique_ptr<TIFFOpenOptions, OptionsFree> options(TIFFOpenOptionsAlloc());
  if (!options) return nullptr;
  TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), maxAlloc);
  TIFFOpenOptionsSetErrorHandlerExtR(options.get(), QuietHandler, nullptr);
  TIFFOpenOptionsSetWarningHandlerExtR(options.get(), QuietHandler, nullptr);
  return std::unique_ptr<TIFF, TiffCloser>(
      TIFFClientOpenExt("memory", mode, &file, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc,
                        MapProc, UnmapProc, options.get()));
}

// libtiff's own allocations (strips, tiles, tables) are held to this; the
// picture itself is allocated here, after its size passed the limits.
constexpr tmsize_t kMaxTiffAllocation = tmsize_t{256} << 20;

}  // namespace

// The common layouts (8-bit RGB or RGBA with unassociated alpha, palette
// pictures of up to 8 bits, in strips, top row first) are read row by row,
// which keeps their values exact: libtiff's general reader premultiplies
// unassociated alpha and cuts 16-bit colour map levels to their high byte.
// Everything else goes through that general reader.
bool DecodeTiff(std::span<const uint8_t> bytes, DecodedImage& out, const DecodeLimits& limits) {
  out = {};
  MemoryFile file;
  file.input = bytes;
  auto tif = OpenMemory(file, "rm", kMaxTiffAllocation);
  if (!tif) return false;
  TIFF* t = tif.get();
  uint32_t width = 0, height = 0;
  if (!TIFFGetField(t, TIFFTAG_IMAGEWIDTH, &width) ||
      !TIFFGetField(t, TIFFTAG_IMAGELENGTH, &height) || !WithinDecodeLimits(width, height, limits))
    return false;
  char message[1024] = {};
  if (!TIFFRGBAImageOK(t, message)) return false;

  uint16_t photometric = 0, bitsPerSample = 1, samples = 1, planar = PLANARCONFIG_CONTIG,
           orientation = ORIENTATION_TOPLEFT;
  TIFFGetFieldDefaulted(t, TIFFTAG_BITSPERSAMPLE, &bitsPerSample);
  TIFFGetFieldDefaulted(t, TIFFTAG_SAMPLESPERPIXEL, &samples);
  TIFFGetFieldDefaulted(t, TIFFTAG_PLANARCONFIG, &planar);
  TIFFGetFieldDefaulted(t, TIFFTAG_ORIENTATION, &orientation);
  TIFFGetField(t, TIFFTAG_PHOTOMETRIC, &photometric);
  uint16_t extraCount = 0;
  uint16_t* extraTypes = nullptr;
  TIFFGetFieldDefaulted(t, TIFFTAG_EXTRASAMPLES, &extraCount, &extraTypes);

  const bool palette = photometric == PHOTOMETRIC_PALETTE && samples == 1 && bitsPerSample >= 1 &&
                       bitsPerSample <= 8 && (8 % bitsPerSample) == 0;
  if (palette) {
    uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
    if (TIFFGetField(t, TIFFTAG_COLORMAP, &red, &green, &blue) && red && green && blue) {
      const size_t count = size_t{1} << bitsPerSample;
      // Colour maps hold 16-bit levels; some old writers put 8-bit ones there.
      bool eightBit = true;
      for (size_t i = 0; i < count; ++i)
        if (red[i] >= 256 || green[i] >= 256 || blue[i] >= 256) eightBit = false;
      auto level = [&](uint16_t v) {
        return eightBit ? uint32_t{v} : (uint32_t{v} * 255 + 32767) / 65535;
      };
      out.palette.resize(count);
      for (size_t i = 0; i < count; ++i)
        out.palette[i] = Argb(255, level(red[i]), level(green[i]), level(blue[i]));
    }
  }
  const bool rgb = photometric == PHOTOMETRIC_RGB && bitsPerSample == 8 &&
                   (samples == 3 || (samples == 4 && extraCount == 1 && extraTypes &&
                                     extraTypes[0] == EXTRASAMPLE_UNASSALPHA));
  const bool byRows = (rgb || (palette && !out.palette.empty())) && !TIFFIsTiled(t) &&
                      planar == PLANARCONFIG_CONTIG && orientation == ORIENTATION_TOPLEFT;

  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  if (byRows) {
    const tmsize_t rowBytes = TIFFScanlineSize(t);
    const uint64_t needed =
        rgb ? uint64_t{width} * samples : (uint64_t{width} * bitsPerSample + 7) / 8;
    if (rowBytes <= 0 || static_cast<uint64_t>(rowBytes) < needed) {
      out = {};
      return false;
    }
    std::vector<uint8_t> row(static_cast<size_t>(rowBytes));
    for (uint32_t y = 0; y < height; ++y) {
      if (TIFFReadScanline(t, row.data(), y, 0) < 0) {
        out = {};
        return false;
      }
      uint32_t* dst = pixels.data() + static_cast<size_t>(y) * width;
      for (uint32_t x = 0; x < width; ++x) {
        if (rgb) {
          const uint8_t* p = row.data() + static_cast<size_t>(x) * samples;
          dst[x] = Argb(samples == 4 ? p[3] : 255, p[0], p[1], p[2]);
        } else {
          const uint32_t bit = x * bitsPerSample;
          const uint32_t index =
              (row[bit / 8] >> (8 - bitsPerSample - bit % 8)) & ((1u << bitsPerSample) - 1);
          dst[x] = out.palette[index];
        }
      }
    }
  } else {
    if (!TIFFReadRGBAImageOriented(t, width, height, pixels.data(), ORIENTATION_TOPLEFT, 0)) {
      out = {};
      return false;
    }
    // libtiff packs red in the low byte.
    for (uint32_t& p : pixels) p = Argb(TIFFGetA(p), TIFFGetR(p), TIFFGetG(p), TIFFGetB(p));
  }
  out.width = static_cast<int>(width);
  out.height = static_cast<int>(height);
  out.pixels = std::move(pixels);
  return true;
}

bool EncodeTiff(const ImageToEncode& image, std::string& out) {
  if (!ValidImageToEncode(image)) return false;
  std::string bytes;
  MemoryFile file;
  file.output = &bytes;
  auto tif = OpenMemory(file, "w", 0);
  if (!tif) return false;
  const bool indexed = !image.palette.empty();
  const uint16_t samples = indexed ? 1 : 3;
  TIFF* t = tif.get();
  TIFFSetField(t, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(image.width));
  TIFFSetField(t, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(image.height));
  TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, samples);
  TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(t, TIFFTAG_PHOTOMETRIC, indexed ? PHOTOMETRIC_PALETTE : PHOTOMETRIC_RGB);
  TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
  TIFFSetField(t, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
  TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(t, 0));
  std::vector<uint16_t> red(256, 0), green(256, 0), blue(256, 0);
  if (indexed) {
    for (size_t i = 0; i < image.palette.size(); ++i) {
      red[i] = static_cast<uint16_t>(((image.palette[i] >> 16) & 255) * 257);
      green[i] = static_cast<uint16_t>(((image.palette[i] >> 8) & 255) * 257);
      blue[i] = static_cast<uint16_t>((image.palette[i] & 255) * 257);
    }
    TIFFSetField(t, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
  }
  std::vector<uint8_t> row(static_cast<size_t>(image.width) * samples);
  for (int y = 0; y < image.height; ++y) {
    const uint32_t* src = image.pixels.data() + static_cast<size_t>(y) * image.width;
    for (int x = 0; x < image.width; ++x) {
      if (indexed) {
        row[static_cast<size_t>(x)] = static_cast<uint8_t>(src[x]);
      } else {
        row[3 * static_cast<size_t>(x)] = static_cast<uint8_t>(src[x] >> 16);
        row[3 * static_cast<size_t>(x) + 1] = static_cast<uint8_t>(src[x] >> 8);
        row[3 * static_cast<size_t>(x) + 2] = static_cast<uint8_t>(src[x]);
      }
    }
    if (TIFFWriteScanline(t, row.data(), static_cast<uint32_t>(y), 0) < 0) return false;
  }
  if (!TIFFWriteDirectory(t)) return false;
  tif.reset();
  out += bytes;
  return true;
}

}  // namespace convert
