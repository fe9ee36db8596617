#include "tools/tilecvt/lz77.h"

#include <algorithm>
#include <array>

#include "tools/tilecvt/match_finder.h"

namespace tilecvt {
namespace {

constexpr uint32_t kWindow = 4096;
constexpr uint32_t kMinLength = 3;
constexpr uint32_t kMaxLength = 18;
constexpr size_t kMaxInput = size_t{1} << 24;
constexpr uint32_t kLiteralBits = 1 + 8;
constexpr uint32_t kReferenceBits = 1 + 16;

void PutHeader(std::vector<uint8_t>& out, size_t size) {
  out.push_back(0x10);
  out.push_back(static_cast<uint8_t>(size));
  out.push_back(static_cast<uint8_t>(size >> 8));
  out.push_back(static_cast<uint8_t>(size >> 16));
}

class TokenWriter {
 public:
  TokenWriter(std::vector<uint8_t>& out, std::span<const uint8_t> input)
      : out_(out), input_(input) {}
  void literal(size_t position) {
    flag(false);
    out_.push_back(input_[position]);
  }
  void reference(uint32_t length, uint32_t distance) {
    flag(true);
    out_.push_back(static_cast<uint8_t>((length - kMinLength) << 4 | (distance - 1) >> 8));
    out_.push_back(static_cast<uint8_t>(distance - 1));
  }

 private:
  void flag(bool set) {
    if (bit_ == 0) {
      flags_ = out_.size();
      out_.push_back(0);
      bit_ = 8;
    }
    --bit_;
    if (set) out_[flags_] = static_cast<uint8_t>(out_[flags_] | 1 << bit_);
  }

  std::vector<uint8_t>& out_;
  std::span<const uint8_t> input_;
  size_t flags_ = 0;
  int bit_ = 0;
};

// The longest match at every position (length 0 when under 3 bytes). A match
// of some length at a distance also offers every shorter length there, and
// every reference costs the same, so this is all a parse needs to know.
struct MatchTable {
  std::vector<uint8_t> length;
  std::vector<uint16_t> distance;
};

MatchTable LongestMatches(std::span<const uint8_t> input, bool vramSafe) {
  const size_t size = input.size();
  MatchTable table{std::vector<uint8_t>(size), std::vector<uint16_t>(size)};
  TreeMatchFinder finder(input, kWindow, kMaxLength, kMinLength);
  std::array<Match, kMaxLength> matches;
  for (size_t position = 0; position < size; ++position) {
    size_t count;
    if (vramSafe) {
      // The byte just before joins the tree only after this search.
      count = finder.search(position, matches.data());
      if (position > 0) finder.skip(position - 1);
    } else {
      count = finder.find(position, matches.data());
    }
    if (count == 0 || matches[count - 1].length < kMinLength) continue;
    table.length[position] = static_cast<uint8_t>(matches[count - 1].length);
    table.distance[position] = static_cast<uint16_t>(matches[count - 1].distance);
  }
  return table;
}

// Fewest bits from each position to the end; a token's bits do not depend on
// where it sits, and the flag bytes grow with the token count alone.
std::vector<uint8_t> SmallestParse(const MatchTable& table) {
  const size_t size = table.length.size();
  std::vector<uint32_t> cost(size + 1, 0);  // never over 9 bits a byte
  std::vector<uint8_t> step(size, 1);
  for (size_t position = size; position-- > 0;) {
    cost[position] = cost[position + 1] + kLiteralBits;
    for (uint32_t length = table.length[position]; length >= kMinLength; --length) {
      const uint32_t price = cost[position + length] + kReferenceBits;
      if (price < cost[position]) {
        cost[position] = price;
        step[position] = static_cast<uint8_t>(length);
      }
    }
  }
  return step;
}

}  // namespace

std::vector<uint8_t> CompressLz77(std::span<const uint8_t> input) {
  const size_t size = input.size();
  if (size >= kMaxInput) return {};
  std::vector<uint8_t> out;
  out.reserve(size + size / 8 + 64);
  out.push_back(0x10);
  out.push_back(static_cast<uint8_t>(size));
  out.push_back(static_cast<uint8_t>(size >> 8));
  out.push_back(static_cast<uint8_t>(size >> 16));

  TreeMatchFinder finder(input, kWindow, kMaxLength, kMinLength);
  std::array<Match, kMaxLength> matches;
  size_t position = 0;
  while (position < size) {
    size_t flags = out.size();
    out.push_back(0);
    for (int bit = 7; bit >= 0 && position < size; --bit) {
      size_t count = finder.find(position, matches.data());
      Match best = count > 0 ? matches[count - 1] : Match{};
      if (best.length < kMinLength) {
        out.push_back(input[position++]);
        continue;
      }
      uint32_t length = best.length - kMinLength;
      uint32_t distance = best.distance - 1;
      out.push_back(static_cast<uint8_t>(length << 4 | distance >> 8));
      out.push_back(static_cast<uint8_t>(distance));
      out[flags] = static_cast<uint8_t>(out[flags] | 1 << bit);
      for (size_t k = 1; k < best.length; ++k) finder.skip(position + k);
      position += best.length;
    }
  }
  return out;
}

std::vector<uint8_t> CompressLz77(std::span<const uint8_t> input, Lz77Options options) {
  if (!options.vramSafe && !options.smallest) return CompressLz77(input);
  const size_t size = input.size();
  if (size >= kMaxInput) return {};
  std::vector<uint8_t> out;
  out.reserve(size + size / 8 + 64);
  PutHeader(out, size);
  const MatchTable table = LongestMatches(input, options.vramSafe);
  std::vector<uint8_t> steps;
  if (options.smallest) steps = SmallestParse(table);
  TokenWriter writer(out, input);
  size_t position = 0;
  while (position < size) {
    const uint32_t length =
        options.smallest ? steps[position] : std::max<uint32_t>(table.length[position], 1);
    if (length == 1) {
      writer.literal(position);
    } else {
      writer.reference(length, table.distance[position]);
    }
    position += length;
  }
  return out;
}

}  // namespace tilecvt
