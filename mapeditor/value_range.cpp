#include "mapeditor/value_range.h"

#include <algorithm>
#include <cstdio>

#include "platform/value_syntax.h"

namespace mapeditor {

ValueRange MakeValueRange(uint32_t lowest, uint32_t highest, uint32_t target, bool noIncrement) {
  if (lowest > highest) std::swap(lowest, highest);
  ValueRange r;
  r.lowest = lowest;
  r.highest = highest;
  r.base = static_cast<int32_t>(lowest - target);
  r.noIncrement = noIncrement;
  return r;
}

bool AddValueRange(std::vector<ValueRange>& ranges, const ValueRange& range) {
  if (ranges.size() >= kMaxValueRanges) return false;
  if (std::find(ranges.begin(), ranges.end(), range) != ranges.end()) return false;
  ranges.push_back(range);
  return true;
}

bool ReplaceValueRange(std::vector<ValueRange>& ranges, size_t index, const ValueRange& range) {
  if (index >= ranges.size()) return false;
  if (std::find(ranges.begin(), ranges.end(), range) != ranges.end()) return false;
  ranges[index] = range;
  return true;
}

bool RemoveValueRange(std::vector<ValueRange>& ranges, size_t index) {
  if (index >= ranges.size()) return false;
  ranges.erase(ranges.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}

uint32_t TileForCellValue(std::span<const ValueRange> ranges, uint32_t value,
                          uint32_t displayMask) {
  int32_t v = static_cast<int32_t>(value);
  for (const ValueRange& r : ranges) {
    if (static_cast<int32_t>(r.lowest) <= v && v <= static_cast<int32_t>(r.highest))
      return (r.noIncrement ? r.lowest : value) - static_cast<uint32_t>(r.base);
  }
  return value & displayMask;
}

std::string ValueRangeLine(const ValueRange& range) {
  char line[64];
  std::snprintf(line, sizeof line, "%x-%x -> %x %s", range.lowest, range.highest, range.target(),
                range.noIncrement ? "(exact)" : "");
  return line;
}

std::optional<ValueRange> ValueRangeFromFields(std::string_view lowest, std::string_view highest,
                                               std::string_view target, bool noIncrement) {
  if (lowest.empty() || target.empty()) return std::nullopt;
  uint32_t low = static_cast<uint32_t>(platform::ParseInteger(lowest));
  uint32_t high = highest.empty() ? low : static_cast<uint32_t>(platform::ParseInteger(highest));
  return MakeValueRange(low, high, static_cast<uint32_t>(platform::ParseInteger(target)),
                        noIncrement);
}

uint32_t ValueForPanelTile(std::span<const ValueRange> ranges, uint32_t p) {
  for (const ValueRange& r : ranges) {
    uint32_t target = r.target();
    if (r.noIncrement) {
      if (p == target) return p + static_cast<uint32_t>(r.base);
    } else if (p >= target && p - target <= r.highest - r.lowest) {
      return p + static_cast<uint32_t>(r.base);
    }
  }
  return p;
}

}  // namespace mapeditor
