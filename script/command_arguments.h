#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Reading the arguments of an object command one after the other: integers,
// reals and strings separated by commas or blanks.
namespace script {

// The script's integer syntax with a leading minus sign allowed (window
// positions and sizes may be negative).
int32_t ParseSignedInteger(std::string_view text);

class CommandArguments {
 public:
  explicit CommandArguments(std::string_view text) : text_(text) { skipSeparators(); }

  bool atEnd() const { return pos_ >= text_.size(); }
  // Each reads the argument at the cursor and moves past it; at the end of
  // the text they give 0 (or nothing for a string).
  int32_t integer();
  int32_t signedInteger();
  double real();
  std::optional<std::string> string();
  // The text left after the arguments read so far.
  std::string_view rest() const { return text_.substr(pos_); }

 private:
  void skipSeparators();
  void skipArgument();

  std::string_view text_;
  size_t pos_ = 0;
};

}  // namespace script
