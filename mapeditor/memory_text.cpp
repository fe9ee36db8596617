#include "mapeditor/memory_text.h"

#include <array>
#include <cstdio>

namespace mapeditor {

namespace {

struct MemoryRow {
  uint64_t below;  // the row applies to byte counts below this
  const char* format;
  double unit;  // bytes per shown unit
  bool whole;   // shown truncated with %i
};

constexpr double kKilo = 1024.0;
constexpr double kMega = 1048576.0;
constexpr double kGiga = 1073741824.0;

constexpr std::array<MemoryRow, 7> kMemoryRows{{
    {10240, "Mém: %#.2f ko", kKilo, false},
    {102400, "Mém: %#.1f ko", kKilo, false},
    {1024000, "Mém: %i ko", kKilo, true},
    {10485760, "Mém: %#.2f Mo", kMega, false},
    {104857600, "Mém: %#.1f Mo", kMega, false},
    {1048576000, "Mém: %i Mo", kMega, true},
    {UINT64_MAX, "Mém: %#.2f Go", kGiga, false},
}};

}  // namespace

std::string MemoryText(uint64_t bytes) {
  char text[64];
  for (const MemoryRow& row : kMemoryRows) {
    if (bytes >= row.below && row.below != UINT64_MAX) continue;
    double value = static_cast<double>(bytes) / row.unit;
    if (row.whole)
      std::snprintf(text, sizeof text, row.format, static_cast<int>(value));
    else
      std::snprintf(text, sizeof text, row.format, value);
    return text;
  }
  return {};
}

}  // namespace mapeditor
