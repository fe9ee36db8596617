#include "convert/subpalette_refinement.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

#include "convert/kmeans_refinement.h"

namespace convert {

namespace {

constexpr uint32_t RgbKey(ConvertedPixel p) { return p & 0xFFFFFFu; }

double Distance(ConvertedPixel a, ConvertedPixel b) {
  const double dr = double(PixelRed(a)) - PixelRed(b);
  const double dg = double(PixelGreen(a)) - PixelGreen(b);
  const double db = double(PixelBlue(a)) - PixelBlue(b);
  return std::sqrt(dr * dr + dg * dg + db * db);
}

// The block-relative position of word i of a tile stored in 8 × 8 blocks.
int WordX(size_t i) { return static_cast<int>(i % 8); }
int WordY(size_t i) { return static_cast<int>(i / 8 % 8); }

class Refiner {
 public:
  Refiner(const MultiPaletteJob& job, MultiPaletteResult& result)
      : job_(job),
        result_(result),
        c_(job.coloursPerSubPalette),
        p_(c_ > 0 ? static_cast<int>(result.palette.size()) / c_ : 0),
        words_(static_cast<size_t>(job.tileWidth) * static_cast<size_t>(job.tileHeight)) {}

  void run();

 private:
  void prepare();
  // The distance from every distinct colour to its nearest entry of s.
  std::vector<float> distances(const std::vector<ConvertedPixel>& palette) const;
  double tileError(int tile, const std::vector<float>& d) const {
    double e = 0;
    for (uint32_t k = tileStart_[static_cast<size_t>(tile)];
         k < tileStart_[static_cast<size_t>(tile) + 1]; ++k)
      e += static_cast<double>(tileCounts_[k]) * d[tileIds_[k]];
    return e;
  }
  std::vector<ConvertedPixel> refit(int s) const;
  void write();

