#include "formats/template_token.h"

namespace formats {

std::string_view ReadToken(std::string_view tmpl, size_t& pos) {
  size_t start = pos + 1;
  if (start >= tmpl.size()) {
    pos = tmpl.size();
    return {};
  }
  size_t close = tmpl.find('%', start);
  std::string_view token;
  if (close == std::string_view::npos) {
    token = tmpl.substr(start);
    pos = tmpl.size();
  } else {
    token = tmpl.substr(start, close - start);
    pos = close + 1;
  }
  return token.substr(0, kMaxTokenChars);
}

TemplateToken ClassifyToken(std::string_view token) {
  TemplateToken t;
  t.text = token;
  if (token.starts_with('+')) {
    t.kind = TemplateToken::Kind::Control;
    return t;
  }
  std::string_view name = token;
  if (name.starts_with('$')) {
    t.form = TemplateToken::Form::Hex;
    name.remove_prefix(1);
  } else if (name.size() >= 2 && name[0] == '#' && name[1] >= '0' && name[1] <= '9') {
    t.form = TemplateToken::Form::Raw;
    t.rawBytes = name[1] - '0';
    t.rawValid = t.rawBytes == 1 || t.rawBytes == 2 || t.rawBytes == 4;
    name.remove_prefix(2);
  }
  if (name.starts_with("user[") && name.size() > 5 && name[5] >= '1' && name[5] <= '8') {
    t.kind = TemplateToken::Kind::UserText;
    t.userNumber = name[5] - '0';
    return t;
  }
  if (auto p = FindPlaceholder(name)) {
    t.kind = TemplateToken::Kind::Placeholder;
    t.placeholder = *p;
    return t;
  }
  t.kind = TemplateToken::Kind::Unknown;
  return t;
}

size_t SkipPastTokenStartingWith(std::string_view tmpl, size_t pos, std::string_view prefix) {
  while (pos < tmpl.size()) {
    size_t pct = tmpl.find('%', pos);
    if (pct == std::string_view::npos) return tmpl.size();
    pos = pct;
    std::string_view token = ReadToken(tmpl, pos);
    if (token.starts_with(prefix)) return pos;
  }
  return tmpl.size();
}

size_t SkipFalseBranch(std::string_view tmpl, size_t pos) {
  while (pos < tmpl.size()) {
    size_t pct = tmpl.find('%', pos);
    if (pct == std::string_view::npos) return tmpl.size();
    pos = pct;
    std::string_view token = ReadToken(tmpl, pos);
    if (token.starts_with("+else")) return pos;
    if (token.starts_with("+end") && !token.starts_with("+endnoerror")) return pos;
  }
  return tmpl.size();
}

}  // namespace formats
