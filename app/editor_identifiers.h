#pragma once

#include "script/identifiers.h"
#include "app/language.h"

// The map editor's other objects: `editeur` (also `editor`), `modehexa`,
// `specimen` and `bits`. Their settings are kept between editor sessions;
// their commands act on the open editor and do nothing while none is open.
namespace app {

extern const ObjectTable kEditorObject;
extern const ObjectTable kHexModeObject;
extern const ObjectTable kSpecimenObject;
extern const ObjectTable kBitsObject;

}  // namespace app
