#include "tools/hdrbake/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

namespace hdrbake {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxNameBytes = 255;

// Names written for the other platform ("gfx\ball.pcx") name the same file.
std::string WithForwardSlashes(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

// Regular files only: a directory opens but is no file, and a pipe or a
// device could block the run for ever (hence opened without waiting).
int OpenRegular(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// The file a path finally names: a header given as a link replaces the file
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

// "gfx\\ball.h" goes into the folder gfx when there is one; otherwise the
// name is taken as it stands, as the system it came from would.
fs::path OutputPath(const std::string& path) {
  if (path.find('\\') == std::string::npos) return path;
  const fs::path converted = WithForwardSlashes(path);
  std::error_code error;
  const fs::path folder = converted.parent_path();
  if (!folder.empty() && fs::is_directory(folder, error)) return converted;
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

}  // namespace

bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes) {
  int fd = OpenRegular(path);
  if (fd < 0 && path.find('\\') != std::string::npos) fd = OpenRegular(WithForwardSlashes(path));
  if (fd < 0) return false;
  bytes.clear();
  std::uint8_t chunk[1 << 16];
  bool failed = false;
  for (;;) {
    ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) failed = true;
    if (got <= 0) break;
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  const bool closed = ::close(fd) == 0;
  return !failed && closed;
}

bool WriteTextFile(const std::string& path, std::string_view text) {
  // A temporary file beside the header takes its name once every byte is on
  // the disk: a full disk leaves the previous header whole.
  const fs::path target = ThroughLinks(OutputPath(path));
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
    bool ok = WriteAll(fd, text);
    if (exists) ok = ::fchmod(fd, old.st_mode & 07777) == 0 && ok;
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
  }
  return false;
}

}  // namespace hdrbake
