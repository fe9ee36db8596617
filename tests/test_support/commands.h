#pragma once

#include <string>
#include <string_view>

namespace testsupport {

// True when the shell finds the program (tests that compile generated C skip
// cleanly on machines without a compiler).
bool HaveProgram(std::string_view name);

// Runs a shell command and returns what it printed on standard output.
std::string RunCommand(const std::string& command);

}  // namespace testsupport
