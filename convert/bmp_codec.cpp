// BMP files are read and written here rather than through a library: the
// format is small, and reading it ourselves keeps every offset checked.
#include <algorithm>
#include <bit>
#include <cstring>

#include "convert/image_codecs.h"

namespace convert {

namespace {

constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitFields = 3;
constexpr uint32_t kAlphaBitFields = 6;

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kCoreHeaderBytes = 12;
constexpr size_t kInfoHeaderBytes = 40;

uint32_t U16(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint32_t>(b[at] | (b[at + 1] << 8));
}
uint32_t U32(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
         (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

// One channel of a bit-field pixel, scaled to 8 bits.
struct Field {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;

  explicit Field(uint32_t m = 0) : mask(m) {
    if (mask == 0) return;
    shift = std::countr_zero(mask);
    max = mask >> shift;
  }
  uint32_t get(uint32_t pixel) const {
    if (max == 0) return 0;
    uint64_t v = (pixel & mask) >> shift;
    return static_cast<uint32_t>((v * 255 + max / 2) / max);
  }
};

struct Header {
  int64_t width = 0;
  int64_t height = 0;  // positive: bottom row first
  uint32_t bitCount = 0;
  uint32_t compression = kRgb;
  uint32_t coloursUsed = 0;
  size_t headerBytes = 0;
  size_t paletteAt = 0;
  size_t paletteEntryBytes = 4;
  uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
  bool hasMasks = false;
};

bool ReadHeader(std::span<const uint8_t> b, Header& h) {
  if (b.size() < kFileHeaderBytes + 4 || b[0] != 'B' || b[1] != 'M') return false;
  h.headerBytes = U32(b, kFileHeaderBytes);
  if (h.headerBytes < kCoreHeaderBytes || h.headerBytes > b.size() - kFileHeaderBytes) return false;
  const size_t at = kFileHeaderBytes;
  if (h.headerBytes == kCoreHeaderBytes) {
    h.width = U16(b, at + 4);
    h.height = U16(b, at + 6);
    h.bitCount = U16(b, at + 10);
    h.paletteEntryBytes = 3;
  } else {
    if (h.headerBytes < 16) return false;
    h.width = static_cast<int32_t>(U32(b, at + 4));
    h.height = static_cast<int32_t>(U32(b, at + 8));
    h.bitCount = U16(b, at + 14);
    if (h.headerBytes >= 20) h.compression = U32(b, at + 16);
    if (h.headerBytes >= 36) h.coloursUsed = U32(b, at + 32);
    if (h.headerBytes >= 52) {
      for (int i = 0; i < 3; ++i) h.masks[i] = U32(b, at + 40 + 4 * static_cast<size_t>(i));
      h.hasMasks = true;
    }
    if (h.headerBytes >= 56) h.masks[3] = U32(b, at + 52);
  }
  h.paletteAt = kFileHeaderBytes + h.headerBytes;
  // Masks following a plain info header.
  if (h.headerBytes == kInfoHeaderBytes &&
      (h.compression == kBitFields || h.compression == kAlphaBitFields)) {
    size_t count = h.compression == kAlphaBitFields ? 4 : 3;
    if (b.size() < h.paletteAt + 4 * count) return false;
    for (size_t i = 0; i < count; ++i) h.masks[i] = U32(b, h.paletteAt + 4 * i);
    h.hasMasks = true;
    h.paletteAt += 4 * count;
  }
  return true;
}

bool DecodeRle(std::span<const uint8_t> data, bool fourBits, int width, int height,
               std::vector<uint8_t>& indices, bool& complete) {
  // Rows come bottom-up; pixels never reached keep index 0.
  size_t pos = 0;
  int x = 0;
  int y = height - 1;
  auto put = [&](uint32_t index) {
    if (x < width && y >= 0) {
      indices[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
          static_cast<uint8_t>(index);
      ++x;
    }
  };
  complete = false;
  while (pos + 1 < data.size() && y >= 0) {
    uint32_t count = data[pos];
    uint32_t value = data[pos + 1];
    pos += 2;
    if (count > 0) {
      for (uint32_t i = 0; i < count && x < width; ++i)
        put(fourBits ? ((i & 1) ? (value & 15) : (value >> 4)) : value);
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      --y;
    } else if (value == 1) {  // end of picture
      complete = true;
      break;
    } else if (value == 2) {  // move right and up
      if (pos + 1 >= data.size()) break;
      x = std::min(x + data[pos], width);
      y -= data[pos + 1];
      pos += 2;
    } else {  // a literal run, padded to 16 bits
      size_t bytes = fourBits ? (value + 1) / 2 : value;
      if (pos + bytes > data.size()) return false;
      for (uint32_t i = 0; i < value; ++i) {
        uint32_t byte = data[pos + (fourBits ? i / 2 : i)];
        put(fourBits ? ((i & 1) ? (byte & 15) : (byte >> 4)) : byte);
      }
      pos += (bytes + 1) & ~size_t{1};
    }
  }
  // Every row reached counts as whole even without the closing code.
  if (y < 0) complete = true;
  return true;
}

void PutU16(std::string& out, uint32_t v) {
  out.push_back(static_cast<char>(v & 255));
  out.push_back(static_cast<char>((v >> 8) & 255));
}
void PutU32(std::string& out, uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

}  // namespace

bool DecodeBmp(std::span<const uint8_t> b, DecodedImage& out, const DecodeLimits& limits) {
  out = {};
  Header h;
  if (!ReadHeader(b, h)) return false;
  bool topDown = h.height < 0;
  int64_t height64 = topDown ? -h.height : h.height;
  if (h.width < 1 || height64 < 1 ||
      !WithinDecodeLimits(static_cast<uint64_t>(h.width), static_cast<uint64_t>(height64), limits))
    return false;
  const int width = static_cast<int>(h.width);
  const int height = static_cast<int>(height64);
  const uint32_t bpp = h.bitCount;
  bool indexed = bpp == 1 || bpp == 2 || bpp == 4 || bpp == 8;
  bool rle = h.compression == kRle8 || h.compression == kRle4;
  if (rle && ((h.compression == kRle8 && bpp != 8) || (h.compression == kRle4 && bpp != 4)))
    return false;
  bool fields = h.compression == kBitFields || h.compression == kAlphaBitFields;
  if (!indexed && bpp != 16 && bpp != 24 && bpp != 32) return false;
  if (!rle && !fields && h.compression != kRgb) return false;
  if (fields && bpp != 16 && bpp != 32) return false;

  const size_t dataAt = U32(b, 10);
  if (dataAt >= b.size()) return false;

  std::vector<uint32_t> palette;
  if (indexed) {
    size_t entries = size_t{1} << bpp;
    if (h.coloursUsed > 0 && h.coloursUsed < entries) entries = h.coloursUsed;
    // A palette cut short by the pixel data keeps the entries that are there.
    size_t end = std::min(dataAt, b.size());
    if (h.paletteAt < end)
      entries = std::min(entries, (end - h.paletteAt) / h.paletteEntryBytes);
    else
      entries = 0;
    if (entries == 0) return false;
    palette.resize(entries);
    for (size_t i = 0; i < entries; ++i) {
      size_t at = h.paletteAt + i * h.paletteEntryBytes;
      palette[i] = Argb(255, b[at + 2], b[at + 1], b[at]);
    }
  }

  std::span<const uint8_t> data = b.subspan(dataAt);
  const size_t pixelCount = static_cast<size_t>(width) * static_cast<size_t>(height);
  out.pixels.assign(pixelCount, 0);
  auto colourOf = [&](uint32_t index) {
    return index < palette.size() ? palette[index] : Argb(255, 0, 0, 0);
  };

  if (rle) {
    std::vector<uint8_t> indices(pixelCount, 0);
    bool complete = false;
    if (!DecodeRle(data, h.compression == kRle4, width, height, indices, complete)) {
      out = {};
      return false;
    }
    // RLE rows are stored bottom-up; `indices` is already top row first.
    for (size_t i = 0; i < pixelCount; ++i) out.pixels[i] = colourOf(indices[i]);
    out.incomplete = !complete;
  } else {
    const uint64_t stride = ((static_cast<uint64_t>(width) * bpp + 31) / 32) * 4;
    const uint64_t lastRow = (static_cast<uint64_t>(width) * bpp + 7) / 8;
    if (data.size() < stride * static_cast<uint64_t>(height - 1) + lastRow) {
      out = {};
      return false;
    }
    Field red, green, blue, alpha;
    if (bpp == 16) {
      if (fields) {
        red = Field(h.masks[0]), green = Field(h.masks[1]), blue = Field(h.masks[2]);
        alpha = Field(h.masks[3]);
      } else {
        red = Field(0x7C00), green = Field(0x03E0), blue = Field(0x001F);
      }
    } else if (bpp == 32 && fields) {
      red = Field(h.masks[0]), green = Field(h.masks[1]), blue = Field(h.masks[2]);
      alpha = Field(h.masks[3]);
    } else if (bpp == 32 && h.hasMasks && h.masks[3] != 0) {
      // A version 4 or 5 header may carry an alpha mask on plain 32-bit data.
      red = Field(0x00FF0000), green = Field(0x0000FF00), blue = Field(0x000000FF);
      alpha = Field(h.masks[3]);
    } else if (bpp == 32) {
      red = Field(0x00FF0000), green = Field(0x0000FF00), blue = Field(0x000000FF);
    }
    bool anyAlpha = false;
    for (int row = 0; row < height; ++row) {
      int y = topDown ? row : height - 1 - row;
      const uint8_t* src = data.data() + stride * static_cast<uint64_t>(row);
      uint32_t* dst = out.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
      for (int x = 0; x < width; ++x) {
        uint32_t px;
        switch (bpp) {
          case 1:
          case 2:
          case 4:
          case 8: {
            uint32_t bit = static_cast<uint32_t>(x) * bpp;
            uint32_t byte = src[bit / 8];
            uint32_t index = (byte >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
            px = colourOf(index);
            break;
          }
          case 24:
            px = Argb(255, src[3 * x + 2], src[3 * x + 1], src[3 * x]);
            break;
          default: {
            uint32_t v = bpp == 16 ? (src[2 * x] | (src[2 * x + 1] << 8))
                                   : (src[4 * x] | (src[4 * x + 1] << 8) | (src[4 * x + 2] << 16) |
                                      (static_cast<uint32_t>(src[4 * x + 3]) << 24));
            uint32_t a = alpha.mask ? alpha.get(v) : 255;
            if (alpha.mask && a != 0) anyAlpha = true;
            px = Argb(a, red.get(v), green.get(v), blue.get(v));
            break;
          }
        }
        dst[x] = px;
      }
    }
    // An alpha mask over data whose alpha is zero everywhere is a writer that
    // filled the mask in without meaning it: the picture is opaque.
    if (alpha.mask && !anyAlpha)
      for (uint32_t& p : out.pixels) p |= 0xFF000000u;
  }
  out.width = width;
  out.height = height;
  out.palette = std::move(palette);
  return true;
}

bool EncodeBmp(const ImageToEncode& image, std::string& out) {
  if (!ValidImageToEncode(image)) return false;
  const bool indexed = !image.palette.empty();
  const uint32_t bpp = indexed ? 8 : 24;
  const uint64_t stride = ((static_cast<uint64_t>(image.width) * bpp + 31) / 32) * 4;
  const uint64_t paletteBytes = indexed ? 4 * image.palette.size() : 0;
  const uint64_t dataAt = kFileHeaderBytes + kInfoHeaderBytes + paletteBytes;
  const uint64_t total = dataAt + stride * static_cast<uint64_t>(image.height);
  if (total > UINT32_MAX) return false;
  out.reserve(out.size() + total);
  out += "BM";
  PutU32(out, static_cast<uint32_t>(total));
  PutU32(out, 0);
  PutU32(out, static_cast<uint32_t>(dataAt));
  PutU32(out, kInfoHeaderBytes);
  PutU32(out, static_cast<uint32_t>(image.width));
  PutU32(out, static_cast<uint32_t>(image.height));
  PutU16(out, 1);
  PutU16(out, bpp);
  PutU32(out, kRgb);
  PutU32(out, static_cast<uint32_t>(stride * static_cast<uint64_t>(image.height)));
  PutU32(out, 2835);  // 72 dots per inch
  PutU32(out, 2835);
  PutU32(out, static_cast<uint32_t>(image.palette.size()));
  PutU32(out, 0);
  for (uint32_t c : image.palette) {
    out.push_back(static_cast<char>(c & 255));
    out.push_back(static_cast<char>((c >> 8) & 255));
    out.push_back(static_cast<char>((c >> 16) & 255));
    out.push_back(0);
  }
  std::string row(stride, '\0');
  for (int y = image.height - 1; y >= 0; --y) {
    const uint32_t* src = image.pixels.data() + static_cast<size_t>(y) * image.width;
    for (int x = 0; x < image.width; ++x) {
      if (indexed) {
        row[x] = static_cast<char>(src[x] & 255);
      } else {
        row[3 * x] = static_cast<char>(src[x] & 255);
        row[3 * x + 1] = static_cast<char>((src[x] >> 8) & 255);
        row[3 * x + 2] = static_cast<char>((src[x] >> 16) & 255);
      }
    }
    out += row;
  }
  return true;
}

}  // namespace convert
