#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tilecvt {

// Compresses into the console BIOS's LZ77 format (type 0x10): a 4-byte
// header (0x10, the length in 24 bits), then groups of a flag byte (bit 7
// first; set for a back-reference) and eight literals or references of two
// bytes (length 3-18, distance 1-4096). At every position the longest match
// in the 4096 bytes before it is taken when it has at least 3 bytes.
// Returns nothing when the input is too long for the header.
std::vector<uint8_t> CompressLz77(std::span<const uint8_t> input);

struct Lz77Options {
  // No reference to the byte just before: the BIOS's VRAM decompressor
  // (SWI 0x12) writes 16 bits at a time, so that byte is not there yet.
  bool vramSafe = false;
  // The parse with the fewest bits instead of the longest match at every
  // step; the stream stays one that every BIOS decoder reads.
  bool smallest = false;
};

// The same format; with default options exactly the stream above.
std::vector<uint8_t> CompressLz77(std::span<const uint8_t> input, Lz77Options options);

}  // namespace tilecvt
