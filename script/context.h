#pragma once

#include <string_view>

#include "platform/services.h"
#include "script/identifiers.h"
#include "script/interpreter_state.h"

namespace script {

// What the script language needs of the program that runs it: the services
// it reports through, the reader's state, and the vocabulary it evaluates
// statements against. The program derives its own context from this one;
// its identifier tables reach the rest of its records.
struct Context {
  explicit Context(platform::Services s) : services(s) {}
  virtual ~Context() = default;
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;

  // The root table of identifiers.
  virtual const ObjectTable& rootTable() const = 0;
  // Entries of kinds 0 to 4 name controls of the import assistant; what they
  // reach is the program's business.
  virtual void evaluateControl(const Entry& e, std::string_view name, std::string_view value) = 0;
  // The system script, where events and procedures are looked up.
  virtual std::string_view systemScriptPath() const = 0;
  // The outermost run has ended: what follows the settings (an open map
  // editor) catches up with what the run assigned.
  virtual void outermostRunEnded() {}

  platform::Services services;
  InterpreterState interpreter;
};

}  // namespace script
