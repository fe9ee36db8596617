#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The whole file as bytes, or nothing when it cannot be read or is not a
// regular file. With a limit, at most that many bytes are read.
std::optional<std::string> ReadFileBytes(const std::string& path, size_t limit = SIZE_MAX);

// Writes the bytes to a temporary file beside the target and renames it over
// the target, so the target is either the old or the new file, never a torn
// one. Returns false (and leaves the target untouched) on any failure.
bool WriteFileAtomic(const std::string& path, std::string_view bytes);

bool FileExists(const std::string& path);

// True when the file can be opened for reading.
bool FileReadable(const std::string& path);

}  // namespace platform
