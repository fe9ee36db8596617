#pragma once

class QWidget;

namespace app {
struct Workshop;
}

namespace ui {

// Opens the map editor window on a map or list element and returns when the
// user has closed it (the editor is modal).
void OpenMapEditor(QWidget* parent, app::Workshop& workshop, int elementIndex);

}  // namespace ui
