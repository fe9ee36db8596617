#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The lexical rules of a script line: case folding, strings, comments, labels.
namespace script {

// Longest statement, in characters, read from a file line or from a piece of
// `;`-separated text; longer ones continue as the next statement.
inline constexpr size_t kMaxStatementChars = 999;

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A–Z lowered; every other byte (accented letters included) kept.
std::string FoldCase(std::string_view text);

// One left-to-right pass: A–Z lowered outside strings; a string runs from
// '"', '\'' or '*' to the next same character not preceded by a backslash and
// is kept as written; '#' or ';' outside a string ends the line. Blanks at
// the end are removed, so a label line or a `goto` target followed by stray
// blanks still matches.
std::string NormaliseLine(std::string_view line);

// The label of a normalised line that ends with ':' (its text from the first
// non-blank character, a leading '_' dropped, to the final ':'), or nothing
// when the line is a statement.
std::optional<std::string_view> LabelOfLine(std::string_view line);

}  // namespace script
