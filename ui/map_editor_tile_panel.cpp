#include "ui/map_editor_tile_panel.h"

#include <QDateTime>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "mapeditor/cell_tile.h"
#include "mapeditor/map_editor.h"
#include "mapeditor/tile_drawing.h"
#include "app/workshop.h"

namespace ui {

namespace {

constexpr int kFadeStep = 5;      // opacity per 10 ms
constexpr int kRestOpacity = 75;  // an empty buffer: the pattern is the brush
constexpr int kDimOpacity = 25;   // a buffer is the brush

}  // namespace

MapEditorTilePanel::MapEditorTilePanel(app::Workshop& w, mapeditor::MapEditor& editor,
                                       QWidget* parent)
    : QWidget(parent), w_(w), editor_(editor) {
  setAccessibleName(QString::fromUtf8("Motifs"));
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

int MapEditorTilePanel::columns() const {
  if (editor_.count() == 0) return 1;
  return std::max(1, width() / std::max(1, editor_.activeBackground().cellWidth));
}

int MapEditorTilePanel::tileAt(QPoint p) const {
  if (editor_.count() == 0 || !rect().contains(p)) return -1;
  const mapeditor::Background& b = editor_.activeBackground();
  int col = p.x() / std::max(1, b.cellWidth);
  if (col >= columns()) return -1;
  int row = p.y() / std::max(1, b.cellHeight) + firstRow_;
  int tile = row * columns() + col;
  return tile + b.referenceTile < b.tileCount ? tile : -1;
}

void MapEditorTilePanel::advance(int elapsedMs) {
  fadeMs_ += elapsedMs;
  int steps = fadeMs_ / 10;
  fadeMs_ %= 10;
  int target = hovered_ || hasFocus() ? 255 : editor_.buffer().empty() ? kRestOpacity : kDimOpacity;
  for (int i = 0; i < steps && opacity_ != target; ++i)
    opacity_ += opacity_ < target ? std::min(kFadeStep, target - opacity_)
                                  : -std::min(kFadeStep, opacity_ - target);
  if (isVisible()) renderTiles();
  update();
}

void MapEditorTilePanel::renderTiles() {
  if (editor_.count() == 0) return;
  {
    const mapeditor::Background& b = editor_.activeBackground();
    Drawn now{b.tilePixels.data(), b.colours.data(), b.tileCount, b.referenceTile, b.cellWidth,
              b.cellHeight,        b.colourMode,     firstRow_,   width(),         height(),
              b.gbaEmulation};
    // The palette can change in place (a script, the options).
    if (now == drawn_ && surface_.bits && drawnColours_ == b.colours) return;
    drawn_ = now;
    drawnColours_ = b.colours;
  }
  if (surface_.visibleWidth != width() || surface_.visibleHeight != height() || !surface_.bits)
    convert::ResizeSurface(surface_, std::max(1, width()), std::max(1, height()), true, 0,
                           w_.services.dialogs);
  convert::SelectSurface(drawing_, surface_);
  if (!surface_.bits) return;
  std::fill(surface_.bits.get(),
            surface_.bits.get() + static_cast<size_t>(surface_.stride) * surface_.height,
            0xFF000000u);
  const mapeditor::Background& b = editor_.activeBackground();
  if (!b.isMap() && b.tileCount == 0) return;
  const convert::ColourMode& mode = editor_.colourModeOf(b);
  int cw = std::max(1, b.cellWidth), ch = std::max(1, b.cellHeight);
  // Tiles are drawn at their natural size; hex mode's larger cells only
  // leave room around them.
  int cols = columns();
  for (int row = 0; row * ch < height(); ++row) {
    for (int col = 0; col < cols; ++col) {
      int t = (row + firstRow_) * cols + col + b.referenceTile;
      if (t < 0 || t >= b.tileCount) return;
      mapeditor::CellTile tile;
      tile.tile = static_cast<uint32_t>(t);
      mapeditor::DrawBackgroundTile(drawing_, b, mode, b.colours.data(), col * cw, row * ch, tile,
                                    256, false);
    }
  }
}

void MapEditorTilePanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  if (editor_.count() == 0 || !surface_.bits) return;
  QImage image(reinterpret_cast<const uchar*>(surface_.bits.get()), surface_.stride,
               surface_.height, qsizetype(surface_.stride) * 4, QImage::Format_RGB32);
  painter.save();
  painter.setOpacity(opacity_ / 255.0);
  painter.translate(0, surface_.visibleHeight);
  painter.scale(1, -1);
  painter.drawImage(QRect(0, 0, surface_.visibleWidth, surface_.visibleHeight), image,
                    QRect(0, surface_.height - surface_.visibleHeight, surface_.visibleWidth,
                          surface_.visibleHeight));
  painter.restore();
  const mapeditor::Background& b = editor_.activeBackground();
  int cw = std::max(1, b.cellWidth), ch = std::max(1, b.cellHeight), cols = columns();
  auto cellRect = [&](int p) {
    int row = p / cols - firstRow_;
    return QRect((p % cols) * cw, row * ch, cw, ch);
  };
  // The pattern value's tile pulses once the panel is clearly shown.
  if (opacity_ > kRestOpacity && editor_.buffer().empty()) {
    double phase = (QDateTime::currentMSecsSinceEpoch() % 1000) / 1000.0;
    int pulse = static_cast<int>(127 + 127 * std::sin(phase * 6.2831853));
    QColor c(255, pulse, 0, (opacity_ - kRestOpacity) / 2);
    painter.fillRect(cellRect(static_cast<int>(editor_.patternValue())), c);
  }
  if (hasFocus()) {
    painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
    painter.drawRect(cellRect(focusTile_).adjusted(0, 0, -1, -1));
  }
}

void MapEditorTilePanel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  int p = tileAt(event->position().toPoint());
  if (p < 0) return;
  focusTile_ = p;
  editor_.pickPanelTile(static_cast<uint32_t>(p));
  emit tilePicked();
}

