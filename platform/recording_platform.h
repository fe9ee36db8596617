#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/shell.h"

namespace platform {

// For tests: every message and question is recorded; questions are answered
// from a queue (the default answer when the queue is empty).
class RecordingDialogs : public UserDialogs {
 public:
  struct Entry {
    bool isQuestion = false;
    std::string text;
    std::string caption;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    Answer defaultAnswer = Answer::Ok;
    Answer answer = Answer::Ok;
  };

  void queueAnswer(Answer answer) { answers_.push_back(answer); }
  void queueFileName(std::optional<std::string> name) { fileNames_.push_back(std::move(name)); }
  void queueColour(std::optional<uint32_t> colour) { colours_.push_back(colour); }

  const std::vector<Entry>& entries() const { return entries_; }
  const std::vector<FileChoice>& fileChoices() const { return fileChoices_; }
  void clear() {
    entries_.clear();
    fileChoices_.clear();
  }
  // The texts of all entries, in order.
  std::vector<std::string> texts() const;

  void message(std::string_view text, std::string_view caption, Icon icon) override;
  Answer question(std::string_view text, std::string_view caption, Buttons buttons,
                  Answer defaultAnswer, Icon icon) override;
  std::optional<std::string> chooseFileName(const FileChoice& choice) override;
  std::optional<uint32_t> chooseColour(uint32_t initial) override;

 private:
  std::vector<Entry> entries_;
  std::deque<Answer> answers_;
  std::deque<std::optional<std::string>> fileNames_;
  std::deque<std::optional<uint32_t>> colours_;
  std::vector<FileChoice> fileChoices_;
};

class RecordingShell : public Shell {
 public:
  enum class Action { OpenDocument, StartProgram, DeleteFile, EditTextFile };
  struct Call {
    Action action;
    std::string argument;
  };

  // Deletion really deletes (tests check the file system); everything else
  // is only recorded.
  bool openDocument(const std::string& path) override;
  bool startProgram(const std::string& commandLine) override;
  bool deleteFile(const std::string& path) override;
  bool editTextFile(const std::string& path) override;

  const std::vector<Call>& calls() const { return calls_; }

 private:
  std::vector<Call> calls_;
};

class FixedMachine : public Machine {
 public:
  explicit FixedMachine(uint64_t bytes = 1ull << 30) : bytes_(bytes) {}
  uint64_t physicalMemoryBytes() override { return bytes_; }
  void setBytes(uint64_t bytes) { bytes_ = bytes; }

 private:
  uint64_t bytes_;
};

}  // namespace platform
