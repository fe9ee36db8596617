#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <memory>

#include "ui/map_editor_dialogs.h"
#include "ui/map_editor_keys.h"

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;
class QWidget;

namespace app {
struct Workshop;
}

namespace mapeditor {
class ElementStore;
class MapEditor;
struct MapEditorShared;
}  // namespace mapeditor

namespace ui {

// Opens the map editor window on a map or list element and returns when the
// user has closed it (the editor is modal).
void OpenMapEditor(QWidget* parent, app::Workshop& workshop, int elementIndex);

class MapEditorCanvas;
class MapEditorTilePanel;
class MapEditorSplitter;

// The map editor window ("Editeur de maps"): the canvas, the tile panel or
// the hex field, the buttons, the scroll bars, the keys and the "Menu". It
// turns input into calls on the document and shows what the document holds.
class MapEditorWindow : public QDialog {
  Q_OBJECT

 public:
  MapEditorWindow(QWidget* parent, app::Workshop& w, mapeditor::MapEditorShared& shared,
                  mapeditor::ElementStore& store, MapEditorDialogs dialogs = {});
  ~MapEditorWindow() override;

  // Opens the document on the element; false when the editor cannot open
  // (the reason has been reported).
  bool openElement(int elementIndex);

  mapeditor::MapEditor& editor() { return *editor_; }
  MapEditorCanvas* canvas() const { return canvas_; }
  MapEditorTilePanel* tilePanel() const { return tilePanel_; }
  QLineEdit* hexField() const { return hexField_; }
  QPushButton* undoButton() const { return undoButton_; }
  QPushButton* redoButton() const { return redoButton_; }
  QPushButton* menuButton() const { return menuButton_; }
  QPushButton* pasteButton() const { return pasteButton_; }
  QLabel* memoryLabel() const { return memoryLabel_; }
  QScrollBar* horizontalBar() const { return horizontalBar_; }
  QScrollBar* verticalBar() const { return verticalBar_; }
  QWidget* splitter() const;
  int timerInterval() const { return timer_.interval(); }

  // The "Menu", built afresh so that its checks and greyed entries are those
  // of the moment.
  std::unique_ptr<QMenu> buildMenu();
  // One tick of the editor timer (the timer calls it; tests may too).
  void tick();
  void runCommand(EditorKeyCommand command);
  // Splitter width in pixels, kept between 64 and the client width − 128.
  void setSplitterWidth(int width);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 public slots:
  // Closing asks about unsaved changes; a cancel keeps the window.
  void reject() override;

 private:
  void refresh();
  void layoutAreas();
  void updateScrollBars();
  void scrollBarAction(bool horizontal, int action);
  void followHexMode();
  void followTiming();
  void addBackground();
  void scriptPrompt();
  void showMenuAt(QPoint globalPos);
  void applyPlacement();
  void notePlacement();
  void runHook(const MapEditorDialogs::Action& hook);
  bool activeIsList() const;
  QPoint mouseMapPoint() const;

  app::Workshop& w_;
  mapeditor::MapEditorShared& shared_;
  std::unique_ptr<mapeditor::MapEditor> editor_;
  MapEditorDialogs dialogs_;
  MapEditorCanvas* canvas_ = nullptr;
  MapEditorTilePanel* tilePanel_ = nullptr;
  MapEditorSplitter* splitter_ = nullptr;
  QLineEdit* hexField_ = nullptr;
  QPushButton* undoButton_ = nullptr;
  QPushButton* redoButton_ = nullptr;
  QPushButton* menuButton_ = nullptr;
  QPushButton* pasteButton_ = nullptr;
  QLabel* memoryLabel_ = nullptr;
  QScrollBar* horizontalBar_ = nullptr;
  QScrollBar* verticalBar_ = nullptr;
  QTimer timer_;
  QElapsedTimer clock_;
  bool hexShown_ = false;
  bool placing_ = false;  // applying a placement: moves are not the user's
};

}  // namespace ui
