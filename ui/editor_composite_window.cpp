#include "ui/editor_composite_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

#include "convert/drawing_state.h"
#include "convert/surface.h"
#include "mapeditor/map_editor.h"
#include "mapeditor/composite_map.h"
#include "mapeditor/editor_host.h"
#include "ui/editor_widgets.h"

namespace ui {

namespace {

constexpr int kLineCells = 2;
constexpr int kPageCells = 16;
constexpr int kScrollMax = 32767;
constexpr int kTimerMs = 100;

}  // namespace

EditorSpecimenWindow::EditorSpecimenWindow(mapeditor::MapEditor& editor, QWidget* parent)
    : QWidget(parent, Qt::Tool), editor_(editor) {
  setWindowTitle(QStringLiteral("Map spécimen"));
  setAccessibleName(QStringLiteral("Map spécimen"));
  canvas_ = Named(new QWidget, QStringLiteral("Spécimen"));
  canvas_->setFocusPolicy(Qt::StrongFocus);
  canvas_->setMouseTracking(false);
  canvas_->installEventFilter(this);
  hBar_ = Named(new QScrollBar(Qt::Horizontal), QStringLiteral("Défilement horizontal"));
  vBar_ = Named(new QScrollBar(Qt::Vertical), QStringLiteral("Défilement vertical"));
  for (QScrollBar* bar : {hBar_, vBar_}) {
    bar->setRange(0, kScrollMax);
    bar->setSingleStep(kLineCells);
    bar->setPageStep(kPageCells);
    bar->setFocusPolicy(Qt::StrongFocus);
    connect(bar, &QScrollBar::valueChanged, this, &EditorSpecimenWindow::scrolled);
  }
  hBar_->setValue(editor_.specimen().scrollX);
  vBar_->setValue(editor_.specimen().scrollY);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(0);
  grid->addWidget(canvas_, 0, 0);
  grid->addWidget(vBar_, 0, 1);
  grid->addWidget(hBar_, 1, 0);
  const mapeditor::WindowPlacement& p = editor_.specimen().placement;
  resize(std::max(p.width, 64), std::max(p.height, 64));
  timer_.setInterval(kTimerMs);
  connect(&timer_, &QTimer::timeout, this,
          [this] { autoScroll(QApplication::keyboardModifiers() & Qt::ShiftModifier); });
  editor_.specimen().exists = true;
}

void EditorSpecimenWindow::scrolled() {
  editor_.specimen().scrollX = hBar_->value();
  editor_.specimen().scrollY = vBar_->value();
  canvas_->update();
}

QImage EditorSpecimenWindow::render() const {
  const int w = std::max(canvas_->width(), 1), h = std::max(canvas_->height(), 1);
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(palette().color(QPalette::Window));
  convert::Surface surface;
  if (!convert::ResizeSurface(surface, w, h, true, 0, editor_.host().services().dialogs))
    return image;
  for (int y = 0; y < h; ++y) std::fill_n(surface.row(y), w, image.pixel(0, 0) & 0xFFFFFFu);
  convert::DrawingState state;
  convert::SelectSurface(state, surface);
  mapeditor::RenderSpecimen(state, editor_.specimen(), editor_);
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    const uint32_t* row = surface.row(y);
    for (int x = 0; x < w; ++x) line[x] = 0xFF000000u | row[x];
  }
  return image;
}

QPoint EditorSpecimenWindow::cellAt(QPoint pixel, bool clamp) const {
  mapeditor::SpecimenGrid g = mapeditor::SpecimenGridOf(editor_.specimen(), editor_);
  int cw = std::max(g.cellWidth, 1), ch = std::max(g.cellHeight, 1);
  if (clamp) {
    pixel.setX(std::clamp(pixel.x(), 0, std::max(canvas_->width() - 1, 0)));
    pixel.setY(std::clamp(pixel.y(), 0, std::max(canvas_->height() - 1, 0)));
  }
  return {pixel.x() / cw, pixel.y() / ch};
}

