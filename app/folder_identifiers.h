#pragma once

#include "script/identifiers.h"
#include "app/language.h"

// `dossiers` (`folders`) and `dossierdéf` (`deffolder`): the default folder of
// each element kind, by name or by slot.
namespace app {

extern const ObjectTable kFoldersObject;
extern const ArrayDesc kDefaultFolderArray;

}  // namespace app
