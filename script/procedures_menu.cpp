#include "script/procedures_menu.h"

#include <optional>

#include "platform/text_lines.h"
#include "script/interpreter.h"
#include "script/script_line.h"

namespace script {

namespace {

constexpr std::string_view kNoScriptNamed = "(Aucun script spécifié)";
constexpr std::string_view kNoScript = "(Pas de script)";
constexpr std::string_view kNoProcedure = "(Aucune)";

std::vector<ProcedureItem> Placeholder(std::string_view text) {
  return {ProcedureItem{std::string(text), kNoProcedureCommand, false}};
}

// The menu reads label lines on their own: comments are cut without regard
// to strings, and the label keeps its case. An empty name makes no item: it
// could not name a label to run from.
std::optional<std::string_view> ProcedureName(std::string_view line) {
  line = line.substr(0, line.find_first_of("#;"));
  while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
  if (line.size() < 3 || line.back() != ':') return std::nullopt;
  size_t start = 0;
  while (IsBlank(line[start])) ++start;
  if (line[start] != '_' || start + 2 >= line.size()) return std::nullopt;
  return line.substr(start + 1, line.size() - start - 2);
}

}  // namespace

std::vector<ProcedureItem> BuildProceduresMenu(std::string_view scriptPath) {
  if (scriptPath.empty()) return Placeholder(kNoScriptNamed);
  auto text = ReadScriptText(scriptPath);
  if (!text) return Placeholder(kNoScript);
  platform::TextLines lines(std::move(*text));
  std::vector<ProcedureItem> items;
  std::string line;
  while (lines.readLine(line, kMaxStatementChars)) {
    if (auto name = ProcedureName(line)) {
      int command = kFirstProcedureCommand + static_cast<int>(items.size());
      items.push_back(ProcedureItem{std::string(*name), command, true});
    }
  }
  if (items.empty()) return Placeholder(kNoProcedure);
  return items;
}

}  // namespace script
