#pragma once

#include <QDialog>

#include <vector>

#include "mapeditor/bit_names.h"
#include "mapeditor/value_range.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace mapeditor {
class MapEditor;
}

namespace ui {

// "Propriétés du fond %s": the five pages of one background. The value
// ranges and bit names are edited on copies that OK stores and "Annuler"
// drops.
class EditorBackgroundDialog : public QDialog {
  Q_OBJECT
 public:
  EditorBackgroundDialog(mapeditor::MapEditor& editor, int background, QWidget* parent = nullptr);

  // What OK does: false (a message was shown, or a question answered No)
  // keeps the sheet open.
  bool apply();

  QTabWidget* tabs() const { return tabs_; }
  const std::vector<mapeditor::ValueRange>& ranges() const { return ranges_; }

 private:
  QWidget* generalPage();
  QWidget* propertiesPage();
  QWidget* advancedPage();
  QWidget* conditionsPage();
  QWidget* bitsPage();
  void fillRanges();
  void rangeSelected(int row);
  void addRange();
  void modifyRange();
  void deleteRange();
  void fillBits();
  void bitSelected(int row);
  void updateBit();
  bool eventFilter(QObject* watched, QEvent* event) override;

  mapeditor::MapEditor& editor_;
  int index_;
  QTabWidget* tabs_ = nullptr;
  // Général
  QCheckBox* visible_ = nullptr;
  QCheckBox* notNextTime_ = nullptr;
  QLineEdit* speedX_ = nullptr;
  QLineEdit* speedY_ = nullptr;
  QLineEdit* snapX_ = nullptr;
  QLineEdit* snapY_ = nullptr;
  // Propriétés
  QLineEdit* width_ = nullptr;
  QLineEdit* height_ = nullptr;
  QLineEdit* reference_ = nullptr;
  QLineEdit* mask_ = nullptr;
  // Avancé
  QCheckBox* emulation_ = nullptr;
  // Conditions
  std::vector<mapeditor::ValueRange> ranges_;
  QListWidget* rangeList_ = nullptr;
  QLineEdit* lowest_ = nullptr;
  QLineEdit* highest_ = nullptr;
  QLineEdit* target_ = nullptr;
  QCheckBox* noIncrement_ = nullptr;
  QPushButton* modify_ = nullptr;
  QPushButton* remove_ = nullptr;
  // Bits
  mapeditor::BitNames bits_;
  QListWidget* bitList_ = nullptr;
  QLineEdit* bitName_ = nullptr;
  QCheckBox* bitActive_ = nullptr;
};

}  // namespace ui
