#include "tools/hdrbake/file_bytes.h"

#include <cstdio>

namespace hdrbake {

bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  bytes.clear();
  // Read in chunks rather than asking for the size first: the input may be a
  // pipe, and a directory opens but fails on the first read.
  std::uint8_t chunk[1 << 16];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
  const bool failed = std::ferror(file) != 0;
  const bool closed = std::fclose(file) == 0;
  return !failed && closed;
}

bool WriteTextFile(const std::string& path, std::string_view text) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (file == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  // Closing flushes the last buffer, which is where a full disk shows up.
  const bool closed = std::fclose(file) == 0;
  return written && closed;
}

}  // namespace hdrbake
