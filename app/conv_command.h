#pragma once

#include <string_view>
#include "app/language.h"

namespace app {

struct Workshop;

// `conv`: converts one picture into project elements in a single statement,
// e.g. `conv tset src=hero.png col=16 +16c tdim=16x16`. The program's command
// line hands each of its ':'-separated conversions to it.
void ConvCommand(Workshop& w, std::string_view value);

// The same, telling whether the picture was converted (files written and
// elements added); the messages are the command's.
bool RunConversionCommand(Workshop& w, std::string_view value);

}  // namespace app
