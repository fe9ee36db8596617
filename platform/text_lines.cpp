#include "platform/text_lines.h"

namespace platform {

bool TextLines::readLine(std::string& line, size_t maxChars) {
  if (pos_ >= text_.size()) return false;
  size_t nl = text_.find('\n', pos_);
  size_t stop = nl == std::string::npos ? text_.size() : nl;
  // Cut after maxChars characters (UTF-8 continuation bytes do not count).
  size_t chars = 0;
  for (size_t i = pos_; i < stop; ++i) {
    if ((static_cast<unsigned char>(text_[i]) & 0xC0) == 0x80) continue;
    if (chars == maxChars) {
      line.assign(text_, pos_, i - pos_);
      pos_ = i;
      return true;
    }
    ++chars;
  }
  size_t end = stop;
  if (end > pos_ && text_[end - 1] == '\r') --end;
  line.assign(text_, pos_, end - pos_);
  pos_ = nl == std::string::npos ? text_.size() : nl + 1;
  return true;
}

}  // namespace platform
