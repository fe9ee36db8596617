#pragma once

#include "platform/dialogs.h"
#include "platform/shell.h"

namespace platform {

// The three platform interfaces the core talks to, bundled so they travel
// together through the program's context.
struct Services {
  UserDialogs& dialogs;
  Shell& shell;
  Machine& machine;
};

}  // namespace platform
