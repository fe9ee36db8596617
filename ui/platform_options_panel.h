#pragma once

#include <QDialog>
#include <QWidget>

#include <vector>

class QCheckBox;
class QPushButton;

namespace app {
struct Workshop;
}

namespace ui {

// A platform's options panel for the dialogs that edit a map (or a
// tileset): its check boxes show the current options; store() writes their
// states back. Nothing is stored unless store() is called.
class PlatformOptionsPanel : public QWidget {
  Q_OBJECT

 public:
  PlatformOptionsPanel(app::Workshop& workshop, int platformIndex, bool forMap,
                       QWidget* parent = nullptr);

  const std::vector<QCheckBox*>& boxes() const { return boxes_; }
  void store();

 private:
  app::Workshop& w_;
  int platform_;
  bool forMap_;
  std::vector<QCheckBox*> boxes_;
};

// The panel on its own, with OK (store) and Annuler (leave the options).
class PlatformOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  PlatformOptionsDialog(app::Workshop& workshop, int platformIndex, QWidget* parent = nullptr);

  PlatformOptionsPanel* panel() const { return panel_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

  void accept() override;

 private:
  PlatformOptionsPanel* panel_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace ui
