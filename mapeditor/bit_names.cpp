#include "mapeditor/bit_names.h"

#include <cstdio>

#include "platform/text_encoding.h"

namespace mapeditor {

namespace {

struct DefaultName {
  int bit;
  std::string_view name;
};

constexpr std::array<DefaultName, 6> kDefaultNames{{
    {10, "Miroir horizontal"},
    {11, "Miroir vertical"},
    {12, "Palette (LSB)"},
    {13, "Palette"},
    {14, "Palette"},
    {15, "Palette (MSB)"},
}};

}  // namespace

std::string_view DefaultBitName(int bit) {
  for (const DefaultName& d : kDefaultNames)
    if (d.bit == bit) return d.name;
  return {};
}

bool DefaultBitActive(int bit) { return bit >= 10 && bit <= 15; }

BitNames::BitNames() {
  for (int bit = 0; bit < kCellBits; ++bit) {
    names[static_cast<size_t>(bit)] = std::string(DefaultBitName(bit));
    active[static_cast<size_t>(bit)] = DefaultBitActive(bit);
  }
}

bool SetBitName(BitNames& bits, int bit, std::string_view name) {
  if (bit < 0 || bit >= kCellBits) return false;
  if (platform::Utf8Length(name) > kMaxBitNameChars) return false;
  bits.names[static_cast<size_t>(bit)] = std::string(name);
  return true;
}

bool SetBitActive(BitNames& bits, int bit, bool active) {
  if (bit < 0 || bit >= kCellBits) return false;
  bits.active[static_cast<size_t>(bit)] = active;
  return true;
}

std::string BitListLine(const BitNames& bits, int bit) {
  if (bit < 0 || bit >= kCellBits) return {};
  const size_t b = static_cast<size_t>(bit);
  char number[8];
  std::snprintf(number, sizeof number, "%02i", bit);
  return std::string(number) + ": " + bits.names[b] + " (" +
         (bits.active[b] ? "activé" : "désactivé") + ")";
}

}  // namespace mapeditor
