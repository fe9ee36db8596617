#include "tools/tilecvt/aplib.h"

#include <algorithm>
#include <array>

#include "tools/tilecvt/crc32.h"
#include "tools/tilecvt/match_finder.h"

namespace tilecvt {
namespace {

// Tile sets repeat whole tiles far apart, so the window is the whole block up
// to this size; the match finder's memory grows with it (8 bytes a position,
// rounded up to a power of two).
constexpr uint32_t kMaxWindow = 1u << 22;
constexpr uint32_t kMaxFound = 128;   // the longest match the finder reports
constexpr uint32_t kNiceLength = 64;  // a match this long is taken without weighing others
constexpr uint32_t kSearchDepth = 48;
constexpr uint32_t kFullWeighLength = 16;     // a match's shortest and longest lengths weighed
constexpr size_t kSegment = size_t{1} << 14;  // positions weighed together
constexpr uint32_t kNoPrice = UINT32_MAX;
constexpr uint32_t kNoShortLiteral = 16;
constexpr size_t kHeaderSize = 24;

// The codes of the stream, with their cost in bits:
//   0 + byte                      literal                         9
//   111 + 4 bits                  byte 0, or a copy of the byte 1-15 back   7
//   110 + byte (offset << 1 | length - 2)  length 2-3, offset 1-127       11
//   10 + gamma(2) + gamma(length) the last offset again (only after a literal)
//   10 + gamma(high + 2 or 3) + byte + gamma(length - adjust)  any match
enum class Step : uint8_t { Literal, ShortLiteral, ShortMatch, RepMatch, Match };

// One way of reaching a position. Each position keeps the cheapest few
// arrivals that leave a different last offset behind, so a repeated offset
// that only pays off later is not lost to a slightly cheaper path.
struct Node {
  uint32_t price = kNoPrice;
  uint32_t from = 0;
  uint32_t offset = 0;  // distance, or the short literal's 4-bit offset
  uint32_t length = 0;
  uint32_t lastOffset = 0;  // after this step; 0: none yet
  uint8_t fromSlot = 0;
  Step step = Step::Literal;
  bool afterMatch = false;  // a repeated offset is coded only after a literal
};

constexpr size_t kArrivals = 4;

uint32_t Log2(uint32_t value) { return 31 - static_cast<uint32_t>(__builtin_clz(value)); }
uint32_t GammaBits(uint32_t value) { return 2 * Log2(value); }

// What the decoder adds to the coded length of a match at this offset.
uint32_t LengthAdjust(uint32_t offset) {
  if (offset < 128) return 2;
  if (offset < 1280) return 0;
  if (offset < 32000) return 1;
  return 2;
}

uint32_t HighPart(uint32_t offset, bool afterMatch) { return (offset >> 8) + (afterMatch ? 2 : 3); }

// Tag bytes sit in the stream where the decoder needs their first bit, so
// each is reserved when its first bit is written.
class BitWriter {
 public:
  explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}
  void bit(unsigned bit) {
    if (free_ == 0) {
      tag_ = out_.size();
      out_.push_back(0);
      free_ = 8;
    }
    --free_;
    if (bit) out_[tag_] = static_cast<uint8_t>(out_[tag_] | 1u << free_);
  }
  void bits(unsigned value, int count) {
    for (int i = count - 1; i >= 0; --i) bit((value >> i) & 1);
  }
  void byte(uint8_t byte) { out_.push_back(byte); }
  void gamma(uint32_t value) {
    for (int i = static_cast<int>(Log2(value)) - 1; i >= 0; --i) {
      bit((value >> i) & 1);
      bit(i > 0);
    }
  }

 private:
  std::vector<uint8_t>& out_;
  size_t tag_ = 0;
  int free_ = 0;
};

// Weighs every way of coding a segment (literals, matches of every length the
// match finder offers, repeated offsets) and writes the cheapest path.
class Encoder {
 public:
  Encoder(std::span<const uint8_t> input, std::vector<uint8_t>& out)
      : input_(input),
        bits_(out),
        finder_(input, static_cast<uint32_t>(std::min<size_t>(input.size(), kMaxWindow)), kMaxFound,
                2, kSearchDepth),
        nodes_((kSegment + 1) * kArrivals) {}

