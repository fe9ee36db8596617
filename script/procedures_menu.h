#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace script {

// Command identifiers of the Procédures menu: items count up from the first;
// the placeholder shown when there is nothing to run uses the one below it.
inline constexpr int kFirstProcedureCommand = 16384;
inline constexpr int kNoProcedureCommand = 16383;

struct ProcedureItem {
  std::string text;  // the label as written, without its '_' and ':'
  int command = kNoProcedureCommand;
  bool enabled = false;
};

// The items of the Procédures menu from the system script: one per label line
// starting with '_', in file order. When there are none, a single disabled
// item says why: no script named, no script readable, or no procedure in it.
std::vector<ProcedureItem> BuildProceduresMenu(std::string_view scriptPath);

}  // namespace script
