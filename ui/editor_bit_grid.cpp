#include "ui/editor_bit_grid.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QVBoxLayout>

#include "mapeditor/map_editor.h"
#include "ui/editor_widgets.h"

namespace ui {

EditorBitGrid::EditorBitGrid(mapeditor::MapEditor& editor, QWidget* parent)
    : QWidget(parent, Qt::Tool), editor_(editor) {
  setWindowTitle(QStringLiteral("Grille des bits"));
  setAccessibleName(QStringLiteral("Grille des bits"));
  layout_ = new QVBoxLayout(this);
  layout_->setSpacing(0);
  layout_->setContentsMargins(5, 5, 5, 5);
  rebuild();
}

void EditorBitGrid::rebuild() {
  for (QCheckBox* b : boxes_) delete b;
  boxes_.clear();
  bits_.clear();
  if (editor_.count() > 0) {
    const mapeditor::BitNames& names = editor_.slot(editor_.active()).bits;
    for (int bit = mapeditor::kCellBits - 1; bit >= 0; --bit) {
      if (!names.active[static_cast<size_t>(bit)]) continue;
      QString text = Q(names.names[static_cast<size_t>(bit)]);
      auto* box = new QCheckBox(text);
      box->setAccessibleName(text.isEmpty() ? QStringLiteral("Bit %1").arg(bit) : text);
      box->setObjectName(QStringLiteral("bit%1").arg(bit));
      box->setMinimumWidth(120);
      box->setFixedHeight(16);
      connect(box, &QCheckBox::clicked, this, [this, bit](bool checked) {
        editor_.toggleBit(bit, checked);
        refresh();
        emit patternChanged();
      });
      layout_->addWidget(box);
      boxes_.push_back(box);
      bits_.push_back(bit);
    }
  }
  refresh();
  adjustSize();
}

void EditorBitGrid::refresh() {
  uint32_t v = editor_.count() > 0 ? editor_.currentPattern() : 0;
  for (size_t k = 0; k < boxes_.size(); ++k) {
    QSignalBlocker quiet(boxes_[k]);
    boxes_[k]->setChecked((v >> bits_[k]) & 1u);
  }
}

QCheckBox* EditorBitGrid::box(int bit) const {
  for (size_t k = 0; k < bits_.size(); ++k)
    if (bits_[k] == bit) return boxes_[k];
  return nullptr;
}

void EditorBitGrid::closeEvent(QCloseEvent* event) {
  // The window lives as long as the editor; closing it only hides it.
  event->ignore();
  hide();
  editor_.bitGrid().visible = false;
}

void EditorBitGrid::showEvent(QShowEvent* event) {
  editor_.bitGrid().exists = true;
  editor_.bitGrid().visible = true;
  QWidget::showEvent(event);
}

}  // namespace ui
