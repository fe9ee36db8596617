#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tilecvt {

// Replaces the file with `content`, atomically: until every byte is written
// the previous file stays whole. In text mode every "\n" is written as
// "\r\n", the line end these files have always had. Returns false when the
// file cannot be created or written, or when something other than a regular
// file stands at the path.
bool WriteOutputFile(const std::string& path, std::string_view content, bool text);

// Replaces the file with the bytes as they are, the same way.
bool WriteOutputFile(const std::string& path, std::span<const uint8_t> bytes);

}  // namespace tilecvt
