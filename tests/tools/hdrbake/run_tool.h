#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace hdrbaketest {

struct ToolRun {
  int exitStatus = -1;
  std::string console;  // standard output and standard error, as printed
};

// Runs the built hdrbake program in `directory` with standard input from
// /dev/null, as a build or a script would.
ToolRun RunHdrbakeIn(const std::filesystem::path& directory, const std::vector<std::string>& args);

// Runs a shell command line; returns its exit status (-1 if it did not exit).
int RunCommand(const std::string& commandLine);

// The command line quoting of one argument for the POSIX shell.
std::string ShellQuote(const std::string& text);

}  // namespace hdrbaketest
