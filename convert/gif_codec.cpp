#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "convert/halftone.h"
#include "convert/image_codecs.h"

namespace convert {

namespace {

struct GifInput {
  std::span<const uint8_t> bytes;
  size_t pos = 0;
};

int ReadGifBytes(GifFileType* gif, GifByteType* buffer, int length) {
  auto* in = static_cast<GifInput*>(gif->UserData);
  if (length <= 0) return 0;
  size_t n = std::min(static_cast<size_t>(length), in->bytes.size() - in->pos);
  std::memcpy(buffer, in->bytes.data() + in->pos, n);
  in->pos += n;
  return static_cast<int>(n);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};

// Rows of an interlaced frame arrive in four passes.
std::vector<int> FrameRowOrder(int height, bool interlaced) {
  std::vector<int> order;
  order.reserve(static_cast<size_t>(height));
  if (!interlaced) {
    for (int y = 0; y < height; ++y) order.push_back(y);
    return order;
  }
  constexpr int kStart[4] = {0, 4, 2, 1};
  constexpr int kStep[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int y = kStart[pass]; y < height; y += kStep[pass]) order.push_back(y);
  return order;
}

int WriteGifBytes(GifFileType* gif, const GifByteType* data, int length) {
  static_cast<std::string*>(gif->UserData)
      ->append(reinterpret_cast<const char*>(data), static_cast<size_t>(length));
  return length;
}

struct GifEncoderCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    EGifCloseFile(gif, &error);
  }
};

struct ColourMapFree {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

}  // namespace

// Only the first frame is shown, as the desktop's imaging library does when a
// picture is drawn once. The canvas is the file's logical screen; what the
// frame does not cover is transparent.
bool DecodeGif(std::span<const uint8_t> bytes, DecodedImage& out, const DecodeLimits& limits) {
  out = {};
  GifInput input{bytes, 0};
  int error = 0;
  std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&input, ReadGifBytes, &error));
  if (!gif) return false;
  int transparentIndex = -1;
  std::vector<GifPixelType> line;
  for (;;) {
    GifRecordType type;
    if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) return false;
    if (type == TERMINATE_RECORD_TYPE) return false;  // no frame at all
    if (type == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* extension = nullptr;
      if (DGifGetExtension(gif.get(), &code, &extension) == GIF_ERROR) return false;
      if (code == GRAPHICS_EXT_FUNC_CODE && extension && extension[0] >= 4) {
        GraphicsControlBlock gcb;
        if (DGifExtensionToGCB(extension[0], extension + 1, &gcb) == GIF_OK)
          transparentIndex = gcb.TransparentColor;
      }
      while (extension)
        if (DGifGetExtensionNext(gif.get(), &extension) == GIF_ERROR) return false;
      continue;
    }
    if (type != IMAGE_DESC_RECORD_TYPE) continue;
    if (DGifGetImageDesc(gif.get()) == GIF_ERROR) return false;
    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (!map || map->ColorCount < 1 || map->ColorCount > 256 || !map->Colors) return false;
    if (frame.Left < 0 || frame.Top < 0 || frame.Width < 1 || frame.Height < 1) return false;
    int64_t width = gif->SWidth, height = gif->SHeight;
    if (width < 1 || height < 1) {
      width = int64_t{frame.Left} + frame.Width;
      height = int64_t{frame.Top} + frame.Height;
    }
    if (!WithinDecodeLimits(static_cast<uint64_t>(width), static_cast<uint64_t>(height), limits) ||
        !WithinDecodeLimits(static_cast<uint64_t>(frame.Width), static_cast<uint64_t>(frame.Height),
                            limits))
      return false;
    out.palette.resize(static_cast<size_t>(map->ColorCount));
    for (int i = 0; i < map->ColorCount; ++i) {
      const GifColorType& c = map->Colors[i];
      out.palette[static_cast<size_t>(i)] =
          Argb(i == transparentIndex ? 0 : 255, c.Red, c.Green, c.Blue);
    }
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    line.resize(static_cast<size_t>(frame.Width));
    for (int row : FrameRowOrder(frame.Height, frame.Interlace)) {
      if (DGifGetLine(gif.get(), line.data(), frame.Width) == GIF_ERROR) {
        out = {};
        return false;
      }
      int64_t y = int64_t{frame.Top} + row;
      if (y >= height) continue;
      uint32_t* dst = out.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
      for (int x = 0; x < frame.Width; ++x) {
        int64_t cx = int64_t{frame.Left} + x;
        if (cx >= width) break;
        int index = line[static_cast<size_t>(x)];
        if (index == transparentIndex) continue;
        dst[cx] = index < map->ColorCount ? (out.palette[static_cast<size_t>(index)] | 0xFF000000u)
                                          : Argb(255, 0, 0, 0);
      }
    }
    return true;
  }
}

