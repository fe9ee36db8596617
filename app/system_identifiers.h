#pragma once

#include "script/identifiers.h"
#include "app/language.h"

// `system`: the program's own settings (list size, map settings files,
// preview memory, format selection, global bit emulation).
namespace app {

extern const ObjectTable kSystemObject;

// The fewest objects a list may be limited to.
inline constexpr int32_t kMinListObjects = 3;

}  // namespace app
