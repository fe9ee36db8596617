#pragma once

#include "script/identifiers.h"
#include "app/language.h"

// `fonds` (also `maps`): the map editor's backgrounds. The opacities and the
// visibility are settings the editor reads; the commands act on the open
// editor and do nothing while none is open.
namespace app {

extern const ObjectTable kBackgroundsObject;

}  // namespace app
