#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class Icon { None, Information, Warning, Error, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct FileFilter {
  std::string description;  // "Fichiers projet Tessel Works *.tpj"
  std::string pattern;      // "*.tpj" (several patterns separated by ';')
};

struct FileChoice {
  bool save = false;  // save dialog (else open dialog)
  std::string title;  // "Sauver un fichier"
  std::vector<FileFilter> filters;
  std::string startDirectory;
  std::string initialName;
};

// Everything the program asks of the user goes through this interface: the
// desktop program shows dialogs, batch mode prints and takes defaults, tests
// record and answer from a script.
class UserDialogs {
 public:
  virtual ~UserDialogs() = default;

  // A message with an OK button.
  virtual void message(std::string_view text, std::string_view caption, Icon icon) = 0;

  // A question; returns the button chosen.
  virtual Answer question(std::string_view text, std::string_view caption, Buttons buttons,
                          Answer defaultAnswer, Icon icon) = 0;

  // A file name, or nothing when the user cancels.
  virtual std::optional<std::string> chooseFileName(const FileChoice& choice) = 0;

  // A colour as 0x00BBGGRR (red in the low byte), or nothing when cancelled.
  virtual std::optional<uint32_t> chooseColour(uint32_t initial) = 0;
};

}  // namespace platform
