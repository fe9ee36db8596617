#include "formats/element_preview.h"

#include <algorithm>
#include <cmath>

#include "convert/colour_mode.h"
#include "convert/converted_pixel.h"
#include "convert/map_format.h"
#include "convert/tile_layout.h"

namespace formats {

namespace {

constexpr uint32_t kOpaqueByte = 0xFF000000u;

// The rows of a width-pixel image that fit in the memory limit (0: no limit);
// at least one row, so that a preview always shows something.
int RowsWithin(int width, int height, uint64_t memoryLimit) {
  if (memoryLimit == 0 || width <= 0) return height;
  uint64_t rows = memoryLimit / (static_cast<uint64_t>(width) * 4u);
  return static_cast<int>(
      std::clamp<uint64_t>(rows, 1, static_cast<uint64_t>(std::max(height, 0))));
}

PreviewImage Blank(int width, int height, uint64_t memoryLimit, uint32_t fill) {
  PreviewImage image;
  if (width <= 0 || height <= 0) return image;
  image.width = width;
  image.fullHeight = height;
  image.height = RowsWithin(width, height, memoryLimit);
  image.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(image.height), fill);
  return image;
}

// The screen colour of one stored pixel: palette modes look the index up in
// the window of the sub-palette, direct modes hold colours with 8-bit levels.
uint32_t PixelColour(uint32_t pixel, const convert::ColourMode& mode,
                     std::span<const uint32_t, 256> colours, uint32_t subPalette,
                     uint32_t background) {
  switch (mode.paletteKind) {
    case convert::PaletteKind::SubPalettes: {
      uint32_t size = static_cast<uint32_t>(std::max(mode.coloursPerSubPalette, 1));
      return colours[(subPalette * size + pixel % size) & 255u] | kOpaqueByte;
    }
    case convert::PaletteKind::Single:
      return colours[pixel & 255u] | kOpaqueByte;
    case convert::PaletteKind::Direct:
      break;
  }
  if (convert::IsTransparent(pixel)) return background | kOpaqueByte;
  return pixel | kOpaqueByte;
}

}  // namespace

uint64_t PreviewBytes(int width, int height) {
  if (width <= 0 || height <= 0) return 0;
  return static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 4u;
}

std::array<uint32_t, 256> PreviewColours(const PaletteData& palette, int levelBits) {
  std::array<uint32_t, 256> out{};
  int count = std::clamp(palette.count, 0, 256);
  for (int i = 0; i < count; ++i) {
    convert::ConvertedPixel p = palette.colours[static_cast<size_t>(i)];
    auto level = [&](uint8_t l) {
      return static_cast<uint32_t>(convert::ExpandLevel(l, levelBits));
    };
    out[static_cast<size_t>(i)] = convert::MakePixel(
        level(convert::PixelRed(p)), level(convert::PixelGreen(p)), level(convert::PixelBlue(p)));
  }
  for (int i = count; i < 256; ++i) out[static_cast<size_t>(i)] = kOpaqueByte;
  return out;
}

PreviewImage RenderPalettePreview(const PaletteData& palette, int levelBits, int swatch) {
  constexpr int kColumns = 16;
  int count = std::clamp(palette.count, 0, 256);
  swatch = std::max(swatch, 1);
  int rows = (count + kColumns - 1) / kColumns;
  PreviewImage image = Blank(kColumns * swatch, rows * swatch, 0, kOpaqueByte);
  std::array<uint32_t, 256> colours = PreviewColours(palette, levelBits);
  for (int i = 0; i < count; ++i) {
    int x0 = (i % kColumns) * swatch;
    int y0 = (i / kColumns) * swatch;
    for (int y = y0; y < y0 + swatch; ++y)
      std::fill_n(image.pixels.begin() + y * image.width + x0, swatch,
                  colours[static_cast<size_t>(i)]);
  }
  return image;
}

