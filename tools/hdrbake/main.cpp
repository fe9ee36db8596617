#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "tools/hdrbake/hdrbake_run.h"
#include "tools/hdrbake/key_wait.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  hdrbake::RunResult result{hdrbake::kExitFailure, false};
  try {
    result = hdrbake::RunHdrbake(args, std::cout);
  } catch (const std::bad_alloc&) {
    std::cout << "out of memory\n";
  }
  std::cout.flush();
  if (result.waitForKey) hdrbake::WaitForKeyOnConsole();
  return result.exitStatus;
}
