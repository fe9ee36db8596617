#include "convert/kmeans_refinement.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <unordered_map>
#include <unordered_set>

#include "convert/nearest_colour.h"

namespace convert {

namespace {

constexpr uint32_t RgbKey(ConvertedPixel p) { return p & 0xFFFFFFu; }

struct Point {
  float r = 0, g = 0, b = 0, w = 0;
  uint32_t key = 0;
};

// Centres channel by channel, so that the distance loop vectorises.
struct Centres {
  std::vector<float> r, g, b;
  size_t size() const { return r.size(); }
  void add(float cr, float cg, float cb) {
    r.push_back(cr);
    g.push_back(cg);
    b.push_back(cb);
  }
};

float Distance(const Point& p, const Centres& c, size_t i) {
  const float dr = p.r - c.r[i], dg = p.g - c.g[i], db = p.b - c.b[i];
  return dr * dr + dg * dg + db * db;
}

// The nearest centre (the first at the smallest distance) and its distance.
size_t Nearest(const Point& p, const Centres& c, std::vector<float>& scratch, float* distance) {
  const size_t n = c.size();
  scratch.resize(n);
  for (size_t i = 0; i < n; ++i) {
    const float dr = p.r - c.r[i], dg = p.g - c.g[i], db = p.b - c.b[i];
    scratch[i] = dr * dr + dg * dg + db * db;
  }
  size_t best = 0;
  for (size_t i = 1; i < n; ++i)
    if (scratch[i] < scratch[best]) best = i;
  *distance = scratch[best];
  return best;
}

struct Sums {
  double w = 0, r = 0, g = 0, b = 0, q = 0;
  void add(const Point& p) {
    w += p.w;
    r += double{p.w} * p.r;
    g += double{p.w} * p.g;
    b += double{p.w} * p.b;
    q += double{p.w} * (double{p.r} * p.r + double{p.g} * p.g + double{p.b} * p.b);
  }
  double squaredError() const { return w > 0 ? q - (r * r + g * g + b * b) / w : 0; }
};

Sums SumsOf(std::span<const Point> points) {
  Sums s;
  for (const Point& p : points) s.add(p);
  return s;
}

// Splits the box of largest squared error, along its widest axis, where the
// two halves' errors add up least, until there are `count` boxes or none can
// be split; the boxes' weighted means.
Centres MedianCut(std::vector<Point> points, int count) {
  struct Box {
    size_t begin, end;
    Sums sums;
  };
  std::vector<Box> boxes{{0, points.size(), SumsOf(points)}};
  std::vector<Sums> prefix;
  while (static_cast<int>(boxes.size()) < count) {
    size_t pick = 0;
    for (size_t i = 1; i < boxes.size(); ++i)
      if (boxes[i].sums.squaredError() > boxes[pick].sums.squaredError()) pick = i;
    Box box = boxes[pick];
    if (box.end - box.begin < 2 || box.sums.squaredError() <= 0) break;
    std::array<double, 3> lo{1e9, 1e9, 1e9}, hi{-1e9, -1e9, -1e9};
    for (size_t i = box.begin; i < box.end; ++i) {
      const std::array<double, 3> v{points[i].r, points[i].g, points[i].b};
      for (size_t a = 0; a < 3; ++a) lo[a] = std::min(lo[a], v[a]), hi[a] = std::max(hi[a], v[a]);
    }
    size_t axis = 0;
    for (size_t a = 1; a < 3; ++a)
      if (hi[a] - lo[a] > hi[axis] - lo[axis]) axis = a;
    auto value = [axis](const Point& p) { return axis == 0 ? p.r : axis == 1 ? p.g : p.b; };
    std::sort(points.begin() + static_cast<ptrdiff_t>(box.begin),
              points.begin() + static_cast<ptrdiff_t>(box.end),
              [&](const Point& a, const Point& b) {
                return value(a) != value(b) ? value(a) < value(b) : a.key < b.key;
              });
    Sums left;
    double bestError = std::numeric_limits<double>::max();
    size_t split = box.begin + 1;
    for (size_t i = box.begin; i + 1 < box.end; ++i) {
      left.add(points[i]);
      if (value(points[i]) == value(points[i + 1])) continue;
      Sums right{box.sums.w - left.w, box.sums.r - left.r, box.sums.g - left.g, box.sums.b - left.b,
                 box.sums.q - left.q};
      const double e = left.squaredError() + right.squaredError();
      if (e < bestError) bestError = e, split = i + 1;
    }
    const std::span<const Point> all(points);
    boxes[pick] = {box.begin, split, SumsOf(all.subspan(box.begin, split - box.begin))};
    boxes.push_back({split, box.end, SumsOf(all.subspan(split, box.end - split))});
  }
  Centres centres;
  for (const Box& b : boxes)
    centres.add(static_cast<float>(b.sums.r / b.sums.w), static_cast<float>(b.sums.g / b.sums.w),
                static_cast<float>(b.sums.b / b.sums.w));
  return centres;
}

// Centres [0, fixedCount) stay; the others move to the weighted mean of their
// points. `assignment` keeps each point's centre between calls, and `errors`
// its weighted distance. Returns the largest move.
class Lloyd {
 public:
  Lloyd(std::span<const Point> points, size_t fixedCount)
      : points_(points),
        fixed_(fixedCount),
        assignment_(points.size(), SIZE_MAX),
        errors_(points.size(), 0) {}