  void run() {
    const size_t size = input_.size();
    bits_.byte(input_[0]);
    finder_.skip(0);
    Node state;
    size_t position = 1;
    while (position < size) {
      const size_t span = std::min(kSegment, size - position);
      // Long matches end most segments of tile data early: positions are
      // cleared only as far as the steps from the current one reach.
      size_t cleared = 0;
      auto clearTo = [&](size_t last) {
        for (; cleared <= std::min(last, span); ++cleared)
          for (size_t slot = 0; slot < kArrivals; ++slot) at(cleared)[slot].price = kNoPrice;
      };
      clearTo(kMaxFound);
      at(0)[0] = state;
      at(0)[0].price = 0;
      size_t stop = span;
      Match longMatch;
      for (size_t i = 0; i < span; ++i) {
        clearTo(i + kMaxFound);
        size_t count = finder_.find(position + i, matches_.data());
        if (count > 0 && matches_[count - 1].length >= kNiceLength) {
          stop = i;
          longMatch = matches_[count - 1];
          break;
        }
        weigh(position, i, span, count);
      }
      emitPath(position, stop);
      if (stop == span) {
        state = at(span)[0];
        position += span;
        continue;
      }
      // A long match ends the segment; it runs on as far as the bytes repeat.
      const size_t at = position + stop;
      const Node& here = this->at(stop)[0];
      uint32_t length = longMatch.length;
      while (at + length < size && input_[at + length] == input_[at + length - longMatch.distance])
        ++length;
      Node step;
      step.offset = longMatch.distance;
      step.length = length;
      step.step = (!here.afterMatch && here.lastOffset == longMatch.distance) ? Step::RepMatch
                                                                              : Step::Match;
      emitStep(at, step, here.afterMatch);
      // The rest of a long match stays out of the finder: the bytes it copies
      // are there already, a little further back, and repeated tiles and runs
      // would otherwise cost a search at every byte.
      state = Node{};
      state.lastOffset = longMatch.distance;
      state.afterMatch = true;
      position = at + length;
    }
    bits_.bits(0b110, 3);
    bits_.byte(0);
  }

 private:
  Node* at(size_t k) { return &nodes_[k * kArrivals]; }

  // Keeps the target's arrivals sorted by price, one per last-offset state.
  void relax(size_t target, const Node& arrival) {
    Node* list = at(target);
    size_t slot = 0;
    while (slot < kArrivals && list[slot].price != kNoPrice &&
           (list[slot].lastOffset != arrival.lastOffset ||
            list[slot].afterMatch != arrival.afterMatch))
      ++slot;
    if (slot == kArrivals) {
      slot = kArrivals - 1;  // full: the dearest one may give way
      if (arrival.price >= list[slot].price) return;
    } else if (arrival.price >= list[slot].price) {
      return;  // the same state is already reached as cheaply
    }
    while (slot > 0 && list[slot - 1].price > arrival.price) {
      list[slot] = list[slot - 1];
      --slot;
    }
    list[slot] = arrival;
  }

  void offer(size_t target, uint32_t price, size_t from, size_t fromSlot, Step step,
             uint32_t offset, uint32_t length, uint32_t lastOffset, bool afterMatch) {
    if (price >= at(target)[kArrivals - 1].price && at(target)[kArrivals - 1].price != kNoPrice) {
      // Cheap test first: a full list whose dearest arrival is cheaper.
      return;
    }
    relax(target, {price, static_cast<uint32_t>(from), offset, length, lastOffset,
                   static_cast<uint8_t>(fromSlot), step, afterMatch});
  }

  uint32_t shortLiteralOffset(size_t position) const {
    const uint8_t byte = input_[position];
    if (byte == 0) return 0;
    const size_t reach = std::min<size_t>(15, position);
    for (size_t k = 1; k <= reach; ++k)
      if (input_[position - k] == byte) return static_cast<uint32_t>(k);
    return kNoShortLiteral;
  }

  uint32_t matchLength(size_t position, uint32_t distance, size_t limit) const {
    size_t length = 0;
    while (length < limit && input_[position + length] == input_[position + length - distance])
      ++length;
    return static_cast<uint32_t>(length);
  }

