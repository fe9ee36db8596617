#include <iostream>
#include <string>
#include <vector>

#include "tools/hdrbake/hdrbake_run.h"
#include "tools/hdrbake/key_wait.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const hdrbake::RunResult result = hdrbake::RunHdrbake(args, std::cout);
  std::cout.flush();
  if (result.waitForKey) hdrbake::WaitForKeyOnConsole();
  return result.exitStatus;
}
