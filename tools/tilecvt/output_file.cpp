#include "tools/tilecvt/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

namespace tilecvt {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxNameBytes = 255;

// The file a path finally names: an output given as a link replaces the file
// the link points to, and the link stays.
fs::path ThroughLinks(fs::path path) {
  std::error_code error;
  for (int hops = 0; hops < 40 && fs::is_symlink(path, error); ++hops) {
    fs::path next = fs::read_symlink(path, error);
    if (error) break;
    path = next.is_relative() ? path.parent_path() / next : next;
  }
  return path;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Writes a temporary file beside the target and renames it over the target
// once every byte is on the disk: a full disk leaves the previous output
// whole. Only regular files are replaced; a pipe or a device at the path is
// never opened (it could block the run for ever).
bool ReplaceFile(const std::string& path, std::string_view bytes) {
  const fs::path target = ThroughLinks(path);
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) return false;
  const std::string name = target.filename().string();
  if (name.empty() || name.size() > kMaxNameBytes) return false;
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 16; ++attempt) {
    char tag[16];
    std::snprintf(tag, sizeof tag, ".~%08x~", static_cast<unsigned>(random()));
    const fs::path temp = target.parent_path() / ("." + name.substr(0, kMaxNameBytes - 12) + tag);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) return false;
    bool ok = WriteAll(fd, bytes);
    if (exists) ok = ::fchmod(fd, old.st_mode & 07777) == 0 && ok;
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
  }
  return false;
}

}  // namespace

bool WriteOutputFile(const std::string& path, std::span<const uint8_t> bytes) {
  return WriteOutputFile(
      path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), false);
}

bool WriteOutputFile(const std::string& path, std::string_view content, bool text) {
  std::string translated;
  if (text) {
    translated.reserve(content.size() + content.size() / 16);
    for (char c : content) {
      if (c == '\n') translated += '\r';
      translated += c;
    }
    content = translated;
  }
  return ReplaceFile(path, content);
}

}  // namespace tilecvt
