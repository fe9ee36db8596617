#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tilecvt {

// Little-endian reads from a file held in memory. Every reader asks Has()
// before it reads, so a header that lies about the file never leads past its
// last byte.
class ByteView {
 public:
  explicit ByteView(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  size_t size() const { return bytes_.size(); }
  bool has(uint64_t offset, uint64_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
  }
  const uint8_t* at(size_t offset) const { return bytes_.data() + offset; }
  uint8_t u8(size_t offset) const { return bytes_[offset]; }
  uint16_t u16(size_t offset) const {
    return static_cast<uint16_t>(bytes_[offset] | bytes_[offset + 1] << 8);
  }
  uint32_t u32(size_t offset) const {
    return static_cast<uint32_t>(bytes_[offset]) | static_cast<uint32_t>(bytes_[offset + 1]) << 8 |
           static_cast<uint32_t>(bytes_[offset + 2]) << 16 |
           static_cast<uint32_t>(bytes_[offset + 3]) << 24;
  }

 private:
  std::span<const uint8_t> bytes_;
};

}  // namespace tilecvt
