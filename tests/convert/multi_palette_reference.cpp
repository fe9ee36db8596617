#include "multi_palette_reference.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "convert/converted_pixel.h"

namespace converttest {

namespace {

using convert::ConvertedPixel;

struct Node {
  bool leaf = false;
  uint64_t count = 0;
  uint64_t sums[3] = {0, 0, 0};
  Node* children[8] = {};
  Node* next = nullptr;
};

class PointerOctree {
 public:
  explicit PointerOctree(int maxLeaves) : max_(maxLeaves) {}
  ~PointerOctree() { free(root_); }
  PointerOctree(const PointerOctree&) = delete;
  PointerOctree& operator=(const PointerOctree&) = delete;

  void insert(ConvertedPixel p) {
    const uint32_t ch[3] = {convert::PixelRed(p), convert::PixelGreen(p), convert::PixelBlue(p)};
    Node** link = &root_;
    for (int level = 0;; ++level) {
      if (!*link) *link = create(level);
      Node* n = *link;
      if (n->leaf) {
        ++n->count;
        for (int i = 0; i < 3; ++i) n->sums[i] += ch[i];
        break;
      }
      uint32_t m = 128u >> level;
      int s = 7 - level;
      int child =
          static_cast<int>(((ch[0] & m) >> s) * 4 + ((ch[1] & m) >> s) * 2 + ((ch[2] & m) >> s));
      link = &n->children[child];
    }
    while (leaves_ > max_) {
      int level = 7;
      while (level > 0 && !reducible_[level]) --level;
      Node* n = reducible_[level];
      if (!n) break;
      reducible_[level] = n->next;
      int k = 0;
      for (Node*& c : n->children) {
        if (!c) continue;
        n->count += c->count;
        for (int i = 0; i < 3; ++i) n->sums[i] += c->sums[i];
        delete c;
        c = nullptr;
        ++k;
      }
      n->leaf = true;
      leaves_ += 1 - k;
    }
  }

  std::vector<ConvertedPixel> colours() const {
    std::vector<ConvertedPixel> out;
    walk(root_, out);
    return out;
  }

 private:
  Node* create(int level) {
    Node* n = new Node;
    if (level == 8) {
      n->leaf = true;
      ++leaves_;
    } else {
      n->next = reducible_[level];
      reducible_[level] = n;
    }
    return n;
  }
  static void walk(const Node* n, std::vector<ConvertedPixel>& out) {
    if (!n) return;
    if (n->leaf) {
      out.push_back(convert::MakePixel(static_cast<uint32_t>(n->sums[0] / n->count),
                                       static_cast<uint32_t>(n->sums[1] / n->count),
                                       static_cast<uint32_t>(n->sums[2] / n->count)));
      return;
    }
    for (const Node* c : n->children) walk(c, out);
  }
  static void free(Node* n) {
    if (!n) return;
    for (Node* c : n->children) free(c);
    delete n;
  }

  Node* root_ = nullptr;
  std::array<Node*, 8> reducible_{};
  int leaves_ = 0;
  int max_;
};

uint32_t Distance(ConvertedPixel a, ConvertedPixel b) {
  int dr = convert::PixelRed(a) - convert::PixelRed(b);
  int dg = convert::PixelGreen(a) - convert::PixelGreen(b);
  int db = convert::PixelBlue(a) - convert::PixelBlue(b);
  return static_cast<uint32_t>(dr * dr + dg * dg + db * db) +
         (convert::PixelOpacity(a) != convert::PixelOpacity(b) ? 1u : 0u);
}

struct Palette {
  std::array<ConvertedPixel, 256> colours{};
  int count = 1;
  bool operator==(const Palette&) const = default;
};

struct Slot {
  Palette palette;
  std::vector<int> tiles;
};

class Reference {
 public:
  explicit Reference(const convert::MultiPaletteJob& job)
      : job_(job),
        c_(job.coloursPerSubPalette),
        words_(static_cast<size_t>(job.tileWidth) * job.tileHeight) {
    for (size_t i = 0; i < static_cast<size_t>(job.tileCount) * words_; ++i)
      pixels_.push_back(convert::SwapRedBlue(job.tiles[i]));
  }

  const ConvertedPixel* tile(int t) const {
    return pixels_.data() + static_cast<size_t>(t) * words_;
  }

