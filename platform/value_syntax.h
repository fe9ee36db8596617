#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The value syntax of the script language, shared by every reader of settings
// text (script statements, format definitions, list models, colour effects).
namespace platform {

// Integer value, decided by the first character: a digit starts "0x" hex,
// "0b" binary or decimal; 't'/'v' give 1, 'f' gives 0; "rgb(" (any case)
// gives red + 256 × green + 65536 × blue; anything else (a minus sign
// included) gives 0.
int32_t ParseInteger(std::string_view text);

// A string delimited by '"', '\'' or '*' at the start of `text`, ending at the
// next occurrence of the same character (backslashes are not interpreted).
// Nothing when `text` does not start with a delimiter or the string is not
// closed. On success *end (when given) is the index after the closing
// delimiter.
std::optional<std::string> ParseString(std::string_view text, size_t* end = nullptr);

// The same string copied with escapes, as format and model definitions read
// it: "\n" becomes `lineBreak`, "\b" the byte 8, a backslash before any other
// character yields that character; a delimiter after a backslash does not
// close the string.
std::optional<std::string> ParseStringEscaped(std::string_view text, std::string_view lineBreak,
                                              size_t* end = nullptr);

// A decimal real with optional sign, fraction and exponent, read up to the
// first character that cannot belong to it; 0 when there is none.
double ParseReal(std::string_view text);

// Index just past one argument starting at `pos`: the first ',', blank or ')'
// outside parentheses, then past it and the blanks after it; the end of the
// text stays the end.
size_t SkipArgument(std::string_view text, size_t pos = 0);

// A string literal: the quote, the text with '\' doubled, a line feed written
// as "\n" and the quote as backslash-quote, stopping before the output would
// exceed capacity − 2 characters, then the closing quote.
std::string QuoteString(std::string_view text, char quote = '"', size_t capacity = 1024);

}  // namespace platform
