#include "tools/tilecvt/lz77.h"

#include <array>

#include "tools/tilecvt/match_finder.h"

namespace tilecvt {
namespace {

constexpr uint32_t kWindow = 4096;
constexpr uint32_t kMinLength = 3;
constexpr uint32_t kMaxLength = 18;
constexpr size_t kMaxInput = size_t{1} << 24;

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
      size_t count = finder.Find(position, matches.data());
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
      for (size_t k = 1; k < best.length; ++k) finder.Skip(position + k);
      position += best.length;
    }
  }
  return out;
}

}  // namespace tilecvt
