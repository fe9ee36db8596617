#pragma once

#include <QDialog>

#include <string>

#include "project/element_properties.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace app {
struct Workshop;
}

namespace ui {

// The desktop's trash, where a file the user gives up can still be found.
bool MoveFileToTrash(const std::string& path);

// "Propriétés de %s": the file, base file, name, Folder and kind of one
// element. OK applies the fields (moving or copying the file on disk when
// asked) and closes, or stays open after a refusal.
class ElementPropertiesDialog : public QDialog {
  Q_OBJECT

 public:
  ElementPropertiesDialog(app::Workshop& workshop, int entryIndex, QWidget* parent = nullptr,
                          project::TrashFile trash = MoveFileToTrash);

  QLineEdit* fileEdit() const { return file_; }
  QLineEdit* baseFileEdit() const { return baseFile_; }
  QLineEdit* nameEdit() const { return name_; }
  QComboBox* folderList() const { return folder_; }
  QComboBox* kindList() const { return kind_; }
  QPushButton* unlockKindButton() const { return unlockKind_; }
  QPushButton* chooseFileButton() const { return chooseFile_; }
  QPushButton* chooseBaseFileButton() const { return chooseBaseFile_; }
  QPushButton* okButton() const { return ok_; }

  void accept() override;

 private:
  void chooseFile();
  void chooseBaseFile();
  void unlockKind();

  app::Workshop& w_;
  int index_;
  project::TrashFile trash_;
  QLineEdit* file_ = nullptr;
  QLineEdit* baseFile_ = nullptr;
  QLineEdit* name_ = nullptr;
  QComboBox* folder_ = nullptr;
  QComboBox* kind_ = nullptr;
  QPushButton* unlockKind_ = nullptr;
  QPushButton* chooseFile_ = nullptr;
  QPushButton* chooseBaseFile_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace ui
