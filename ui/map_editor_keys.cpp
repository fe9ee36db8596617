#include "ui/map_editor_keys.h"

#include <QKeyEvent>

namespace ui {

namespace {

enum class Mod { Ctrl, None, Keypad };

struct KeyRow {
  int key;
  Mod mod;
  EditorCommand command;
  int background;
};

// Ctrl+1 .. Ctrl+9 make backgrounds 1..9 active and Ctrl+0 the tenth.
constexpr KeyRow kKeys[] = {
    {Qt::Key_1, Mod::Ctrl, EditorCommand::ActivateBackground, 0},
    {Qt::Key_2, Mod::Ctrl, EditorCommand::ActivateBackground, 1},
    {Qt::Key_3, Mod::Ctrl, EditorCommand::ActivateBackground, 2},
    {Qt::Key_4, Mod::Ctrl, EditorCommand::ActivateBackground, 3},
    {Qt::Key_5, Mod::Ctrl, EditorCommand::ActivateBackground, 4},
    {Qt::Key_6, Mod::Ctrl, EditorCommand::ActivateBackground, 5},
    {Qt::Key_7, Mod::Ctrl, EditorCommand::ActivateBackground, 6},
    {Qt::Key_8, Mod::Ctrl, EditorCommand::ActivateBackground, 7},
    {Qt::Key_9, Mod::Ctrl, EditorCommand::ActivateBackground, 8},
    {Qt::Key_0, Mod::Ctrl, EditorCommand::ActivateBackground, 9},
    {Qt::Key_Z, Mod::Ctrl, EditorCommand::Undo, 0},
    {Qt::Key_Y, Mod::Ctrl, EditorCommand::Redo, 0},
    {Qt::Key_C, Mod::Ctrl, EditorCommand::CopyObjects, 0},
    {Qt::Key_X, Mod::Ctrl, EditorCommand::CutObjects, 0},
    {Qt::Key_V, Mod::Ctrl, EditorCommand::Paste, 0},
    {Qt::Key_H, Mod::Ctrl, EditorCommand::ToggleHexMode, 0},
    {Qt::Key_M, Mod::Ctrl, EditorCommand::AddBackground, 0},
    {Qt::Key_P, Mod::Ctrl, EditorCommand::ToggleSpecimen, 0},
    {Qt::Key_S, Mod::Ctrl, EditorCommand::Save, 0},
    {Qt::Key_I, Mod::Ctrl, EditorCommand::ScriptPrompt, 0},
    {Qt::Key_Space, Mod::Ctrl, EditorCommand::Options, 0},
    {Qt::Key_Delete, Mod::None, EditorCommand::DeleteObjects, 0},
    {Qt::Key_Return, Mod::None, EditorCommand::ObjectParameters, 0},
    {Qt::Key_Enter, Mod::Keypad, EditorCommand::ObjectParameters, 0},
    {Qt::Key_Plus, Mod::Keypad, EditorCommand::GrowSnapGrid, 0},
    {Qt::Key_Minus, Mod::Keypad, EditorCommand::ShrinkSnapGrid, 0},
    {Qt::Key_Left, Mod::None, EditorCommand::ScrollLeft, 0},
    {Qt::Key_Right, Mod::None, EditorCommand::ScrollRight, 0},
    {Qt::Key_Up, Mod::None, EditorCommand::ScrollUp, 0},
    {Qt::Key_Down, Mod::None, EditorCommand::ScrollDown, 0},
    {Qt::Key_F1, Mod::None, EditorCommand::Help, 0},
    {Qt::Key_F3, Mod::None, EditorCommand::PersonalHelp, 0},
};

}  // namespace

std::optional<EditorKeyCommand> CommandForKey(const QKeyEvent& event) {
  Qt::KeyboardModifiers mods = event.modifiers();
  bool ctrl = mods.testFlag(Qt::ControlModifier);
  bool keypad = mods.testFlag(Qt::KeypadModifier);
  for (const KeyRow& row : kKeys) {
    if (row.key != event.key()) continue;
    // Arrow keys carry the keypad flag on some systems; only + and − (and
    // Enter) tell the pad apart.
    bool matches = row.mod == Mod::Ctrl ? ctrl : (!ctrl && (row.mod != Mod::Keypad || keypad));
    if (matches) return EditorKeyCommand{row.command, row.background};
  }
  return std::nullopt;
}

}  // namespace ui
