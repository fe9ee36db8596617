#include "platform/files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "platform/paths.h"

namespace platform {

namespace {

namespace fs = std::filesystem;

// A temporary name beside the target that stays within the name limit
// however long the target's name is: a hidden name made of the start of the
// target's name and a random tag.
std::string TemporaryName(const std::string& target, std::mt19937& random) {
  size_t slash = target.rfind('/');
  std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  constexpr size_t kTagBytes = 12;  // ".~" and eight hex digits and "~" and the leading "."
  size_t keep = std::min(name.size(), kMaxNameBytes - kTagBytes);
  // Never end the kept part inside a UTF-8 sequence.
  while (keep > 0 && keep < name.size() && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
    --keep;
  char tag[16];
  std::snprintf(tag, sizeof tag, ".~%08x~", static_cast<unsigned>(random()));
  return dir + "." + name.substr(0, keep) + tag;
}

bool NameFits(const std::string& path) {
  if (path.size() > kMaxPathBytes) return false;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    if (end - start > kMaxNameBytes) return false;
    start = end + 1;
  }
  return true;
}

}  // namespace

ReadResult ReadFileChecked(const std::string& path, size_t limit) {
  ReadResult out;
  const std::string native = ToNative(path);
  // O_NONBLOCK: opening a pipe with no writer must not wait for one.
  int fd = ::open(native.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    out.error = errno;
    out.status = errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::Unreadable;
    if (errno == ENXIO) out.status = ReadStatus::NotRegular;  // a socket or a pipe end
    return out;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    out.status = ReadStatus::NotRegular;
    return out;
  }
  char buf[65536];
  while (out.bytes.size() < limit) {
    size_t want = std::min(sizeof buf, limit - out.bytes.size());
    ssize_t n = ::read(fd, buf, want);
    if (n < 0) {
      if (errno == EINTR) continue;
      out.error = errno;
      ::close(fd);
      out.bytes.clear();
      out.status = ReadStatus::Unreadable;
      return out;
    }
    if (n == 0) break;
    out.bytes.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  out.status = ReadStatus::Ok;
  return out;
}

std::optional<std::string> ReadFileBytes(const std::string& path, size_t limit) {
  ReadResult r = ReadFileChecked(path, limit);
  if (r.status != ReadStatus::Ok) return std::nullopt;
  return std::move(r.bytes);
}

std::string ResolveLinks(const std::string& path) {
  std::string current = path;
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(current, ec)) return current;
    fs::path next = fs::read_symlink(current, ec);
    if (ec) return current;
    if (next.is_relative()) next = fs::path(current).parent_path() / next;
    current = next.lexically_normal().string();
  }
  return path;
}

PendingFile::~PendingFile() { abandon(); }

PendingFile::PendingFile(PendingFile&& other) noexcept { *this = std::move(other); }

PendingFile& PendingFile::operator=(PendingFile&& other) noexcept {
  if (this != &other) {
    abandon();
    file_ = other.file_;
    target_ = std::move(other.target_);
    temp_ = std::move(other.temp_);
    completed_ = other.completed_;
    other.file_ = nullptr;
    other.temp_.clear();
    other.completed_ = false;
  }
  return *this;
}

WriteStatus PendingFile::open(const std::string& path) {
  abandon();
  target_ = ResolveLinks(ToNative(path));
  if (!NameFits(target_)) return WriteStatus::NameTooLong;
  mode_t mode = 0666;
  struct stat st {};
  bool exists = ::stat(target_.c_str(), &st) == 0;
  if (exists) {
    if (!S_ISREG(st.st_mode)) return WriteStatus::NotRegular;
    // The owner's protection holds for everyone, also for a user who could
    // override it.
    if ((st.st_mode & 0222) == 0 || ::access(target_.c_str(), W_OK) != 0)
      return WriteStatus::ReadOnly;
    mode = st.st_mode & 07777;
  }
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 16; ++attempt) {
    std::string temp = TemporaryName(target_, random);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : mode);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return errno == ENAMETOOLONG ? WriteStatus::NameTooLong : WriteStatus::Failed;
    }
    // The new file gets the old one's permissions (the umask does not apply
    // to them) and, where allowed, its owner.
    if (exists) {
      if (::fchown(fd, st.st_uid, st.st_gid) != 0) errno = 0;  // only root gives files away
      if (::fchmod(fd, mode) != 0) errno = 0;
    }
    file_ = ::fdopen(fd, "wb");
    if (!file_) {
      ::close(fd);
      ::unlink(temp.c_str());
      return WriteStatus::Failed;
    }
    temp_ = std::move(temp);
    completed_ = false;
    return WriteStatus::Ok;
  }
  return WriteStatus::Failed;
}