  // One pass of the colour collection over the pixels, in order.
  int pass(const std::vector<ConvertedPixel>& pixels, Palette& p, int64_t tolerance) const {
    int count = p.count;
    for (ConvertedPixel px : pixels) {
      if (convert::IsTransparent(px)) continue;
      int found = -1;
      int64_t best = tolerance;
      for (int e = 1; e < count; ++e) {
        int64_t d = Distance(px, p.colours[static_cast<size_t>(e)]);
        if (d <= best) best = d, found = e;
      }
      if (found >= 0) continue;
      if (count + 1 > c_) return -1;
      p.colours[static_cast<size_t>(count++)] = px;
    }
    return count;
  }

  void collect(const std::vector<ConvertedPixel>& pixels, Palette& p) const {
    Palette trial = p;
    int count = pass(pixels, trial, 0);
    if (count < 0) {
      int64_t lo = 0, hi = convert::kFitToleranceCeiling, t = hi / 2;
      while (lo + 1 < hi) {
        Palette attempt = p;
        if (pass(pixels, attempt, t) >= 0)
          hi = t;
        else
          lo = t;
        t = (lo + hi) / 2;
      }
      trial = p;
      count = pass(pixels, trial, hi);
      if (count < 0) return;
    }
    for (int i = count; i < 256; ++i) trial.colours[static_cast<size_t>(i)] = 0;
    trial.count = count;
    p = trial;
  }

  uint64_t error(const ConvertedPixel* pixels, size_t n, const Palette& p) const {
    uint64_t total = 0;
    for (size_t i = 0; i < n; ++i) {
      if (convert::IsTransparent(pixels[i])) continue;
      uint32_t best = convert::kNoColourDistance;
      bool any = false;
      for (int e = 1; e < p.count; ++e) {
        uint32_t d = Distance(pixels[i], p.colours[static_cast<size_t>(e)]);
        if (!any || d < best) best = d, any = true;
      }
      total += static_cast<uint64_t>(std::sqrt(static_cast<double>(best)));
    }
    return total;
  }
  uint64_t tileError(int t, const Palette& p) const { return error(tile(t), words_, p); }

  Palette fit(const Palette& base, int t, uint64_t* error) const {
    Palette p = base;
    bool done = false;
    if (job_.fastReduction && c_ - base.count >= 2) {
      PointerOctree tree(c_ - base.count);
      for (size_t i = 0; i < words_; ++i)
        if (!convert::IsTransparent(tile(t)[i])) tree.insert(tile(t)[i]);
      std::vector<ConvertedPixel> leaves = tree.colours();
      if (leaves.size() >= 2) {
        for (size_t i = 0; i < leaves.size(); ++i)
          p.colours[static_cast<size_t>(base.count) + i] = leaves[i];
        p.count = base.count + static_cast<int>(leaves.size());
        done = true;
      }
    }
    if (!done) collect(std::vector<ConvertedPixel>(tile(t), tile(t) + words_), p);
    *error = tileError(t, p);
    return p;
  }

  Palette rebuild(const std::vector<int>& tiles, uint64_t* error) const {
    Palette p;
    std::vector<ConvertedPixel> all;
    for (int t : tiles) all.insert(all.end(), tile(t), tile(t) + words_);
    bool done = false;
    if (job_.fastReduction) {
      PointerOctree tree(c_ - 1);
      for (ConvertedPixel px : all)
        if (!convert::IsTransparent(px)) tree.insert(px);
      std::vector<ConvertedPixel> leaves = tree.colours();
      if (leaves.size() >= 2) {
        for (size_t i = 0; i < leaves.size(); ++i) p.colours[1 + i] = leaves[i];
        p.count = 1 + static_cast<int>(leaves.size());
        done = true;
      }
    }
    if (!done) collect(all, p);
    *error = this->error(all.data(), all.size(), p);
    return p;
  }

  int best(int t, uint64_t* error) const {
    int best = 0;
    uint64_t bestError = 0;
    for (size_t s = 0; s < slots_.size(); ++s) {
      uint64_t e = tileError(t, slots_[s].palette);
      if (s == 0 || e < bestError) bestError = e, best = static_cast<int>(s);
    }
    if (error) *error = bestError;
    return best;
  }

