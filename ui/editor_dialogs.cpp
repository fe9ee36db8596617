#include "ui/editor_dialogs.h"

#include <QTabWidget>

#include "mapeditor/map_editor.h"
#include "ui/editor_background_dialog.h"
#include "ui/editor_options_dialog.h"
#include "ui/editor_tool_dialogs.h"

namespace ui {

bool ShowBackgroundProperties(QWidget* parent, mapeditor::MapEditor& editor, int background) {
  if (background < 0 || background >= editor.count() || !editor.slot(background).open) return false;
  EditorBackgroundDialog dialog(editor, background, parent);
  return dialog.exec() == QDialog::Accepted;
}

bool ShowEditorOptions(QWidget* parent, mapeditor::MapEditor& editor, int page) {
  bool changed = false;
  int result = 0;
  {
    EditorOptionsDialog dialog(editor, parent);
    dialog.tabs()->setCurrentIndex(page);
    QObject::connect(&dialog, &EditorOptionsDialog::editorChanged, [&changed] { changed = true; });
    result = dialog.exec();
  }
  if (result == EditorOptionsDialog::kBlockFormatResult)
    return ShowBlockFormatDialog(parent, editor) || changed;
  return result == QDialog::Accepted || changed;
}

bool ShowLinksDialog(QWidget* parent, mapeditor::MapEditor& editor) {
  if (editor.count() == 0) return false;
  EditorLinksDialog dialog(editor, parent);
  return dialog.exec() == QDialog::Accepted;
}

bool ShowBlockFormatDialog(QWidget* parent, mapeditor::MapEditor& editor) {
  int w = 0, h = 0;
  {
    EditorBlockFormatDialog dialog(editor, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    w = dialog.chosenWidth();
    h = dialog.chosenHeight();
  }
  return editor.convertActiveBlockFormat(w, h);
}

bool ShowSelectionOperationsDialog(QWidget* parent, mapeditor::MapEditor& editor) {
  if (editor.count() == 0) return false;
  EditorOperationsDialog dialog(editor, parent);
  return dialog.exec() == QDialog::Accepted;
}

bool ShowBlockCopyDialog(QWidget* parent, mapeditor::MapEditor& editor) {
  if (editor.count() == 0) return false;
  EditorBlockCopyDialog dialog(editor, parent);
  return dialog.exec() == QDialog::Accepted;
}

bool ShowObjectParameters(QWidget* parent, mapeditor::MapEditor& editor) {
  if (editor.count() == 0 || editor.activeBackground().isMap() || editor.listSelection().empty())
    return false;
  // Shows "Vous devez d'abord définir des propriétés..." itself when the
  // model has no fields.
  std::vector<std::string> values = editor.objectFieldTexts();
  if (values.empty()) return false;
  EditorObjectDialog dialog(editor, values, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace ui
