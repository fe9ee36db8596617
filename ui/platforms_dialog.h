#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace app {
struct Workshop;
}

namespace ui {

// "Plate-formes": chooses the current platform; "Options..." opens the
// selected platform's options panel for maps.
class PlatformsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PlatformsDialog(app::Workshop& workshop, QWidget* parent = nullptr);

  QListWidget* platformList() const { return list_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* optionsButton() const { return options_; }
  // True when the platform changed.
  bool changed() const { return changed_; }

  void accept() override;

 private:
  void updateOptionsButton();
  void openOptions();

  app::Workshop& w_;
  QListWidget* list_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* options_ = nullptr;
  bool changed_ = false;
};

}  // namespace ui
