#pragma once

#include <cstdio>
#include <optional>

#include "platform/dialogs.h"
#include "platform/shell.h"

namespace platform {

// Batch mode: messages are printed as "caption: text" on standard error and a
// question takes its default answer, unless an answer was forced.
class ConsoleDialogs : public UserDialogs {
 public:
  explicit ConsoleDialogs(std::FILE* out = stderr) : out_(out) {}

  void forceAnswer(std::optional<Answer> answer) { forced_ = answer; }

  void message(std::string_view text, std::string_view caption, Icon icon) override;
  Answer question(std::string_view text, std::string_view caption, Buttons buttons,
                  Answer defaultAnswer, Icon icon) override;
  std::optional<std::string> chooseFileName(const FileChoice& choice) override;
  std::optional<uint32_t> chooseColour(uint32_t initial) override;

 private:
  std::FILE* out_;
  std::optional<Answer> forced_;
};

// Shell services for a desktop without windows of our own: documents and the
// text editor are handed to xdg-open (or $VISUAL / $EDITOR), programs are
// started through /bin/sh without waiting.
class DesktopShell : public Shell {
 public:
  bool openDocument(const std::string& path) override;
  bool startProgram(const std::string& commandLine) override;
  bool deleteFile(const std::string& path) override;
  bool editTextFile(const std::string& path) override;
};

class SystemMachine : public Machine {
 public:
  uint64_t physicalMemoryBytes() override;
};

// True when the answer is one the buttons offer.
bool AnswerFits(Buttons buttons, Answer answer);

}  // namespace platform
