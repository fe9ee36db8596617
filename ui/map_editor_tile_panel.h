#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

#include "convert/drawing_state.h"
#include "convert/surface.h"

namespace app {
struct Workshop;
}

namespace mapeditor {
class MapEditor;
}

namespace ui {

// The tiles of the active background's tileset, from the reference tile on:
// it fades in while the mouse is over it, the pattern value's tile pulses,
// and releasing the left button over a tile makes it the brush.
class MapEditorTilePanel : public QWidget {
  Q_OBJECT

 public:
  MapEditorTilePanel(app::Workshop& w, mapeditor::MapEditor& editor, QWidget* parent);

  // One tick: the fade and the panel's picture.
  void advance(int elapsedMs);
  int opacity() const { return opacity_; }
  // The tile position (counted from the reference tile) under a point, or -1.
  int tileAt(QPoint p) const;

 signals:
  void tilePicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  int columns() const;
  void renderTiles();

  app::Workshop& w_;
  mapeditor::MapEditor& editor_;
  convert::Surface surface_;
  convert::DrawingState drawing_;
  int opacity_ = 75;
  int fadeMs_ = 0;
  int firstRow_ = 0;
  bool hovered_ = false;
  int focusTile_ = 0;  // the tile the keyboard picks
  // What the picture was drawn from: it is redrawn only when this changes.
  struct Drawn {
    const void* tiles = nullptr;
    const void* colours = nullptr;
    int tileCount = 0, referenceTile = 0, cellWidth = 0, cellHeight = 0, colourMode = 0;
    int firstRow = 0, width = 0, height = 0;
    bool gba = false;
    bool operator==(const Drawn&) const = default;
  };
  Drawn drawn_;
  std::array<uint32_t, 256> drawnColours_{};
};

}  // namespace ui