void EditorSpecimenWindow::autoScroll(bool shift) {
  if (!dragging_) return;
  qint64 now = QDateTime::currentMSecsSinceEpoch();
  // The step follows the time elapsed, so that a late tick scrolls as far.
  int ticks =
      lastTick_ == 0 ? 1 : static_cast<int>(std::max<qint64>((now - lastTick_) / kTimerMs, 1));
  lastTick_ = now;
  int step = (shift ? 8 : 2) * ticks;
  int dx = mouse_.x() < 0 ? -step : (mouse_.x() >= canvas_->width() ? step : 0);
  int dy = mouse_.y() < 0 ? -step : (mouse_.y() >= canvas_->height() ? step : 0);
  if (dx) hBar_->setValue(hBar_->value() + dx);
  if (dy) vBar_->setValue(vBar_->value() + dy);
}

bool EditorSpecimenWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != canvas_) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::Paint: {
      QPainter painter(canvas_);
      painter.drawImage(0, 0, render());
      if (dragging_) {
        mapeditor::SpecimenGrid g = mapeditor::SpecimenGridOf(editor_.specimen(), editor_);
        QRect cells = QRect(start_, end_).normalized();
        painter.setPen(Qt::red);
        painter.drawRect(cells.left() * g.cellWidth, cells.top() * g.cellHeight,
                         cells.width() * g.cellWidth - 1, cells.height() * g.cellHeight - 1);
      }
      return true;
    }
    case QEvent::MouseButtonPress: {
      auto* m = static_cast<QMouseEvent*>(event);
      dragging_ = true;
      mouse_ = m->position().toPoint();
      start_ = end_ = cellAt(mouse_, true);
      lastTick_ = 0;
      timer_.start();
      canvas_->update();
      return true;
    }
    case QEvent::MouseMove: {
      if (!dragging_) return false;
      mouse_ = static_cast<QMouseEvent*>(event)->position().toPoint();
      end_ = cellAt(mouse_, true);
      canvas_->update();
      return true;
    }
    case QEvent::MouseButtonRelease: {
      if (!dragging_) return false;
      mouse_ = static_cast<QMouseEvent*>(event)->position().toPoint();
      end_ = cellAt(mouse_, true);
      dragging_ = false;
      timer_.stop();
      if (mapeditor::CopySpecimenSelection(editor_.specimen(), editor_, start_.x(), start_.y(),
                                           end_.x(), end_.y()))
        emit selectionCopied();
      canvas_->update();
      return true;
    }
    case QEvent::KeyPress: {
      // The keyboard scrolls as the bars do: arrows by a line, page keys by a page.
      auto* k = static_cast<QKeyEvent*>(event);
      switch (k->key()) {
        case Qt::Key_Left:
          hBar_->triggerAction(QAbstractSlider::SliderSingleStepSub);
          break;
        case Qt::Key_Right:
          hBar_->triggerAction(QAbstractSlider::SliderSingleStepAdd);
          break;
        case Qt::Key_Up:
          vBar_->triggerAction(QAbstractSlider::SliderSingleStepSub);
          break;
        case Qt::Key_Down:
          vBar_->triggerAction(QAbstractSlider::SliderSingleStepAdd);
          break;
        case Qt::Key_PageUp:
          vBar_->triggerAction(QAbstractSlider::SliderPageStepSub);
          break;
        case Qt::Key_PageDown:
          vBar_->triggerAction(QAbstractSlider::SliderPageStepAdd);
          break;
        default:
          return false;
      }
      return true;
    }
    case QEvent::Resize:
      editor_.specimen().placement.width = width();
      editor_.specimen().placement.height = height();
      return false;
    default:
      return false;
  }
}

void EditorSpecimenWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  hide();
  editor_.showSpecimen(false);
}

}  // namespace ui
