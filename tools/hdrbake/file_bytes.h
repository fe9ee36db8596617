#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hdrbake {

// The whole file; false when it cannot be opened, is not a regular file (a
// pipe is never waited on) or a read fails. Both '\\' and '/' separate
// directories.
bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes);

// Creates or replaces a text file (the platform's line ends) holding `text`,
// atomically: the previous file stays whole until the new one is complete.
// Both separators are accepted; a link is written through. False when it
// cannot be created, something other than a regular file stands at the path,
// or not every byte reached it.
bool WriteTextFile(const std::string& path, std::string_view text);

}  // namespace hdrbake
