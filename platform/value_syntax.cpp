#include "platform/value_syntax.h"

#include <charconv>
#include <vector>

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

bool EndsArgument(char c) { return c == ',' || c == ')' || IsBlank(c); }

// The values of an "rgb" text. Each component is read by the integer rule
// again, so "rgb" texts nest, and with blank-separated components the
// components of neighbouring "rgb" words overlap: read one by one, the same
// text would be read again and again (time growing by half with every word)
// and deep nesting would exhaust the stack. Every component lies to the right
// of the "rgb" that reads it, so the values are computed once per position,
// from the end of the text towards its start, with no recursion and in time
// linear in the text. The results are those of reading component by component.
class RgbValues {
 public:
  explicit RgbValues(std::string_view text) : text_(text) {
    const size_t n = text.size();
    nextParen_.assign(n + 1, n);
    nextNonBlank_.assign(n + 1, n);
    argumentStop_.assign(n + 1, n);
    for (size_t i = n; i-- > 0;) {
      nextParen_[i] = text[i] == '(' ? i : nextParen_[i + 1];
      nextNonBlank_[i] = IsBlank(text[i]) ? nextNonBlank_[i + 1] : i;
    }
    // An argument ends at the first ',', blank or ')' at its own parenthesis
    // level; with level[i] the count of '(' less ')' before i, that is the
    // first such character to the right with the same level.
    std::vector<int32_t> level(n + 1, 0);
    for (size_t i = 0; i < n; ++i) level[i + 1] = level[i] + (text[i] == '(') - (text[i] == ')');
    std::vector<size_t> nearest(2 * n + 1, n);
    for (size_t i = n; i-- > 0;) {
      const auto slot = static_cast<size_t>(level[i] + static_cast<int32_t>(n));
      if (EndsArgument(text[i])) nearest[slot] = i;
      argumentStop_[i] = nearest[slot];
    }
    value_.assign(n + 1, kUnknown);
    decimal_.assign(n + 1, kUnknown);
    for (size_t i = n; i-- > 0;)
      if (StartsWithRgb(text.substr(i))) value_[i] = static_cast<int32_t>(rgbAt(i));
  }

  uint32_t at(size_t pos) const { return static_cast<uint32_t>(value_[pos]); }

 private:
  static constexpr int32_t kUnknown = -1;

  // Same as SkipArgument.
  size_t skipArgument(size_t pos) const {
    if (pos >= text_.size()) return text_.size();
    const size_t stop = argumentStop_[pos];
    return stop >= text_.size() ? text_.size() : nextNonBlank_[stop + 1];
  }

  // ParseInteger of the text from `pos`, low 8 bits.
  uint32_t componentAt(size_t pos) {
    if (pos >= text_.size()) return 0;
    if (value_[pos] == kUnknown) {
      const char c = Lower(text_[pos]);
      uint32_t v = 0;
      if (IsDigit(c))
        v = ParseUnsigned(text_.substr(pos));
      else if (c == 't' || c == 'v')
        v = 1;
      value_[pos] = static_cast<int32_t>(v & 255u);  // an "rgb" here is already known
    }
    return static_cast<uint32_t>(value_[pos]) & 255u;
  }

  uint32_t decimalAt(size_t pos) {
    if (pos >= text_.size()) return 0;
    if (decimal_[pos] == kUnknown)
      decimal_[pos] = static_cast<int32_t>(ParseDecimal(text_.substr(pos)) & 255u);
    return static_cast<uint32_t>(decimal_[pos]);
  }

  uint32_t rgbAt(size_t start) {
    const size_t paren = nextParen_[start + 3];
    size_t pos = nextNonBlank_[paren < text_.size() ? paren + 1 : start + 3];
    const uint32_t red = componentAt(pos);
    pos = skipArgument(pos);
    const uint32_t green = decimalAt(pos);
    pos = skipArgument(pos);
    const uint32_t blue = componentAt(pos);
    return red + 256u * green + 65536u * blue;
  }

  std::string_view text_;
  std::vector<size_t> nextParen_;
  std::vector<size_t> nextNonBlank_;
  std::vector<size_t> argumentStop_;
  std::vector<int32_t> value_;
  std::vector<int32_t> decimal_;
};

}  // namespace

int32_t ParseInteger(std::string_view text) {
  if (text.empty()) return 0;
  char c = Lower(text[0]);
  if (IsDigit(c)) return static_cast<int32_t>(ParseUnsigned(text));
  if (c == 't' || c == 'v') return 1;
  if (c == 'f') return 0;
  if (!StartsWithRgb(text)) return 0;
  return static_cast<int32_t>(RgbValues(text).at(0));
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
