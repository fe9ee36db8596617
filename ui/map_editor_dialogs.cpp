#include "ui/map_editor_dialogs.h"

namespace ui {

MapEditorDialogs ProgramMapEditorDialogs() {
  // Each dialog joins here as it is written.
  return MapEditorDialogs{};
}

}  // namespace ui