PreviewImage RenderBitmapPreview(const BitmapData& bitmap, const convert::ColourMode& mode,
                                 std::span<const uint32_t, 256> colours, uint32_t background,
                                 uint64_t memoryLimit) {
  PreviewImage image = Blank(bitmap.width, bitmap.height, memoryLimit, background | kOpaqueByte);
  size_t available = bitmap.pixels.size();
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      size_t i =
          static_cast<size_t>(y) * static_cast<size_t>(bitmap.width) + static_cast<size_t>(x);
      if (i >= available) return image;  // a short file: the rest stays background
      image.pixels[static_cast<size_t>(y) * static_cast<size_t>(image.width) +
                   static_cast<size_t>(x)] =
          PixelColour(bitmap.pixels[i], mode, colours, 0, background);
    }
  return image;
}

PreviewImage RenderTilesetPreview(const TilesetData& tileset, const convert::ColourMode& mode,
                                  std::span<const uint32_t, 256> colours, int columns,
                                  uint32_t background, uint64_t memoryLimit) {
  int tw = tileset.header.tileWidth, th = tileset.header.tileHeight;
  if (tw < convert::kBlockSide || th < convert::kBlockSide || tw % convert::kBlockSide != 0 ||
      th % convert::kBlockSide != 0)
    tw = th = convert::kBlockSide;
  size_t tilePixels = static_cast<size_t>(tw) * static_cast<size_t>(th);
  size_t stored = std::min(tileset.pixels.size(), static_cast<size_t>(std::max(tileset.blocks, 0)) *
                                                      convert::kBlockPixels);
  int tiles = static_cast<int>(stored / tilePixels);
  if (tiles <= 0) return {};
  columns = std::clamp(columns, 1, tiles);
  int rows = (tiles + columns - 1) / columns;
  PreviewImage image = Blank(columns * tw, rows * th, memoryLimit, background | kOpaqueByte);
  for (int t = 0; t < tiles; ++t) {
    int x0 = (t % columns) * tw, y0 = (t / columns) * th;
    if (y0 >= image.height) break;
    const uint32_t* tile = tileset.pixels.data() + static_cast<size_t>(t) * tilePixels;
    for (int y = 0; y < th && y0 + y < image.height; ++y)
      for (int x = 0; x < tw; ++x)
        image.pixels[static_cast<size_t>(y0 + y) * static_cast<size_t>(image.width) +
                     static_cast<size_t>(x0 + x)] =
            PixelColour(tile[convert::TilePixelIndex(x, y, tw)], mode, colours, 0, background);
  }
  return image;
}

PreviewImage RenderMapPreview(const MapData& map, const TilesetData& tileset,
                              const convert::ColourMode& mode, const convert::MapFormat& format,
                              std::span<const uint32_t, 256> colours, uint32_t background,
                              uint64_t memoryLimit) {
  int tw = map.header.tileWidth, th = map.header.tileHeight;
  if (tw < convert::kBlockSide || th < convert::kBlockSide || tw % convert::kBlockSide != 0 ||
      th % convert::kBlockSide != 0 || map.width <= 0 || map.height <= 0)
    return {};
  if (static_cast<int64_t>(map.width) * tw > INT32_MAX / 2 ||
      static_cast<int64_t>(map.height) * th > INT32_MAX / 2)
    return {};
  PreviewImage image =
      Blank(map.width * tw, map.height * th, memoryLimit, background | kOpaqueByte);
  size_t tilePixels = static_cast<size_t>(tw) * static_cast<size_t>(th);
  size_t stored = std::min(tileset.pixels.size(), static_cast<size_t>(std::max(tileset.blocks, 0)) *
                                                      convert::kBlockPixels);
  uint32_t tiles = static_cast<uint32_t>(stored / tilePixels);
  for (int cy = 0; cy < map.height && cy * th < image.height; ++cy)
    for (int cx = 0; cx < map.width; ++cx) {
      size_t ci =
          static_cast<size_t>(cy) * static_cast<size_t>(map.width) + static_cast<size_t>(cx);
      if (ci >= map.cells.size()) return image;
      uint32_t cell = map.cells[ci];
      uint32_t tile = convert::CellTile(format, cell);
      if (tile >= tiles) continue;
      bool mx = convert::CellMirrorX(format, cell), my = convert::CellMirrorY(format, cell);
      uint32_t sub = convert::CellSubPalette(format, cell);
      const uint32_t* pixels = tileset.pixels.data() + static_cast<size_t>(tile) * tilePixels;
      for (int y = 0; y < th && cy * th + y < image.height; ++y) {
        uint32_t* row = image.pixels.data() +
                        static_cast<size_t>(cy * th + y) * static_cast<size_t>(image.width) +
                        static_cast<size_t>(cx) * static_cast<size_t>(tw);
        int sy = my ? th - 1 - y : y;
        for (int x = 0; x < tw; ++x) {
          int sx = mx ? tw - 1 - x : x;
          row[x] = PixelColour(pixels[convert::TilePixelIndex(sx, sy, tw)], mode, colours, sub,
                               background);
        }
      }
    }
  return image;
}

