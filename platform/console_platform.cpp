#include "platform/console_platform.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace platform {

namespace {

const char* AnswerName(Answer answer) {
  switch (answer) {
    case Answer::Ok:
      return "OK";
    case Answer::Cancel:
      return "Annuler";
    case Answer::Yes:
      return "Oui";
    case Answer::No:
      return "Non";
  }
  return "";
}

// Runs argv detached: an intermediate child forks the program and exits at
// once, so we never wait for the program and never leave a zombie. A pipe
// closed on exec tells whether the program could be started.
bool SpawnDetached(const std::vector<std::string>& args) {
  if (args.empty()) return false;
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return false;
  pid_t child = fork();
  if (child < 0) {
    close(fds[0]);
    close(fds[1]);
    return false;
  }
  if (child == 0) {
    pid_t grandchild = fork();
    if (grandchild == 0) {
      setsid();
      execvp(argv[0], argv.data());
      char failed = 1;
      (void)!write(fds[1], &failed, 1);
      _exit(127);
    }
    _exit(grandchild < 0 ? 1 : 0);
  }
  close(fds[1]);
  int status = 0;
  waitpid(child, &status, 0);
  char failed = 0;
  ssize_t n = read(fds[0], &failed, 1);
  close(fds[0]);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 && n == 0;
}

}  // namespace

bool AnswerFits(Buttons buttons, Answer answer) {
  switch (buttons) {
    case Buttons::Ok:
      return answer == Answer::Ok;
    case Buttons::OkCancel:
      return answer == Answer::Ok || answer == Answer::Cancel;
    case Buttons::YesNo:
      return answer == Answer::Yes || answer == Answer::No;
    case Buttons::YesNoCancel:
      return answer == Answer::Yes || answer == Answer::No || answer == Answer::Cancel;
  }
  return false;
}

void ConsoleDialogs::message(std::string_view text, std::string_view caption, Icon) {
  std::fprintf(out_, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
               static_cast<int>(text.size()), text.data());
  std::fflush(out_);
}

Answer ConsoleDialogs::question(std::string_view text, std::string_view caption, Buttons buttons,
                                Answer defaultAnswer, Icon) {
  Answer answer = defaultAnswer;
  if (forced_ && AnswerFits(buttons, *forced_)) answer = *forced_;
  std::fprintf(out_, "%.*s: %.*s [%s]\n", static_cast<int>(caption.size()), caption.data(),
               static_cast<int>(text.size()), text.data(), AnswerName(answer));
  std::fflush(out_);
  return answer;
}

std::optional<std::string> ConsoleDialogs::chooseFileName(const FileChoice&) {
  return std::nullopt;
}

std::optional<uint32_t> ConsoleDialogs::chooseColour(uint32_t) { return std::nullopt; }

bool DesktopShell::openDocument(const std::string& path) {
  return SpawnDetached({"xdg-open", path});
}

bool DesktopShell::startProgram(const std::string& commandLine) {
  if (commandLine.empty()) return false;
  return SpawnDetached({"/bin/sh", "-c", commandLine});
}

bool DesktopShell::deleteFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::remove(path, ec);
}

bool DesktopShell::editTextFile(const std::string& path) {
  for (const char* var : {"VISUAL", "EDITOR"}) {
    if (const char* editor = std::getenv(var); editor && *editor) {
      return SpawnDetached({"/bin/sh", "-c", std::string(editor) + " \"$1\"", "sh", path});
    }
  }
  return openDocument(path);
}

uint64_t SystemMachine::physicalMemoryBytes() {
  long pages = sysconf(_SC_PHYS_PAGES);
  long pageSize = sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return 0;
  return static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageSize);
}

}  // namespace platform
