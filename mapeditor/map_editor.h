#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "mapeditor/background.h"
#include "mapeditor/link_groups.h"
#include "mapeditor/selection_buffer.h"
#include "mapeditor/selection_operations.h"
#include "mapeditor/composite_map.h"
#include "mapeditor/status_messages.h"
#include "mapeditor/undo_history.h"
#include "mapeditor/window_placement.h"
#include "mapeditor/editor_access.h"
#include "mapeditor/editor_host.h"

namespace convert {
struct ColourMode;
struct MapFormat;
}  // namespace convert

// The map editor's document: up to 20 backgrounds, the active one and its
// link group, undo histories, the selection buffer and the brush, and the
// state the editor window shows. The window only turns input into calls on
// this model; tests and benchmarks drive it without a display.
namespace mapeditor {

class ElementStore;

// Results of adding a background.
enum class AddResult { Added = 0, Unreadable = 1, AlreadyOpen = 2, LimitReached = 3 };

// The bit grid window's state.
struct BitGrid {
  bool exists = false;
  bool visible = false;
  WindowPlacement placement;
};

// What a block copy dialog holds: each field as typed.
struct BlockCopyFields {
  std::string sourceX, sourceY;
  std::string width, height;
  std::string destinationX, destinationY;
  bool onlyActive = false;
};

class MapEditor : public EditorAccess {
 public:
  MapEditor(EditorHost& host, MapEditorShared& shared, ElementStore& store);
  ~MapEditor() override;
  MapEditor(const MapEditor&) = delete;
  MapEditor& operator=(const MapEditor&) = delete;

  // --- Opening and closing ---------------------------------------------------

  // Opens the editor on a map or list element of the project: resets the
  // editor-wide state, adds the element as background 1, runs its map
  // settings file and the "onopen" event. False when the editor must close
  // again (the element could not be opened, or the event refused it); the
  // model is then closed.
  bool open(int elementIndex);
  // The close command: asks about every modified background. False when the
  // user cancelled or a background the user chose to save could not be
  // written (the editor stays open, still modified); true when it closed.
  bool close();
  bool isOpen() const { return open_; }

  // --- Backgrounds -----------------------------------------------------------

  int count() const { return count_; }
  int active() const { return active_; }
  Background& background(int i) { return slots_[static_cast<size_t>(i)].background; }
  const Background& background(int i) const { return slots_[static_cast<size_t>(i)].background; }
  BackgroundSlot& slot(int i) { return slots_[static_cast<size_t>(i)]; }
  const BackgroundSlot& slot(int i) const { return slots_[static_cast<size_t>(i)]; }
  Background& activeBackground() { return background(active_); }
  const Background& activeBackground() const { return background(active_); }
  bool visible(int i) const;
  const convert::MapFormat& mapFormatOf(const Background& b) const;
  const convert::ColourMode& colourModeOf(const Background& b) const;

  // Adds the project element as a new background (its kind chooses map or
  // list). At 20 backgrounds: "La limite du nombre de fonds est atteinte!".
  AddResult addBackground(int elementIndex);
  // Checked before the maps to add are offered: false (with the message) at
  // 20 backgrounds.
  bool checkBackgroundLimit();
  // Loads an element into an open slot in place of the background there.
  AddResult replaceBackground(int slot, int elementIndex);
  // Makes an open background active; ignored out of range.
  void setActive(int index);

  // --- Link groups -----------------------------------------------------------

  const LinkRow& linkRow(int i) const { return links_[static_cast<size_t>(i)]; }
  // The open members of the active background's group, in row order.
  std::vector<int> activeGroup() const;
  std::vector<int> groupOf(int i) const;
  // The links dialog's OK: "1,2,3" (an empty text: the active background
  // alone).
  void linkFromText(std::string_view text);
  void link(std::vector<int> slots);  // 0-based, already checked
  std::string activeGroupText() const {
    return LinkGroupText(links_[static_cast<size_t>(active_)]);
  }

  // --- Title, modified state, undo -------------------------------------------

  std::string title() const;
  bool modified(int i) const { return slot(i).history.modified(); }
  std::string memoryText() const;
  uint64_t undoBytes() const { return budget_.held; }
  bool canUndo() const;
  bool canRedo() const;

  bool pushUndo(int i);
  void pushUndoGroup();
  void undoGroup();
  void redoGroup();
  void resetHistory(int i, bool keepModified);
  void resetHistoryGroup(int i, bool keepModified);

  // --- Saving ----------------------------------------------------------------

  // Writes the background through the element writers and raises "onsave".
  // False when the writer failed (the background stays modified).
  bool saveBackground(int i);
  // Every member of the active group, then the map settings file. False
  // when a member could not be written (it stays modified).
  bool saveActiveGroup();
  // The map settings file of the element the editor was opened on.
  std::string settingsFilePath() const;
  std::string mapSettingsText() const;
  // Writes it unless "Sauver les paramètres des maps" is off; a file that
  // cannot be written shows a status message. True when written.
  bool writeMapSettings();

  // --- The brush and the selection buffer ------------------------------------

