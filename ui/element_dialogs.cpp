#include "ui/element_dialogs.h"

namespace ui {

bool ShowElementPropertiesDialog(QWidget*, script::Workshop&, int) { return false; }
bool ShowAddFolderDialog(QWidget*, script::Workshop&) { return false; }
bool ShowFormatsDialog(QWidget*, script::Workshop&) { return false; }
bool ShowPlatformsDialog(QWidget*, script::Workshop&) { return false; }
bool ShowOptionsDialog(QWidget*, script::Workshop&, int) { return false; }

}  // namespace ui
