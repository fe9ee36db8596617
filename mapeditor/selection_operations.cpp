#include "mapeditor/selection_operations.h"

#include <array>

#include "mapeditor/selection_buffer.h"
#include "platform/dialogs.h"
#include "platform/value_syntax.h"

namespace mapeditor {

namespace {

bool IsDecimal(char c) { return c >= '0' && c <= '9'; }
bool IsHex(char c) { return IsDecimal(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Past the number at `pos`: a "0x" or "0b" prefix and the hexadecimal digits
// after it, then decimal digits.
size_t SkipNumber(std::string_view text, size_t pos) {
  if (pos + 1 < text.size() && text[pos] == '0' &&
      (text[pos + 1] == 'x' || text[pos + 1] == 'X' || text[pos + 1] == 'b' ||
       text[pos + 1] == 'B')) {
    pos += 2;
    while (pos < text.size() && IsHex(text[pos])) ++pos;
  }
  while (pos < text.size() && IsDecimal(text[pos])) ++pos;
  return pos;
}

struct LinkerWord {
  std::string_view word;  // with its blank
  Linker linker;
};

constexpr std::array<LinkerWord, 4> kLinkers{{
    {"et ", Linker::And},
    {"ou ", Linker::Or},
    {"and ", Linker::And},
    {"or ", Linker::Or},
}};

struct ErrorText {
  OperationError error;
  std::string_view text;
  std::string_view caption;
};

constexpr std::array<ErrorText, 3> kErrorTexts{{
    {OperationError::UnknownOperator,
     "Opérateur inconnu.\nOpérateurs valides: |, &, +, -, *, /, %, ^, =.\nExemple: +10",
     "Erreur lors de l'exécution de l'opération"},
    {OperationError::UnknownTest,
     "Le test à effectuer est inconnu.\nTests valides: =, <, <=, >=, >, !=\nExemple: >10",
     "Erreur lors de l'exécution de la condition"},
    {OperationError::UnknownLinker,
     "Le lieur de tests est inconnu\nLieurs valides: et, ou.\nExemple: >=10 et <=13",
     "Erreur lors de l'exécution de la condition"},
}};

}  // namespace

std::vector<Operation> ParseOperations(std::string_view text) {
  std::vector<Operation> ops;
  size_t pos = 0;
  while (pos < text.size() && ops.size() < kMaxOperations) {
    Operation o;
    o.op = text[pos++];
    if (pos < text.size() && text[pos] == '~') {
      ++pos;
      o.operand = ~static_cast<uint32_t>(platform::ParseInteger(text.substr(pos)));
    } else {
      o.operand = static_cast<uint32_t>(platform::ParseInteger(text.substr(pos)));
    }
    pos = SkipNumber(text, pos);
    ops.push_back(o);
  }
  return ops;
}

ParsedCondition ParseCondition(std::string_view text) {
  ParsedCondition out;
  size_t pos = 0;
  Linker linker = Linker::And;
  while (pos < text.size() && out.tests.size() < kMaxTests) {
    CellTest t;
    t.test = text[pos];
    t.linker = linker;
    size_t number = pos + 1;
    if (number < text.size() && text[number] == '=') {
      t.orEqual = true;
      ++number;
    }
    t.operand = static_cast<uint32_t>(platform::ParseInteger(text.substr(number)));
    out.tests.push_back(t);
    size_t blank = text.find(' ', number);
    if (blank == std::string_view::npos) break;
    std::string_view rest = text.substr(blank + 1);
    bool known = false;
    for (const LinkerWord& w : kLinkers) {
      if (rest.substr(0, w.word.size()) == w.word) {
        linker = w.linker;
        pos = blank + 1 + w.word.size();
        known = true;
        break;
      }
    }
    if (!known) {
      out.unknownLinker = true;
      break;
    }
  }
  return out;
}

bool EvaluateTests(std::span<const CellTest> tests, uint32_t cell, uint32_t& result) {
  result = 1;
  int32_t c = static_cast<int32_t>(cell);
  bool first = true;
  for (const CellTest& t : tests) {
    int32_t n = static_cast<int32_t>(t.operand);
    uint32_t r;
    switch (t.test) {
      case '=':
        r = c == n;
        break;
      case '<':
        r = t.orEqual ? c <= n : c < n;
        break;
      case '>':
        r = t.orEqual ? c >= n : c > n;
        break;
      case '!':
        r = c != n;
        break;
      case '&':
        r = cell & t.operand;
        break;
      case '~':
        r = (cell & t.operand) == 0;
        break;
      default:
        return false;
    }
    if (first)
      result = r;
    else
      result = t.linker == Linker::And ? (result & r) : (result | r);
    first = false;
  }
  return true;
}

bool ApplyOperations(std::span<const Operation> operations, uint32_t& cell) {
  uint32_t c = cell;
  bool divisionByZero = false;
  for (const Operation& o : operations) {
    uint32_t n = o.operand;
    switch (o.op) {
      case '|':
        c |= n;
        break;
      case '&':
        c &= n;
        break;
      case '+':
        c += n;
        break;
      case '-':
        c -= n;
        break;
      case '*':
        c *= n;
        break;
      case '/':
        if (n == 0)
          divisionByZero = true;
        else
          c /= n;
        break;
      case '%':
        if (n == 0)
          divisionByZero = true;
        else
          c %= n;
        break;
      case '^':
        c ^= n;
        break;
      case '=':
        c = n;
        break;
      default:
        return false;
    }
  }
  if (!divisionByZero) cell = c;
  return true;
}

OperationError RunSelectionOperations(SelectionBuffer& buffer, std::span<const int> planes,
                                      std::string_view operationText,
                                      std::string_view conditionText, const SkippedValues& skip) {
  std::vector<Operation> ops = ParseOperations(operationText);
  ParsedCondition condition = ParseCondition(conditionText);
  if (condition.unknownLinker) return OperationError::UnknownLinker;
  if (!buffer.allocated() || buffer.empty()) return OperationError::None;
  int width = buffer.width < kBufferSide ? buffer.width : kBufferSide;
  int height = buffer.height < kBufferSide ? buffer.height : kBufferSide;
  for (int p : planes) {
    if (p < 0 || p >= kBufferPlanes) continue;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        uint32_t& cell = buffer.at(p, x, y);
        if (skip.skips(cell)) continue;
        uint32_t passes = 0;
        if (!EvaluateTests(condition.tests, cell, passes)) return OperationError::UnknownTest;
        if (!passes) continue;
        if (!ApplyOperations(ops, cell)) return OperationError::UnknownOperator;
      }
  }
  return OperationError::None;
}

void ReportOperationError(platform::UserDialogs& dialogs, OperationError error) {
  for (const ErrorText& e : kErrorTexts)
    if (e.error == error) dialogs.message(e.text, e.caption, platform::Icon::Error);
}

}  // namespace mapeditor
