#pragma once

#include <string_view>

#include "script/identifiers.h"
#include "app/language.h"

// `convert`: the conversion settings (colour effects, palette reduction, tile
// conversion), and the root command `effets` (`effects`).
namespace app {

extern const ObjectTable kConvertObject;

// `convert.luminosite` (`lighting`) and `effets`: the colour-effect settings,
// then the colour tables rebuilt.
void LightingCommand(Workshop& w, std::string_view value);

}  // namespace app
