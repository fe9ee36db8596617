#include "formats/template_expansion.h"

#include <string>

#include "formats/debug_message.h"
#include "formats/output_sink.h"
#include "formats/placeholders.h"
#include "formats/template_token.h"
#include "formats/value_format.h"

namespace formats {

namespace {

void ExpandPlaceholder(const TemplateToken& t, OutputSink& out, const TemplateValues& values) {
  if (PlaceholderInfoOf(t.placeholder).kind == PlaceholderKind::Text) {
    out.write(values.textBytes(t.placeholder));
    return;
  }
  int32_t v = values.number(t.placeholder);
  switch (t.form) {
    case TemplateToken::Form::Decimal:
      AppendNumber(out, v, 'i', 0, false);
      break;
    case TemplateToken::Form::Hex:
      AppendNumber(out, v, 'x', 0, false);
      break;
    case TemplateToken::Form::Raw:
      AppendRawBytes(out, static_cast<uint32_t>(v), t.rawBytes);
      break;
  }
}

}  // namespace

void Expand(std::string_view tmpl, OutputSink& out, const TemplateValues& values,
            platform::UserDialogs& dialogs) {
  size_t i = 0;
  while (i < tmpl.size()) {
    char c = tmpl[i];
    if (c == '\b') {
      out.backspace();
      ++i;
      continue;
    }
    if (c != '%') {
      // A run of plain bytes in one write.
      size_t e = i + 1;
      while (e < tmpl.size() && tmpl[e] != '%' && tmpl[e] != '\b') ++e;
      out.write(tmpl.substr(i, e - i));
      i = e;
      continue;
    }
    TemplateToken t = ClassifyToken(ReadToken(tmpl, i));
    if (t.kind != TemplateToken::Kind::Control && t.form == TemplateToken::Form::Raw &&
        !t.rawValid) {
      ShowDebugMessage(dialogs, "Erreur de typage binaire (" + std::to_string(t.rawBytes) + ")");
      continue;
    }
    switch (t.kind) {
      case TemplateToken::Kind::Control:
        if (t.text.starts_with("+else")) i = SkipPastTokenStartingWith(tmpl, i, "+end");
        break;
      case TemplateToken::Kind::UserText:
        out.write(values.userText(t.userNumber));
        break;
      case TemplateToken::Kind::Placeholder:
        ExpandPlaceholder(t, out, values);
        break;
      case TemplateToken::Kind::Unknown:
        break;
    }
  }
}

}  // namespace formats
