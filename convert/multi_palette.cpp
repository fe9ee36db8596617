#include "convert/multi_palette.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "convert/colour_collection.h"
#include "convert/colour_index_map.h"
#include "convert/conversion_messages.h"
#include "convert/conversion_progress.h"
#include "convert/nearest_colour.h"
#include "convert/octree.h"
#include "convert/palette_slot.h"
#include "convert/subpalette_refinement.h"
#include "convert/tolerance_search.h"
#include "platform/dialogs.h"

// The work is quadratic in the tiles: every tile is tried in every
// sub-palette, and each try rebuilds the sub-palette over all its tiles. What
// makes it affordable without changing a single result:
// - a sub-palette keeps the octree of its tiles' pixels as it stands after
//   the last of them, so a try only inserts the new tile's pixels into a copy;
// - errors are summed over the distinct colours of the tiles, with their
//   pixel counts, instead of over every pixel;
// - the error of a sub-palette's own tiles is remembered for the colours it
//   was last measured with: a rebuilt palette that came out the same (the
//   common case once a sub-palette holds many tiles) is not measured again;
// - colour collections run over distinct colours in order of appearance
//   (see colour_collection.h), and tolerances at or above the largest
//   distance the data allows are known to fit without a pass.
namespace convert {

namespace {

// The colours of one tile (swapped words).
struct TileColours {
  std::vector<ConvertedPixel> opaque;   // opaque pixels, in order
  std::vector<ConvertedPixel> colours;  // distinct, in order of appearance
  std::vector<uint32_t> counts;
};

// Entries 1 .. count − 1 of a palette, channel by channel, for the distance
// loops.
struct PaletteLevels {
  int n = 0;
  std::array<int32_t, kMaxSlotColours> r{}, g{}, b{}, a{};

  explicit PaletteLevels(const SlotColours& p) {
    for (int e = 1; e < p.count; ++e, ++n) {
      ConvertedPixel c = p.colours[static_cast<size_t>(e)];
      r[static_cast<size_t>(n)] = PixelRed(c);
      g[static_cast<size_t>(n)] = PixelGreen(c);
      b[static_cast<size_t>(n)] = PixelBlue(c);
      a[static_cast<size_t>(n)] = PixelOpacity(c);
    }
  }
};

class ErrorMeter {
 public:
  ErrorMeter() : roots_(kNoColourDistance + 1) {
    for (size_t d = 0; d < roots_.size(); ++d)
      roots_[d] = static_cast<uint16_t>(std::sqrt(static_cast<double>(d)));
  }

  uint32_t root(uint32_t d) const { return roots_[std::min<size_t>(d, roots_.size() - 1)]; }

  uint64_t error(std::span<const ConvertedPixel> colours, std::span<const uint32_t> counts,
                 const SlotColours& palette) const {
    const PaletteLevels levels(palette);
    uint64_t total = 0;
    for (size_t i = 0; i < colours.size(); ++i)
      total += uint64_t{root(nearest(colours[i], levels))} * counts[i];
    return total;
  }

 private:
  static uint32_t nearest(ConvertedPixel c, const PaletteLevels& p) {
    if (p.n == 0) return kNoColourDistance;
    const int32_t cr = PixelRed(c), cg = PixelGreen(c), cb = PixelBlue(c), ca = PixelOpacity(c);
    uint32_t best = UINT32_MAX;
    for (int e = 0; e < p.n; ++e) {
      const int32_t dr = cr - p.r[static_cast<size_t>(e)];
      const int32_t dg = cg - p.g[static_cast<size_t>(e)];
      const int32_t db = cb - p.b[static_cast<size_t>(e)];
      const uint32_t d = static_cast<uint32_t>(dr * dr + dg * dg + db * db) +
                         (ca != p.a[static_cast<size_t>(e)] ? 1u : 0u);
      best = d < best ? d : best;
    }
    return best;
  }

  std::vector<uint16_t> roots_;
};

// A sub-palette with what the tries need.
struct WorkSlot : PaletteSlot {
  uint64_t error = 0;                   // of its tiles under `palette`
  Octree tree;                          // every opaque pixel of its tiles, in order
  std::vector<ConvertedPixel> colours;  // distinct colours of its tiles, in order of appearance
  std::vector<uint32_t> counts;
  ColourIndexMap index;
  // The error of its tiles under the palette last measured.
  SlotColours measured;
  uint64_t measuredError = 0;
  bool measuredValid = false;

