#include "ui/map_editor_canvas.h"

#include <QDateTime>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "convert/drawing_state.h"
#include "convert/surface.h"
#include "formats/list_model.h"
#include "mapeditor/cell_tile.h"
#include "mapeditor/frame_renderer.h"
#include "mapeditor/map_editor.h"
#include "mapeditor/tile_drawing.h"
#include "app/workshop.h"

namespace ui {

namespace {

constexpr int kStatusLineHeight = 14;
const QColor kStatusBox(0x60, 0x30, 0x00, 128);
const QColor kStatusFrame(0x00, 0xC0, 0xFF, 192);
const QColor kCanvasFill(0xC0, 0xC0, 0xC0);
// The brush under the mouse, on the drawer's scale (256 is opaque).
constexpr int kPreviewOpacity = 192;
// Near an edge (canvas pixels) a drag scrolls the view.
constexpr int kAutoScrollMargin = 8;

int FloorTo(int v, int step) {
  if (step <= 0) return v;
  int q = v / step;
  if (v % step != 0 && v < 0) --q;
  return q * step;
}

QString Utf8(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

}  // namespace

MapEditorCanvas::MapEditorCanvas(app::Workshop& w, mapeditor::MapEditor& editor, QWidget* parent)
    : QWidget(parent), w_(w), editor_(editor) {
  setAccessibleName(QString::fromUtf8("Carte"));
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void MapEditorCanvas::composeFrame(int elapsedMs) {
  double z = editor_.zoom();
  int sw = std::max(1, static_cast<int>(width() / z));
  int sh = std::max(1, static_cast<int>(height() / z));
  convert::Surface& s = w_.editorSurface;
  if (s.visibleWidth != sw || s.visibleHeight != sh || !s.bits) {
    convert::ResizeSurface(s, sw, sh, true, 0, w_.services.dialogs);
  }
  convert::SelectSurface(w_.drawing, s);
  if (!s.bits) {
    frame_ = QImage();
    return;
  }
  mapeditor::FrameOptions options;
  options.tickMs = static_cast<uint32_t>(QDateTime::currentMSecsSinceEpoch());
  if (editor_.count() > 0) {
    mapeditor::ComposeFrame(editor_, w_.drawing, options);
  } else {
    std::fill(s.bits.get(), s.bits.get() + static_cast<size_t>(s.stride) * s.height,
              options.fillColour);
  }
  if (!drawing_ && !selecting_ && mouse_.x() >= 0 && editor_.count() > 0) drawBrushPreview();
  // The surface is stored bottom-up; the image wraps its bits as they are
  // and the paint flips it, so no frame is ever copied.
  uchar* bits = reinterpret_cast<uchar*>(s.bits.get());
  if (frame_.constBits() != bits || frame_.width() != s.stride || frame_.height() != s.height)
    frame_ = QImage(bits, s.stride, s.height, qsizetype(s.stride) * 4, QImage::Format_RGB32);

  // The information box waits for the mouse to stay on one cell; the count
  // keeps running while drawing or selecting.
  if (mouse_.x() >= 0 && editor_.count() > 0) {
    const mapeditor::Background& b = editor_.activeBackground();
    QPoint cell((mouse_.x() + editor_.scrollX()) / std::max(1, b.cellWidth),
                (mouse_.y() + editor_.scrollY()) / std::max(1, b.cellHeight));
    if (cell != hoverCell_ && !drawing_ && !selecting_) {
      hoverCell_ = cell;
      hoverMs_ = 0;
    } else {
      hoverMs_ += elapsedMs;
    }
  }
}

void MapEditorCanvas::drawBrushPreview() {
  const mapeditor::Background& b = editor_.activeBackground();
  // Hex mode previews the value as text over the frame (see the cursor box).
  if (!b.isMap() || editor_.hexMode()) return;
  const convert::MapFormat& format = editor_.mapFormatOf(b);
  const convert::ColourMode& mode = editor_.colourModeOf(b);
  int cw = std::max(1, b.cellWidth), ch = std::max(1, b.cellHeight);
  int left = FloorTo(mouse_.x(), cw), top = FloorTo(mouse_.y(), ch);
  const mapeditor::SelectionBuffer& buf = editor_.buffer();
  int plane = editor_.activePlane();
  bool fromBuffer =
      !buf.empty() && buf.allocated() && plane >= 0 && plane < mapeditor::kBufferPlanes;
  int w = fromBuffer ? buf.width : 1, h = fromBuffer ? buf.height : 1;
  const convert::Surface& s = w_.editorSurface;
  for (int y = 0; y < h && top + y * ch < s.visibleHeight; ++y) {
    for (int x = 0; x < w && left + x * cw < s.visibleWidth; ++x) {
      uint32_t value = fromBuffer ? buf.at(plane, x, y) : editor_.patternValue();
      mapeditor::CellTile tile;
      if (!mapeditor::TileForCell(b, format, value, tile)) continue;
      mapeditor::DrawBackgroundTile(w_.drawing, b, mode, b.colours.data(), left + x * cw,
                                    top + y * ch, tile, kPreviewOpacity, false);
    }
  }
}

QImage MapEditorCanvas::frameImage() const {
  const convert::Surface& s = w_.editorSurface;
  if (frame_.isNull() || !s.bits) return {};
  return frame_.copy(0, s.height - s.visibleHeight, s.visibleWidth, s.visibleHeight)
      .mirrored(false, true);
}

void MapEditorCanvas::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const convert::Surface& s = w_.editorSurface;
  double z = editor_.zoom();
  // The image borrows the surface's bits: it is only drawn while they are
  // still the ones it wraps.
  bool current = !frame_.isNull() && s.bits &&
                 frame_.constBits() == reinterpret_cast<const uchar*>(s.bits.get()) &&
                 frame_.width() == s.stride && frame_.height() == s.height;
  if (!current) {
    painter.fillRect(rect(), kCanvasFill);
  } else {
    double shownW = s.visibleWidth * z, shownH = s.visibleHeight * z;
    if (shownW < width())
      painter.fillRect(QRectF(shownW, 0, width() - shownW, height()), kCanvasFill);
    if (shownH < height())
      painter.fillRect(QRectF(0, shownH, width(), height() - shownH), kCanvasFill);
    if (z == 1.0) {
      // Unscaled, row by row: each row is a straight copy, where a flipping
      // transform would send every pixel through the scaling path.
      QRect dirty = event->rect() & QRect(0, 0, s.visibleWidth, s.visibleHeight);
      for (int y = dirty.top(); y <= dirty.bottom(); ++y)
        painter.drawImage(QPoint(dirty.left(), y), frame_,
                          QRect(dirty.left(), s.height - 1 - y, dirty.width(), 1));
    } else {
      painter.save();
      painter.setRenderHint(QPainter::SmoothPixmapTransform, w_.editor.preciseZoom != 0);
      painter.translate(0, shownH);
      painter.scale(z, -z);
      painter.drawImage(QRectF(0, 0, s.visibleWidth, s.visibleHeight), frame_,
                        QRectF(0, s.height - s.visibleHeight, s.visibleWidth, s.visibleHeight));
      painter.restore();
    }
  }
  if (editor_.count() > 0) {
    drawCursorBox(painter);
    drawInformationBox(painter);
  }
  drawStatusMessages(painter);
}

void MapEditorCanvas::drawCursorBox(QPainter& painter) const {
  if (mouse_.x() < 0) return;
  const mapeditor::Background& b = editor_.activeBackground();
  double z = editor_.zoom();
  int cw = std::max(1, b.cellWidth), ch = std::max(1, b.cellHeight);
  painter.setBrush(Qt::NoBrush);
  if (drawing_ || selecting_) {
    QPoint start(startMap_.x() - editor_.scrollX(), startMap_.y() - editor_.scrollY());
    int l = FloorTo(std::min(start.x(), mouse_.x()), cw);
    int t = FloorTo(std::min(start.y(), mouse_.y()), ch);
    int r = FloorTo(std::max(start.x(), mouse_.x()), cw) + cw;
    int btm = FloorTo(std::max(start.y(), mouse_.y()), ch) + ch;
    painter.setPen(QPen(selecting_ ? QColor(255, 255, 0) : QColor(255, 255, 255), 1));
    painter.drawRect(QRectF(l * z, t * z, (r - l) * z - 1, (btm - t) * z - 1));
    return;
  }
  if (!b.isMap()) return;
  int bw = editor_.buffer().empty() ? 1 : editor_.buffer().width;
  int bh = editor_.buffer().empty() ? 1 : editor_.buffer().height;
  QRectF box(FloorTo(mouse_.x(), cw) * z, FloorTo(mouse_.y(), ch) * z, bw * cw * z - 1,
             bh * ch * z - 1);
  // Hex mode draws on white: the box takes a colour that shows there.
  painter.setPen(QPen(editor_.hexMode() ? QColor(255, 0, 0) : QColor(255, 255, 255), 1));
  painter.drawRect(box);
  if (editor_.hexMode() && editor_.buffer().empty()) {
    painter.drawText(box, Qt::AlignCenter,
                     QString::asprintf("%x", static_cast<unsigned>(editor_.patternValue())));
  }
}

void MapEditorCanvas::drawInformationBox(QPainter& painter) const {
  if (mouse_.x() < 0 || !w_.editor.popupInfos) return;
  if (hoverMs_ < w_.editor.popupTime * 10) return;
  const mapeditor::Background& b = editor_.activeBackground();
  int cw = std::max(1, b.cellWidth), ch = std::max(1, b.cellHeight);
  QPoint cell = hoverCell_;
  char first[64], second[64];
  if (drawing_ || selecting_) {
    QPoint start(startMap_.x() / cw, startMap_.y() / ch);
    std::snprintf(first, sizeof first, "Départ: %i,%i", std::min(start.x(), cell.x()),
                  std::min(start.y(), cell.y()));
    if (drawing_ && !editor_.buffer().empty())
      std::snprintf(second, sizeof second, "Motif: %ix%i", editor_.buffer().width,
                    editor_.buffer().height);
    else
      std::snprintf(second, sizeof second, "Taille: %ix%i", std::abs(cell.x() - start.x()) + 1,
                    std::abs(cell.y() - start.y()) + 1);
  } else {
    std::snprintf(first, sizeof first, "Position: %i,%i", cell.x(), cell.y());
    uint32_t value = 0;
    if (b.isMap() && cell.x() >= 0 && cell.y() >= 0 && cell.x() < b.width && cell.y() < b.height)
      value = b.cell(cell.x(), cell.y());
    std::snprintf(second, sizeof second, "Valeur: %i (%x)", static_cast<int>(value), value);
  }
  QStringList lines{QString::fromUtf8(first), QString::fromUtf8(second)};
  QFontMetrics fm(painter.font());
  int w = std::max(fm.horizontalAdvance(lines[0]), fm.horizontalAdvance(lines[1])) + 8;
  int h = 2 * kStatusLineHeight + 6;
  double z = editor_.zoom();
  QRect box(static_cast<int>(mouse_.x() * z) + 16, static_cast<int>(mouse_.y() * z) + 16, w, h);
  if (box.right() >= width()) box.moveRight(static_cast<int>(mouse_.x() * z) - 8);
  if (box.bottom() >= height()) box.moveBottom(static_cast<int>(mouse_.y() * z) - 8);
  painter.setPen(QColor(0, 0, 0));
  painter.setBrush(QColor(255, 255, 225));
  painter.drawRect(box);
  for (int i = 0; i < 2; ++i)
    painter.drawText(box.left() + 4, box.top() + 3 + (i + 1) * kStatusLineHeight - 3, lines[i]);
}

void MapEditorCanvas::drawStatusMessages(QPainter& painter) const {
  const auto& messages = editor_.status().messages();
  if (messages.empty()) return;
  QFontMetrics fm(painter.font());
  int widest = 0;
  for (const auto& m : messages) widest = std::max(widest, fm.horizontalAdvance(Utf8(m.text)));
  int n = static_cast<int>(messages.size());
  QRect box(0, height() - n * kStatusLineHeight - 2, widest + 4, n * kStatusLineHeight + 2);
  painter.setPen(kStatusFrame);
  painter.setBrush(kStatusBox);
  painter.drawRect(box.adjusted(0, 0, -1, -1));
  painter.setPen(Qt::white);
  for (int i = 0; i < n; ++i) {
    int baseline = box.top() + (i + 1) * kStatusLineHeight - 2;
    painter.drawText(2, baseline, Utf8(messages[static_cast<size_t>(i)].text));
  }
}

QPoint MapEditorCanvas::surfacePoint(QPointF p) const {
  double z = editor_.zoom();
  return QPoint(static_cast<int>(std::floor(p.x() / z)), static_cast<int>(std::floor(p.y() / z)));
}

bool MapEditorCanvas::activeIsList() const {
  return editor_.count() > 0 && !editor_.activeBackground().isMap();
}

mapeditor::PixelRect MapEditorCanvas::dragRect(QPoint end) const {
  return {startMap_.x() - editor_.scrollX(), startMap_.y() - editor_.scrollY(), end.x(), end.y()};
}

void MapEditorCanvas::listPress(QMouseEvent* event, QPoint p) {
  int active = editor_.active();
  int32_t mx = p.x() + editor_.scrollX(), my = p.y() + editor_.scrollY();
  bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
  int element = editor_.listElementAt(active, mx, my);
  auto& selection = editor_.listSelection();
  if (element >= 0) {
    if (ctrl)
      editor_.toggleListSelection(element);
    else if (std::find(selection.begin(), selection.end(), element) == selection.end())
      selection = {element};
    std::span<const uint8_t> e = editor_.activeBackground().element(element);
    dragOffset_ = QPoint(formats::ReadObjectWord(e, formats::kObjectX) - mx,
                         formats::ReadObjectWord(e, formats::kObjectY) - my);
    draggedElement_ = element;
    dragMoved_ = false;
    return;
  }
  if (!ctrl) selection.clear();
  if (editor_.patternValue() != 0 && editor_.buffer().empty()) {
    if (snapping_) editor_.snapToListGrid(mx, my);
    if (editor_.addListElement(active, mx, my, static_cast<int32_t>(editor_.patternValue())))
      editor_.pushUndoGroup();
  }
  emit documentChanged();
}

void MapEditorCanvas::mousePressEvent(QMouseEvent* event) {
  QPoint p = surfacePoint(event->position());
  mouse_ = p;
  if (editor_.count() == 0 || drawing_ || selecting_ || panning_) return;
  startMap_ = QPoint(p.x() + editor_.scrollX(), p.y() + editor_.scrollY());
  switch (event->button()) {
    case Qt::LeftButton:
      if (activeIsList())
        listPress(event, p);
      else
        drawing_ = true;
      break;
    case Qt::RightButton:
      selecting_ = true;
      break;
    case Qt::MiddleButton:
      panning_ = true;
      panStart_ = event->position().toPoint();
      panScrollX_ = editor_.scrollX();
      panScrollY_ = editor_.scrollY();
      setCursor(Qt::SizeAllCursor);
      break;
    default:
      break;
  }
  update();
}

void MapEditorCanvas::mouseMoveEvent(QMouseEvent* event) {
  QPoint p = surfacePoint(event->position());
  mouse_ = p;
  if (editor_.count() == 0) return;
  if (panning_) {
    const mapeditor::Background& b = editor_.activeBackground();
    double z = editor_.zoom();
    QPoint moved = event->position().toPoint() - panStart_;
    double px = b.parallaxX > 0 ? b.parallaxX : 1.0, py = b.parallaxY > 0 ? b.parallaxY : 1.0;
    editor_.setScroll(panScrollX_ - static_cast<int>(moved.x() / z / px),
                      panScrollY_ - static_cast<int>(moved.y() / z / py));
    emit documentChanged();
  } else if (draggedElement_ >= 0 && activeIsList()) {
    int32_t x = p.x() + editor_.scrollX() + dragOffset_.x();
    int32_t y = p.y() + editor_.scrollY() + dragOffset_.y();
    if (snapping_) editor_.snapToListGrid(x, y);
    std::span<const uint8_t> e = editor_.activeBackground().element(draggedElement_);
    int32_t dx = x - formats::ReadObjectWord(e, formats::kObjectX);
    int32_t dy = y - formats::ReadObjectWord(e, formats::kObjectY);
    if (dx != 0 || dy != 0) {
      // The whole selection follows the element under the mouse.
      for (int k : editor_.listSelection()) {
        std::span<const uint8_t> o = editor_.activeBackground().element(k);
        editor_.moveListElement(k, formats::ReadObjectWord(o, formats::kObjectX) + dx,
                                formats::ReadObjectWord(o, formats::kObjectY) + dy);
      }
      dragMoved_ = true;
    }
  }
  update();
}

void MapEditorCanvas::mouseReleaseEvent(QMouseEvent* event) {
  QPoint p = surfacePoint(event->position());
  mouse_ = p;
  if (editor_.count() == 0) return;
  bool onlyActive = event->modifiers().testFlag(Qt::ControlModifier);
  if (event->button() == Qt::LeftButton && drawing_) {
    drawing_ = false;
    editor_.paint(dragRect(p), onlyActive);
    emit documentChanged();
  } else if (event->button() == Qt::LeftButton && draggedElement_ >= 0) {
    draggedElement_ = -1;
    if (dragMoved_) editor_.pushUndoGroup();
    emit documentChanged();
  } else if (event->button() == Qt::RightButton && selecting_) {
    selecting_ = false;
    if (activeIsList() && onlyActive)
      editor_.selectListElementsIn(dragRect(p), snapping_);
    else
      editor_.selectRectangleOrPickPattern(dragRect(p), onlyActive);
    emit documentChanged();
  } else if (event->button() == Qt::MiddleButton && panning_) {
    panning_ = false;
    unsetCursor();
  }
  update();
}

void MapEditorCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && activeIsList()) {
    QPoint p = surfacePoint(event->position());
    int element = editor_.listElementAt(editor_.active(), p.x() + editor_.scrollX(),
                                        p.y() + editor_.scrollY());
    const auto& selection = editor_.listSelection();
    if (element >= 0 && std::find(selection.begin(), selection.end(), element) != selection.end()) {
      emit objectParametersRequested();
      return;
    }
  }
  mousePressEvent(event);
}

