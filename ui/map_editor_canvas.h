#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include "mapeditor/selection_buffer.h"

namespace app {
struct Workshop;
}

namespace mapeditor {
class MapEditor;
}

namespace ui {

// The editor's canvas: shows the frame the core composed (stretched by the
// zoom) with the cursor box, the information box and the status messages
// over it, and turns the mouse into calls on the document.
class MapEditorCanvas : public QWidget {
  Q_OBJECT

 public:
  MapEditorCanvas(app::Workshop& w, mapeditor::MapEditor& editor, QWidget* parent);

  // Composes a frame into the editor surface, sized to the canvas over the
  // zoom. `elapsedMs` runs the information box's delay.
  void composeFrame(int elapsedMs);
  // The composed frame as the window shows it at zoom 1 (shares the bits).
  QImage frameImage() const;

  // The mouse in canvas pixels (the surface's), or (-1, -1) when it is away.
  QPoint mousePoint() const { return mouse_; }
  bool drawing() const { return drawing_; }
  bool selecting() const { return selecting_; }
  bool panning() const { return panning_; }
  // While drawing or selecting near an edge, one scroll step towards the
  // mouse.
  void autoScroll();
  // Shift is read on every tick: it turns snapping off while held.
  void setSnapping(bool on) { snapping_ = on; }

 signals:
  // The document changed in a way the window shows (title, buttons, scroll
  // bars, the hex field).
  void documentChanged();
  // A double click on a selected element of a list.
  void objectParametersRequested();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  // Canvas pixels (the surface's, before the zoom) under a widget point.
  QPoint surfacePoint(QPointF widgetPoint) const;
  bool activeIsList() const;
  mapeditor::PixelRect dragRect(QPoint end) const;
  void listPress(QMouseEvent* event, QPoint p);
  // The brush drawn into the frame at the cell under the mouse.
  void drawBrushPreview();
  void drawCursorBox(class QPainter& painter) const;
  void drawInformationBox(class QPainter& painter) const;
  void drawStatusMessages(class QPainter& painter) const;

  app::Workshop& w_;
  mapeditor::MapEditor& editor_;
  QImage frame_;          // wraps the editor surface without copying
  QPoint mouse_{-1, -1};  // surface pixels; (-1, -1) outside
  QPoint startMap_;       // the press point in map pixels (scroll added)
  bool drawing_ = false;
  bool selecting_ = false;
  bool panning_ = false;
  bool snapping_ = true;
  QPoint panStart_;
  int panScrollX_ = 0, panScrollY_ = 0;
  int draggedElement_ = -1;
  QPoint dragOffset_;
  bool dragMoved_ = false;
  QPoint hoverCell_{-1, -1};
  int hoverMs_ = 0;
  int wheelRemainder_ = 0;
};

}  // namespace ui
