#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace script {
struct Workshop;
}

namespace ui {

// "Plate-formes": chooses the current platform; "Options..." opens the
// selected platform's options panel for maps.
class PlatformsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PlatformsDialog(script::Workshop& workshop, QWidget* parent = nullptr);

  QListWidget* platformList() const { return list_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* optionsButton() const { return options_; }
  // True when the platform changed.
  bool changed() const { return changed_; }

  void accept() override;

 private:
  void updateOptionsButton();
  void openOptions();

  script::Workshop& w_;
  QListWidget* list_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* options_ = nullptr;
  bool changed_ = false;
};

}  // namespace ui
