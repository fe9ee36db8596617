#include "tools/hdrbake/command_line.h"

#include "tools/hdrbake/output_name.h"

namespace hdrbake {

bool ParseCommandLine(std::span<const std::string> args, HdrbakeSettings& settings) {
  if (args.size() == 1) {
    settings.inputName = args[0];
    settings.outputName = DefaultOutputName(args[0]);
    settings.outputNamed = false;
    return true;
  }
  if (args.size() == 2) {
    settings.inputName = args[0];
    settings.outputName = args[1];
    settings.outputNamed = true;
    return true;
  }
  return false;
}

}  // namespace hdrbake
