#pragma once

#include <QWidget>

#include <vector>

class QCheckBox;
class QVBoxLayout;

namespace mapeditor {
class MapEditor;
}

namespace ui {

// "Grille des bits": one box per active bit of the active background, from
// bit 31 down to bit 0, showing the bits of the current pattern. Opened and
// hidden by "Outils..." → "Grille des bits" (the editor window owns it and
// toggles it); closing it only hides it.
class EditorBitGrid : public QWidget {
  Q_OBJECT
 public:
  explicit EditorBitGrid(mapeditor::MapEditor& editor, QWidget* parent = nullptr);

  // The boxes again, for the active background's names and active bits: after
  // a change of active background, the property sheet, or a script run.
  void rebuild();
  // The boxes' states from the current pattern (after the pattern changed).
  void refresh();

  // The bit each box stands for, top to bottom.
  const std::vector<int>& bits() const { return bits_; }
  QCheckBox* box(int bit) const;

 signals:
  // A box changed the buffer or the pattern value: the editor redraws.
  void patternChanged();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  mapeditor::MapEditor& editor_;
  QVBoxLayout* layout_ = nullptr;
  std::vector<QCheckBox*> boxes_;
  std::vector<int> bits_;
};

}  // namespace ui