WriteStatus PendingFile::complete() {
  if (completed_) return WriteStatus::Ok;
  if (!file_) return WriteStatus::Failed;
  bool ok = std::fflush(file_) == 0;
  ok = std::ferror(file_) == 0 && ok;
  ok = ::fsync(fileno(file_)) == 0 && ok;
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  if (!ok) {
    abandon();
    return WriteStatus::Failed;
  }
  completed_ = true;
  return WriteStatus::Ok;
}

WriteStatus PendingFile::publish(FileLock* lock) {
  if (!completed_) return WriteStatus::Failed;
  int lockedFd = -1;
  if (lock) {
    lockedFd = ::open(temp_.c_str(), O_RDONLY | O_CLOEXEC);
    if (lockedFd >= 0 && ::flock(lockedFd, LOCK_EX | LOCK_NB) != 0) {
      ::close(lockedFd);
      lockedFd = -1;
    }
  }
  if (std::rename(temp_.c_str(), target_.c_str()) != 0) {
    if (lockedFd >= 0) ::close(lockedFd);
    abandon();
    return WriteStatus::Failed;
  }
  if (lockedFd >= 0) lock->adopt(lockedFd);
  temp_.clear();
  completed_ = false;
  return WriteStatus::Ok;
}

WriteStatus PendingFile::commit(FileLock* lock) {
  WriteStatus s = complete();
  return s == WriteStatus::Ok ? publish(lock) : s;
}

FileLock::Result FileLock::acquire(const std::string& path) {
  release();
  const std::string native = ToNative(path);
  // The file may be replaced between opening and locking it: the lock only
  // counts when it is on the file that still has the name.
  for (int attempt = 0; attempt < 8; ++attempt) {
    int fd = ::open(native.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return Result::NoFile;
    struct stat held {};
    if (::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode)) {
      ::close(fd);
      return Result::NoFile;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      return Result::InUse;
    }
    struct stat named {};
    if (::stat(native.c_str(), &named) == 0 && named.st_ino == held.st_ino &&
        named.st_dev == held.st_dev) {
      fd_ = fd;
      return Result::Locked;
    }
    ::close(fd);
  }
  return Result::InUse;
}

void FileLock::release() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void FileLock::adopt(int lockedFd) {
  release();
  fd_ = lockedFd;
}

void PendingFile::abandon() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
  completed_ = false;
}

std::string_view WriteFailureText(WriteStatus status) {
  switch (status) {
    case WriteStatus::Ok:
      return {};
    case WriteStatus::ReadOnly:
      return "Le fichier est protégé en écriture.";
    case WriteStatus::NotRegular:
      return "Ce nom désigne un dossier ou un périphérique, pas un fichier.";
    case WriteStatus::NameTooLong:
      return "Le nom du fichier est trop long.";
    case WriteStatus::Failed:
      return {};  // the caller's own message says it all
  }
  return {};
}

WriteStatus ReplaceFile(const std::string& path, std::string_view bytes, FileLock* lock) {
  PendingFile file;
  WriteStatus s = file.open(path);
  if (s != WriteStatus::Ok) return s;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file.stream()) != bytes.size()) {
    file.abandon();
    return WriteStatus::Failed;
  }
  return file.commit(lock);
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes) {
  return ReplaceFile(path, bytes) == WriteStatus::Ok;
}

bool FileGroup::publishAll() {
  bool ok = true;
  for (PendingFile& f : files_) ok = f.publish() == WriteStatus::Ok && ok;
  files_.clear();
  return ok;
}

void FileGroup::abandonAll() {
  for (PendingFile& f : files_) f.abandon();
  files_.clear();
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return fs::exists(ToNative(path), ec);
}

bool FileReadable(const std::string& path) {
  return ReadFileChecked(path, 0).status == ReadStatus::Ok;
}

}  // namespace platform