// A true-colour picture is written with its own colours when it has 256 or
// fewer, otherwise dithered onto the halftone palette.
bool EncodeGif(const ImageToEncode& image, std::string& out) {
  if (!ValidImageToEncode(image) || image.width > 65535 || image.height > 65535) return false;
  const size_t count = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
  std::vector<uint32_t> palette(image.palette.begin(), image.palette.end());
  std::vector<uint8_t> indices(count);
  if (!palette.empty()) {
    for (size_t i = 0; i < count; ++i) indices[i] = static_cast<uint8_t>(image.pixels[i]);
  } else {
    std::unordered_map<uint32_t, uint8_t> seen;
    bool fits = true;
    for (size_t i = 0; i < count && fits; ++i) {
      uint32_t c = image.pixels[i] & 0xFFFFFF;
      auto [it, added] = seen.try_emplace(c, static_cast<uint8_t>(palette.size()));
      if (added) {
        if (palette.size() == 256)
          fits = false;
        else
          palette.push_back(c);
      }
      indices[i] = it->second;
    }
    if (!fits) {
      const auto& halftone = HalftonePalette();
      palette.assign(halftone.begin(), halftone.end());
      for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
          size_t i = static_cast<size_t>(y) * image.width + x;
          uint32_t c = image.pixels[i];
          indices[i] = static_cast<uint8_t>(HalftoneIndex(static_cast<uint8_t>(c >> 16),
                                                          static_cast<uint8_t>(c >> 8),
                                                          static_cast<uint8_t>(c), x, y));
        }
    }
  }
  // The colour table of a GIF holds a power of two entries, at least two.
  int bits = 1;
  while ((size_t{1} << bits) < palette.size()) ++bits;
  std::vector<GifColorType> colours(size_t{1} << bits, GifColorType{0, 0, 0});
  for (size_t i = 0; i < palette.size(); ++i)
    colours[i] = {static_cast<GifByteType>(palette[i] >> 16),
                  static_cast<GifByteType>(palette[i] >> 8), static_cast<GifByteType>(palette[i])};
  std::unique_ptr<ColorMapObject, ColourMapFree> map(
      GifMakeMapObject(static_cast<int>(colours.size()), colours.data()));
  if (!map) return false;
  std::string bytes;
  int error = 0;
  std::unique_ptr<GifFileType, GifEncoderCloser> gif(EGifOpen(&bytes, WriteGifBytes, &error));
  if (!gif) return false;
  if (EGifPutScreenDesc(gif.get(), image.width, image.height, bits, 0, map.get()) == GIF_ERROR ||
      EGifPutImageDesc(gif.get(), 0, 0, image.width, image.height, false, nullptr) == GIF_ERROR)
    return false;
  for (int y = 0; y < image.height; ++y)
    if (EGifPutLine(gif.get(), indices.data() + static_cast<size_t>(y) * image.width,
                    image.width) == GIF_ERROR)
      return false;
  // Closing writes the trailer.
  GifFileType* raw = gif.release();
  if (EGifCloseFile(raw, &error) == GIF_ERROR) return false;
  out += bytes;
  return true;
}

}  // namespace convert
