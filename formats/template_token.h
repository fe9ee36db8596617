#pragma once

#include <cstddef>
#include <string_view>

#include "formats/placeholders.h"

// The pieces of a template, shared by expansion and matching: literals, and
// tokens between two '%'.
namespace formats {

inline constexpr size_t kMaxTokenChars = 999;
inline constexpr size_t kMaxConditionChars = 99;

struct TemplateToken {
  enum class Kind { Control, Placeholder, UserText, Unknown };
  enum class Form { Decimal, Hex, Raw };

  Kind kind = Kind::Unknown;
  std::string_view text;  // without the '%'s, cut at 999 characters
  Form form = Form::Decimal;
  int rawBytes = 0;       // the digit after '#'
  bool rawValid = false;  // 1, 2 or 4
  Placeholder placeholder = Placeholder::File;
  int userNumber = 0;  // 1..8
};

// The text of `tmpl` from `pos` up to the next '%' (or the end).
inline std::string_view LiteralAt(std::string_view tmpl, size_t pos) {
  if (pos >= tmpl.size()) return {};
  size_t e = tmpl.find('%', pos);
  return tmpl.substr(pos, (e == std::string_view::npos ? tmpl.size() : e) - pos);
}

// The token whose '%' is at tmpl[pos]; `pos` moves past its closing '%' (or
// to the end of the template when it has none).
std::string_view ReadToken(std::string_view tmpl, size_t& pos);

TemplateToken ClassifyToken(std::string_view token);

// Index just after the next token that begins with `prefix`, searching from
// `pos`; the end of the template when there is none.
size_t SkipPastTokenStartingWith(std::string_view tmpl, size_t pos, std::string_view prefix);

// Where a false condition resumes: just after the next "+else" token, or
// after the closing "+end" token (not "+endnoerror") when the condition has
// no "+else" branch.
size_t SkipFalseBranch(std::string_view tmpl, size_t pos);

}  // namespace formats
