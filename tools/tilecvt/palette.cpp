#include "tools/tilecvt/palette.h"

#include <algorithm>

namespace tilecvt {

uint16_t ConsoleColour(uint8_t red, uint8_t green, uint8_t blue) {
  return static_cast<uint16_t>((blue >> 3) << 10 | (green >> 3) << 5 | (red >> 3));
}

void PreparePalette(PaletteRecord& palette) {
  palette.length = 0;
  palette.used.fill(0);
  for (size_t i = 0; i < palette.indexMap.size(); ++i)
    palette.indexMap[i] = static_cast<uint16_t>(i);
  palette.colours.fill(kUnsetColour);
}

void PrepareMasterPalette(PaletteRecord& master, int colourCount) {
  PreparePalette(master);
  master.used[0] = 1;
  master.length = std::min(colourCount, 256);
}

void LoadFilePalette(PaletteRecord& palette, const IndexedImage& image) {
  int count = std::clamp(image.colours, 0, 256);
  for (int i = 0; i < count; ++i) {
    const PaletteEntry& entry = image.palette[static_cast<size_t>(i)];
    palette.colours[static_cast<size_t>(i)] = ConsoleColour(entry.red, entry.green, entry.blue);
    palette.used[static_cast<size_t>(i)] = 1;
  }
  palette.length = count;
}

void ApplyTransparentColour(IndexedImage& image, PaletteRecord& palette, int transparent) {
  if (transparent <= 0 || transparent > 255) return;
  auto t = static_cast<uint8_t>(transparent);
  for (uint8_t& pixel : image.pixels) {
    if (pixel == t)
      pixel = 0;
    else if (pixel == 0)
      pixel = t;
  }
  std::swap(palette.colours[0], palette.colours[t]);
  std::swap(palette.used[0], palette.used[t]);
  palette.length = std::max(palette.length, transparent + 1);
}

int MarkUsed(PaletteRecord& palette, const IndexedImage& image) {
  std::array<bool, 256> seen{};
  for (uint8_t pixel : image.pixels) seen[pixel] = true;
  int count = 0;
  for (size_t i = 0; i < palette.used.size(); ++i) {
    bool used = static_cast<int>(i) < palette.length && seen[i];
    palette.used[i] = used ? 1 : 0;
    count += used ? 1 : 0;
  }
  return count;
}

int CountUsed(const PaletteRecord& palette) {
  return static_cast<int>(std::count(palette.used.begin(), palette.used.end(), uint8_t{1}));
}

bool MergePalette(PaletteRecord& image, PaletteRecord& master, Report& report) {
  const int imageLength = std::clamp(image.length, 0, 256);
  const int masterLength = std::clamp(master.length, 0, 256);
  int common = 0;
  for (int i = 0; i < imageLength; ++i) {
    if (!image.used[static_cast<size_t>(i)]) continue;
    for (size_t j = 0; j < master.colours.size(); ++j) {
      if (master.used[j] && master.colours[j] == image.colours[static_cast<size_t>(i)]) {
        ++common;
        break;
      }
    }
  }
  const int usedImage = CountUsed(image);
  const int usedMaster = CountUsed(master);
  if (usedMaster + usedImage - 1 - common >= 257) {
    report.error("%sneed %d free colors, only %d available!\n", kErrorPrefix, usedImage - common,
                 masterLength - usedMaster);
    return false;
  }

  for (int m = 1; m < imageLength; ++m) {
    auto entry = static_cast<size_t>(m);
    if (!image.used[entry]) continue;
    uint16_t colour = image.colours[entry];
    int found = -1;
    for (int j = 1; j < masterLength && colour != kUnsetColour; ++j) {
      if (master.colours[static_cast<size_t>(j)] == colour) {
        found = j;
        break;
      }
    }
    if (found < 0) {
      // Past the length too: the caller reports an overfull master with its count.
      for (size_t i = 1; i < master.used.size(); ++i) {
        if (!master.used[i]) {
          master.colours[i] = colour;
          master.used[i] = 1;
          found = static_cast<int>(i);
          break;
        }
      }
    }
    if (found < 0) {
      report.error("%sno free index found!?\n", kErrorPrefix);
      return false;
    }
    image.indexMap[entry] = static_cast<uint16_t>(found);
  }
  return true;
}

void RemapPixels(IndexedImage& image, const PaletteRecord& palette) {
  std::array<uint8_t, 256> table{};
  for (size_t i = 0; i < table.size(); ++i) table[i] = static_cast<uint8_t>(palette.indexMap[i]);
  for (uint8_t& pixel : image.pixels) pixel = table[pixel];
}

void AddColourOffset(IndexedImage& image, int offset, bool force) {
  for (uint8_t& pixel : image.pixels)
    if (force || pixel != 0) pixel = static_cast<uint8_t>(pixel + offset);
}

void ClearUnsetColours(PaletteRecord& palette) {
  for (uint16_t& colour : palette.colours)
    if (colour == kUnsetColour) colour = 0;
}

}  // namespace tilecvt