void MapEditorCanvas::wheelEvent(QWheelEvent* event) {
  wheelRemainder_ += event->angleDelta().y();
  int notches = wheelRemainder_ / 120;
  if (notches == 0) return;
  wheelRemainder_ -= notches * 120;
  if (event->modifiers().testFlag(Qt::ControlModifier))
    editor_.stepZoom(notches);
  else if (editor_.count() > 0)
    editor_.stepPattern(notches);
  emit documentChanged();
  update();
}

void MapEditorCanvas::leaveEvent(QEvent*) {
  if (!drawing_ && !selecting_) mouse_ = QPoint(-1, -1);
  update();
}

void MapEditorCanvas::autoScroll() {
  if ((!drawing_ && !selecting_) || editor_.count() == 0) return;
  const mapeditor::Background& b = editor_.activeBackground();
  int stepX = std::max(b.scrollStepX, b.snapX), stepY = std::max(b.scrollStepY, b.snapY);
  double z = editor_.zoom();
  int w = static_cast<int>(width() / z), h = static_cast<int>(height() / z);
  int dx = mouse_.x() < kAutoScrollMargin ? -1 : mouse_.x() >= w - kAutoScrollMargin ? 1 : 0;
  int dy = mouse_.y() < kAutoScrollMargin ? -1 : mouse_.y() >= h - kAutoScrollMargin ? 1 : 0;
  if (dx == 0 && dy == 0) return;
  editor_.setScroll(editor_.scrollX() + dx * stepX, editor_.scrollY() + dy * stepY);
  emit documentChanged();
}

}  // namespace ui
