#include "script/command_arguments.h"

#include "platform/value_syntax.h"

namespace script {

int32_t ParseSignedInteger(std::string_view text) {
  if (!text.empty() && text[0] == '-')
    return static_cast<int32_t>(0u - static_cast<uint32_t>(platform::ParseInteger(text.substr(1))));
  return platform::ParseInteger(text);
}

void CommandArguments::skipSeparators() {
  while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == ','))
    ++pos_;
}

void CommandArguments::skipArgument() {
  pos_ = platform::SkipArgument(text_, pos_);
  skipSeparators();
}

int32_t CommandArguments::integer() {
  if (atEnd()) return 0;
  int32_t v = platform::ParseInteger(text_.substr(pos_));
  skipArgument();
  return v;
}

int32_t CommandArguments::signedInteger() {
  if (atEnd()) return 0;
  int32_t v = ParseSignedInteger(text_.substr(pos_));
  skipArgument();
  return v;
}

double CommandArguments::real() {
  if (atEnd()) return 0.0;
  double v = platform::ParseReal(text_.substr(pos_));
  skipArgument();
  return v;
}

std::optional<std::string> CommandArguments::string() {
  size_t end = 0;
  auto s = platform::ParseString(text_.substr(pos_), &end);
  if (!s) return std::nullopt;
  pos_ += end;
  skipSeparators();
  return s;
}

}  // namespace script
