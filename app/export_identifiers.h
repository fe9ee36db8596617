#pragma once

#include <string>
#include "app/language.h"

namespace app {

// The C identifiers a conversion command gives the elements it writes, in
// place of their names. Set together and cleared together; empty: the
// element's name is the identifier.
struct ExportIdentifiers {
  std::string bitmap;
  std::string palette;
  std::string tileset;
  std::string mapAndList;  // maps and lists share one

  void clear() { *this = ExportIdentifiers{}; }
};

}  // namespace app
