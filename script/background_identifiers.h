#pragma once

#include "script/identifiers.h"

// `fonds` (also `maps`): the map editor's backgrounds. The opacities and the
// visibility are settings the editor reads; the commands act on the open
// editor and do nothing while none is open.
namespace script {

extern const ObjectTable kBackgroundsObject;

}  // namespace script
