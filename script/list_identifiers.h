#pragma once

#include "script/identifiers.h"

// `liste` (also `list`): the parameters of the current list model.
namespace script {

extern const ObjectTable kListObject;

}  // namespace script
