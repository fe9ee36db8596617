#pragma once

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace mapeditor {
class MapEditor;
}

// The map editor's small modal dialogs. Each OK calls the model and stays
// open when the model refused (it has shown its message).
namespace ui {

// "Opérations sur la sélection".
class EditorOperationsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit EditorOperationsDialog(mapeditor::MapEditor& editor, QWidget* parent = nullptr);
  bool apply();
  QLineEdit* operations() const { return operations_; }
  QLineEdit* condition() const { return condition_; }
  QCheckBox* onlyActive() const { return onlyActive_; }

 private:
  mapeditor::MapEditor& editor_;
  QLineEdit* operations_;
  QLineEdit* condition_;
  QCheckBox* onlyActive_;
};

// "Copie de blocs".
class EditorBlockCopyDialog : public QDialog {
  Q_OBJECT
 public:
  explicit EditorBlockCopyDialog(mapeditor::MapEditor& editor, QWidget* parent = nullptr);
  bool apply();
  // Source x, y, width, height, destination x, y.
  QLineEdit* field(int k) const { return fields_[static_cast<size_t>(k)]; }
  QCheckBox* onlyActive() const { return onlyActive_; }

 private:
  mapeditor::MapEditor& editor_;
  std::vector<QLineEdit*> fields_;
  QCheckBox* onlyActive_;
};

// "Personnalisation de la taille des motifs": only the checks; the
// conversion of the active map follows once it is closed with OK.
class EditorBlockFormatDialog : public QDialog {
  Q_OBJECT
 public:
  explicit EditorBlockFormatDialog(mapeditor::MapEditor& editor, QWidget* parent = nullptr);
  bool apply();
  QLineEdit* blockWidth() const { return width_; }
  QLineEdit* blockHeight() const { return height_; }
  int chosenWidth() const { return chosenWidth_; }
  int chosenHeight() const { return chosenHeight_; }

 private:
  mapeditor::MapEditor& editor_;
  QLineEdit* width_;
  QLineEdit* height_;
  int chosenWidth_ = 0;
  int chosenHeight_ = 0;
};

// "Liaisons".
class EditorLinksDialog : public QDialog {
  Q_OBJECT
 public:
  explicit EditorLinksDialog(mapeditor::MapEditor& editor, QWidget* parent = nullptr);
  bool apply();
  QLineEdit* numbers() const { return numbers_; }
  QComboBox* backgrounds() const { return backgrounds_; }

 private:
  mapeditor::MapEditor& editor_;
  QLineEdit* numbers_;
  QComboBox* backgrounds_;
};

// "Paramètres de l'objet": one row per field of the active list's model.
class EditorObjectDialog : public QDialog {
  Q_OBJECT
 public:
  EditorObjectDialog(mapeditor::MapEditor& editor, const std::vector<std::string>& values,
                     QWidget* parent = nullptr);
  bool apply();
  const std::vector<QLineEdit*>& fields() const { return fields_; }

 private:
  mapeditor::MapEditor& editor_;
  std::vector<QLineEdit*> fields_;
};

}  // namespace ui
