#pragma once

namespace hdrbake {

// Waits for one key press on the console, so that a window opened just for
// the tool stays readable. Does nothing when standard input is not an
// interactive terminal (a build, a script, a pipe), where nobody could press one.
void WaitForKeyOnConsole();

}  // namespace hdrbake
