#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "tools/tilecvt/console.h"
#include "tools/tilecvt/converter.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  tilecvt::StdConsole console;
  try {
    return tilecvt::RunTilecvt(arguments, argc > 0 ? argv[0] : "tilecvt", console);
  } catch (const std::bad_alloc&) {
    std::fputs("***ERROR: out of memory\n", stderr);
    return 1;
  }
}
