#include "platform/recording_platform.h"

#include <filesystem>

namespace platform {

std::vector<std::string> RecordingDialogs::texts() const {
  std::vector<std::string> out;
  for (const auto& e : entries_) out.push_back(e.text);
  return out;
}

void RecordingDialogs::message(std::string_view text, std::string_view caption, Icon icon) {
  Entry e;
  e.text = text;
  e.caption = caption;
  e.icon = icon;
  entries_.push_back(std::move(e));
}

Answer RecordingDialogs::question(std::string_view text, std::string_view caption, Buttons buttons,
                                  Answer defaultAnswer, Icon icon) {
  Entry e;
  e.isQuestion = true;
  e.text = text;
  e.caption = caption;
  e.icon = icon;
  e.buttons = buttons;
  e.defaultAnswer = defaultAnswer;
  e.answer = defaultAnswer;
  if (!answers_.empty()) {
    e.answer = answers_.front();
    answers_.pop_front();
  }
  entries_.push_back(e);
  return e.answer;
}

std::optional<std::string> RecordingDialogs::chooseFileName(const FileChoice& choice) {
  fileChoices_.push_back(choice);
  if (fileNames_.empty()) return std::nullopt;
  auto name = fileNames_.front();
  fileNames_.pop_front();
  return name;
}

std::optional<uint32_t> RecordingDialogs::chooseColour(uint32_t) {
  if (colours_.empty()) return std::nullopt;
  auto c = colours_.front();
  colours_.pop_front();
  return c;
}

bool RecordingShell::openDocument(const std::string& path) {
  calls_.push_back({Action::OpenDocument, path});
  return true;
}

bool RecordingShell::startProgram(const std::string& commandLine) {
  calls_.push_back({Action::StartProgram, commandLine});
  return true;
}

bool RecordingShell::deleteFile(const std::string& path) {
  calls_.push_back({Action::DeleteFile, path});
  std::error_code ec;
  return std::filesystem::remove(path, ec);
}

bool RecordingShell::editTextFile(const std::string& path) {
  calls_.push_back({Action::EditTextFile, path});
  return true;
}

}  // namespace platform
