#include "ui/element_dialogs.h"

#include "app/workshop.h"
#include "ui/add_folder_dialog.h"
#include "ui/element_properties_dialog.h"
#include "ui/formats_dialog.h"
#include "ui/options_dialog.h"
#include "ui/platforms_dialog.h"

namespace ui {

bool ShowElementPropertiesDialog(QWidget* parent, app::Workshop& workshop, int entryIndex) {
  if (entryIndex < 0 || static_cast<size_t>(entryIndex) >= workshop.project.count() ||
      workshop.project.entry(static_cast<size_t>(entryIndex)).isFolder())
    return false;
  ElementPropertiesDialog dialog(workshop, entryIndex, parent);
  return dialog.exec() == QDialog::Accepted;
}

bool ShowAddFolderDialog(QWidget* parent, app::Workshop& workshop) {
  AddFolderDialog dialog(workshop, parent);
  return dialog.exec() == QDialog::Accepted;
}

bool ShowFormatsDialog(QWidget* parent, app::Workshop& workshop) {
  FormatsDialog dialog(workshop, parent);
  return dialog.exec() == QDialog::Accepted;
}

bool ShowPlatformsDialog(QWidget* parent, app::Workshop& workshop) {
  PlatformsDialog dialog(workshop, parent);
  return dialog.exec() == QDialog::Accepted && dialog.changed();
}

bool ShowOptionsDialog(QWidget* parent, app::Workshop& workshop, int page) {
  OptionsDialog dialog(workshop, page, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace ui
