#pragma once

#include "formats/output_format.h"

namespace formats {

// The built-in format "Standard": C arrays with CR LF line ends, the one every
// new format starts from.
OutputFormat MakeStandardFormat();

}  // namespace formats
