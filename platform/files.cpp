#include "platform/files.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "platform/paths.h"

namespace platform {

std::optional<std::string> ReadFileBytes(const std::string& path, size_t limit) {
  const std::string native = ToNative(path);
  // A device or a pipe is no file to read: opening one could block the
  // program, and reading it might never end.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(native, ec)) return std::nullopt;
  std::FILE* f = std::fopen(native.c_str(), "rb");
  if (!f) return std::nullopt;
  std::string out;
  char buf[65536];
  while (out.size() < limit) {
    size_t want = std::min(sizeof buf, limit - out.size());
    size_t n = std::fread(buf, 1, want, f);
    out.append(buf, n);
    if (n < want) break;
  }
  bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) return std::nullopt;
  return out;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes) {
  std::string target = ToNative(path);
  std::random_device rd;
  std::string temp = target + ".tmp" + std::to_string(rd() % 1000000);
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = (std::fflush(f) == 0) && ok;
  ok = (fsync(fileno(f)) == 0) && ok;
  ok = (std::fclose(f) == 0) && ok;
  if (ok) {
    std::error_code ec;
    std::filesystem::rename(temp, target, ec);
    ok = !ec;
  }
  if (!ok) std::remove(temp.c_str());
  return ok;
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(ToNative(path), ec);
}

bool FileReadable(const std::string& path) {
  std::FILE* f = std::fopen(ToNative(path).c_str(), "rb");
  if (!f) return false;
  std::fclose(f);
  return true;
}

}  // namespace platform
