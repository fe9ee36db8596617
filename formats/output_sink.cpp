#include "formats/output_sink.h"

#include <algorithm>

namespace formats {

namespace {

// Bytes kept in memory behind the write position, so that the backspaces of
// a footer never need the file.
constexpr size_t kKeepBehind = 4096;

}  // namespace

OutputSink::OutputSink(size_t flushAt) : flushAt_(std::max<size_t>(flushAt, 16)) {}

OutputSink::~OutputSink() { abandon(); }

bool OutputSink::openFile(const std::string& path, platform::FileGroup* group) {
  abandon();
  status_ = pending_.open(path);
  file_ = pending_.stream();
  group_ = group;
  buffer_.clear();
  pos_ = 0;
  bufferStart_ = fileSize_ = filePos_ = 0;
  failed_ = false;
  return file_ != nullptr;
}

void OutputSink::write(std::string_view bytes) {
  if (pos_ == buffer_.size()) {
    buffer_.append(bytes);
  } else {
    size_t over = std::min(bytes.size(), buffer_.size() - pos_);
    buffer_.replace(pos_, over, bytes.data(), over);
    buffer_.append(bytes.substr(over));
  }
  pos_ += bytes.size();
  if (buffer_.size() >= flushAt_) flushHead();
}

void OutputSink::backspace() {
  if (pos_ > 0) {
    --pos_;
    return;
  }
  if (bufferStart_ == 0) return;  // nothing before the start of the text
  flushAll();
  buffer_.clear();
  --bufferStart_;
}

uint64_t OutputSink::size() const {
  return std::max<uint64_t>(fileSize_, bufferStart_ + buffer_.size());
}

bool OutputSink::writeAt(uint64_t offset, const char* data, size_t n) {
  if (!file_ || failed_) return false;
  if (n == 0) return true;
  if (filePos_ != offset) {
    if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) {
      failed_ = true;
      return false;
    }
    filePos_ = offset;
  }
  if (std::fwrite(data, 1, n, file_) != n) {
    failed_ = true;
    return false;
  }
  filePos_ += n;
  fileSize_ = std::max(fileSize_, filePos_);
  return true;
}

void OutputSink::flushHead() {
  if (!file_) return;  // a memory sink keeps everything
  if (pos_ <= kKeepBehind) return;
  size_t cut = pos_ - kKeepBehind;
  writeAt(bufferStart_, buffer_.data(), cut);
  buffer_.erase(0, cut);
  pos_ -= cut;
  bufferStart_ += cut;
}

bool OutputSink::flushAll() {
  if (!file_) return !failed_;
  bool ok = writeAt(bufferStart_, buffer_.data(), buffer_.size());
  // Everything in the window, also what lies beyond the position, is in the
  // file now; the window restarts at the position.
  bufferStart_ += pos_;
  buffer_.clear();
  pos_ = 0;
  return ok;
}

bool OutputSink::finish() {
  if (!file_) return !failed_;
  bool ok = flushAll();
  file_ = nullptr;  // the pending file closes it
  if (!ok) {
    pending_.abandon();
    status_ = platform::WriteStatus::Failed;
    return false;
  }
  status_ = group_ ? pending_.complete() : pending_.commit();
  if (status_ == platform::WriteStatus::Ok && group_) group_->add(std::move(pending_));
  return status_ == platform::WriteStatus::Ok;
}

void OutputSink::abandon() {
  file_ = nullptr;
  pending_.abandon();
}

}  // namespace formats