  const MultiPaletteJob& job_;
  MultiPaletteResult& result_;
  const int c_;
  const int p_;
  const size_t words_;
  std::vector<ConvertedPixel> colours_;  // distinct opaque colours, increasing
  std::vector<uint32_t> tileStart_;      // each tile's distinct colours in tileIds_
  std::vector<uint32_t> tileIds_, tileCounts_;
  std::vector<std::vector<ConvertedPixel>> palettes_;  // the colours of each sub-palette
  std::vector<int> assignment_;
};

void Refiner::prepare() {
  const size_t n = static_cast<size_t>(job_.tileCount);
  std::vector<ConvertedPixel> all;
  for (size_t i = 0; i < n * words_; ++i)
    if (!IsTransparent(job_.tiles[i])) all.push_back(RgbKey(job_.tiles[i]) | 0xFF000000u);
  std::sort(all.begin(), all.end());
  all.erase(std::unique(all.begin(), all.end()), all.end());
  colours_ = std::move(all);
  std::unordered_map<uint32_t, uint32_t> id;
  id.reserve(colours_.size() * 2);
  for (size_t k = 0; k < colours_.size(); ++k) id[RgbKey(colours_[k])] = static_cast<uint32_t>(k);
  tileStart_.assign(n + 1, 0);
  std::unordered_map<uint32_t, uint32_t> local;
  for (size_t t = 0; t < n; ++t) {
    local.clear();
    for (size_t i = 0; i < words_; ++i) {
      const ConvertedPixel p = job_.tiles[t * words_ + i];
      if (IsTransparent(p)) continue;
      auto [it, fresh] = local.try_emplace(id[RgbKey(p)], static_cast<uint32_t>(tileIds_.size()));
      if (fresh) {
        tileIds_.push_back(it->first);
        tileCounts_.push_back(1);
      } else {
        ++tileCounts_[it->second];
      }
    }
    tileStart_[t + 1] = static_cast<uint32_t>(tileIds_.size());
  }
  palettes_.assign(static_cast<size_t>(p_), {});
  for (int s = 0; s < p_; ++s)
    for (int e = 1; e < c_; ++e) {
      const ConvertedPixel c = result_.palette[static_cast<size_t>(s * c_ + e)];
      if (!IsTransparent(c)) palettes_[static_cast<size_t>(s)].push_back(c);
    }
  assignment_ = result_.subPalettes;
}

std::vector<float> Refiner::distances(const std::vector<ConvertedPixel>& palette) const {
  std::vector<float> d(colours_.size());
  for (size_t k = 0; k < colours_.size(); ++k) {
    double best = palette.empty() ? std::sqrt(double{kNoColourDistance}) : 1e30;
    for (ConvertedPixel e : palette) best = std::min(best, Distance(colours_[k], e));
    d[k] = static_cast<float>(best);
  }
  return d;
}

std::vector<ConvertedPixel> Refiner::refit(int s) const {
  std::vector<uint32_t> counts(colours_.size(), 0);
  bool any = false;
  for (int t = 0; t < job_.tileCount; ++t) {
    if (assignment_[static_cast<size_t>(t)] != s) continue;
    any = true;
    const size_t tile = static_cast<size_t>(t);
    for (uint32_t k = tileStart_[tile]; k < tileStart_[tile + 1]; ++k)
      counts[tileIds_[k]] += tileCounts_[k];
  }
  const std::vector<ConvertedPixel>& current = palettes_[static_cast<size_t>(s)];
  if (!any) return current;
  std::vector<WeightedColour> histogram;
  for (size_t k = 0; k < colours_.size(); ++k)
    if (counts[k]) histogram.push_back({colours_[k], counts[k]});
  return RefinedPalette(histogram, {}, c_ - 1, current);
}

void Refiner::run() {
  if (p_ < 1 || c_ < 2 || job_.tileCount < 1 ||
      result_.subPalettes.size() != static_cast<size_t>(job_.tileCount) ||
      result_.tiles.size() < static_cast<size_t>(job_.tileCount) * words_)
    return;
  prepare();
  const size_t n = static_cast<size_t>(job_.tileCount);
  std::vector<std::vector<float>> d(static_cast<size_t>(p_));
  for (size_t s = 0; s < d.size(); ++s) d[s] = distances(palettes_[s]);
  double best = 0;
  for (size_t t = 0; t < n; ++t)
    best += tileError(static_cast<int>(t), d[static_cast<size_t>(assignment_[t])]);
  bool changed = false;

  constexpr int kRounds = 24;
  for (int round = 0; round < kRounds; ++round) {
    std::vector<std::vector<ConvertedPixel>> palettes(static_cast<size_t>(p_));
    std::vector<std::vector<float>> dn(static_cast<size_t>(p_));
    for (size_t s = 0; s < palettes.size(); ++s) {
      palettes[s] = refit(static_cast<int>(s));
      dn[s] = palettes[s] == palettes_[s] ? d[s] : distances(palettes[s]);
    }
    std::vector<int> assignment(n);
    double total = 0;
    for (size_t t = 0; t < n; ++t) {
      // A tile stays where it is unless another sub-palette does strictly
      // better.
      int pick = assignment_[t];
      double pickError = tileError(static_cast<int>(t), dn[static_cast<size_t>(pick)]);
      for (int s = 0; s < p_; ++s) {
        const double e = tileError(static_cast<int>(t), dn[static_cast<size_t>(s)]);
        if (e < pickError) pickError = e, pick = s;
      }
      assignment[t] = pick;
      total += pickError;
    }
    if (!(total < best * (1 - 1e-6))) break;
    best = total;
    palettes_ = std::move(palettes);
    d = std::move(dn);
    assignment_ = std::move(assignment);
    changed = true;
  }
  if (changed || job_.dither) write();
}

void Refiner::write() {
  for (int s = 0; s < p_; ++s) {
    const std::vector<ConvertedPixel>& palette = palettes_[static_cast<size_t>(s)];
    for (int e = 1; e < c_; ++e)
      result_.palette[static_cast<size_t>(s * c_ + e)] =
          static_cast<size_t>(e - 1) < palette.size() ? palette[static_cast<size_t>(e - 1)] : 0;
  }
  std::vector<ConvertedPixel> entries(static_cast<size_t>(c_));
  for (int t = 0; t < job_.tileCount; ++t) {
    const int s = assignment_[static_cast<size_t>(t)];
    result_.subPalettes[static_cast<size_t>(t)] = s;
    const std::vector<ConvertedPixel>& palette = palettes_[static_cast<size_t>(s)];
    entries.assign(static_cast<size_t>(c_), 0);
    std::copy(palette.begin(), palette.end(), entries.begin() + 1);
    const int end = 1 + static_cast<int>(palette.size());
    std::unordered_map<uint32_t, DitherChoice> choices;
    for (size_t i = 0; i < words_; ++i) {
      const size_t w = static_cast<size_t>(t) * words_ + i;
      const ConvertedPixel p = job_.tiles[w];
      if (IsTransparent(p) || palette.empty()) {
        result_.tiles[w] = 0;
        continue;
      }
      int e;
      if (job_.dither) {
        auto [it, fresh] = choices.try_emplace(RgbKey(p));
        if (fresh) it->second = ChooseDither(RgbKey(p) | 0xFF000000u, entries.data(), 1, end);
        e = it->second.at(DitherThreshold(WordX(i), WordY(i)));
      } else {
        e = 1;
        double best = Distance(p, entries[1]);
        for (int k = 2; k < end; ++k) {
          const double dk = Distance(p, entries[static_cast<size_t>(k)]);
          if (dk < best) best = dk, e = k;
        }
      }
      result_.tiles[w] = static_cast<uint32_t>(std::max(e, 0));
    }
  }
}

}  // namespace

void RefineSubPalettes(const MultiPaletteJob& job, MultiPaletteResult& result) {
  Refiner(job, result).run();
}

double SubPaletteError(const MultiPaletteJob& job, const MultiPaletteResult& result) {
  const int c = job.coloursPerSubPalette;
  const size_t words = static_cast<size_t>(job.tileWidth) * static_cast<size_t>(job.tileHeight);
  double total = 0;
  for (size_t t = 0; t < result.subPalettes.size(); ++t)
    for (size_t i = 0; i < words; ++i) {
      const ConvertedPixel p = job.tiles[t * words + i];
      if (IsTransparent(p)) continue;
      const uint32_t index = result.tiles[t * words + i];
      const size_t entry = static_cast<size_t>(result.subPalettes[t] * c) + index;
      total += index == 0 || entry >= result.palette.size() ? std::sqrt(double{kNoColourDistance})
                                                            : Distance(p, result.palette[entry]);
    }
  return total;
}

}  // namespace convert
