#include "mapeditor/link_groups.h"

#include <algorithm>

namespace mapeditor {

LinkRow SingleLinkRow(int slot) {
  LinkRow row;
  row.fill(kLinkEnd);
  row[0] = static_cast<uint8_t>(slot);
  return row;
}

LinkRow MakeLinkRow(std::span<const int> slots) {
  LinkRow row;
  row.fill(kLinkEnd);
  size_t n = std::min(slots.size(), kMaxLinkMembers);
  for (size_t i = 0; i < n; ++i) row[i] = static_cast<uint8_t>(slots[i]);
  return row;
}

std::vector<int> LinkMembers(const LinkRow& row) {
  std::vector<int> members;
  for (uint8_t b : row) {
    if (b == kLinkEnd) break;
    members.push_back(b);
  }
  return members;
}

std::vector<int> CheckLinkNumbers(std::span<const int32_t> numbers, int count) {
  std::vector<int> slots;
  for (int32_t n : numbers) {
    if (n < 1 || n > count) continue;
    int slot = n - 1;
    if (std::find(slots.begin(), slots.end(), slot) != slots.end()) continue;
    if (slots.size() >= kMaxLinkMembers) break;
    slots.push_back(slot);
  }
  return slots;
}

std::vector<int> ParseLinkNumbers(std::string_view text, int count) {
  std::vector<int32_t> numbers;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] < '0' || text[i] > '9') {
      ++i;
      continue;
    }
    int64_t n = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      if (n < 1000000) n = n * 10 + (text[i] - '0');
      ++i;
    }
    numbers.push_back(static_cast<int32_t>(n));
  }
  return CheckLinkNumbers(numbers, count);
}

std::string LinkGroupText(const LinkRow& row) {
  std::string text;
  for (int slot : LinkMembers(row)) {
    if (!text.empty()) text += ", ";
    text += std::to_string(slot + 1);
  }
  return text;
}

}  // namespace mapeditor
