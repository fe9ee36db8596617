#include "script/script_line.h"

namespace script {

namespace {

char FoldChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsStringDelimiter(char c) { return c == '"' || c == '\'' || c == '*'; }

}  // namespace

std::string FoldCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = FoldChar(c);
  return out;
}

std::string NormaliseLine(std::string_view line) {
  std::string out;
  out.reserve(line.size());
  char delimiter = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (delimiter != 0) {
      out += c;
      if (c == delimiter && line[i - 1] != '\\') delimiter = 0;
      continue;
    }
    if (c == '#' || c == ';') break;
    if (IsStringDelimiter(c)) delimiter = c;
    out += FoldChar(c);
  }
  while (!out.empty() && IsBlank(out.back())) out.pop_back();
  return out;
}

std::optional<std::string_view> LabelOfLine(std::string_view line) {
  if (line.empty() || line.back() != ':') return std::nullopt;
  size_t start = 0;
  while (start < line.size() && IsBlank(line[start])) ++start;
  if (line[start] == '_') ++start;
  size_t last = line.size() - 1;
  if (start > last) start = last;
  return line.substr(start, last - start);
}

}  // namespace script
