#include "convert/colour_collection.h"

#include "convert/colour_index_map.h"
#include "convert/nearest_colour.h"

namespace convert {

namespace {

bool AnyWithin(ConvertedPixel pixel, const ConvertedPixel* palette, int first, int end,
               int64_t tolerance) {
  for (int e = first; e < end; ++e)
    if (static_cast<int64_t>(ColourDistance(pixel, palette[e])) <= tolerance) return true;
  return false;
}

// What the search found for a colour, and how far into the palette it looked.
struct Memo {
  int index;
  int64_t distance;
  int scanned;
};

}  // namespace

std::vector<ConvertedPixel> DistinctColours(std::span<const ConvertedPixel> pixels) {
  std::vector<ConvertedPixel> out;
  ColourIndexMap seen(1024);
  ConvertedPixel last = 0;  // transparent: never a candidate
  for (ConvertedPixel p : pixels) {
    if (IsTransparent(p) || p == last) continue;
    last = p;
    if (seen.insert(p, static_cast<int>(out.size())) == static_cast<int>(out.size()))
      out.push_back(p);
  }
  return out;
}

int CollectColours(std::span<const ConvertedPixel> distinctColours, CollectionPalette palette,
                   int64_t tolerance) {
  int count = palette.count;
  const int start = palette.searchStart < 0 ? 0 : palette.searchStart;
  for (ConvertedPixel c : distinctColours) {
    if (AnyWithin(c, palette.colours, start, count, tolerance)) continue;
    if (count + 1 > palette.maximum) return -1;
    palette.colours[count++] = c;
  }
  return count;
}

int CollectColoursWithIndices(std::span<const ConvertedPixel> pixels, CollectionPalette palette,
                              int64_t tolerance, uint32_t background, uint32_t indexOffset,
                              std::span<uint32_t> indices) {
  int count = palette.count;
  const int start = palette.searchStart < 0 ? 0 : palette.searchStart;
  ConvertedPixel* colours = palette.colours;
  ColourIndexMap memoOf(1024);
  std::vector<Memo> memos;
  for (size_t i = 0; i < pixels.size(); ++i) {
    const ConvertedPixel p = pixels[i];
    if (IsTransparent(p)) {
      indices[i] = background;
      continue;
    }
    int m = memoOf.find(p);
    if (m < 0) {
      Memo memo{-1, tolerance, count};
      for (int e = start; e < count; ++e) {
        int64_t d = ColourDistance(p, colours[e]);
        if (d <= memo.distance) memo.distance = d, memo.index = e;
      }
      if (memo.index < 0) {
        if (count + 1 > palette.maximum) return -1;
        colours[count] = p;
        memo.index = count;
        memo.distance = ColourDistance(p, p);
        memo.scanned = ++count;
      }
      memoOf.insert(p, static_cast<int>(memos.size()));
      memos.push_back(memo);
      indices[i] = static_cast<uint32_t>(memo.index) + indexOffset;
      continue;
    }
    Memo& memo = memos[static_cast<size_t>(m)];
    for (int e = memo.scanned < start ? start : memo.scanned; e < count; ++e) {
      int64_t d = ColourDistance(p, colours[e]);
      if (d <= memo.distance) memo.distance = d, memo.index = e;
    }
    memo.scanned = count;
    indices[i] = static_cast<uint32_t>(memo.index) + indexOffset;
  }
  return count;
}

void MapToNearestColours(std::span<const ConvertedPixel> pixels, const ConvertedPixel* palette,
                         int first, int end, uint32_t background, uint32_t indexOffset,
                         std::span<uint32_t> indices) {
  ColourIndexMap found(1024);
  for (size_t i = 0; i < pixels.size(); ++i) {
    const ConvertedPixel p = pixels[i];
    if (IsTransparent(p)) {
      indices[i] = background;
      continue;
    }
    // Stored as index + 1; 0 when the range is empty and the pixel stays on
    // the background.
    int stored = found.find(p);
    if (stored < 0)
      stored = found.insert(p, NearestColour(p, palette, first, end, kNoColourLimit) + 1);
    indices[i] = stored == 0 ? background : static_cast<uint32_t>(stored - 1) + indexOffset;
  }
}

}  // namespace convert