  SelectionBuffer& buffer() { return shared_.buffer; }
  const SelectionBuffer& buffer() const { return shared_.buffer; }
  uint32_t patternValue() const { return pattern_; }
  void setPatternValue(uint32_t v) { pattern_ = v; }
  // The plane of the buffer that belongs to the active background.
  int activePlane() const;
  // What the bit grid and the hex field show: the first cell of the active
  // plane, or the pattern value when the buffer is empty.
  uint32_t currentPattern() const;
  bool pasteEnabled() const { return buffer().allocated() && buffer().pastable(); }
  SkippedValues skippedValues() const;

  // A rectangle of canvas pixels (any corner order) copied from every member
  // of the link group, or from the active background alone. False when
  // nothing was copied.
  bool copySelection(const PixelRect& rect, bool onlyActive);
  // The value of one cell becomes the pattern value: the buffer empties.
  bool pickPattern(int canvasX, int canvasY);
  // A selected rectangle: a single cell of an unlinked background, or any
  // single cell taken from the active background alone, becomes the pattern
  // value; otherwise the rectangle is copied (from the active background
  // alone when asked).
  void selectRectangleOrPickPattern(const PixelRect& rect, bool onlyActive);
  // The brush over a rectangle of canvas pixels, on every member (or the
  // active one alone), then an undo step.
  void paint(const PixelRect& rect, bool onlyActive);
  // The buffer back over the rectangle it was taken from. Only for buffers
  // larger than one cell.
  bool paste();
  // Steps the pattern value down (positive steps) or up; the first step
  // only empties a non-empty buffer, making the pattern value the brush.
  void stepPattern(int steps);

  // --- Selection operations and block copy -----------------------------------

  // The operations dialog's OK. True when the dialog closes; on an error the
  // message is shown and it stays open.
  bool runOperations(std::string_view operations, std::string_view condition, bool onlyActive);
  // The block copy dialog's OK. True when the dialog closes.
  bool blockCopy(const BlockCopyFields& fields);

  // --- Hex mode, bits and the pattern ----------------------------------------

  void setHexMode(bool on);
  bool hexMode() const;
  // The hex field: the typed number AND the format's value mask.
  void setPatternFromHex(std::string_view text);
  // The value the tile panel's tile p (counted from the reference tile)
  // stands for; becomes the brush.
  void pickPanelTile(uint32_t p);
  // A box of the bit grid: sets or clears the bit in the active plane of the
  // buffer, or in the pattern value when it is empty.
  void toggleBit(int bit, bool set);
  BitGrid& bitGrid() { return bitGrid_; }
  const BitGrid& bitGrid() const { return bitGrid_; }

  // --- Background properties -------------------------------------------------

  // "Général": parallax speeds in percent (0 keeps a speed). A speed above
  // 100 % asks to rescale every background; No keeps the page open (false).
  bool applyParallaxPercent(int i, double percentX, double percentY);
  // "Propriétés": size in blocks, reference tile and display mask. False
  // keeps the page open. A smaller size that would drop non-zero cells asks
  // first; the change of size is one undo step of the link group.
  bool applySizeAndReference(int i, std::string_view width, std::string_view height,
                             std::string_view referenceTile, std::string_view displayMask);
  // "Format des blocs": the block format dialog's checks; true when the new
  // size is taken (the conversion settings' tile size becomes w × h).
  bool chooseBlockFormat(int width, int height);
  // Converts the active map to another block size. Cells it cannot keep are
  // counted and the user asked before they become tile 0; the conversion is
  // one undo step of the link group. False when declined or memory ran out
  // (nothing changed).
  bool convertActiveBlockFormat(int width, int height);
  bool setSnapGridOf(int i, int width, int height);
  // Doubles (halves) each side of the active snap grid below 64 (above 1).
  void growSnapGrid();
  void shrinkSnapGrid();

  // --- Object lists ----------------------------------------------------------

  // Adds an element with the model's defaults. False when the list is full
  // ("Trop d'éléments, veuillez allonger la liste dans les options"). The
  // caller pushes the undo state (one placed element is one step, a script
  // may add many).
  bool addListElement(int i, int32_t x, int32_t y, int32_t type);
  // The last element whose box holds the point (map pixels), or -1.
  int listElementAt(int i, int32_t x, int32_t y) const;
  // Dragging an element (positions in map pixels); the window pushes the undo
  // state when the drag ends.
  bool moveListElement(int element, int32_t x, int32_t y);
  // A point of map pixels rounded down to the active list's snap grid.
  void snapToListGrid(int32_t& x, int32_t& y) const;
  // The elements of the active list whose position lies in a rectangle of
  // canvas pixels (any corner order; with `snap`, its ends are rounded
  // outwards to the snap grid) become the selection.
  void selectListElementsIn(const PixelRect& rect, bool snap);
  // One element joins the selection, or leaves it when it was in.
  void toggleListSelection(int element);
  std::vector<int>& listSelection() { return listSelection_; }
  const std::vector<int>& listSelection() const { return listSelection_; }
  void copyListSelection();
  void cutListSelection();
  void deleteListSelection();
  // The copied elements with their top-left corner at the point.
  void pasteObjects(int32_t x, int32_t y);
  // "Paramètres de l'objet": the fields of the first selected element as
  // texts, and writing texts into every selected element.
  std::vector<std::string> objectFieldTexts() const;
  bool setObjectFields(std::span<const std::string> texts);

