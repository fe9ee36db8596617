#pragma once

#include "platform/dialogs.h"

class QWidget;

namespace ui {

// The desktop program's user dialogs: message boxes, file and colour
// choosers, parented to the main window once it exists.
class QtDialogs : public platform::UserDialogs {
 public:
  void setParent(QWidget* parent) { parent_ = parent; }

  void message(std::string_view text, std::string_view caption, platform::Icon icon) override;
  platform::Answer question(std::string_view text, std::string_view caption,
                            platform::Buttons buttons, platform::Answer defaultAnswer,
                            platform::Icon icon) override;
  std::optional<std::string> chooseFileName(const platform::FileChoice& choice) override;
  std::optional<uint32_t> chooseColour(uint32_t initial) override;

 private:
  QWidget* parent_ = nullptr;
};

}  // namespace ui
