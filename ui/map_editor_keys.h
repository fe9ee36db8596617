#pragma once

#include <optional>

class QKeyEvent;

namespace ui {

// What the editor's keys do.
enum class EditorCommand {
  ActivateBackground,  // with the background number of the key
  Undo,
  Redo,
  CopyObjects,
  CutObjects,
  Paste,
  DeleteObjects,
  ObjectParameters,
  ToggleHexMode,
  AddBackground,
  ToggleSpecimen,
  Save,
  ScriptPrompt,
  Options,
  GrowSnapGrid,
  ShrinkSnapGrid,
  ScrollLeft,
  ScrollRight,
  ScrollUp,
  ScrollDown,
  Help,
  PersonalHelp,
};

struct EditorKeyCommand {
  EditorCommand command;
  int background = 0;  // ActivateBackground: 0-based
};

// The keyboard table of the editor; nothing for keys it does not hold.
std::optional<EditorKeyCommand> CommandForKey(const QKeyEvent& event);

}  // namespace ui
