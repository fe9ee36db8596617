#pragma once

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace mapeditor {
class MapEditor;
}

namespace ui {

// The editor's "Options" sheet. "Fond actif" acts at once; the other pages
// take effect on OK. "Format des blocs" closes the sheet with
// kBlockFormatResult so that the caller runs the block format dialog.
class EditorOptionsDialog : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kBlockFormatResult = 2;

  explicit EditorOptionsDialog(mapeditor::MapEditor& editor, QWidget* parent = nullptr);
  bool apply();

  QTabWidget* tabs() const { return tabs_; }
  const std::vector<int>& specimenMaps() const { return specimen_; }

 signals:
  // The active background changed, or the property sheet was confirmed.
  void editorChanged();

 private:
  QWidget* shortcutsPage();
  QWidget* backgroundsPage();
  QWidget* displayPage();
  QWidget* specimenPage();
  void fillSpecimen();
  void chooseColour();
  void showColour();

  mapeditor::MapEditor& editor_;
  QTabWidget* tabs_ = nullptr;
  QComboBox* active_ = nullptr;
  QCheckBox* grid_ = nullptr;
  QPushButton* colour_ = nullptr;
  uint32_t gridColour_ = 0;
  QLineEdit* gridOpacity_ = nullptr;
  QLineEdit* foreground_ = nullptr;
  QLineEdit* background_ = nullptr;
  QLineEdit* hex_ = nullptr;
  QLineEdit* zoom_ = nullptr;
  QCheckBox* preciseZoom_ = nullptr;
  std::vector<int> specimen_;  // background slots, edited until OK
  QListWidget* used_ = nullptr;
  QComboBox* candidates_ = nullptr;
};

}  // namespace ui