  void assign(const Centres& c) {
    // A point stays with its centre when it lies within half the distance
    // from that centre to any other: no other can be nearer.
    const size_t n = c.size();
    std::vector<float> half(n, std::numeric_limits<float>::max());
    for (size_t i = 0; i < n; ++i)
      for (size_t j = i + 1; j < n; ++j) {
        const float dr = c.r[i] - c.r[j], dg = c.g[i] - c.g[j], db = c.b[i] - c.b[j];
        const float d = dr * dr + dg * dg + db * db;
        half[i] = std::min(half[i], d / 4);
        half[j] = std::min(half[j], d / 4);
      }
    for (size_t k = 0; k < points_.size(); ++k) {
      const Point& p = points_[k];
      float d = 0;
      if (assignment_[k] < n) {
        d = Distance(p, c, assignment_[k]);
        if (d > half[assignment_[k]]) assignment_[k] = Nearest(p, c, scratch_, &d);
      } else {
        assignment_[k] = Nearest(p, c, scratch_, &d);
      }
      errors_[k] = d * p.w;
    }
  }

  // Moves the free centres; one left without points takes the point served
  // worst, so that no entry is wasted.
  float move(Centres& c) {
    std::vector<Sums> sums(c.size());
    for (size_t k = 0; k < points_.size(); ++k) sums[assignment_[k]].add(points_[k]);
    float largest = 0;
    for (size_t i = fixed_; i < c.size(); ++i) {
      float r, g, b;
      if (sums[i].w > 0) {
        r = static_cast<float>(sums[i].r / sums[i].w);
        g = static_cast<float>(sums[i].g / sums[i].w);
        b = static_cast<float>(sums[i].b / sums[i].w);
      } else {
        const size_t k = worstPoint();
        if (k == SIZE_MAX) continue;
        errors_[k] = 0;
        r = points_[k].r, g = points_[k].g, b = points_[k].b;
      }
      largest =
          std::max({largest, std::abs(r - c.r[i]), std::abs(g - c.g[i]), std::abs(b - c.b[i])});
      c.r[i] = r, c.g[i] = g, c.b[i] = b;
    }
    return largest;
  }

  // The point of largest weighted error whose colour no centre holds yet
  // (first on ties); SIZE_MAX when every point's error is 0.
  size_t worstPoint() const {
    size_t worst = SIZE_MAX;
    for (size_t k = 0; k < points_.size(); ++k)
      if (errors_[k] > 0 && (worst == SIZE_MAX || errors_[k] > errors_[worst])) worst = k;
    return worst;
  }
  float& error(size_t k) { return errors_[k]; }

