#include "formats/template_matching.h"

#include <string>

#include "formats/debug_message.h"
#include "formats/placeholders.h"
#include "formats/template_token.h"
#include "formats/value_format.h"

namespace formats {

namespace {

constexpr size_t kMinResumeLiteral = 4;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int32_t ParseHexCapture(std::string_view s) {
  uint32_t v = 0;
  for (char c : s) {
    int d;
    if (IsDigit(c))
      d = c - '0';
    else if (c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      break;
    v = v * 16u + static_cast<uint32_t>(d);
  }
  return static_cast<int32_t>(v);
}

bool IsIntegerPlaceholder(const TemplateToken& t) {
  return t.kind == TemplateToken::Kind::Placeholder &&
         PlaceholderInfoOf(t.placeholder).kind != PlaceholderKind::Text;
}

void StoreCapture(const TemplateToken& t, std::string_view captured, TemplateValues& values) {
  if (t.kind == TemplateToken::Kind::UserText) {
    values.setUserTextBytes(t.userNumber, captured);
    return;
  }
  if (t.kind != TemplateToken::Kind::Placeholder) return;
  if (!IsIntegerPlaceholder(t)) {
    // Only a placeholder given a buffer keeps what it captures.
    if (values.hasText(t.placeholder)) values.setTextBytes(t.placeholder, captured);
    return;
  }
  values.setNumber(t.placeholder, t.form == TemplateToken::Form::Hex ? ParseHexCapture(captured)
                                                                     : ParseDecimal(captured));
}

// Applies a control token; `t` may move forward in the template.
void RunControl(std::string_view token, std::string_view text, size_t pos, std::string_view tmpl,
                size_t& t, bool& silenced) {
  if (token == "+noerror") {
    silenced = true;
  } else if (token == "+endnoerror") {
    silenced = false;
  } else if (token.starts_with("+if")) {
    std::string_view rest = token.substr(3);
    std::string_view here = text.substr(pos);
    bool holds = false;
    if (rest.starts_with('='))
      holds = here.starts_with(rest.substr(1, kMaxConditionChars));
    else if (rest.starts_with("<>"))
      holds = !here.starts_with(rest.substr(2, kMaxConditionChars));
    if (!holds) t = SkipFalseBranch(tmpl, t);
  } else if (token.starts_with("+else")) {
    // Met after a true branch: the other branch is not in the text.
    t = SkipPastTokenStartingWith(tmpl, t, "+end");
  }
}

// The first literal of at least 4 characters after the one at `t` that occurs
// in the text from `pos`; moves `t` and `pos` to it. False when none does.
bool FindResumePoint(std::string_view text, size_t& pos, std::string_view tmpl, size_t& t) {
  size_t r = t + LiteralAt(tmpl, t).size();
  while (r < tmpl.size()) {
    ReadToken(tmpl, r);
    std::string_view lit = LiteralAt(tmpl, r);
    if (lit.size() >= kMinResumeLiteral) {
      size_t f = text.find(lit, pos);
      if (f != std::string_view::npos) {
        pos = f;
        t = r;
        return true;
      }
    }
    r += lit.size();
  }
  return false;
}

}  // namespace

size_t Match(std::string_view text, size_t pos, std::string_view tmpl, TemplateValues& values,
             platform::UserDialogs& dialogs) {
  if (pos > text.size()) return kNoPosition;
  size_t t = 0;
  while (t < tmpl.size() && tmpl[t] == '\b') ++t;

  std::string_view first = LiteralAt(tmpl, t);
  size_t found = text.find(first, pos);
  if (found == std::string_view::npos) return kNoPosition;
  pos = found + first.size();
  t += first.size();

  bool silenced = false;
  while (t < tmpl.size()) {
    // tmpl[t] is the '%' of a token.
    TemplateToken token = ClassifyToken(ReadToken(tmpl, t));
    if (token.kind == TemplateToken::Kind::Control) {
      RunControl(token.text, text, pos, tmpl, t, silenced);
    } else if (token.form == TemplateToken::Form::Raw && !token.rawValid) {
      ShowDebugMessage(dialogs,
                       "Erreur de typage binaire (" + std::to_string(token.rawBytes) + ")");
    }

    if (token.form == TemplateToken::Form::Raw && token.rawValid && IsIntegerPlaceholder(token)) {
      // A raw value is exactly its bytes, whatever they look like.
      size_t n = static_cast<size_t>(token.rawBytes);
      if (text.size() - pos < n) return kNoPosition;
      uint32_t v = 0;
      for (size_t k = 0; k < n; ++k)
        v |= static_cast<uint32_t>(static_cast<unsigned char>(text[pos + k])) << (8 * k);
      values.setNumber(token.placeholder, static_cast<int32_t>(v));
      pos += n;
    } else {
      std::string_view next = LiteralAt(tmpl, t);
      size_t end = text.find(next, pos);
      if (end == std::string_view::npos) {
        if (!silenced)
          ShowDebugMessage(dialogs, "Tente de recouvrer d'une erreur fatale de lecture...");
        if (!FindResumePoint(text, pos, tmpl, t)) return kNoPosition;
      } else {
        StoreCapture(token, text.substr(pos, end - pos), values);
        pos = end;
      }
    }

    std::string_view lit = LiteralAt(tmpl, t);
    if (!text.substr(pos).starts_with(lit)) {
      ShowDebugMessage(dialogs, "Le format du fichier ne correspond pas avec celui attendu.");
      return kNoPosition;
    }
    pos += lit.size();
    t += lit.size();
  }
  return pos;
}

}  // namespace formats
