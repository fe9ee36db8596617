#pragma once

namespace script {

// What a script run asks of the desktop program around it. The window
// implements it; batch mode and tests may leave the host null.
class ScriptHost {
 public:
  virtual ~ScriptHost() = default;

  // While a script runs, selecting a category in the project tree must not
  // open the import assistant by itself: only the tree statements do.
  virtual void setTreeReactionsSuspended(bool suspended) = 0;

  // Bit names changed during the run: the bit grid window is built again.
  virtual void rebuildBitGrid() = 0;

  // The `visible` statement, and the end of every outermost run (a script
  // that hid the window must not leave it hidden).
  virtual void showMainWindow(bool shown) = 0;

  // The current platform changed: what the window shows of it (colour modes,
  // map formats) must follow.
  virtual void refreshPlatformDisplays() {}
};

}  // namespace script
