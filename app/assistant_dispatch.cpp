#include "app/assistant_dispatch.h"

#include <memory>
#include <string>

#include "platform/value_syntax.h"
#include "app/assistant_controls.h"
#include "app/assistant_model.h"
#include "script/script_messages.h"
#include "app/workshop.h"
#include "app/language.h"

namespace app {

namespace {

// Lower-case form of one character starting at text[i]; advances i.
uint32_t FoldedCharAt(std::string_view text, size_t& i) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  uint32_t c = byte(i++);
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c == 0xC3 && i < text.size()) {
    uint32_t low = byte(i++);
    // U+00C0..U+00DE, except the multiplication sign, have their lower case 32 higher.
    if (low >= 0x80 && low <= 0x9E && low != 0x97) low += 32;
    return 0xC300 + low;
  }
  return c;
}

AssistantControl ControlOf(const Entry& e) { return static_cast<AssistantControl>(e.control); }

// The window's assistant when one is attached; otherwise the model without a
// window, so that a script fills it and converts in batch mode too.
AssistantControls& Assistant(Workshop& w) {
  if (w.assistant) return *w.assistant;
  if (!w.headlessAssistant) w.headlessAssistant = std::make_unique<AssistantModel>(w);
  return *w.headlessAssistant;
}

void SelectListEntry(Workshop& w, AssistantControls& assistant, const Entry& e,
                     std::string_view name, std::string_view value) {
  auto wanted = platform::ParseString(value);
  if (!wanted) {
    ReportScriptError(w, FormatText(text::kMissingArguments, {name}));
    return;
  }
  std::vector<std::string> entries = assistant.listEntries(ControlOf(e));
  for (size_t i = 0; i < entries.size(); ++i) {
    if (EqualIgnoringCase(entries[i], *wanted)) {
      assistant.selectEntry(ControlOf(e), i);
      return;
    }
  }
  ReportScriptError(w, FormatText(text::kListEntryMissing, {name, *wanted}));
}

}  // namespace

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size())
    if (FoldedCharAt(a, i) != FoldedCharAt(b, j)) return false;
  return i == a.size() && j == b.size();
}

void EvaluateAssistantEntry(Workshop& w, const Entry& e, std::string_view name,
                            std::string_view value) {
  // Names kept for scripts written against older pages reach no control.
  if (ControlOf(e) == AssistantControl::None) return;
  AssistantControls& assistant = Assistant(w);
  switch (e.kind) {
    case EntryKind::TreeItem:
      assistant.openFromTree(ControlOf(e));
      break;
    case EntryKind::TextField:
      if (auto s = platform::ParseString(value))
        assistant.setText(ControlOf(e), *s);
      else
        ReportScriptError(w, FormatText(text::kMissingArguments, {name}));
      break;
    case EntryKind::CheckBox:
    case EntryKind::RadioButton:
      assistant.setChecked(ControlOf(e), platform::ParseInteger(value));
      break;
    case EntryKind::DropDown:
      SelectListEntry(w, assistant, e, name, value);
      break;
    default:
      break;
  }
}

void AssistantOkCommand(Workshop& w, std::string_view) { Assistant(w).pressOk(); }

}  // namespace app
