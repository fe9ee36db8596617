#pragma once

#include <iosfwd>
#include <span>
#include <string>

namespace hdrbake {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;

struct RunResult {
  int exitStatus = kExitSuccess;
  bool waitForKey = false;  // the console is to be held open before exiting
};

// The whole run for the arguments after the program name: reads the PCX file,
// writes the header and prints every console line to `console`. The only place
// that decides the exit status.
RunResult RunHdrbake(std::span<const std::string> args, std::ostream& console);

}  // namespace hdrbake
