#pragma once

#include "script/identifiers.h"
#include "app/language.h"

// `liste` (also `list`): the parameters of the current list model.
namespace app {

extern const ObjectTable kListObject;

}  // namespace app
