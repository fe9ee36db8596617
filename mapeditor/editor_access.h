#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace mapeditor {

// What the script objects `fonds`/`maps`, `specimen`, `bits` and
// `editeur`/`editor` ask of an open map editor. The program's context holds a
// pointer to the open editor (null while none is open); the identifier tables
// call these operations through it and do nothing while it is null.
//
// Settings that are plain values (opacities, transparency, one palette per
// background, hex mode and its options, grid, grid colour and opacity,
// precise zoom, invisible block, zero masks, pop-up settings, timing, the
// `fonds.visible` array) are variables of the editor settings (`EditorHost::settings`); the editor
// reads them live, so assigning them needs no call here. After a run that assigned any of them,
// `settingsChanged` lets the editor follow at once (hex mode changes the active background's cell
// size).
//
// Background numbers: `index` arguments are 0-based background slots, as the
// script's current index gives them (`Fonds[2]` is index 1, `Fonds` alone is
// index 0, `Fonds[0]` is -1). Operations on a background that is not open
// (negative or beyond the open ones) do nothing and return false. Lists of
// numbers (`liemap`, `ajoutemap`) are 1-based, as written by the user.
class EditorAccess {
 public:
  virtual ~EditorAccess() = default;

  // --- `fonds` / `maps` ------------------------------------------------------

  // `ajoute "name"[, slot]`: opens the project's map (or list) element of that
  // name. slot 0: added as a new background; slot 1..20: loaded into that slot
  // unless it already holds this element (a slot beyond the open backgrounds
  // adds a new one). An unknown name, or an element already open, does
  // nothing. True when a background was loaded.
  virtual bool addBackgroundByName(std::string_view elementName, int32_t slot) = 0;

  // `reinit`: closes every background; modified ones get the close questions
  // first, and a cancel keeps them all.
  virtual void resetBackgrounds() = 0;

  // `liemap 1, 2, 3`: links the listed backgrounds with each other. Numbers
  // out of range and repeats are skipped; an empty list leaves the active
  // background alone in its group.
  virtual void linkBackgrounds(std::span<const int32_t> numbers) = 0;

  // `vitessedefil x, y`: parallax speeds (1.0 = 100 %); a value <= 0 leaves
  // that speed unchanged.
  virtual bool setScrollRate(int32_t index, double x, double y) = 0;

  // `ajcondition lowest, highest target [=]`: a value range (at most 20 per
  // background; an identical range is not added twice).
  virtual bool addCondition(int32_t index, uint32_t lowest, uint32_t highest, uint32_t target,
                            bool noIncrement) = 0;

  // `grille width[, height]`: snap grid. A width <= 0 keeps the width; a
  // height < 1 takes the width.
  virtual bool setSnapGrid(int32_t index, int32_t width, int32_t height) = 0;

  // `emulgba value`: GBA bit emulation of the background.
  virtual bool setGbaEmulation(int32_t index, bool on) = 0;

  // `visible[n] = value`, for callers that do not write the editor settings
  // themselves.
  virtual bool setVisible(int32_t index, bool visible) = 0;

  // --- `specimen` ------------------------------------------------------------

  // `ajoutemap n` (1-based; out of range or already listed: nothing).
  virtual bool addSpecimenMap(int32_t number) = 0;
  // `affiche 0|1`.
  virtual void showSpecimen(bool shown) = 0;
  // `deplace width, height[, left, top]`; the window applies it.
  virtual void placeSpecimen(int32_t width, int32_t height, int32_t left, int32_t top,
                             bool moves) = 0;

  // --- `bits` ----------------------------------------------------------------
  // Background index 0..19 (bit names belong to the slots, open or not); bit
  // 0..31; a name of at most 31 characters. The command reports a negative
  // index or a bit out of range with its own message ("Renommage des bits:
  // ...", "Activation des bits: ..."); here they only return false. Both
  // mark the bit names as changed (`InterpreterState::bitNamesChanged`).
  virtual bool setBitName(int32_t index, int32_t bit, std::string_view name) = 0;
  virtual bool setBitActive(int32_t index, int32_t bit, bool active) = 0;
  // `affiche`: opens the bit grid window if it is not open.
  virtual void showBitGrid() = 0;
  // `deplace x, y`.
  virtual void moveBitGrid(int32_t left, int32_t top) = 0;

  // --- `editeur` / `editor` --------------------------------------------------

  // `deplace width, height[, left, top[, maximised]]`.
  virtual void placeEditor(int32_t width, int32_t height, int32_t left, int32_t top, bool moves,
                           bool maximised) = 0;
  // `zoom value`: values <= 0 are ignored.
  virtual void setZoom(double zoom) = 0;

  // --- General ---------------------------------------------------------------

  // Number of open backgrounds.
  virtual int32_t backgroundCount() const = 0;
  // A script run assigned variables of the editor settings (`EditorHost::settings`).
  virtual void settingsChanged() = 0;
};

}  // namespace mapeditor
