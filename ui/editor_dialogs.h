#pragma once

#include <vector>

class QWidget;

namespace mapeditor {
class MapEditor;
}

// The map editor's secondary windows, each over the editor's model alone so
// that it can be opened (and tested) without the editor window. The modal
// ones are opened by the functions below; each returns true when the user
// confirmed and the model changed, so that the caller redraws (and, after the
// property sheet, rebuilds the bit grid). The non-modal bit grid and specimen
// windows are the classes EditorBitGrid (ui/editor_bit_grid.h) and
// EditorSpecimenWindow (ui/editor_composite_window.h), owned by the editor
// window.
namespace ui {

// "Propriétés du fond %s": the sheet of background `background` (0-based).
// Opened by "Fonds..." → "Propriétés..." → that background, and by
// "Propriétés du fond actif" of the editor options. The bit names may have
// changed: the caller rebuilds its bit grid when this returns true.
bool ShowBackgroundProperties(QWidget* parent, mapeditor::MapEditor& editor, int background);

// The editor's "Options" sheet (Raccourcis, Fonds, Affichage, Spécimen), on
// page `page`. Opened by "Options..." and Ctrl+Space. "Format des blocs"
// closes it and runs ShowBlockFormatDialog; "Propriétés du fond actif" runs
// ShowBackgroundProperties on the active background.
bool ShowEditorOptions(QWidget* parent, mapeditor::MapEditor& editor, int page = 0);

// "Liaisons": the active background's link group. Opened by "Fonds..." →
// "Lier...".
bool ShowLinksDialog(QWidget* parent, mapeditor::MapEditor& editor);

// "Personnalisation de la taille des motifs", then the conversion of the
// active map to the chosen block size. Opened by "Format des blocs" of the
// editor options (page "Raccourcis"); not from a menu of its own.
bool ShowBlockFormatDialog(QWidget* parent, mapeditor::MapEditor& editor);

// "Opérations sur la sélection": rewrites the selection buffer. Opened by
// the menu entry "Opération sur sélection" (greyed while the buffer is
// 0 × 0). The map changes only when the user then pastes ("Coller").
bool ShowSelectionOperationsDialog(QWidget* parent, mapeditor::MapEditor& editor);

// "Copie de blocs": copy, move or paste by typed coordinates. Opened by the
// menu entry "Déplacements...".
bool ShowBlockCopyDialog(QWidget* parent, mapeditor::MapEditor& editor);

// "Paramètres de l'objet": the fields of the selected objects of the active
// object list. Opened by Enter (no Ctrl) on an object list and by a double
// click on a selected object. False (after the model's message) when the
// list's model has no fields or nothing is selected.
bool ShowObjectParameters(QWidget* parent, mapeditor::MapEditor& editor);

}  // namespace ui
