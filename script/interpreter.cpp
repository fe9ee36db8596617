#include "script/interpreter.h"

#include "platform/files.h"
#include "platform/text_encoding.h"
#include "platform/text_lines.h"
#include "script/script_host.h"
#include "script/script_line.h"
#include "script/statement.h"
#include "script/context.h"

namespace script {

namespace {

void BeginRun(Context& context, std::string_view startLabel) {
  auto& st = context.interpreter;
  st.stopFlag = StopFlag::Running;
  st.returnValue = 1;
  st.messages = 0;
  if (startLabel.empty())
    st.labelSearch.reset();
  else
    st.labelSearch = FoldCase(startLabel);
  if (st.runDepth == 0) {
    // A nested run keeps the flag: clearing it would lose a change the
    // including script made before the nested run started.
    st.bitNamesChanged = false;
    if (st.host) st.host->setTreeReactionsSuspended(true);
  }
  ++st.runDepth;
}

void EndRun(Context& context) {
  auto& st = context.interpreter;
  --st.runDepth;
  if (st.bitNamesChanged) {
    st.bitNamesChanged = false;
    if (st.host) st.host->rebuildBitGrid();
  }
  st.messages = 1;
  if (st.runDepth == 0) {
    // An unfinished search belongs to the run that failed it.
    st.labelSearch.reset();
    // The open editor follows the editor settings the run may have assigned.
    context.outermostRunEnded();
    if (st.host) {
      st.host->setTreeReactionsSuspended(false);
      st.host->showMainWindow(true);
    }
  }
}

// One statement as read; true when the run must end.
bool ProcessStatement(Context& context, std::string_view raw) {
  auto& st = context.interpreter;
  std::string line = NormaliseLine(raw);
  if (auto label = LabelOfLine(line)) {
    if (st.labelSearch && *st.labelSearch == *label) st.labelSearch.reset();
    return false;
  }
  if (st.labelSearch) return false;
  ExecuteStatement(context, line);
  return st.stopFlag != StopFlag::Running;
}

}  // namespace

void ExecuteScript(Context& context, platform::TextLines& stream, std::string_view startLabel) {
  auto& st = context.interpreter;
  BeginRun(context, startLabel);
  platform::TextLines* outer = st.currentStream;
  st.currentStream = &stream;
  std::string raw;
  while (stream.readLine(raw, kMaxStatementChars))
    if (ProcessStatement(context, raw)) break;
  st.currentStream = outer;
  EndRun(context);
}

void ExecuteScript(Context& context, std::string_view text, std::string_view startLabel) {
  auto& st = context.interpreter;
  BeginRun(context, startLabel);
  platform::TextLines* outer = st.currentStream;
  // Statements given as text have no following lines to read.
  st.currentStream = nullptr;
  bool stop = false;
  size_t pos = 0;
  while (!stop && pos <= text.size()) {
    size_t semicolon = text.find(';', pos);
    size_t end = semicolon == std::string_view::npos ? text.size() : semicolon;
    std::string_view piece = text.substr(pos, end - pos);
    while (!stop && !piece.empty()) {
      size_t cut = platform::Utf8PrefixSize(piece, kMaxStatementChars);
      stop = ProcessStatement(context, piece.substr(0, cut));
      piece.remove_prefix(cut);
    }
    pos = end + 1;
  }
  st.currentStream = outer;
  EndRun(context);
}

std::optional<std::string> ReadScriptText(std::string_view path) {
  auto bytes = platform::ReadFileBytes(std::string(path));
  if (!bytes) return std::nullopt;
  return platform::DecodeTextFile(*bytes);
}

bool RunScriptFile(Context& context, std::string_view path, std::string_view startLabel) {
  context.interpreter.returnValue = 1;
  if (path.empty() || context.interpreter.runDepth >= kMaxScriptNesting) return false;
  auto text = ReadScriptText(path);
  if (!text) return false;
  platform::TextLines lines(std::move(*text));
  ExecuteScript(context, lines, startLabel);
  return true;
}

}  // namespace script