  explicit WorkSlot(int maxLeaves) : tree(maxLeaves), index(256) {}
};

struct Candidate {
  SlotColours palette;
  uint64_t error = 0;
};

class MultiPalette {
 public:
  MultiPalette(const MultiPaletteJob& job, platform::UserDialogs& dialogs,
               ConversionProgress* progress)
      : job_(job),
        dialogs_(dialogs),
        progress_(progress),
        c_(job.coloursPerSubPalette),
        p_(SubPaletteCount(job.requestedColours, job.coloursPerSubPalette)),
        words_(static_cast<size_t>(job.tileWidth) * static_cast<size_t>(job.tileHeight)) {}

  int run(MultiPaletteResult& result);

 private:
  void prepareTiles();
  void collect(SlotColours& palette, std::span<const ConvertedPixel> sequence);
  Candidate fit(const SlotColours& base, int tile);
  Candidate rebuild(WorkSlot& slot, int tile);
  uint64_t ownTilesError(WorkSlot& slot, const SlotColours& palette);
  uint64_t tileError(int tile, const SlotColours& palette) const {
    return meter_.error(tiles_[static_cast<size_t>(tile)].colours,
                        tiles_[static_cast<size_t>(tile)].counts, palette);
  }
  void assign(WorkSlot& slot, int tile, const Candidate& c);
  int64_t cost(size_t s, const WorkSlot& slot, const Candidate& c);
  // The error of each tile under each sub-palette, refreshed for the
  // sub-palettes that changed.
  void refreshErrors();
  uint64_t& errorAt(int tile, size_t slot) {
    return errors_[static_cast<size_t>(tile) * static_cast<size_t>(p_) + slot];
  }
  int bestSlot(int tile, uint64_t* error);
  void seed();
  void assignAll();
  void postProcess();
  void output(MultiPaletteResult& result);
  void diagnostic(const std::string& line) {
    if (progress_) progress_->diagnostic(line);
  }
  void reportSlot(size_t s);