  int run(convert::MultiPaletteResult& result) {
    const int p = convert::SubPaletteCount(job_.requestedColours, c_);
    const int n = job_.tileCount;
    // Seeding.
    Palette empty;
    int seed = 0;
    uint64_t worst = 0;
    for (int t = 0; t < n; ++t) {
      uint64_t e;
      fit(empty, t, &e);
      if (t == 0 || e > worst) worst = e, seed = t;
    }
    uint64_t ignored;
    slots_.push_back({fit(empty, seed, &ignored), {}});
    while (static_cast<int>(slots_.size()) < p) {
      seed = 0;
      worst = 0;
      for (int t = 0; t < n; ++t) {
        uint64_t e;
        best(t, &e);
        if (t == 0 || e > worst) worst = e, seed = t;
      }
      slots_.push_back({fit(empty, seed, &ignored), {}});
    }
    // Assignment.
    for (int t = 0; t < n; ++t) {
      int best = 0;
      int64_t bestCost = 0;
      Palette bestPalette;
      for (size_t s = 0; s < slots_.size(); ++s) {
        std::vector<int> list = slots_[s].tiles;
        list.push_back(t);
        uint64_t error;
        Palette rebuilt = rebuild(list, &error);
        int64_t cost = static_cast<int64_t>(error);
        const Palette& old = slots_[s].palette;
        if (job_.colorisation > 0) {
          for (int i = 0; i < rebuilt.count; ++i) {
            ConvertedPixel a = rebuilt.colours[static_cast<size_t>(i)],
                           b = old.colours[static_cast<size_t>(i)];
            if (a == b) continue;
            int dr = convert::PixelRed(a) - convert::PixelRed(b);
            int dg = convert::PixelGreen(a) - convert::PixelGreen(b);
            int db = convert::PixelBlue(a) - convert::PixelBlue(b);
            cost +=
                int64_t{job_.colorisation} *
                static_cast<int64_t>(std::sqrt(static_cast<double>(dr * dr + dg * dg + db * db)));
          }
        } else if (job_.colorisation == -1) {
          cost += 100 * int64_t{rebuilt.count - old.count};
        } else if (job_.colorisation == -2) {
          uint64_t total = 0;
          for (int v = 0; v < n; ++v) {
            uint64_t b = 0;
            for (size_t o = 0; o < slots_.size(); ++o) {
              uint64_t e = tileError(v, o == s ? rebuilt : slots_[o].palette);
              if (o == 0 || e < b) b = e;
            }
            total += b;
          }
          cost = static_cast<int64_t>(total);
        }
        if (s == 0 || cost < bestCost)
          bestCost = cost, best = static_cast<int>(s), bestPalette = rebuilt;
      }
      slots_[static_cast<size_t>(best)].tiles.push_back(t);
      slots_[static_cast<size_t>(best)].palette = bestPalette;
    }
    // Post-processing.
    if (job_.postProcessing) {
      std::vector<bool> used(static_cast<size_t>(n), false);
      for (;;) {
        int target = -1;
        for (int s = static_cast<int>(slots_.size()) - 1; s >= 0 && target < 0; --s)
          if (slots_[static_cast<size_t>(s)].palette.count < c_) target = s;
        if (target < 0) break;
        int tile = -1;
        for (int t = 0; t < n; ++t) {
          if (used[static_cast<size_t>(t)]) continue;
          uint64_t e;
          best(t, &e);
          if (tile < 0 || e > worst) worst = e, tile = t;
        }
        if (tile < 0) break;
        uint64_t e;
        slots_[static_cast<size_t>(target)].palette =
            fit(slots_[static_cast<size_t>(target)].palette, tile, &e);
        used[static_cast<size_t>(tile)] = true;
      }
    }
    // Output.
    result.tiles.assign(static_cast<size_t>(n) * words_, 0);
    result.subPalettes.assign(static_cast<size_t>(n), 0);
    for (int t = 0; t < n; ++t) {
      int s = best(t, nullptr);
      result.subPalettes[static_cast<size_t>(t)] = s;
      const Palette& pal = slots_[static_cast<size_t>(s)].palette;
      for (size_t i = 0; i < words_; ++i) {
        ConvertedPixel px = tile(t)[i];
        if (convert::IsTransparent(px)) continue;
        int found = 0;
        int64_t best = 0x7FFFFFFF;
        for (int e = 1; e < pal.count; ++e) {
          int64_t d = Distance(px, pal.colours[static_cast<size_t>(e)]);
          if (d <= best) best = d, found = e;
        }
        result.tiles[static_cast<size_t>(t) * words_ + i] = static_cast<uint32_t>(found);
      }
    }
    result.palette.clear();
    for (const Slot& s : slots_)
      for (int i = 0; i < c_; ++i)
        result.palette.push_back(convert::SwapRedBlue(s.palette.colours[static_cast<size_t>(i)]));
    return c_ * static_cast<int>(slots_.size());
  }

 private:
  const convert::MultiPaletteJob& job_;
  int c_;
  size_t words_;
  std::vector<ConvertedPixel> pixels_;
  std::vector<Slot> slots_;
};

}  // namespace

int ReferenceMultiPalette(const convert::MultiPaletteJob& job,
                          convert::MultiPaletteResult& result) {
  Reference r(job);
  return r.run(result);
}

}  // namespace converttest
