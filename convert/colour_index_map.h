#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A map from colour words to small non-negative integers, for the hot loops
// of the reductions (open addressing; it only grows).
namespace convert {

class ColourIndexMap {
 public:
  explicit ColourIndexMap(size_t expected = 64) { rehash(capacity(expected)); }

  // The value stored for the colour, or −1.
  int find(uint32_t colour) const {
    size_t slot = firstSlot(colour);
    while (values_[slot] >= 0) {
      if (keys_[slot] == colour) return values_[slot];
      slot = (slot + 1) & mask_;
    }
    return -1;
  }

  // Stores `value` (≥ 0) unless the colour is present; returns the value now
  // stored for the colour.
  int insert(uint32_t colour, int value) {
    size_t slot = firstSlot(colour);
    while (values_[slot] >= 0) {
      if (keys_[slot] == colour) return values_[slot];
      slot = (slot + 1) & mask_;
    }
    keys_[slot] = colour;
    values_[slot] = value;
    if (++size_ * 2 > values_.size()) rehash(values_.size() * 2);
    return value;
  }

 private:
  static size_t capacity(size_t expected) {
    size_t c = 16;
    while (c < expected * 2) c *= 2;
    return c;
  }
  size_t firstSlot(uint32_t colour) const {
    return static_cast<size_t>((uint64_t{colour} * 0x9E3779B97F4A7C15ull) >> shift_);
  }
  void rehash(size_t capacity) {
    std::vector<uint32_t> keys = std::move(keys_);
    std::vector<int> values = std::move(values_);
    keys_.assign(capacity, 0);
    values_.assign(capacity, -1);
    mask_ = capacity - 1;
    shift_ = 64;
    for (size_t c = capacity; c > 1; c >>= 1) --shift_;
    size_ = 0;
    for (size_t i = 0; i < values.size(); ++i)
      if (values[i] >= 0) insert(keys[i], values[i]);
  }

  std::vector<uint32_t> keys_;
  std::vector<int> values_;
  size_t mask_ = 0;
  int shift_ = 64;
  size_t size_ = 0;
};

}  // namespace convert
