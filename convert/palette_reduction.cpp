#include "convert/palette_reduction.h"

#include <algorithm>

#include "convert/colour_collection.h"
#include "convert/colour_mode.h"
#include "convert/colour_tables.h"
#include "convert/conversion_messages.h"
#include "convert/halftone.h"
#include "convert/kmeans_refinement.h"
#include "convert/octree.h"
#include "convert/source_image.h"
#include "convert/tolerance_search.h"
#include "platform/dialogs.h"

namespace convert {

namespace {

uint32_t IndexOffset(const ReductionJob& job) { return job.mode->indexZeroReserved ? 1u : 0u; }

void Show(platform::UserDialogs& dialogs, const MessageText& m) {
  dialogs.message(m.text, m.caption, platform::Icon::Error);
}

// Entries past the count go back to 0, as every later step expects.
void ClearFrom(PaletteBuffer& palette, int count) {
  std::fill(palette.colours.begin() + std::clamp(count, 0, kPaletteBufferEntries),
            palette.colours.end(), 0);
}

}  // namespace

int MaxPaletteColours(const ColourMode& mode) {
  int colours = mode.paletteKind == PaletteKind::SubPalettes
                    ? mode.paletteEntries * mode.coloursPerSubPalette
                : mode.paletteKind == PaletteKind::Single ? mode.paletteEntries
                                                          : 0;
  return std::clamp(colours, 0, kPaletteBufferEntries - 1);
}

int ReduceStandard(const ReductionJob& job, PaletteBuffer& palette, std::vector<uint32_t>& indices,
                   platform::UserDialogs& dialogs) {
  const int maximum = std::min(job.requestedColours - (job.mode->indexZeroReserved ? 1 : 0),
                               kPaletteBufferEntries - 1);
  CollectionPalette collection{palette.colours.data(), palette.count, job.searchStart, maximum};
  const std::vector<ConvertedPixel> distinct = DistinctColours(job.area);
  auto pass = [&](int64_t tolerance) { return CollectColours(distinct, collection, tolerance); };

  int64_t tolerance = 0;
  if (pass(0) < 0) {
    const MessageText& question =
        job.search == ToleranceSearch::Descending ? kBitmapFilterQuestion : kTileFilterQuestion;
    if (job.messages && dialogs.question(question.text, question.caption,
                                         platform::Buttons::OkCancel, platform::Answer::Ok,
                                         platform::Icon::Question) == platform::Answer::Cancel) {
      ClearFrom(palette, palette.count);
      return -1;
    }
    if (job.search == ToleranceSearch::Descending)
      tolerance = DescendingToleranceSearch(job.maxPrecision, pass);
    else
      tolerance = BisectTolerance(-1, job.maxPrecision, job.maxPrecision,
                                  [&](int64_t t) { return pass(t) >= 0; });
  }
  int count = -1;
  if (tolerance >= 0) {
    indices.assign(job.area.size(), 0);
    count = CollectColoursWithIndices(job.area, collection, tolerance, job.background,
                                      IndexOffset(job), indices);
  }
  const int reported = count >= 0 && job.useMaxColours ? maximum : count;
  if (reported < 1) {
    ClearFrom(palette, palette.count);
    Show(dialogs, kColoursUnreachable);
    return -1;
  }
  ClearFrom(palette, count);
  palette.count = reported;
  return reported;
}

int ReduceHalftone(const ReductionJob& job, PaletteBuffer& palette,
                   std::vector<uint32_t>& indices) {
  const auto& halftone = HalftonePalette();
  for (int i = 0; i < kHalftoneEntries; ++i) {
    uint32_t c = halftone[static_cast<size_t>(i)];
    palette.colours[static_cast<size_t>(i)] =
        ConvertColour(*job.tables, *job.mode, static_cast<uint8_t>(c >> 16),
                      static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c), 255);
  }
  // Entry 255 is never used (see the palette's description): 255 colours.
  constexpr int kReported = kHalftoneEntries - 1;
  ClearFrom(palette, kReported);
  palette.count = kReported;
  indices.assign(job.area.size(), 0);
  const uint32_t offset = IndexOffset(job);
  for (int y = 0; y < job.height; ++y)
    for (int x = 0; x < job.width; ++x) {
      size_t i = static_cast<size_t>(y) * job.width + x;
      if (IsTransparent(job.area[i]) || !job.source) continue;
      uint32_t raw = job.source->at(x, y);
      indices[i] = static_cast<uint32_t>(
                       HalftoneIndex(PixelRed(raw), PixelGreen(raw), PixelBlue(raw), x, y)) +
                   offset;
    }
  return kReported;
}

