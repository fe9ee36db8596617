#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace app {
struct Workshop;
}

namespace ui {

// "Ajouter un dossier": a name and where to place the new Folder. OK adds it
// and closes, or keeps the dialog open when the name is taken.
class AddFolderDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AddFolderDialog(app::Workshop& workshop, QWidget* parent = nullptr);

  QLineEdit* nameEdit() const { return name_; }
  QComboBox* placeList() const { return place_; }
  QPushButton* okButton() const { return ok_; }
  // Index of the Folder added, -1 while none.
  int addedEntry() const { return added_; }

  void accept() override;

 private:
  app::Workshop& w_;
  QLineEdit* name_ = nullptr;
  QComboBox* place_ = nullptr;
  QPushButton* ok_ = nullptr;
  int added_ = -1;
};

}  // namespace ui
