#include "platform/text_lines.h"

#include "platform/text_encoding.h"

namespace platform {

bool TextLines::readLine(std::string& line, size_t maxChars) {
  if (pos_ >= text_.size()) return false;
  size_t nl = text_.find('\n', pos_);
  size_t stop = nl == std::string::npos ? text_.size() : nl;
  size_t piece = Utf8PrefixSize(std::string_view(text_).substr(pos_, stop - pos_), maxChars);
  if (pos_ + piece < stop) {
    line.assign(text_, pos_, piece);
    pos_ += piece;
    return true;
  }
  size_t end = stop;
  if (end > pos_ && text_[end - 1] == '\r') --end;
  line.assign(text_, pos_, end - pos_);
  pos_ = nl == std::string::npos ? text_.size() : nl + 1;
  return true;
}

}  // namespace platform
