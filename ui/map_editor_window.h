#pragma once

class QWidget;

namespace script {
struct Workshop;
}

namespace ui {

// Opens the map editor window on a map or list element and returns when the
// user has closed it (the editor is modal).
void OpenMapEditor(QWidget* parent, script::Workshop& workshop, int elementIndex);

}  // namespace ui
