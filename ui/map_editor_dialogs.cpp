#include "ui/map_editor_dialogs.h"

#include <QWidget>

#include "ui/editor_bit_grid.h"
#include "ui/editor_dialogs.h"
#include "ui/editor_composite_window.h"

namespace ui {

namespace {

// The editor's tool windows live as long as the editor window that shows
// them: found among its children, made on first use.
// `changed` is the window's signal after which the editor redraws.
template <typename Window, typename Signal>
Window* ToolWindow(QWidget* parent, mapeditor::MapEditor& editor, Signal changed) {
  if (auto* existing = parent->findChild<Window*>(QString(), Qt::FindDirectChildrenOnly))
    return existing;
  auto* window = new Window(editor, parent);
  window->setWindowFlag(Qt::Tool);
  QObject::connect(window, changed, parent, [parent] { parent->update(); });
  return window;
}

}  // namespace

MapEditorDialogs ProgramMapEditorDialogs() {
  MapEditorDialogs d;
  d.options = [](QWidget* parent, mapeditor::MapEditor& editor) {
    ShowEditorOptions(parent, editor);
    parent->update();
  };
  d.links = [](QWidget* parent, mapeditor::MapEditor& editor) { ShowLinksDialog(parent, editor); };
  d.properties = [](QWidget* parent, mapeditor::MapEditor& editor, int background) {
    if (ShowBackgroundProperties(parent, editor, background)) {
      if (auto* grid = parent->findChild<EditorBitGrid*>()) grid->rebuild();
      parent->update();
    }
  };
  d.bitGrid = [](QWidget* parent, mapeditor::MapEditor& editor) {
    auto* grid = ToolWindow<EditorBitGrid>(parent, editor, &EditorBitGrid::patternChanged);
    grid->rebuild();
    grid->show();
    grid->raise();
  };
  d.specimen = [](QWidget* parent, mapeditor::MapEditor& editor) {
    auto* specimen =
        ToolWindow<EditorSpecimenWindow>(parent, editor, &EditorSpecimenWindow::selectionCopied);
    specimen->setVisible(!specimen->isVisible());
  };
  d.selectionOperations = [](QWidget* parent, mapeditor::MapEditor& editor) {
    if (ShowSelectionOperationsDialog(parent, editor)) parent->update();
  };
  d.blockCopy = [](QWidget* parent, mapeditor::MapEditor& editor) {
    if (ShowBlockCopyDialog(parent, editor)) parent->update();
  };
  d.objectParameters = [](QWidget* parent, mapeditor::MapEditor& editor) {
    if (ShowObjectParameters(parent, editor)) parent->update();
  };
  return d;
}

}  // namespace ui
