#include "ui/element_dialogs.h"

namespace ui {

bool ShowElementPropertiesDialog(QWidget*, app::Workshop&, int) { return false; }
bool ShowAddFolderDialog(QWidget*, app::Workshop&) { return false; }
bool ShowFormatsDialog(QWidget*, app::Workshop&) { return false; }
bool ShowPlatformsDialog(QWidget*, app::Workshop&) { return false; }
bool ShowOptionsDialog(QWidget*, app::Workshop&, int) { return false; }

}  // namespace ui
