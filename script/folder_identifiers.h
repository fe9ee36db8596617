#pragma once

#include "script/identifiers.h"

// `dossiers` (`folders`) and `dossierdéf` (`deffolder`): the default folder of
// each element kind, by name or by slot.
namespace script {

extern const ObjectTable kFoldersObject;
extern const ArrayDesc kDefaultFolderArray;

}  // namespace script
