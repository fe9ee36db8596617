#pragma once

class QWidget;

namespace app {
struct Workshop;
}

// The modal dialogs the main window opens on the project and the program's
// choices. Each returns true when it changed something the tree or the
// window must show again (the caller then rebuilds the tree).
namespace ui {

// "Propriétés de %s": file, base file, name, Folder and kind of one element.
bool ShowElementPropertiesDialog(QWidget* parent, app::Workshop& workshop, int entryIndex);

// "Ajouter un dossier": a new Folder under a Category root, another Folder
// or the top level.
bool ShowAddFolderDialog(QWidget* parent, app::Workshop& workshop);

// "Formats d'E/S": the current output format.
bool ShowFormatsDialog(QWidget* parent, app::Workshop& workshop);

// "Plate-formes": the current platform and its options panel for maps.
bool ShowPlatformsDialog(QWidget* parent, app::Workshop& workshop);

// The program's Options dialog, opened on one of its pages (0 the first).
bool ShowOptionsDialog(QWidget* parent, app::Workshop& workshop, int page = 0);

}  // namespace ui
