#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tilecvt {

// Creates (or truncates) the file and writes `content`; in text mode every
// "\n" is written as "\r\n", the line end these files have always had.
// Returns false when the file cannot be created or written.
bool WriteOutputFile(const std::string& path, std::string_view content, bool text);

// Creates (or truncates) the file and writes the bytes as they are.
bool WriteOutputFile(const std::string& path, std::span<const uint8_t> bytes);

}  // namespace tilecvt
