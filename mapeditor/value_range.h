#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Value ranges ("conditions" of a background): ranges of cell values shown
// with other tile numbers.
namespace mapeditor {

inline constexpr size_t kMaxValueRanges = 20;

struct ValueRange {
  uint32_t lowest = 0;
  uint32_t highest = 0;      // lowest <= highest (unsigned)
  int32_t base = 0;          // lowest − target, where target is the tile shown for `lowest`
  bool noIncrement = false;  // every value of the range shows the target

  uint32_t target() const { return lowest - static_cast<uint32_t>(base); }
  friend bool operator==(const ValueRange&, const ValueRange&) = default;
};

// A range as the page and the script command give it: lowest and highest are
// swapped when needed (unsigned order) and the base is computed.
ValueRange MakeValueRange(uint32_t lowest, uint32_t highest, uint32_t target, bool noIncrement);

// Appends a range unless there are 20 already or an identical one exists.
bool AddValueRange(std::vector<ValueRange>& ranges, const ValueRange& range);

// "Modifier": replaces range `index` unless an identical range exists (or the
// index is out of range). "Supprimer": removes it, closing the gap.
bool ReplaceValueRange(std::vector<ValueRange>& ranges, size_t index, const ValueRange& range);
bool RemoveValueRange(std::vector<ValueRange>& ranges, size_t index);

// The tile number shown for a value: the first range holding it (compared as
// signed 32-bit numbers) gives value − base, or its target when it does not
// increment; no range: value AND displayMask.
uint32_t TileForCellValue(std::span<const ValueRange> ranges, uint32_t value, uint32_t displayMask);

// The list line of a range: "%x-%x -> %x %s" with "(exact)" for a range that
// does not increment.
std::string ValueRangeLine(const ValueRange& range);

// "Ajouter" / "Modifier" of the page: the fields in the script's number
// syntax; an empty highest means lowest. Nothing when lowest or target is
// empty.
std::optional<ValueRange> ValueRangeFromFields(std::string_view lowest, std::string_view highest,
                                               std::string_view target, bool noIncrement);

// The value that displays tile p of the tile panel (p counted from the
// reference tile): the first range whose targets cover p gives the value of
// its range that shows p; otherwise p itself.
uint32_t ValueForPanelTile(std::span<const ValueRange> ranges, uint32_t p);

}  // namespace mapeditor