  void weigh(size_t base, size_t i, size_t span, size_t count) {
    const Node* here = at(i);
    if (here[0].price == kNoPrice) return;
    const size_t position = base + i;
    const size_t room = span - i;
    const uint32_t shortLiteral = shortLiteralOffset(position);
    for (size_t slot = 0; slot < kArrivals && here[slot].price != kNoPrice; ++slot) {
      const Node& from = here[slot];
      if (shortLiteral != kNoShortLiteral)
        offer(i + 1, from.price + 7, i, slot, Step::ShortLiteral, shortLiteral, 1, from.lastOffset,
              false);
      else
        offer(i + 1, from.price + 9, i, slot, Step::Literal, 0, 1, from.lastOffset, false);
      if (from.afterMatch || from.lastOffset == 0 || from.lastOffset > position) continue;
      const uint32_t repeat =
          matchLength(position, from.lastOffset, std::min<size_t>(room, kMaxFound));
      for (uint32_t length = 2; length <= repeat; ++length) {
        if (length > kFullWeighLength && length + kFullWeighLength <= repeat)
          length = repeat - kFullWeighLength + 1;
        offer(i + length, from.price + 4 + GammaBits(length), i, slot, Step::RepMatch,
              from.lastOffset, length, from.lastOffset, true);
      }
    }

    uint32_t shorter = 1;
    for (size_t m = 0; m < count; ++m) {
      const Match& match = matches_[m];
      const uint32_t distance = match.distance;
      const uint32_t top = static_cast<uint32_t>(std::min<size_t>(match.length, room));
      const uint32_t adjust = LengthAdjust(distance);
      // After a match the high part is coded one smaller: the cheapest
      // arrival is not always the cheapest start.
      size_t best = 0;
      uint32_t matchBase = kNoPrice;
      for (size_t slot = 0; slot < kArrivals && here[slot].price != kNoPrice; ++slot) {
        const uint32_t price =
            here[slot].price + 2 + GammaBits(HighPart(distance, here[slot].afterMatch)) + 8;
        if (price < matchBase) {
          matchBase = price;
          best = slot;
        }
      }
      for (uint32_t length = shorter + 1; length <= top; ++length) {
        // The middle of a long match is reached as well from the positions
        // after it, where the same match is found shorter.
        if (length > kFullWeighLength && length + kFullWeighLength <= top)
          length = top - kFullWeighLength + 1;
        if (distance < 128 && length <= 3)
          offer(i + length, here[0].price + 11, i, 0, Step::ShortMatch, distance, length, distance,
                true);
        if (length >= adjust + 2)
          offer(i + length, matchBase + GammaBits(length - adjust), i, best, Step::Match, distance,
                length, distance, true);
      }
      shorter = std::max(shorter, match.length);
    }
  }

  void emitPath(size_t base, size_t end) {
    path_.clear();
    size_t k = end, slot = 0;
    while (k > 0) {
      path_.emplace_back(static_cast<uint32_t>(k), static_cast<uint32_t>(slot));
      const Node& node = at(k)[slot];
      k = node.from;
      slot = node.fromSlot;
    }
    for (auto it = path_.rbegin(); it != path_.rend(); ++it) {
      const Node& node = at(it->first)[it->second];
      emitStep(base + node.from, node, at(node.from)[node.fromSlot].afterMatch);
    }
  }

  void emitStep(size_t position, const Node& node, bool afterMatch) {
    switch (node.step) {
      case Step::Literal:
        bits_.bit(0);
        bits_.byte(input_[position]);
        break;
      case Step::ShortLiteral:
        bits_.bits(0b111, 3);
        bits_.bits(node.offset, 4);
        break;
      case Step::ShortMatch:
        bits_.bits(0b110, 3);
        bits_.byte(static_cast<uint8_t>(node.offset << 1 | (node.length - 2)));
        break;
      case Step::RepMatch:
        bits_.bits(0b10, 2);
        bits_.gamma(2);
        bits_.gamma(node.length);
        break;
      case Step::Match:
        bits_.bits(0b10, 2);
        bits_.gamma(HighPart(node.offset, afterMatch));
        bits_.byte(static_cast<uint8_t>(node.offset));
        bits_.gamma(node.length - LengthAdjust(node.offset));
        break;
    }
  }

  std::span<const uint8_t> input_;
  BitWriter bits_;
  TreeMatchFinder finder_;
  std::vector<Node> nodes_;  // kArrivals a position
  std::vector<std::pair<uint32_t, uint32_t>> path_;
  std::array<Match, kMaxFound> matches_;
};

void PutU32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i)
    out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

std::vector<uint8_t> CompressAplib(std::span<const uint8_t> input, bool safeHeader) {
  if (input.empty() || input.size() > UINT32_MAX / 2) return {};
  std::vector<uint8_t> out;
  out.reserve(input.size() + input.size() / 8 + 64);
  if (safeHeader) out.resize(kHeaderSize);
  Encoder(input, out).run();
  if (safeHeader) {
    std::span<const uint8_t> packed(out.data() + kHeaderSize, out.size() - kHeaderSize);
    PutU32(out, 0, 0x32335041u);  // "AP32"
    PutU32(out, 4, kHeaderSize);
    PutU32(out, 8, static_cast<uint32_t>(packed.size()));
    PutU32(out, 12, Crc32(packed));
    PutU32(out, 16, static_cast<uint32_t>(input.size()));
    PutU32(out, 20, Crc32(input));
  }
  return out;
}

}  // namespace tilecvt
