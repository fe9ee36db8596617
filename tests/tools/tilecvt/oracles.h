#pragma once

// Decoders and references written from the format descriptions alone, to
// check the converter's output without trusting its own code.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tilecvttest {

// The console BIOS's LZ77 (type 0x10): a header byte 0x10 and the size in 24
// bits, then flag bytes (bit 7 first, set = reference) each followed by up to
// eight literals or two-byte references (length - 3 in the high nibble,
// distance - 1 in 12 bits). Returns nothing for any malformed stream,
// including a reference before the start or past the declared size.
// `consumed` receives the number of input bytes the stream used.
std::optional<std::vector<uint8_t>> DecodeLz77(std::span<const uint8_t> stream,
                                               size_t* consumed = nullptr);

// The length of every token of an LZ77 stream: 1 for a literal.
std::vector<uint32_t> Lz77TokenLengths(std::span<const uint8_t> stream);

// The smallest distance of any back-reference (0 when there is none).
uint32_t Lz77ShortestDistance(std::span<const uint8_t> stream);

// What the BIOS's VRAM decompressor leaves in video memory: bytes reach the
// memory in 16-bit pairs, so a reference reads the old contents (`fill`) of
// a byte whose pair is not complete yet. Returns nothing for a malformed
// stream.
std::optional<std::vector<uint8_t>> DecodeLz77ToVram(std::span<const uint8_t> stream, uint8_t fill);

// The fewest token bits (9 a literal, 17 a reference of 3-18 bytes at a
// distance from `minDistance` to 4096) that code `data`, trying every
// distance at every position.
uint64_t BruteForceSmallestLz77Bits(std::span<const uint8_t> data, uint32_t minDistance);

// What a greedy compressor that tries every distance from `minDistance` to
// 4096 (copies may overlap the bytes they produce) takes at each step: the
// longest match of 3 to 18 bytes, else 1 for a literal.
std::vector<uint32_t> BruteForceGreedyLengths(std::span<const uint8_t> data,
                                              size_t minDistance = 1);

// The aPLib stream format as the published decompressor reads it: a first
// literal byte, then codes behind tag bits read most significant first from
// tag bytes taken from the stream when needed. Returns nothing for a
// malformed stream or one that would exceed `limit` bytes.
std::optional<std::vector<uint8_t>> DecodeAplib(std::span<const uint8_t> stream, size_t limit);

// CRC-32 bit by bit (reflected, polynomial 0xEDB88320).
uint32_t ReferenceCrc32(std::span<const uint8_t> data);

// A binary PPM (P6, maxval 255) as written by ImageMagick.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
};
std::optional<Picture> ReadPpm(const std::string& path);

}  // namespace tilecvttest
