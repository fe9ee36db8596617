#pragma once

#include <string_view>

namespace platform {
class UserDialogs;
}

// The argument of the script command convert.luminosite (lighting, and the
// root command effets): assignments of the colour effects such as
//   GAMMA=RGB(1.0,1.3,1.0)  ADD = 10  alpha rgb(50% 0 100%)
namespace convert {

struct ColourMode;
struct ColourTables;
struct ConversionSettings;

// Reads the assignments in order; an unknown setting or a malformed colour is
// reported and ends the reading (the settings read before it stay). The
// colour tables are rebuilt in every case, so an empty argument only
// rebuilds them. Returns false when something was reported.
bool SetLighting(std::string_view argument, ConversionSettings& settings, const ColourMode* mode,
                 ColourTables& tables, platform::UserDialogs& dialogs);

}  // namespace convert
