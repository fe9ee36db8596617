#include "run_tool.h"

#include <sys/wait.h>

#include <cstdlib>

#include "test_support/temp_dir.h"

namespace hdrbaketest {

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

int RunCommand(const std::string& commandLine) {
  const int status = std::system(commandLine.c_str());
  return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

ToolRun RunHdrbakeIn(const std::filesystem::path& directory, const std::vector<std::string>& args) {
  testsupport::TempDir capture;
  const std::string consoleFile = capture.file("console.txt");
  // A run that blocks (on a pipe, say) fails the test instead of hanging it.
  std::string command =
      "cd " + ShellQuote(directory.string()) + " && timeout 30 " + ShellQuote(HDRBAKE_PROGRAM);
  for (const std::string& arg : args) command += " " + ShellQuote(arg);
  command += " < /dev/null > " + ShellQuote(consoleFile) + " 2>&1";
  ToolRun run;
  run.exitStatus = RunCommand(command);
  run.console = testsupport::ReadFile(consoleFile);
  return run;
}

}  // namespace hdrbaketest
