#include "tools/hdrbake/key_wait.h"

#ifdef _WIN32
#include <conio.h>
#include <io.h>
#else
#include <termios.h>
#include <unistd.h>
#endif

namespace hdrbake {

#ifdef _WIN32

void WaitForKeyOnConsole() {
  if (!_isatty(0)) return;
  _getch();
}

#else

void WaitForKeyOnConsole() {
  if (!isatty(STDIN_FILENO)) return;
  // Any key, not a whole line: leave canonical mode for one byte, without echo.
  termios saved{};
  if (tcgetattr(STDIN_FILENO, &saved) != 0) return;
  termios raw = saved;
  raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  if (tcsetattr(STDIN_FILENO, TCSANOW, &raw) != 0) return;
  char key = 0;
  [[maybe_unused]] const ssize_t got = read(STDIN_FILENO, &key, 1);
  tcsetattr(STDIN_FILENO, TCSANOW, &saved);
}

#endif

}  // namespace hdrbake
