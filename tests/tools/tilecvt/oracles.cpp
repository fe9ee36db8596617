#include "oracles.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

namespace tilecvttest {

std::optional<std::vector<uint8_t>> DecodeLz77(std::span<const uint8_t> stream, size_t* consumed) {
  if (stream.size() < 4 || stream[0] != 0x10) return std::nullopt;
  const size_t size = stream[1] | size_t{stream[2]} << 8 | size_t{stream[3]} << 16;
  std::vector<uint8_t> out;
  out.reserve(size);
  size_t at = 4;
  while (out.size() < size) {
    if (at >= stream.size()) return std::nullopt;
    const uint8_t flags = stream[at++];
    for (int bit = 7; bit >= 0 && out.size() < size; --bit) {
      if (flags & (1 << bit)) {
        if (at + 2 > stream.size()) return std::nullopt;
        const size_t length = (stream[at] >> 4) + 3;
        const size_t distance = ((stream[at] & 15) << 8 | stream[at + 1]) + 1;
        at += 2;
        if (distance > out.size() || out.size() + length > size) return std::nullopt;
        for (size_t k = 0; k < length; ++k) out.push_back(out[out.size() - distance]);
      } else {
        if (at >= stream.size()) return std::nullopt;
        out.push_back(stream[at++]);
      }
    }
  }
  if (consumed != nullptr) *consumed = at;
  return out;
}

std::vector<uint32_t> Lz77TokenLengths(std::span<const uint8_t> stream) {
  std::vector<uint32_t> lengths;
  const size_t size = stream[1] | size_t{stream[2]} << 8 | size_t{stream[3]} << 16;
  size_t at = 4, produced = 0;
  while (produced < size && at < stream.size()) {
    const uint8_t flags = stream[at++];
    for (int bit = 7; bit >= 0 && produced < size && at < stream.size(); --bit) {
      uint32_t length = 1;
      if (flags & (1 << bit)) {
        length = (stream[at] >> 4) + 3;
        at += 2;
      } else {
        ++at;
      }
      lengths.push_back(length);
      produced += length;
    }
  }
  return lengths;
}

uint32_t Lz77ShortestDistance(std::span<const uint8_t> stream) {
  const size_t size = stream[1] | size_t{stream[2]} << 8 | size_t{stream[3]} << 16;
  size_t at = 4, produced = 0;
  uint32_t shortest = 0;
  while (produced < size && at < stream.size()) {
    const uint8_t flags = stream[at++];
    for (int bit = 7; bit >= 0 && produced < size && at + 1 < stream.size(); --bit) {
      if (flags & (1 << bit)) {
        const uint32_t distance = ((stream[at] & 0x0Fu) << 8 | stream[at + 1]) + 1;
        if (shortest == 0 || distance < shortest) shortest = distance;
        produced += (stream[at] >> 4) + 3u;
        at += 2;
      } else {
        ++produced;
        ++at;
      }
    }
  }
  return shortest;
}

std::optional<std::vector<uint8_t>> DecodeLz77ToVram(std::span<const uint8_t> stream,
                                                     uint8_t fill) {
  if (stream.size() < 4 || stream[0] != 0x10) return std::nullopt;
  const size_t size = stream[1] | size_t{stream[2]} << 8 | size_t{stream[3]} << 16;
  std::vector<uint8_t> vram(size + 1, fill);
  size_t written = 0;  // bytes produced, the last one held back when odd
  uint8_t held = 0;
  auto put = [&](uint8_t byte) {
    if (written % 2 == 0) {
      held = byte;
    } else {
      vram[written - 1] = held;
      vram[written] = byte;
    }
    ++written;
  };
  size_t at = 4;
  while (written < size) {
    if (at >= stream.size()) return std::nullopt;
    const uint8_t flags = stream[at++];
    for (int bit = 7; bit >= 0 && written < size; --bit) {
      if (!(flags & (1 << bit))) {
        if (at >= stream.size()) return std::nullopt;
        put(stream[at++]);
        continue;
      }
      if (at + 1 >= stream.size()) return std::nullopt;
      const size_t length = (stream[at] >> 4) + 3u;
      const size_t distance = ((stream[at] & 0x0Fu) << 8 | stream[at + 1]) + 1;
      at += 2;
      if (distance > written || written + length > size) return std::nullopt;
      for (size_t k = 0; k < length; ++k) put(vram[written - distance]);
    }
  }
  if (written % 2 == 1) vram[written - 1] = held;
  vram.resize(size);
  return vram;
}

uint64_t BruteForceSmallestLz77Bits(std::span<const uint8_t> data, uint32_t minDistance) {
  std::vector<uint64_t> bits(data.size() + 1, 0);
  for (size_t position = data.size(); position-- > 0;) {
    const size_t limit = std::min<size_t>(18, data.size() - position);
    size_t longest = 0;
    for (size_t distance = minDistance; distance <= 4096 && distance <= position; ++distance) {
      size_t length = 0;
      while (length < limit && data[position + length] == data[position + length - distance])
        ++length;
      longest = std::max(longest, length);
    }
    bits[position] = bits[position + 1] + 9;
    for (size_t length = 3; length <= longest; ++length)
      bits[position] = std::min(bits[position], bits[position + length] + 17);
  }
  return bits[0];
}

std::vector<uint32_t> BruteForceGreedyLengths(std::span<const uint8_t> data, size_t minDistance) {
  std::vector<uint32_t> lengths;
  for (size_t position = 0; position < data.size();) {
    const size_t limit = std::min<size_t>(18, data.size() - position);
    size_t best = 0;
    for (size_t distance = minDistance; distance <= 4096 && distance <= position; ++distance) {
      size_t length = 0;
      while (length < limit && data[position + length] == data[position + length - distance])
        ++length;
      best = std::max(best, length);
    }
    const size_t taken = best >= 3 ? best : 1;
    lengths.push_back(static_cast<uint32_t>(taken));
    position += taken;
  }
  return lengths;
}

namespace {

class AplibReader {
 public:
  explicit AplibReader(std::span<const uint8_t> stream) : stream_(stream) {}
  bool byte(uint32_t& value) {
    if (at_ >= stream_.size()) return false;
    value = stream_[at_++];
    return true;
  }
  bool readBit(uint32_t& bit) {
    if (left_ == 0) {
      uint32_t tag;
      if (!byte(tag)) return false;
      tag_ = tag;
      left_ = 8;
    }
    --left_;
    bit = (tag_ >> left_) & 1;
    return true;
  }
  bool gamma(uint32_t& value) {
    value = 1;
    uint32_t bit, more;
    do {
      if (!readBit(bit) || !readBit(more) || value > (1u << 30)) return false;
      value = value << 1 | bit;
    } while (more);
    return true;
  }

