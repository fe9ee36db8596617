#pragma once

#include <span>
#include <string>

namespace hdrbake {

struct HdrbakeSettings {
  std::string inputName;
  std::string outputName;
  bool outputNamed = false;  // the output name came from the command line
};

// Takes the arguments after the program name: the PCX file and optionally the
// header file. False (settings untouched) for any other number of arguments.
bool ParseCommandLine(std::span<const std::string> args, HdrbakeSettings& settings);

}  // namespace hdrbake
