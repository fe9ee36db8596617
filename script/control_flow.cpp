#include "script/control_flow.h"

#include <optional>
#include <string>

#include "platform/value_syntax.h"
#include "script/interpreter.h"
#include "script/script_host.h"
#include "script/script_line.h"
#include "script/script_messages.h"
#include "script/context.h"

namespace script {

namespace {

size_t SkipStringSeparators(std::string_view text, size_t pos) {
  while (pos < text.size() && (IsBlank(text[pos]) || text[pos] == ',')) ++pos;
  return pos;
}

void StartLabelSearch(Context& context, std::string_view label) {
  context.interpreter.labelSearch = std::string(label);
}

// The clauses that turn a cancelled message box into a jump.
constexpr std::string_view kElseGotoClauses[] = {"sinon goto ", "else goto "};

}  // namespace

void GotoCommand(Context& context, std::string_view value) { StartLabelSearch(context, value); }

void EndCommand(Context& context, std::string_view) {
  context.interpreter.stopFlag = StopFlag::EndScript;
}

void QuitCommand(Context& context, std::string_view) {
  context.interpreter.stopFlag = StopFlag::CloseProgram;
}

void ReturnCommand(Context& context, std::string_view value) {
  context.interpreter.returnValue = platform::ParseInteger(value);
  context.interpreter.stopFlag = StopFlag::EndScript;
}

void MsgBoxCommand(Context& context, std::string_view value) {
  std::optional<std::string> message;
  std::optional<std::string> title;
  size_t pos = 0;
  size_t end = 0;
  if ((message = platform::ParseString(value, &end))) {
    pos = end;
    // Further strings: the last one is the title.
    for (;;) {
      size_t next = SkipStringSeparators(value, pos);
      auto s = platform::ParseString(value.substr(next), &end);
      if (!s) break;
      title = std::move(s);
      pos = next + end;
    }
  }
  std::string_view rest = value.substr(SkipStringSeparators(value, pos));
  auto answer = context.services.dialogs.question(
      message ? std::string_view(*message) : text::kBreakpoint,
      title ? std::string_view(*title) : text::kUserMessageCaption, platform::Buttons::OkCancel,
      platform::Answer::Ok, platform::Icon::Information);
  if (answer != platform::Answer::Cancel) return;
  for (std::string_view clause : kElseGotoClauses) {
    if (rest.substr(0, clause.size()) == clause) {
      StartLabelSearch(context, rest.substr(clause.size()));
      return;
    }
  }
  context.interpreter.stopFlag = StopFlag::EndScript;
}

void IncludeCommand(Context& context, std::string_view value) {
  auto file = platform::ParseString(value);
  if (!file) {
    ReportScriptError(context, text::kIncludeNameMissing);
    return;
  }
  if (!RunScriptFile(context, *file))
    ReportScriptError(context, FormatText(text::kIncludeFailed, {*file}));
}

void DoCommand(Context& context, std::string_view value) {
  size_t end = 0;
  auto file = platform::ParseString(value, &end);
  if (!file) {
    ReportScriptError(context, text::kDoNameMissing);
    return;
  }
  // The label is the string after the next ',' (or ':'); it must be in double quotes.
  std::string label;
  size_t comma = value.find_first_of(",:", end);
  if (comma != std::string_view::npos) {
    size_t quote = value.find('"', comma);
    if (quote != std::string_view::npos)
      label = platform::ParseString(value.substr(quote)).value_or(std::string());
  }
  if (!RunScriptFile(context, *file, label))
    ReportScriptError(context, FormatText(text::kDoFailed, {*file}));
}

void ExecCommand(Context& context, std::string_view value) {
  auto commandLine = platform::ParseString(value);
  if (!commandLine) return;
  if (context.interpreter.inProjectSection && !context.interpreter.projectMayStartPrograms) {
    // Without a window the question takes its default answer: no.
    auto answer = context.services.dialogs.question(
        FormatText(text::kProjectExec, {*commandLine}), text::kProjectExecCaption,
        platform::Buttons::YesNo, platform::Answer::No, platform::Icon::Warning);
    if (answer != platform::Answer::Yes) return;
  }
  context.services.shell.startProgram(*commandLine);
}

void VisibleCommand(Context& context, std::string_view value) {
  if (context.interpreter.host)
    context.interpreter.host->showMainWindow(platform::ParseInteger(value) != 0);
}

}  // namespace script
