#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "convert/conversion_settings.h"
#include "convert/converted_pixel.h"

namespace platform {
class UserDialogs;
}

// Reducing the colours of an area to a palette with one of the three methods
// (Standard, Halftone, Optimal); shared by the bitmap and the tile
// conversions.
namespace convert {

struct ColourMode;
struct ColourTables;
struct SourceImage;

// Room for the platform's largest palette, with the margin the conversions
// work with.
inline constexpr int kPaletteBufferEntries = 256 + 100;

// The most colours a palette of the mode holds (16 sub-palettes of 16 count
// 256), at most the palette buffer's room.
int MaxPaletteColours(const ColourMode& mode);

// A palette being built: entries [0, count) are in use, the others are 0.
struct PaletteBuffer {
  std::vector<ConvertedPixel> colours = std::vector<ConvertedPixel>(kPaletteBufferEntries, 0);
  int count = 0;
};

enum class ToleranceSearch {
  Descending,  // bitmaps: every tolerance from the maximum precision down
  Bisection,   // tiles: a bisection below the maximum precision
};

struct ReductionJob {
  std::span<const ConvertedPixel> area;  // the converted area, row by row
  int width = 0;
  int height = 0;
  const SourceImage* source = nullptr;  // the picture itself, for the halftone dither
  const ColourTables* tables = nullptr;
  const ColourMode* mode = nullptr;
  ReductionMethod method = ReductionMethod::Standard;
  int requestedColours = 0;  // K
  int searchStart = 0;       // entries below are never matched (Standard, Optimal)
  uint32_t background = 0;   // Standard: index of transparent and outside pixels
  ToleranceSearch search = ToleranceSearch::Descending;
  int maxPrecision = 512;
  bool useMaxColours = false;
  bool messages = true;  // the filtering question is asked only with messages on
  bool dither = false;   // Refined: ordered dither
};

// Runs the job's method on the palette (whose first `count` entries are kept)
// and fills `indices` (one per area pixel, plus 1 when the mode reserves
// index 0). Returns the colour count the method reports, which the palette's
// count is set to; or −1 when the conversion ends: the user cancelled the
// filtering question, or the failure was shown.
int ReduceColours(const ReductionJob& job, PaletteBuffer& palette, std::vector<uint32_t>& indices,
                  platform::UserDialogs& dialogs);

// The Standard method alone, for tests and for the tile conversion.
int ReduceStandard(const ReductionJob& job, PaletteBuffer& palette, std::vector<uint32_t>& indices,
                   platform::UserDialogs& dialogs);
int ReduceHalftone(const ReductionJob& job, PaletteBuffer& palette, std::vector<uint32_t>& indices);
int ReduceOptimal(const ReductionJob& job, PaletteBuffer& palette, std::vector<uint32_t>& indices,
                  platform::UserDialogs& dialogs);
// The Refined method (kmeans_refinement.h): K colours (K − 1 when index 0 is
// reserved) after the kept ones, each pixel mapped to its nearest colour over
// [search start, count), or dithered; transparent and outside pixels take the
// background index, as with Standard.
int ReduceRefined(const ReductionJob& job, PaletteBuffer& palette, std::vector<uint32_t>& indices,
                  platform::UserDialogs& dialogs);

// An existing palette element's colours, as many as the mode's palette holds,
// become the palette's first entries.
void KeepExistingColours(std::span<const ConvertedPixel> colours, const ColourMode& mode,
                         PaletteBuffer& palette);

// In modes that reserve index 0 an existing palette's entry 0 is dropped (the
// others move down one) before the reduction, and InsertZeroColour brings the
// zero colour back after it.
void DropEntryZero(PaletteBuffer& palette);

// Moves the palette up by one entry and puts the zero colour (opacity 0) at
// index 0, for modes that reserve it.
void InsertZeroColour(PaletteBuffer& palette, Rgb zeroColour);

}  // namespace convert
