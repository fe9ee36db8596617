#include "tools/tilecvt/console.h"

#include <cstdio>

namespace tilecvt {

void StdConsole::write(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); }

void StdConsole::writeError(std::string_view text) {
  // Progress lines are completed after a warning may have been printed, so the
  // two streams must reach a terminal in the order they were written.
  std::fflush(stdout);
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

}  // namespace tilecvt