 private:
  std::span<const Point> points_;
  size_t fixed_;
  std::vector<size_t> assignment_;
  std::vector<float> errors_;
  std::vector<float> scratch_;
};

ConvertedPixel Rounded(const Centres& c, size_t i) {
  auto level = [](float v) { return static_cast<uint32_t>(std::lround(std::max(v, 0.0f))); };
  return MakePixel(level(c.r[i]), level(c.g[i]), level(c.b[i]));
}

}  // namespace

std::vector<WeightedColour> ColourHistogram(std::span<const ConvertedPixel> pixels) {
  std::vector<WeightedColour> out;
  // The console's 5-bit levels fit a direct table; wider levels take a map.
  bool narrow = true;
  for (ConvertedPixel p : pixels)
    if (!IsTransparent(p) && (p & 0xE0E0E0u)) {
      narrow = false;
      break;
    }
  if (narrow) {
    std::vector<uint32_t> counts(32768, 0);
    for (ConvertedPixel p : pixels)
      if (!IsTransparent(p)) ++counts[(PixelRed(p) << 10) | (PixelGreen(p) << 5) | PixelBlue(p)];
    for (uint32_t k = 0; k < counts.size(); ++k)
      if (counts[k]) out.push_back({MakePixel(k >> 10, (k >> 5) & 31, k & 31), counts[k]});
    return out;
  }
  std::unordered_map<uint32_t, uint32_t> counts;
  for (ConvertedPixel p : pixels)
    if (!IsTransparent(p)) ++counts[RgbKey(p)];
  for (const auto& [key, count] : counts) out.push_back({key | 0xFF000000u, count});
  std::sort(out.begin(), out.end(),
            [](const WeightedColour& a, const WeightedColour& b) { return a.colour < b.colour; });
  return out;
}

std::vector<ConvertedPixel> RefinedPalette(std::span<const WeightedColour> histogram,
                                           std::span<const ConvertedPixel> fixed, int room,
                                           std::span<const ConvertedPixel> initial) {
  std::vector<ConvertedPixel> out;
  if (room < 1 || histogram.empty()) return out;
  std::unordered_set<uint32_t> fixedKeys;
  for (ConvertedPixel f : fixed) fixedKeys.insert(RgbKey(f));
  std::vector<ConvertedPixel> fresh;
  for (const WeightedColour& h : histogram)
    if (!fixedKeys.count(RgbKey(h.colour)))
      fresh.push_back(MakePixel(PixelRed(h.colour), PixelGreen(h.colour), PixelBlue(h.colour)));
  if (static_cast<int>(fresh.size()) <= room) return fresh;

  std::vector<Point> points;
  points.reserve(histogram.size());
  for (const WeightedColour& h : histogram)
    points.push_back({float(PixelRed(h.colour)), float(PixelGreen(h.colour)),
                      float(PixelBlue(h.colour)), float(h.count), RgbKey(h.colour)});
  Centres centres;
  for (ConvertedPixel f : fixed)
    centres.add(float(PixelRed(f)), float(PixelGreen(f)), float(PixelBlue(f)));
  const size_t first = centres.size();
  if (!initial.empty()) {
    for (size_t i = 0; i < initial.size() && static_cast<int>(i) < room; ++i)
      centres.add(float(PixelRed(initial[i])), float(PixelGreen(initial[i])),
                  float(PixelBlue(initial[i])));
  } else {
    const Centres cut = MedianCut(points, room);
    for (size_t i = 0; i < cut.size(); ++i) centres.add(cut.r[i], cut.g[i], cut.b[i]);
  }
  // Fewer boxes than room (or a short start): the worst-served points fill in.
  Lloyd lloyd(points, first);
  while (static_cast<int>(centres.size() - first) < room) {
    lloyd.assign(centres);
    const size_t k = lloyd.worstPoint();
    if (k == SIZE_MAX) break;
    centres.add(points[k].r, points[k].g, points[k].b);
  }

  constexpr int kIterations = 16;
  constexpr float kSettled = 0.02f;
  for (int i = 0; i < kIterations; ++i) {
    lloyd.assign(centres);
    if (lloyd.move(centres) < kSettled) break;
  }

  // On the integer levels: rounding may bring two centres onto one colour;
  // the later one then takes the worst-served colour of the picture not yet
  // in the palette. A few rounds let the others follow.
  constexpr int kIntegerRounds = 4;
  std::vector<ConvertedPixel> previous;
  for (int round = 0;; ++round) {
    lloyd.assign(centres);
    std::unordered_set<uint32_t> used = fixedKeys;
    out.clear();
    for (size_t i = first; i < centres.size(); ++i) {
      ConvertedPixel c = Rounded(centres, i);
      bool taken = used.count(RgbKey(c)) != 0;
      while (taken) {
        const size_t k = lloyd.worstPoint();
        if (k == SIZE_MAX) break;
        lloyd.error(k) = 0;
        c = MakePixel(PixelRed(histogram[k].colour), PixelGreen(histogram[k].colour),
                      PixelBlue(histogram[k].colour));
        taken = used.count(RgbKey(c)) != 0;
      }
      if (taken) continue;  // every colour of the picture is served exactly
      used.insert(RgbKey(c));
      out.push_back(c);
      centres.r[i] = float(PixelRed(c));
      centres.g[i] = float(PixelGreen(c));
      centres.b[i] = float(PixelBlue(c));
    }
    if (round == kIntegerRounds || out == previous) break;
    previous = out;
    lloyd.assign(centres);
    lloyd.move(centres);
  }
  return out;
}

double DitherThreshold(int x, int y) {
  static constexpr std::array<uint8_t, 64> kBayer{
      0,  32, 8,  40, 2,  34, 10, 42, 48, 16, 56, 24, 50, 18, 58, 26, 12, 44, 4,  36, 14, 46,
      6,  38, 60, 28, 52, 20, 62, 30, 54, 22, 3,  35, 11, 43, 1,  33, 9,  41, 51, 19, 59, 27,
      49, 17, 57, 25, 15, 47, 7,  39, 13, 45, 5,  37, 63, 31, 55, 23, 61, 29, 53, 21};
  return (kBayer[static_cast<size_t>((y & 7) * 8 + (x & 7))] + 0.5) / 64.0;
}

DitherChoice ChooseDither(ConvertedPixel colour, const ConvertedPixel* palette, int first,
                          int end) {
  DitherChoice choice;
  choice.nearest = NearestColour(colour, palette, first, end, kNoColourLimit);
  if (choice.nearest < 0) return choice;
  const ConvertedPixel a = palette[choice.nearest];
  const double pr = PixelRed(colour), pg = PixelGreen(colour), pb = PixelBlue(colour);
  const double er = pr - PixelRed(a), eg = pg - PixelGreen(a), eb = pb - PixelBlue(a);
  if (er == 0 && eg == 0 && eb == 0) return choice;
  const double qr = pr + er, qg = pg + eg, qb = pb + eb;
  double best = std::numeric_limits<double>::max();
  for (int e = first; e < end; ++e) {
    if (e == choice.nearest) continue;
    const ConvertedPixel c = palette[e];
    const double dr = qr - PixelRed(c), dg = qg - PixelGreen(c), db = qb - PixelBlue(c);
    const double d = dr * dr + dg * dg + db * db;
    if (d < best) best = d, choice.partner = e;
  }
  if (choice.partner < 0) return choice;
  const ConvertedPixel b = palette[choice.partner];
  const double vr = double(PixelRed(b)) - PixelRed(a), vg = double(PixelGreen(b)) - PixelGreen(a),
               vb = double(PixelBlue(b)) - PixelBlue(a);
  const double length = vr * vr + vg * vg + vb * vb;
  choice.share = length > 0 ? std::clamp((er * vr + eg * vg + eb * vb) / length, 0.0, 1.0) : 0;
  return choice;
}

void MapDithered(std::span<const ConvertedPixel> area, int width, const ConvertedPixel* palette,
                 int first, int end, uint32_t background, uint32_t indexOffset,
                 std::span<uint32_t> indices) {
  std::unordered_map<uint32_t, DitherChoice> choices;
  for (size_t i = 0; i < area.size() && i < indices.size(); ++i) {
    const ConvertedPixel p = area[i];
    if (IsTransparent(p)) {
      indices[i] = background;
      continue;
    }
    auto [it, fresh] = choices.try_emplace(p);
    if (fresh) it->second = ChooseDither(p, palette, first, end);
    const int x = width > 0 ? static_cast<int>(i % static_cast<size_t>(width)) : 0;
    const int y = width > 0 ? static_cast<int>(i / static_cast<size_t>(width)) : 0;
    const int e = it->second.at(DitherThreshold(x, y));
    indices[i] = e < 0 ? background : static_cast<uint32_t>(e) + indexOffset;
  }
}

}  // namespace convert
