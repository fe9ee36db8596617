#pragma once

#include "script/command_arguments.h"
#include "script/control_flow.h"
#include "script/identifier_lookup.h"
#include "script/identifiers.h"
#include "script/interpreter.h"
#include "script/interpreter_state.h"
#include "script/script_line.h"
#include "script/script_host.h"
#include "script/script_messages.h"

// The program's vocabulary is written in the script language's terms.
namespace app {

struct Workshop;

using script::ArrayDesc;
using script::CommandArguments;
using script::DoCommand;
using script::EndCommand;
using script::Entry;
using script::EntryKind;
using script::ExecCommand;
using script::ExecuteScript;
using script::FoldCase;
using script::FormatText;
using script::GotoCommand;
using script::IncludeCommand;
using script::InterpreterState;
using script::IsBlank;
using script::LookupIdentifier;
using script::MsgBoxCommand;
using script::ObjectTable;
using script::QuitCommand;
using script::RegisterIdentifier;
using script::ReportScriptError;
using script::ReturnCommand;
using script::RunScriptFile;
using script::ScriptHost;
using script::StopFlag;
using script::VisibleCommand;

// The language's messages, beside the vocabulary's own.
namespace text {
using namespace script::text;
}  // namespace text

}  // namespace app
