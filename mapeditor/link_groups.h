#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Link groups: for every background slot, the slots that act together with it
// (copied, pasted, drawn on, undone and saved together), in order.
namespace mapeditor {

inline constexpr int kLinkRowBytes = 20;
inline constexpr uint8_t kLinkEnd = 0xFF;
// The end marker takes the last byte of a row.
inline constexpr size_t kMaxLinkMembers = kLinkRowBytes - 1;

using LinkRow = std::array<uint8_t, kLinkRowBytes>;

// {slot, end}: a background linked only with itself.
LinkRow SingleLinkRow(int slot);
LinkRow MakeLinkRow(std::span<const int> slots);

// The slots of a row, in order, up to the end marker.
std::vector<int> LinkMembers(const LinkRow& row);

// The numbers of a links text ("1,2,3", 1-based): every run of digits is one
// number; 0, numbers above `count` and repeats are skipped, and at most 19 are
// kept. The result is 0-based.
std::vector<int> ParseLinkNumbers(std::string_view text, int count);

// 1-based numbers as the script gives them, checked the same way.
std::vector<int> CheckLinkNumbers(std::span<const int32_t> numbers, int count);

// A group as the links dialog shows it: "%i" then ", %i" for each member.
std::string LinkGroupText(const LinkRow& row);

}  // namespace mapeditor
