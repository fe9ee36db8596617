#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace app {
struct Workshop;
}

namespace ui {

// "Formats d'E/S": chooses the current output format.
class FormatsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FormatsDialog(app::Workshop& workshop, QWidget* parent = nullptr);

  QListWidget* formatList() const { return list_; }
  QPushButton* okButton() const { return ok_; }

  // Selects the highlighted format and closes; nothing happens without one.
  void accept() override;

 private:
  app::Workshop& w_;
  QListWidget* list_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace ui