  const MultiPaletteJob& job_;
  platform::UserDialogs& dialogs_;
  ConversionProgress* progress_;
  const int c_;
  const int p_;
  const size_t words_;
  std::vector<ConvertedPixel> swapped_;
  std::vector<TileColours> tiles_;
  std::vector<WorkSlot> slots_;
  ErrorMeter meter_;
  int64_t largestDistance_ = 0;  // any tolerance from here on fits
  std::vector<uint64_t> errors_;
  std::vector<bool> dirty_;
};

void MultiPalette::prepareTiles() {
  const size_t n = static_cast<size_t>(job_.tileCount);
  swapped_.resize(n * words_);
  tiles_.resize(n);
  int largest = 0;
  for (size_t t = 0; t < n; ++t) {
    TileColours& tc = tiles_[t];
    ColourIndexMap seen(64);
    for (size_t i = 0; i < words_; ++i) {
      const ConvertedPixel p = SwapRedBlue(job_.tiles[t * words_ + i]);
      swapped_[t * words_ + i] = p;
      if (IsTransparent(p)) continue;
      tc.opaque.push_back(p);
      largest = std::max({largest, int{PixelRed(p)}, int{PixelGreen(p)}, int{PixelBlue(p)}});
      int k = seen.insert(p, static_cast<int>(tc.colours.size()));
      if (k == static_cast<int>(tc.colours.size())) {
        tc.colours.push_back(p);
        tc.counts.push_back(1);
      } else {
        ++tc.counts[static_cast<size_t>(k)];
      }
    }
  }
  // Entries are colours of the data or averages of them, and entry 0 is
  // never searched: no distance exceeds this.
  largestDistance_ = 3 * int64_t{largest} * largest + 1;
}

void MultiPalette::collect(SlotColours& palette, std::span<const ConvertedPixel> sequence) {
  CollectionPalette collection{palette.colours.data(), palette.count, 1, c_};
  int count = CollectColours(sequence, collection, 0);
  if (count < 0) {
    const int64_t tolerance =
        BisectTolerance(0, kFitToleranceCeiling, kFitToleranceCeiling / 2, [&](int64_t t) {
          return (c_ >= 2 && t >= largestDistance_) || CollectColours(sequence, collection, t) >= 0;
        });
    count = CollectColours(sequence, collection, tolerance);
    if (count < 0) {
      diagnostic(std::string(kFitFailedDiagnostic));
      count = palette.count;
    }
  }
  std::fill(palette.colours.begin() + count, palette.colours.end(), 0);
  palette.count = count;
}

Candidate MultiPalette::fit(const SlotColours& base, int tile) {
  Candidate c{base, 0};
  const TileColours& tc = tiles_[static_cast<size_t>(tile)];
  bool fitted = false;
  const int room = c_ - base.count;
  if (job_.fastReduction && room >= 2) {
    Octree tree(room);
    for (ConvertedPixel p : tc.opaque) tree.insert(p);
    std::vector<ConvertedPixel> leaves;
    tree.appendColours(leaves);
    if (leaves.size() >= 2) {
      std::copy(leaves.begin(), leaves.end(), c.palette.colours.begin() + base.count);
      c.palette.count = base.count + static_cast<int>(leaves.size());
      fitted = true;
    }
  }
  if (!fitted) collect(c.palette, tc.colours);
  c.error = tileError(tile, c.palette);
  return c;
}

uint64_t MultiPalette::ownTilesError(WorkSlot& slot, const SlotColours& palette) {
  if (slot.colours.empty()) return 0;
  if (palette == slot.palette) return slot.error;
  if (slot.measuredValid && palette == slot.measured) return slot.measuredError;
  slot.measured = palette;
  slot.measuredError = meter_.error(slot.colours, slot.counts, palette);
  slot.measuredValid = true;
  return slot.measuredError;
}

Candidate MultiPalette::rebuild(WorkSlot& slot, int tile) {
  Candidate c;
  const TileColours& tc = tiles_[static_cast<size_t>(tile)];
  bool built = false;
  if (job_.fastReduction) {
    Octree tree = slot.tree;
    for (ConvertedPixel p : tc.opaque) tree.insert(p);
    std::vector<ConvertedPixel> leaves;
    tree.appendColours(leaves);
    if (leaves.size() >= 2) {
      std::copy(leaves.begin(), leaves.end(), c.palette.colours.begin() + 1);
      c.palette.count = 1 + static_cast<int>(leaves.size());
      built = true;
    }
  }
  if (!built) {
    std::vector<ConvertedPixel> sequence = slot.colours;
    for (ConvertedPixel p : tc.colours)
      if (slot.index.find(p) < 0) sequence.push_back(p);
    collect(c.palette, sequence);
  }
  c.error = ownTilesError(slot, c.palette) + tileError(tile, c.palette);
  return c;
}

void MultiPalette::assign(WorkSlot& slot, int tile, const Candidate& c) {
  const TileColours& tc = tiles_[static_cast<size_t>(tile)];
  slot.tiles.push_back(tile);
  for (ConvertedPixel p : tc.opaque) slot.tree.insert(p);
  for (size_t i = 0; i < tc.colours.size(); ++i) {
    int k = slot.index.insert(tc.colours[i], static_cast<int>(slot.colours.size()));
    if (k == static_cast<int>(slot.colours.size())) {
      slot.colours.push_back(tc.colours[i]);
      slot.counts.push_back(tc.counts[i]);
    } else {
      slot.counts[static_cast<size_t>(k)] += tc.counts[i];
    }
  }
  slot.palette = c.palette;
  slot.error = c.error;
  slot.measuredValid = false;
}

void MultiPalette::refreshErrors() {
  for (size_t s = 0; s < slots_.size(); ++s) {
    if (!dirty_[s]) continue;
    for (int t = 0; t < job_.tileCount; ++t) errorAt(t, s) = tileError(t, slots_[s].palette);
    dirty_[s] = false;
  }
}

int MultiPalette::bestSlot(int tile, uint64_t* error) {
  int best = 0;
  for (size_t s = 1; s < slots_.size(); ++s)
    if (errorAt(tile, s) < errorAt(tile, static_cast<size_t>(best))) best = static_cast<int>(s);
  if (error) *error = errorAt(tile, static_cast<size_t>(best));
  return best;
}

void MultiPalette::reportSlot(size_t s) {
  if (!progress_) return;
  const SlotColours& p = slots_[s].palette;
  std::array<ConvertedPixel, kMaxSlotColours> colours{};
  for (int i = 0; i < p.count; ++i)
    colours[static_cast<size_t>(i)] = SwapRedBlue(p.colours[static_cast<size_t>(i)]);
  progress_->subPaletteChanged(
      static_cast<int>(s),
      std::span<const ConvertedPixel>(colours.data(), static_cast<size_t>(p.count)));
}

void MultiPalette::seed() {
  if (progress_) progress_->stageStarted(ConversionProgress::Stage::Seeding);
  const SlotColours empty;
  auto addSlot = [&](int tile, uint64_t error) {
    WorkSlot slot(c_ - 1);
    slot.palette = fit(empty, tile).palette;
    slots_.push_back(std::move(slot));
    dirty_.push_back(true);
    char line[96];
    std::snprintf(line, sizeof line, "%i %i %i %i\n", static_cast<int>(slots_.size()),
                  static_cast<int>(error), 0, tile * job_.tileHeight);
    diagnostic(line);
    if (slots_.back().palette.count <= 1) {
      std::snprintf(line, sizeof line, "ERROR %i %i %i\n", static_cast<int>(slots_.size()) - 1, 0,
                    tile * job_.tileHeight);
      diagnostic(line);
    }
    reportSlot(slots_.size() - 1);
  };
  int seed = 0;
  uint64_t worst = 0;
  for (int t = 0; t < job_.tileCount; ++t) {
    uint64_t e = fit(empty, t).error;
    if (t == 0 || e > worst) worst = e, seed = t;
  }
  slots_.reserve(static_cast<size_t>(p_));
  errors_.assign(static_cast<size_t>(job_.tileCount) * static_cast<size_t>(p_), 0);
  addSlot(seed, worst);
  while (static_cast<int>(slots_.size()) < p_) {
    refreshErrors();
    seed = 0;
    worst = 0;
    for (int t = 0; t < job_.tileCount; ++t) {
      uint64_t e = 0;
      bestSlot(t, &e);
      if (t == 0 || e > worst) worst = e, seed = t;
    }
    addSlot(seed, worst);
  }
}

int64_t MultiPalette::cost(size_t s, const WorkSlot& slot, const Candidate& c) {
  const int w = job_.colorisation;
  int64_t cost = static_cast<int64_t>(c.error);
  if (w > 0) {
    for (int i = 0; i < c.palette.count; ++i) {
      const ConvertedPixel a = c.palette.colours[static_cast<size_t>(i)];
      const ConvertedPixel b = slot.palette.colours[static_cast<size_t>(i)];
      if (a == b) continue;
      const int dr = int{PixelRed(a)} - PixelRed(b);
      const int dg = int{PixelGreen(a)} - PixelGreen(b);
      const int db = int{PixelBlue(a)} - PixelBlue(b);
      cost += int64_t{w} * meter_.root(static_cast<uint32_t>(dr * dr + dg * dg + db * db));
    }
  } else if (w == -1) {
    cost += 100 * int64_t{c.palette.count - slot.palette.count};
  } else if (w == -2) {
    refreshErrors();
    uint64_t total = 0;
    for (int t = 0; t < job_.tileCount; ++t) {
      uint64_t best = tileError(t, c.palette);
      for (size_t o = 0; o < slots_.size(); ++o)
        if (o != s) best = std::min(best, errorAt(t, o));
      total += best;
    }
    cost = static_cast<int64_t>(total);
  }
  return cost;
}

void MultiPalette::assignAll() {
  if (progress_) progress_->stageStarted(ConversionProgress::Stage::Assignment);
  std::vector<ConvertedPixel> shown(words_);
  for (int t = 0; t < job_.tileCount; ++t) {
    size_t best = 0;
    int64_t bestCost = 0;
    Candidate chosen;
    for (size_t s = 0; s < slots_.size(); ++s) {
      Candidate c = rebuild(slots_[s], t);
      int64_t slotCost = cost(s, slots_[s], c);
      if (s == 0 || slotCost < bestCost) {
        bestCost = slotCost;
        best = s;
        chosen = c;
      }
    }
    WorkSlot& slot = slots_[best];
    if (static_cast<int>(slot.tiles.size()) >= kMaxTilesPerSlot) {
      // The tile stays out of the list; rebuilding over the unchanged list
      // gives the colours the slot has.
      dialogs_.message(kTooManyTilesPerPalette.text, kTooManyTilesPerPalette.caption,
                       platform::Icon::None);
    } else {
      assign(slot, t, chosen);
      dirty_[best] = true;
    }
    if (progress_) {
      for (size_t i = 0; i < words_; ++i)
        shown[i] = SwapRedBlue(swapped_[static_cast<size_t>(t) * words_ + i]);
      reportSlot(best);
      progress_->tileAssigned(t, static_cast<int>(best), shown, t + 1);
    }
  }
}

void MultiPalette::postProcess() {
  if (progress_) progress_->stageStarted(ConversionProgress::Stage::PostProcessing);
  std::vector<bool> used(static_cast<size_t>(job_.tileCount), false);
  for (;;) {
    int target = -1;
    for (int s = static_cast<int>(slots_.size()) - 1; s >= 0; --s)
      if (slots_[static_cast<size_t>(s)].palette.count < c_) {
        target = s;
        break;
      }
    if (target < 0) break;
    char line[64];
    std::snprintf(line, sizeof line, "Free colors: %i\n",
                  c_ - slots_[static_cast<size_t>(target)].palette.count);
    diagnostic(line);
    refreshErrors();
    int tile = -1;
    uint64_t worst = 0;
    for (int t = 0; t < job_.tileCount; ++t) {
      if (used[static_cast<size_t>(t)]) continue;
      uint64_t e = 0;
      bestSlot(t, &e);
      if (tile < 0 || e > worst) worst = e, tile = t;
    }
    if (tile < 0) break;
    WorkSlot& slot = slots_[static_cast<size_t>(target)];
    Candidate c = fit(slot.palette, tile);
    if (!(c.palette == slot.palette)) {
      slot.palette = c.palette;
      slot.error = meter_.error(slot.colours, slot.counts, slot.palette);
      slot.measuredValid = false;
      dirty_[static_cast<size_t>(target)] = true;
      reportSlot(static_cast<size_t>(target));
    }
    used[static_cast<size_t>(tile)] = true;
  }
}

void MultiPalette::output(MultiPaletteResult& result) {
  if (progress_) progress_->stageStarted(ConversionProgress::Stage::Output);
  refreshErrors();
  const size_t n = static_cast<size_t>(job_.tileCount);
  result.tiles.assign(n * words_, 0);
  result.subPalettes.assign(n, 0);
  for (int t = 0; t < job_.tileCount; ++t) {
    const int s = bestSlot(t, nullptr);
    result.subPalettes[static_cast<size_t>(t)] = s;
    const SlotColours& p = slots_[static_cast<size_t>(s)].palette;
    for (size_t i = 0; i < words_; ++i) {
      const ConvertedPixel px = swapped_[static_cast<size_t>(t) * words_ + i];
      if (IsTransparent(px)) continue;
      const int e = NearestColour(px, p.colours.data(), 1, p.count, kNoColourLimit);
      result.tiles[static_cast<size_t>(t) * words_ + i] = e < 0 ? 0u : static_cast<uint32_t>(e);
    }
  }
  result.palette.assign(slots_.size() * static_cast<size_t>(c_), 0);
  for (size_t s = 0; s < slots_.size(); ++s)
    for (int i = 0; i < c_; ++i)
      result.palette[s * static_cast<size_t>(c_) + static_cast<size_t>(i)] =
          SwapRedBlue(slots_[s].palette.colours[static_cast<size_t>(i)]);
}

int MultiPalette::run(MultiPaletteResult& result) {
  result = {};
  if (c_ < 1 || p_ < 1 || c_ > 255 || p_ > 255 || job_.tileCount < 1 || words_ == 0 ||
      job_.tiles.size() < static_cast<size_t>(job_.tileCount) * words_)
    return 0;
  if (progress_) progress_->started(job_.tileCount, p_, c_);
  prepareTiles();
  seed();
  assignAll();
  if (job_.postProcessing) postProcess();
  output(result);
  if (progress_) progress_->finished(true);
  return c_ * static_cast<int>(slots_.size());
}

}  // namespace

int ConvertMultiPalette(const MultiPaletteJob& job, MultiPaletteResult& result,
                        platform::UserDialogs& dialogs, ConversionProgress* progress) {
  MultiPalette algorithm(job, dialogs, progress);
  const int colours = algorithm.run(result);
  if (colours > 0 && job.refine) RefineSubPalettes(job, result);
  return colours;
}

}  // namespace convert
