#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// A text served line by line: script files, project file sections, text typed
// at the script prompt. The text is UTF-8 (files are decoded when they are
// read). Lines end at "\n"; a "\r" before it is dropped.
class TextLines {
 public:
  TextLines() = default;
  explicit TextLines(std::string text) : text_(std::move(text)) {}

  // The next line without its line end. A line longer than maxChars
  // characters is served in pieces of maxChars characters. Returns false at
  // the end of the text; a last line without a line end is still served.
  bool readLine(std::string& line, size_t maxChars = SIZE_MAX);

  bool atEnd() const { return pos_ >= text_.size(); }
  size_t position() const { return pos_; }
  void seek(size_t pos) { pos_ = pos < text_.size() ? pos : text_.size(); }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
  size_t pos_ = 0;
};

}  // namespace platform