PreviewImage RenderSubPaletteOverlay(const MapData& map, const convert::MapFormat& format,
                                     int tileWidth, int tileHeight, uint64_t memoryLimit) {
  // Sixteen hues far enough apart to tell neighbouring tiles apart.
  static constexpr std::array<uint32_t, 16> kHues{
      0xE6194B, 0x3CB44B, 0xFFE119, 0x4363D8, 0xF58231, 0x911EB4, 0x46F0F0, 0xF032E6,
      0xBCF60C, 0xFABEBE, 0x008080, 0xE6BEFF, 0x9A6324, 0xFFFAC8, 0x800000, 0xAAFFC3};
  constexpr uint32_t kTranslucent = 0x60000000u;
  if (tileWidth <= 0 || tileHeight <= 0 || map.width <= 0 || map.height <= 0) return {};
  if (static_cast<int64_t>(map.width) * tileWidth > INT32_MAX / 2 ||
      static_cast<int64_t>(map.height) * tileHeight > INT32_MAX / 2)
    return {};
  PreviewImage image = Blank(map.width * tileWidth, map.height * tileHeight, memoryLimit, 0);
  for (int cy = 0; cy < map.height && cy * tileHeight < image.height; ++cy)
    for (int cx = 0; cx < map.width; ++cx) {
      size_t ci =
          static_cast<size_t>(cy) * static_cast<size_t>(map.width) + static_cast<size_t>(cx);
      if (ci >= map.cells.size()) return image;
      uint32_t colour = kHues[convert::CellSubPalette(format, map.cells[ci]) & 15u] | kTranslucent;
      for (int y = 0; y < tileHeight && cy * tileHeight + y < image.height; ++y)
        std::fill_n(image.pixels.begin() +
                        static_cast<ptrdiff_t>(cy * tileHeight + y) * image.width +
                        static_cast<ptrdiff_t>(cx) * tileWidth,
                    tileWidth, colour);
    }
  return image;
}

double MeanColourError(const PreviewImage& a, const PreviewImage& b) {
  if (a.width != b.width || a.height != b.height || a.width <= 0 || a.height <= 0 ||
      a.pixels.size() != b.pixels.size())
    return -1;
  double sum = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    double dr =
        static_cast<double>(convert::PixelRed(a.pixels[i])) - convert::PixelRed(b.pixels[i]);
    double dg =
        static_cast<double>(convert::PixelGreen(a.pixels[i])) - convert::PixelGreen(b.pixels[i]);
    double db =
        static_cast<double>(convert::PixelBlue(a.pixels[i])) - convert::PixelBlue(b.pixels[i]);
    sum += std::sqrt(dr * dr + dg * dg + db * db);
  }
  return sum / static_cast<double>(a.pixels.size());
}

}  // namespace formats

namespace formats {

PreviewImage CropPreview(const PreviewImage& image, int width, int height) {
  PreviewImage out;
  out.width = std::clamp(width, 0, image.width);
  out.height = std::clamp(height, 0, image.height);
  out.fullHeight = out.height;
  if (out.width == 0 || out.height == 0) return PreviewImage{};
  out.pixels.reserve(static_cast<size_t>(out.width) * static_cast<size_t>(out.height));
  for (int y = 0; y < out.height; ++y) {
    auto row = image.pixels.begin() + static_cast<ptrdiff_t>(y) * image.width;
    out.pixels.insert(out.pixels.end(), row, row + out.width);
  }
  return out;
}

}  // namespace formats