  // --- View ------------------------------------------------------------------

  int scrollX() const { return scrollX_; }
  int scrollY() const { return scrollY_; }
  // Scroll positions are kept within the active background and on multiples
  // of the larger of its scroll step and snap grid.
  void setScroll(int x, int y);
  void scrollLines(int dx, int dy);
  void scrollPages(int dx, int dy);
  // The first column and row of a background drawn at the present scroll
  // position (parallax applied).
  int firstColumn(const Background& b) const;
  int firstRow(const Background& b) const;
  double zoom() const;
  // Zoom in steps of 0.5 between 1.0 and 4.0.
  void stepZoom(int notches);

  // One tick of the editor timer: scroll steps, snap grids, status ages.
  void tick(int elapsedMs);

  StatusMessages& status() { return status_; }
  const StatusMessages& status() const { return status_; }
  Specimen& specimen() { return specimen_; }
  const Specimen& specimen() const { return specimen_; }
  WindowPlacement& editorPlacement() { return editorPlacement_; }
  const WindowPlacement& editorPlacement() const { return editorPlacement_; }
  int splitterWidth() const { return splitterWidth_; }
  void setSplitterWidth(int w) { splitterWidth_ = w; }
  // The program behind the editor (not part of the document's state).
  EditorHost& host() const { return host_; }

  // --- mapeditor::EditorAccess ----------------------------------------------------

  bool addBackgroundByName(std::string_view elementName, int32_t slot) override;
  void resetBackgrounds() override;
  void linkBackgrounds(std::span<const int32_t> numbers) override;
  bool setScrollRate(int32_t index, double x, double y) override;
  bool addCondition(int32_t index, uint32_t lowest, uint32_t highest, uint32_t target,
                    bool noIncrement) override;
  bool setSnapGrid(int32_t index, int32_t width, int32_t height) override;
  bool setGbaEmulation(int32_t index, bool on) override;
  bool setVisible(int32_t index, bool visible) override;
  bool addSpecimenMap(int32_t number) override;
  void showSpecimen(bool shown) override;
  void placeSpecimen(int32_t width, int32_t height, int32_t left, int32_t top, bool moves) override;
  bool setBitName(int32_t index, int32_t bit, std::string_view name) override;
  bool setBitActive(int32_t index, int32_t bit, bool active) override;
  void showBitGrid() override;
  void moveBitGrid(int32_t left, int32_t top) override;
  void placeEditor(int32_t width, int32_t height, int32_t left, int32_t top, bool moves,
                   bool maximised) override;
  void setZoom(double zoom) override;
  int32_t backgroundCount() const override { return count_; }
  void settingsChanged() override;

 private:
  bool isOpenSlot(int i) const {
    return i >= 0 && i < count_ && slots_[static_cast<size_t>(i)].open;
  }
  int findOpenElement(const project::EntryRecord& e) const;
  AddResult loadInto(int slotIndex, int elementIndex);
  void freeAll();
  // The save question for every modified background; false when the user
  // cancelled or a chosen save failed.
  bool askToSaveModified();
  void dissolveGroup(int i);
  void followHexMode();
  void clampScroll();
  // Member cells for a rectangle of canvas pixels seen with the given scroll.
  struct CellRect {
    int left, top, right, bottom;  // inclusive
    bool empty() const { return right < left || bottom < top; }
  };
  CellRect memberCells(const Background& b, const PixelRect& rect, int sx, int sy,
                       bool clampToMap) const;
  bool copyMember(int member, int plane, const PixelRect& rect);
  void copyListMember(int member, int plane, const PixelRect& rect);
  void pasteMembers(const PixelRect& rect, bool onlyActive, int sx, int sy);
  void pasteAt(int x, int y, int width, int height, bool onlyActive);
  void patternStatus();
  // Around a change of a map's shape: the present state of background i is
  // recorded with its shape before the change (false: it cannot be undone),
  // and the new state is pushed for the whole link group after it.
  bool prepareShapeChange(int i);
  void finishShapeChange(int i, bool undoable);
  // After undo or redo: display cells and scrolling follow restored shapes.
  void followRestoredShapes();
  uint32_t formatValueMask() const;

  EditorHost& host_;
  MapEditorShared& shared_;
  ElementStore& store_;
  std::array<BackgroundSlot, kMaxBackgrounds> slots_;
  std::array<LinkRow, kMaxBackgrounds> links_;
  int count_ = 0;
  int active_ = 0;
  bool open_ = false;
  project::EntryRecord openedRecord_;
  UndoBudget budget_;
  uint32_t pattern_ = 0;
  int scrollX_ = 0;
  int scrollY_ = 0;
  int splitterWidth_ = 128;
  bool hexApplied_ = false;
  StatusMessages status_;
  Specimen specimen_;
  BitGrid bitGrid_;
  WindowPlacement editorPlacement_{640, 480, 0, 0, false};
  std::vector<int> listSelection_;
};

}  // namespace mapeditor
