#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

class QScrollBar;

namespace mapeditor {
class MapEditor;
}

namespace ui {

// "Map spécimen": the composition of the specimen's backgrounds, with its own
// scroll bars; a drag (either button) copies the marked cells of every listed
// background into the selection buffer, a brush of several layers. Shown and
// hidden by Ctrl+P and "Outils..." → "Map spécimen" (the editor window owns
// it); closing it only hides it.
class EditorSpecimenWindow : public QWidget {
  Q_OBJECT
 public:
  explicit EditorSpecimenWindow(mapeditor::MapEditor& editor, QWidget* parent = nullptr);

  // The cells of the specimen as the window shows them (its visible size).
  QImage render() const;
  QWidget* canvas() const { return canvas_; }
  QScrollBar* horizontalBar() const { return hBar_; }
  QScrollBar* verticalBar() const { return vBar_; }
  // One tick of the 100 ms drag timer (public for tests: the timer calls it).
  void autoScroll(bool shift);
  // The selection being dragged, in window cells (valid while dragging).
  bool dragging() const { return dragging_; }

 signals:
  // A drag filled the selection buffer.
  void selectionCopied();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void scrolled();
  QPoint cellAt(QPoint pixel, bool clamp) const;

  mapeditor::MapEditor& editor_;
  QWidget* canvas_ = nullptr;
  QScrollBar* hBar_ = nullptr;
  QScrollBar* vBar_ = nullptr;
  QTimer timer_;
  bool dragging_ = false;
  QPoint start_, end_;  // cells in the window
  QPoint mouse_;        // last mouse position on the canvas
  qint64 lastTick_ = 0;
};

}  // namespace ui
