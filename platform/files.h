#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Why a file could not be read. A missing file is an ordinary case (a new
// project); the others mean that something is there and was not taken in.
enum class ReadStatus { Ok, Missing, NotRegular, Unreadable };

struct ReadResult {
  ReadStatus status = ReadStatus::Missing;
  std::string bytes;
  int error = 0;  // errno of the failure, 0 when none
};

// The whole file (at most `limit` bytes), telling a missing file from one
// that is there but cannot be read. Pipes and devices are never opened for
// reading (they could block for ever).
ReadResult ReadFileChecked(const std::string& path, size_t limit = SIZE_MAX);

// The whole file as bytes, or nothing when it cannot be read or is not a
// regular file. With a limit, at most that many bytes are read.
std::optional<std::string> ReadFileBytes(const std::string& path, size_t limit = SIZE_MAX);

// Why a file could not be written; nothing on disk changed in any case.
enum class WriteStatus {
  Ok,
  ReadOnly,     // the existing file is write-protected
  NotRegular,   // a directory, a pipe or a device stands at the path
  NameTooLong,  // the name or the path exceeds what the file system takes
  Failed,       // creating, writing (a full disk) or renaming failed
};

// The longest name of one path component, and of a whole path, in bytes.
inline constexpr size_t kMaxNameBytes = 255;
inline constexpr size_t kMaxPathBytes = 4095;

// An advisory lock (flock) on an open file, so that a second program that
// opens it too is told it is in use. The lock follows the file through its
// atomic replacements: the new file is locked before it takes the name.
class FileLock {
 public:
  enum class Result { Locked, InUse, NoFile };
  FileLock() = default;
  ~FileLock() { release(); }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  // A lock moves with the document that holds it (New replaces the document).
  FileLock(FileLock&& o) noexcept : fd_(o.fd_) { o.fd_ = -1; }
  FileLock& operator=(FileLock&& o) noexcept {
    if (this != &o) {
      release();
      fd_ = o.fd_;
      o.fd_ = -1;
    }
    return *this;
  }

  // Locks the regular file at the path without waiting (releasing any file
  // locked before).
  Result acquire(const std::string& path);
  void release();
  bool held() const { return fd_ >= 0; }
  // Takes over a descriptor already locked (the file that replaces the one
  // locked so far).
  void adopt(int lockedFd);

 private:
  int fd_ = -1;
};

// A file being replaced: the bytes go to a temporary file beside the target,
// which only takes the target's name once it is complete. A symbolic link is
// written through to the file it names; the target's permissions are kept.
class PendingFile {
 public:
  PendingFile() = default;
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;
  PendingFile(PendingFile&& other) noexcept;
  PendingFile& operator=(PendingFile&& other) noexcept;

  // Checks the target and creates the temporary file.
  WriteStatus open(const std::string& path);
  std::FILE* stream() const { return file_; }
  // Flushes the bytes to the disk and closes the temporary file; on failure
  // the temporary file is removed.
  WriteStatus complete();
  // Gives the completed file the target's name. With a lock, the new file is
  // locked before it takes the name and the lock moves onto it.
  WriteStatus publish(FileLock* lock = nullptr);
  // complete() then publish().
  WriteStatus commit(FileLock* lock = nullptr);
  // Removes the temporary file; the target stays as it was.
  void abandon();

  const std::string& target() const { return target_; }
  const std::string& temporary() const { return temp_; }

 private:
  std::FILE* file_ = nullptr;
  std::string target_;
  std::string temp_;
  bool completed_ = false;
};

// What stood in the way of a write, as a sentence for the user; empty when
// nothing more can be said than that it failed.
std::string_view WriteFailureText(WriteStatus status);

// Writes the bytes through a PendingFile, so the target is either the old or
// the new file, never a torn one.
WriteStatus ReplaceFile(const std::string& path, std::string_view bytes, FileLock* lock = nullptr);

// ReplaceFile, true when it succeeded.
bool WriteFileAtomic(const std::string& path, std::string_view bytes);

// Several files replaced together: each is written completely to its
// temporary file first; only when all of them are complete do they take
// their names, so a failure leaves every target as it was.
class FileGroup {
 public:
  // Hands over a completed file; it is published by publishAll().
  void add(PendingFile file) { files_.push_back(std::move(file)); }
  bool empty() const { return files_.empty(); }
  // Publishes every file; false when a rename failed (the rest are still
  // published: the files are complete, and a name kept back would leave the
  // set as mixed as a name given).
  bool publishAll();
  // Removes every temporary file.
  void abandonAll();

 private:
  std::vector<PendingFile> files_;
};

// The file a path finally names, symbolic links followed (the path itself
// when it is no link, or when the links go round in a circle).
std::string ResolveLinks(const std::string& path);

bool FileExists(const std::string& path);

// True when the file can be opened for reading.
bool FileReadable(const std::string& path);

}  // namespace platform