int ReduceOptimal(const ReductionJob& job, PaletteBuffer& palette, std::vector<uint32_t>& indices,
                  platform::UserDialogs& dialogs) {
  const int first = palette.count;
  const int maximum = std::min(job.requestedColours - 1, kPaletteBufferEntries - 1);
  if (maximum - first < 2) {
    dialogs.message(kTooFewFreeColours.text, kTooFewFreeColours.caption, platform::Icon::Error);
    return -1;
  }
  Octree tree(maximum - first);
  for (ConvertedPixel p : job.area)
    if (!IsTransparent(p)) tree.insert(p);
  std::vector<ConvertedPixel> leaves;
  tree.appendColours(leaves);
  if (leaves.size() < 2) {
    Show(dialogs, kColoursUnreachable);
    return -1;
  }
  std::copy(leaves.begin(), leaves.end(), palette.colours.begin() + first);
  const int count = first + static_cast<int>(leaves.size());
  palette.count = count;
  indices.assign(job.area.size(), 0);
  MapToNearestColours(job.area, palette.colours.data(), std::max(job.searchStart, 0), count, 0,
                      IndexOffset(job), indices);
  return count;
}

int ReduceRefined(const ReductionJob& job, PaletteBuffer& palette, std::vector<uint32_t>& indices,
                  platform::UserDialogs& dialogs) {
  const int first = palette.count;
  const int start = std::clamp(job.searchStart, 0, first);
  const int maximum = std::min(job.requestedColours - (job.mode->indexZeroReserved ? 1 : 0),
                               kPaletteBufferEntries - 1);
  if (maximum - first < 1) {
    dialogs.message(kTooFewFreeColours.text, kTooFewFreeColours.caption, platform::Icon::Error);
    return -1;
  }
  const std::vector<WeightedColour> histogram = ColourHistogram(job.area);
  const std::span<const ConvertedPixel> fixed(palette.colours.data() + start,
                                              static_cast<size_t>(first - start));
  const std::vector<ConvertedPixel> fresh = RefinedPalette(histogram, fixed, maximum - first);
  const int count = first + static_cast<int>(fresh.size());
  if (count < 1) {
    Show(dialogs, kColoursUnreachable);
    return -1;
  }
  std::copy(fresh.begin(), fresh.end(), palette.colours.begin() + first);
  palette.count = count;
  indices.assign(job.area.size(), 0);
  if (job.dither)
    MapDithered(job.area, job.width, palette.colours.data(), start, count, job.background,
                IndexOffset(job), indices);
  else
    MapToNearestColours(job.area, palette.colours.data(), start, count, job.background,
                        IndexOffset(job), indices);
  return count;
}

int ReduceColours(const ReductionJob& job, PaletteBuffer& palette, std::vector<uint32_t>& indices,
                  platform::UserDialogs& dialogs) {
  switch (job.method) {
    case ReductionMethod::Halftone:
      return ReduceHalftone(job, palette, indices);
    case ReductionMethod::Optimal:
      return ReduceOptimal(job, palette, indices, dialogs);
    case ReductionMethod::Refined:
      return ReduceRefined(job, palette, indices, dialogs);
    case ReductionMethod::Standard:
    default:
      return ReduceStandard(job, palette, indices, dialogs);
  }
}

void KeepExistingColours(std::span<const ConvertedPixel> colours, const ColourMode& mode,
                         PaletteBuffer& palette) {
  const size_t count = std::min(colours.size(), static_cast<size_t>(MaxPaletteColours(mode)));
  std::copy_n(colours.begin(), count, palette.colours.begin());
  palette.count = static_cast<int>(count);
}

void DropEntryZero(PaletteBuffer& palette) {
  if (palette.count <= 0) return;
  std::copy(palette.colours.begin() + 1, palette.colours.begin() + palette.count,
            palette.colours.begin());
  palette.colours[static_cast<size_t>(--palette.count)] = 0;
}

void InsertZeroColour(PaletteBuffer& palette, Rgb zeroColour) {
  const int count = std::min(palette.count, kPaletteBufferEntries - 1);
  std::copy_backward(palette.colours.begin(), palette.colours.begin() + count,
                     palette.colours.begin() + count + 1);
  palette.colours[0] = MakePixel(zeroColour.red, zeroColour.green, zeroColour.blue, 0);
  palette.count = count + 1;
}

}  // namespace convert
