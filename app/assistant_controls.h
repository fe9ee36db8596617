#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>
#include "app/language.h"

namespace app {

// The import assistant's controls a script can reach. Several script names
// reach the same control because the assistant reuses its controls on the
// page of each category. `None` marks the names that reach no control.
enum class AssistantControl : int {
  None = 0,
  TreeTilesets,  // the category items of the project tree
  TreeMaps,
  TreeBitmaps,
  Field1,  // the five text fields, in page order
  Field2,
  Field3,
  Field4,
  Field5,
  CheckPalette,   // "Palette existante" (three states)
  CheckMap,       // "Générer une map"
  CheckTileset,   // "Tileset existant" (three states)
  CheckOptimise,  // "Tileset optimisé"
  ComboPalette,   // existing palettes
  ComboTileset,   // existing tilesets
  ComboSize,      // "Taille de la map"
  ComboTiles,     // "Taille des blocs"
};

// The import assistant as a script drives it: the same actions a user
// performs, so the assistant reacts as it does to clicks. The window
// implements it; this base does nothing and its drop-down lists are empty,
// which is what a script meets when no assistant exists (batch mode).
class AssistantControls {
 public:
  virtual ~AssistantControls() = default;

  // Selects the category item in the project tree and opens the assistant on it.
  virtual void openFromTree(AssistantControl item) { (void)item; }
  virtual void setText(AssistantControl field, const std::string& text) {
    (void)field;
    (void)text;
  }
  // Applies the checked state (0, 1, or 2 for the indeterminate state) and
  // updates the controls that depend on it.
  virtual void setChecked(AssistantControl box, int32_t state) {
    (void)box;
    (void)state;
  }
  // The entries of a drop-down list, in order; the reader picks the one to select.
  virtual std::vector<std::string> listEntries(AssistantControl list) {
    (void)list;
    return {};
  }
  virtual void selectEntry(AssistantControl list, size_t index) {
    (void)list;
    (void)index;
  }
  // The assistant's "Ok!" button.
  virtual void pressOk() {}
};

}  // namespace app
