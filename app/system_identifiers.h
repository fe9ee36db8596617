#pragma once

#include <cstdint>

#include "script/identifiers.h"
#include "app/language.h"

namespace platform {
class UserDialogs;
}

// `system`: the program's own settings (list size, map settings files,
// preview memory, format selection, global bit emulation).
namespace app {

extern const ObjectTable kSystemObject;

// The fewest objects a list may be limited to.
inline constexpr int32_t kMinListObjects = 3;
// The most: the map editor reserves this many objects for each open list
// (up to 20, each object up to 25 KB with the largest model), so a typing
// slip must not make it ask for all of the machine's memory.
inline constexpr int32_t kMaxListObjects = 65536;

// A list size kept between the two limits; a value above the upper one is
// reported ("Attention") before it is lowered.
int32_t BoundListObjects(int32_t value, platform::UserDialogs& dialogs);

}  // namespace app
