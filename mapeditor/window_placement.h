#pragma once

#include <cstdint>

namespace mapeditor {

// Where a window of the editor stands; the window applies it and keeps it up
// to date, and the map settings file writes it.
struct WindowPlacement {
  int32_t width = 0;
  int32_t height = 0;
  int32_t left = 0;
  int32_t top = 0;
  bool maximised = false;
};

}  // namespace mapeditor
