#include "platform/value_syntax.h"

#include <charconv>

namespace platform {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  c = Lower(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Values wrap at 32 bits, so 0xFFFFFFFF reads as -1.
uint32_t ParseDecimal(std::string_view text) {
  uint32_t v = 0;
  for (char c : text) {
    if (!IsDigit(c)) break;
    v = v * 10u + static_cast<uint32_t>(c - '0');
  }
  return v;
}

uint32_t ParseUnsigned(std::string_view text) {
  if (text.size() >= 2 && text[0] == '0' && Lower(text[1]) == 'x') {
    uint32_t v = 0;
    for (char c : text.substr(2)) {
      int d = HexDigit(c);
      if (d < 0) break;
      v = v * 16u + static_cast<uint32_t>(d);
    }
    return v;
  }
  if (text.size() >= 2 && text[0] == '0' && Lower(text[1]) == 'b') {
    uint32_t v = 0;
    for (char c : text.substr(2)) {
      if (c != '0' && c != '1') break;
      v = v * 2u + static_cast<uint32_t>(c - '0');
    }
    return v;
  }
  return ParseDecimal(text);
}

bool StartsWithRgb(std::string_view text) {
  return text.size() >= 3 && Lower(text[0]) == 'r' && Lower(text[1]) == 'g' &&
         Lower(text[2]) == 'b';
}

}  // namespace

int32_t ParseInteger(std::string_view text) {
  if (text.empty()) return 0;
  char c = Lower(text[0]);
  if (IsDigit(c)) return static_cast<int32_t>(ParseUnsigned(text));
  if (c == 't' || c == 'v') return 1;
  if (c == 'f') return 0;
  if (!StartsWithRgb(text)) return 0;
  size_t pos = text.find('(', 3);
  pos = pos == std::string_view::npos ? 3 : pos + 1;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  uint32_t red = static_cast<uint32_t>(ParseInteger(text.substr(pos))) & 255u;
  pos = SkipArgument(text, pos);
  uint32_t green = ParseDecimal(text.substr(pos)) & 255u;
  pos = SkipArgument(text, pos);
  uint32_t blue = static_cast<uint32_t>(ParseInteger(text.substr(pos))) & 255u;
  return static_cast<int32_t>(red + 256u * green + 65536u * blue);
}

std::optional<std::string> ParseString(std::string_view text, size_t* end) {
  if (text.empty()) return std::nullopt;
  char delim = text[0];
  if (delim != '"' && delim != '\'' && delim != '*') return std::nullopt;
  size_t close = text.find(delim, 1);
  if (close == std::string_view::npos) return std::nullopt;
  if (end) *end = close + 1;
  return std::string(text.substr(1, close - 1));
}

std::optional<std::string> ParseStringEscaped(std::string_view text, std::string_view lineBreak,
                                              size_t* end) {
  if (text.empty()) return std::nullopt;
  char delim = text[0];
  if (delim != '"' && delim != '\'' && delim != '*') return std::nullopt;
  std::string out;
  for (size_t i = 1; i < text.size(); ++i) {
    char c = text[i];
    if (c == delim) {
      if (end) *end = i + 1;
      return out;
    }
    if (c == '\\' && i + 1 < text.size()) {
      char next = text[++i];
      if (next == 'n')
        out += lineBreak;
      else if (next == 'b')
        out += '\b';
      else
        out += next;
      continue;
    }
    out += c;
  }
  return std::nullopt;
}

double ParseReal(std::string_view text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  size_t start = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
  }
  if (i == start || (i == start + 1 && text[start] == '.')) return 0.0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  double value = 0.0;
  std::from_chars(text.data() + start, text.data() + i, value, std::chars_format::general);
  return negative ? -value : value;
}

size_t SkipArgument(std::string_view text, size_t pos) {
  int depth = 0;
  while (pos < text.size()) {
    char c = text[pos];
    if (c == '(') {
      ++depth;
    } else if (c == ')' && depth > 0) {
      --depth;
    } else if (depth == 0 && (c == ',' || IsBlank(c) || c == ')')) {
      ++pos;
      while (pos < text.size() && IsBlank(text[pos])) ++pos;
      return pos;
    }
    ++pos;
  }
  return pos;
}

std::string QuoteString(std::string_view text, char quote, size_t capacity) {
  std::string out(1, quote);
  size_t limit = capacity > 2 ? capacity - 2 : 0;
  for (size_t i = 0; i < text.size();) {
    // Keep UTF-8 sequences whole.
    size_t len = 1;
    while (i + len < text.size() && (static_cast<unsigned char>(text[i + len]) & 0xC0) == 0x80)
      ++len;
    std::string_view piece = text.substr(i, len);
    std::string escaped;
    if (piece == "\\")
      escaped = "\\\\";
    else if (piece == "\n")
      escaped = "\\n";
    else if (piece.size() == 1 && piece[0] == quote)
      escaped = std::string("\\") + quote;
    else
      escaped = piece;
    if (out.size() + escaped.size() > limit) break;
    out += escaped;
    i += len;
  }
  out += quote;
  return out;
}

}  // namespace platform
