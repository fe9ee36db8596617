#include "app/memory_size.h"

#include <array>
#include <charconv>
#include <cmath>

#include "platform/value_syntax.h"
#include "app/language.h"

namespace app {

namespace {

constexpr std::array<std::string_view, 5> kUnits{"o", "ko", "Mo", "Go", "To"};
// Searched in this order; the letter's place gives the power of 1024.
constexpr std::string_view kUnitLetters = "tgmko";
constexpr int kUnitPowers[] = {4, 3, 2, 1, 0};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Where the number ParseReal reads ends.
size_t NumberEnd(std::string_view t) {
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  while (i < t.size() && IsDigit(t[i])) ++i;
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && IsDigit(t[i])) ++i;
  }
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    size_t j = i + 1;
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
    if (j < t.size() && IsDigit(t[j])) {
      while (j < t.size() && IsDigit(t[j])) ++j;
      i = j;
    }
  }
  return i;
}

int UnitPower(std::string_view rest) {
  for (size_t u = 0; u < kUnitLetters.size(); ++u)
    for (char c : rest)
      if (Lower(c) == kUnitLetters[u]) return kUnitPowers[u];
  return 0;
}

std::string Fixed(double value, int precision) {
  char buffer[64];
  auto r =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
  return r.ec == std::errc() ? std::string(buffer, r.ptr) : std::string("0");
}

}  // namespace

uint32_t ParseMemorySize(std::string_view text) {
  double number = platform::ParseReal(text);
  int k = UnitPower(text.substr(NumberEnd(text)));
  double size = number;
  if (k > 0) size = number * std::pow(1024.0, k) + std::pow(1024.0, k - 1);
  size = std::trunc(size);
  if (!(size >= 0) || size >= 4294967296.0) return 0;
  return static_cast<uint32_t>(size);
}

std::string FormatMemorySize(uint64_t bytes) {
  constexpr uint64_t kKilo = 1024;
  uint64_t scale = 1;
  for (size_t k = 0; k < kUnits.size(); ++k, scale *= kKilo) {
    if (bytes >= 1000 * scale) continue;
    std::string number = Fixed(static_cast<double>(bytes) / static_cast<double>(scale), 6);
    size_t point = number.find('.');
    if (point != std::string::npos) {
      number.resize(std::min(number.size(), point + 4));
      while (number.back() == '0') number.pop_back();
      if (number.back() == '.') number.pop_back();
    }
    return number + " " + std::string(kUnits[k]);
  }
  // 1000 To or more: whole To.
  return std::to_string(bytes / (scale / kKilo)) + " " + std::string(kUnits.back());
}

}  // namespace app
