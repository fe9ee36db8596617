#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hdrbake {

// The whole file; false when it cannot be opened or a read fails.
bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes);

// Creates or replaces a text file (the platform's line ends) holding `text`;
// false when it cannot be created or not every byte reached it.
bool WriteTextFile(const std::string& path, std::string_view text);

}  // namespace hdrbake
