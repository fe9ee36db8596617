#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The names and active flags of the 32 bits of a background's cells, shown
// by the bit grid window. The defaults name the text format's mirror and
// sub-palette bits.
namespace mapeditor {

inline constexpr int kCellBits = 32;
inline constexpr size_t kMaxBitNameChars = 31;

struct BitNames {
  BitNames();

  std::array<std::string, kCellBits> names;
  std::array<bool, kCellBits> active{};
};

std::string_view DefaultBitName(int bit);
bool DefaultBitActive(int bit);

// Sets a name; false (and nothing changes) for a bit outside 0..31 or a name
// longer than 31 characters.
bool SetBitName(BitNames& bits, int bit, std::string_view name);
bool SetBitActive(BitNames& bits, int bit, bool active);

// A line of the property page's list: "%02i: %s (%s)".
std::string BitListLine(const BitNames& bits, int bit);

}  // namespace mapeditor