 private:
  std::span<const uint8_t> stream_;
  size_t at_ = 0;
  uint32_t tag_ = 0;
  int left_ = 0;
};

bool Copy(std::vector<uint8_t>& out, size_t offset, size_t length, size_t limit) {
  if (offset == 0 || offset > out.size() || out.size() + length > limit) return false;
  for (size_t k = 0; k < length; ++k) out.push_back(out[out.size() - offset]);
  return true;
}

}  // namespace

std::optional<std::vector<uint8_t>> DecodeAplib(std::span<const uint8_t> stream, size_t limit) {
  AplibReader in(stream);
  std::vector<uint8_t> out;
  uint32_t value;
  if (!in.byte(value) || limit == 0) return std::nullopt;
  out.push_back(static_cast<uint8_t>(value));
  size_t lastOffset = 0;
  bool afterMatch = false;
  for (;;) {
    uint32_t a, b, c;
    if (!in.readBit(a)) return std::nullopt;
    if (a == 0) {  // 0: literal byte
      if (!in.byte(value) || out.size() >= limit) return std::nullopt;
      out.push_back(static_cast<uint8_t>(value));
      afterMatch = false;
      continue;
    }
    if (!in.readBit(b)) return std::nullopt;
    if (b == 0) {  // 10: gamma-coded match, or the last offset again after a literal
      uint32_t high, length;
      if (!in.gamma(high)) return std::nullopt;
      if (!afterMatch && high == 2) {
        if (!in.gamma(length) || !Copy(out, lastOffset, length, limit)) return std::nullopt;
      } else {
        high -= afterMatch ? 2 : 3;
        if (!in.byte(value) || !in.gamma(length)) return std::nullopt;
        size_t offset = size_t{high} << 8 | value;
        if (offset >= 32000) ++length;
        if (offset >= 1280) ++length;
        if (offset < 128) length += 2;
        if (!Copy(out, offset, length, limit)) return std::nullopt;
        lastOffset = offset;
      }
      afterMatch = true;
      continue;
    }
    if (!in.readBit(c)) return std::nullopt;
    if (c == 0) {  // 110: one byte of offset and length 2 or 3; offset 0 ends the stream
      if (!in.byte(value)) return std::nullopt;
      if (value >> 1 == 0) return out;
      if (!Copy(out, value >> 1, 2 + (value & 1), limit)) return std::nullopt;
      lastOffset = value >> 1;
      afterMatch = true;
      continue;
    }
    uint32_t offset = 0;  // 111: four bits of offset, one byte (0 writes a zero)
    for (int i = 0; i < 4; ++i) {
      if (!in.readBit(a)) return std::nullopt;
      offset = offset << 1 | a;
    }
    if (out.size() >= limit) return std::nullopt;
    if (offset == 0) {
      out.push_back(0);
    } else if (!Copy(out, offset, 1, limit)) {
      return std::nullopt;
    }
    afterMatch = false;
  }
}

uint32_t ReferenceCrc32(std::span<const uint8_t> data) {
  uint32_t crc = 0xFFFFFFFFu;
  for (uint8_t byte : data) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

std::optional<Picture> ReadPpm(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maxValue = 0;
  Picture picture;
  in >> magic >> picture.width >> picture.height >> maxValue;
  if (!in || magic != "P6" || maxValue != 255) return std::nullopt;
  in.get();  // the single blank before the samples
  picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
  in.read(reinterpret_cast<char*>(picture.rgb.data()),
          static_cast<std::streamsize>(picture.rgb.size()));
  if (!in) return std::nullopt;
  return picture;
}

}  // namespace tilecvttest
