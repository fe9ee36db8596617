#include "tools/tilecvt/match_finder.h"

#include <algorithm>
#include <cstring>

namespace tilecvt {

namespace {

constexpr uint32_t kHashBits = 16;

uint32_t PrefixKey(const uint8_t* bytes, uint32_t prefixBytes) {
  if (prefixBytes == 2) return bytes[0] | uint32_t{bytes[1]} << 8;
  uint32_t three = bytes[0] | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16;
  return (three * 2654435761u) >> (32 - kHashBits);
}

// How many bytes from `length` on are equal, up to `limit`.
uint32_t ExtendMatch(const uint8_t* a, const uint8_t* b, uint32_t length, uint32_t limit) {
  while (length + 8 <= limit) {
    uint64_t x, y;
    std::memcpy(&x, a + length, 8);
    std::memcpy(&y, b + length, 8);
    if (x != y) return length + static_cast<uint32_t>(__builtin_ctzll(x ^ y) / 8);
    length += 8;
  }
  while (length < limit && a[length] == b[length]) ++length;
  return length;
}

}  // namespace

TreeMatchFinder::TreeMatchFinder(std::span<const uint8_t> data, uint32_t window, uint32_t maxLength,
                                 uint32_t prefixBytes, uint32_t depthLimit)
    : data_(data),
      window_(window),
      maxLength_(maxLength),
      prefixBytes_(prefixBytes),
      depthLimit_(depthLimit),
      heads_(size_t{1} << kHashBits, kEmpty) {
  // A slot is reused only after its position has left the window.
  uint32_t cyclic = 1;
  while (cyclic <= window) cyclic <<= 1;
  size_t needed = std::min<size_t>(cyclic, data.size() + 1);
  uint32_t size = 1;
  while (size < needed) size <<= 1;
  cyclicMask_ = size - 1;
  children_.assign(size_t{size} * 2, kEmpty);
}

template <bool kRecord>
size_t TreeMatchFinder::insert(size_t position, Match* matches) {
  const size_t left = data_.size() - position;
  const auto lengthLimit = static_cast<uint32_t>(std::min<size_t>(maxLength_, left));
  if (lengthLimit < prefixBytes_) return 0;
  const uint8_t* current = data_.data() + position;
  const auto pos = static_cast<uint32_t>(position);
  const uint32_t key = PrefixKey(current, prefixBytes_);
  uint32_t candidate = heads_[key];
  heads_[key] = pos;

  uint32_t* smaller = &children_[size_t{pos & cyclicMask_} * 2];
  uint32_t* larger = smaller + 1;
  uint32_t smallerLength = 0;
  uint32_t largerLength = 0;
  uint32_t best = 1;
  uint32_t depth = depthLimit_;
  size_t count = 0;
  for (;;) {
    if (candidate == kEmpty || pos - candidate > window_ || depth-- == 0) {
      *smaller = *larger = kEmpty;
      break;
    }
    uint32_t* pair = &children_[size_t{candidate & cyclicMask_} * 2];
    const uint8_t* earlier = data_.data() + candidate;
    uint32_t length = std::min(smallerLength, largerLength);
    if (earlier[length] == current[length]) {
      length = ExtendMatch(earlier, current, length + 1, lengthLimit);
      if (length > best) {
        best = length;
        if constexpr (kRecord) matches[count++] = {length, pos - candidate};
        if (length == lengthLimit) {
          // Equal as far as compared: the new node takes the old one's place.
          *smaller = pair[0];
          *larger = pair[1];
          break;
        }
      }
    }
    if (earlier[length] < current[length]) {
      *smaller = candidate;
      smaller = pair + 1;
      candidate = *smaller;
      smallerLength = length;
    } else {
      *larger = candidate;
      larger = pair;
      candidate = *larger;
      largerLength = length;
    }
  }
  return count;
}

// A search path in a binary search tree passes the nearest smaller and the
// nearest larger string, and one of them shares the longest prefix.
size_t TreeMatchFinder::search(size_t position, Match* matches) const {
  const size_t left = data_.size() - position;
  const auto lengthLimit = static_cast<uint32_t>(std::min<size_t>(maxLength_, left));
  if (lengthLimit < prefixBytes_) return 0;
  const uint8_t* current = data_.data() + position;
  const auto pos = static_cast<uint32_t>(position);
  uint32_t candidate = heads_[PrefixKey(current, prefixBytes_)];
  uint32_t smallerLength = 0;
  uint32_t largerLength = 0;
  uint32_t best = 1;
  uint32_t depth = depthLimit_;
  size_t count = 0;
  while (candidate != kEmpty && pos - candidate <= window_ && depth-- != 0) {
    const uint32_t* pair = &children_[size_t{candidate & cyclicMask_} * 2];
    const uint8_t* earlier = data_.data() + candidate;
    uint32_t length = std::min(smallerLength, largerLength);
    if (earlier[length] == current[length]) {
      length = ExtendMatch(earlier, current, length + 1, lengthLimit);
      if (length > best) {
        best = length;
        matches[count++] = {length, pos - candidate};
      }
      if (length == lengthLimit) break;
    }
    if (earlier[length] < current[length]) {
      candidate = pair[1];
      smallerLength = length;
    } else {
      candidate = pair[0];
      largerLength = length;
    }
  }
  return count;
}

template size_t TreeMatchFinder::insert<true>(size_t, Match*);
template size_t TreeMatchFinder::insert<false>(size_t, Match*);

}  // namespace tilecvt
