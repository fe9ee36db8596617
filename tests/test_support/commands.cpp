#include "test_support/commands.h"

#include <cstdio>
#include <cstdlib>

namespace testsupport {

bool HaveProgram(std::string_view name) {
  std::string command = "command -v " + std::string(name) + " > /dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

std::string RunCommand(const std::string& command) {
  std::string out;
  if (std::FILE* p = popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0) out.append(buffer, n);
    pclose(p);
  }
  return out;
}

}  // namespace testsupport
