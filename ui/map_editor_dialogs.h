#pragma once

#include <functional>

class QWidget;

namespace mapeditor {
class MapEditor;
}

namespace ui {

// The editor's own dialogs that live in their own files (options, links,
// property sheets, the bit grid, the specimen window, selection operations,
// block copy, object parameters). A hook left empty greys out its menu entry
// and makes its key do nothing; each dialog fills its hook where it is built.
struct MapEditorDialogs {
  using Action = std::function<void(QWidget* parent, mapeditor::MapEditor& editor)>;
  using BackgroundAction =
      std::function<void(QWidget* parent, mapeditor::MapEditor& editor, int background)>;

  Action options;               // "Options..."
  Action links;                 // "Lier..." ("Liaisons")
  BackgroundAction properties;  // "Propriétés..." of one background
  Action bitGrid;               // "Grille des bits"
  Action specimen;              // show or hide the specimen map
  Action selectionOperations;   // "Opération sur sélection"
  Action blockCopy;             // "Déplacements..."
  // "Paramètres de l'objet"; returns after the dialog closed (its OK pushes
  // the undo state itself).
  Action objectParameters;
};

// The dialogs the program has today.
MapEditorDialogs ProgramMapEditorDialogs();

}  // namespace ui