void MapEditorTilePanel::wheelEvent(QWheelEvent* event) {
  if (editor_.count() == 0) return;
  int rows = event->angleDelta().y() / 120;
  const mapeditor::Background& b = editor_.activeBackground();
  int totalRows = (b.tileCount - b.referenceTile + columns() - 1) / columns();
  firstRow_ = std::clamp(firstRow_ - rows, 0, std::max(0, totalRows - 1));
  renderTiles();
  update();
}

void MapEditorTilePanel::keyPressEvent(QKeyEvent* event) {
  if (editor_.count() == 0) return QWidget::keyPressEvent(event);
  const mapeditor::Background& b = editor_.activeBackground();
  int last = b.tileCount - b.referenceTile - 1;
  int cols = columns();
  switch (event->key()) {
    case Qt::Key_Left:
      focusTile_ = std::max(0, focusTile_ - 1);
      break;
    case Qt::Key_Right:
      focusTile_ = std::min(last, focusTile_ + 1);
      break;
    case Qt::Key_Up:
      focusTile_ = std::max(0, focusTile_ - cols);
      break;
    case Qt::Key_Down:
      focusTile_ = std::min(last, focusTile_ + cols);
      break;
    case Qt::Key_Space:
      if (focusTile_ >= 0 && focusTile_ <= last) {
        editor_.pickPanelTile(static_cast<uint32_t>(focusTile_));
        emit tilePicked();
      }
      break;
    default:
      return QWidget::keyPressEvent(event);
  }
  int row = focusTile_ / cols;
  int visibleRows = std::max(1, height() / std::max(1, b.cellHeight));
  if (row < firstRow_) firstRow_ = row;
  if (row >= firstRow_ + visibleRows) firstRow_ = row - visibleRows + 1;
  update();
}

void MapEditorTilePanel::enterEvent(QEnterEvent*) { hovered_ = true; }
void MapEditorTilePanel::leaveEvent(QEvent*) { hovered_ = false; }

}  // namespace ui
