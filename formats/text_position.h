#pragma once

#include <cstddef>
#include <string_view>

namespace formats {

// The position readers return when the text does not match: past the end of
// any text, so a loop reading from it stops.
inline constexpr size_t kNoPosition = std::string_view::npos;

}  // namespace formats
