#pragma once

#include <string_view>

// The statements that steer a run. Each receives the statement's value text
// (normalised: outside strings already case-folded).
namespace script {

struct Context;

void GotoCommand(Context& context, std::string_view value);    // `goto label`
void EndCommand(Context& context, std::string_view value);     // `fin` / `end`
void QuitCommand(Context& context, std::string_view value);    // `quitte` / `quit`
void ReturnCommand(Context& context, std::string_view value);  // `retour n` / `return n`
void MsgBoxCommand(Context& context,
                   std::string_view value);  // `msgbox "text", "title" sinon goto x`
void IncludeCommand(Context& context, std::string_view value);  // `inclure "file"` / `include`
void DoCommand(Context& context, std::string_view value);       // `faire "file", "label"` / `do`
void ExecCommand(Context& context, std::string_view value);     // `exec "command line"`
void VisibleCommand(Context& context, std::string_view value);  // `visible n`

}  // namespace script
