#pragma once

#include <string_view>

// The statements that steer a run. Each receives the statement's value text
// (normalised: outside strings already case-folded).
namespace script {

struct Workshop;

void GotoCommand(Workshop& w, std::string_view value);     // `goto label`
void EndCommand(Workshop& w, std::string_view value);      // `fin` / `end`
void QuitCommand(Workshop& w, std::string_view value);     // `quitte` / `quit`
void ReturnCommand(Workshop& w, std::string_view value);   // `retour n` / `return n`
void MsgBoxCommand(Workshop& w, std::string_view value);   // `msgbox "text", "title" sinon goto x`
void IncludeCommand(Workshop& w, std::string_view value);  // `inclure "file"` / `include`
void DoCommand(Workshop& w, std::string_view value);       // `faire "file", "label"` / `do`
void ExecCommand(Workshop& w, std::string_view value);     // `exec "command line"`
void VisibleCommand(Workshop& w, std::string_view value);  // `visible n`

}  // namespace script
