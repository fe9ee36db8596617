#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include "app/language.h"

// Memory sizes as the settings write them ("32 Mo", "192 ko") and read them.
namespace app {

// A number followed by a unit: the first of the letters t, g, m, k, o (in that
// order, either case) found in the text after the number gives the power of
// 1024 (4 down to 0); the size is number × 1024^k + 1024^(k−1), or the number
// itself without a unit or with "o". A size of 4294967296 or more, or a
// negative one, is 0 (no limit).
uint32_t ParseMemorySize(std::string_view text);

// The size with the largest unit ("o", "ko", "Mo", "Go", "To") that keeps the
// number below 1000, with at most three decimals and no trailing zeros.
std::string FormatMemorySize(uint64_t bytes);

}  // namespace app
