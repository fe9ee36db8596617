#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace formats {

// Where expanded text goes: memory, or a file streamed through a bounded
// window so that element files of megabytes are never built whole.
//
// The sink has a write position. backspace() steps it back one byte so that
// the next byte overwrites the one before; the text never shrinks, so a byte
// stepped over and not overwritten stays. Stepping back beyond the window
// flushes it and continues in the file itself.
//
// A file sink writes to a temporary file beside the target; finish() renames
// it over the target, so a failed or abandoned write leaves the old file.
// Given a group, finish() only completes the file and hands it over: the
// group gives it its name together with the other files of one operation.
class OutputSink {
 public:
  // `flushAt`: window size at which the older bytes go to the file (tests
  // use small windows to reach the file paths).
  explicit OutputSink(size_t flushAt = 256 * 1024);
  ~OutputSink();
  OutputSink(const OutputSink&) = delete;
  OutputSink& operator=(const OutputSink&) = delete;

  // Starts streaming to a file; false when it cannot be created (status()
  // tells why).
  bool openFile(const std::string& path, platform::FileGroup* group = nullptr);

  void put(char c) {
    if (pos_ < buffer_.size())
      buffer_[pos_] = c;
    else
      buffer_.push_back(c);
    ++pos_;
    if (buffer_.size() >= flushAt_) flushHead();
  }
  void write(std::string_view bytes);
  void backspace();

  // File sink: writes what is left, closes and renames over the target.
  // False on any write failure (the target is then left untouched).
  bool finish();
  // Why the file could not be created or written.
  platform::WriteStatus status() const { return status_; }

  // Memory sink: the text so far.
  const std::string& text() const { return buffer_; }
  // Length of the text so far, in memory or in the file.
  uint64_t size() const;

 private:
  void flushHead();
  bool flushAll();
  bool writeAt(uint64_t offset, const char* data, size_t n);
  void abandon();

  std::string buffer_;        // bytes from bufferStart_ on
  size_t pos_ = 0;            // write position within buffer_
  uint64_t bufferStart_ = 0;  // offset of buffer_[0] in the file
  uint64_t fileSize_ = 0;     // bytes already in the file
  uint64_t filePos_ = 0;      // where the stream stands
  size_t flushAt_;
  std::FILE* file_ = nullptr;
  bool failed_ = false;
  platform::PendingFile pending_;
  platform::FileGroup* group_ = nullptr;
  platform::WriteStatus status_ = platform::WriteStatus::Ok;
};

}  // namespace formats
