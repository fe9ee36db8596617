#include "ui/map_editor_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <cstdio>

#include "mapeditor/map_editor.h"
#include "app/platform_element_store.h"
#include "platform/value_syntax.h"
#include "script/script_prompt.h"
#include "app/workshop.h"
#include "ui/map_editor_canvas.h"
#include "ui/map_editor_choosers.h"
#include "ui/map_editor_tile_panel.h"

namespace ui {

namespace {

// The client area the window starts with; the canvas grows and shrinks with
// the difference.
constexpr int kInitialClientWidth = 458;
constexpr int kInitialClientHeight = 316;
constexpr int kMargin = 10;
constexpr int kPanelGap = 54;  // from the canvas's right edge to the tile panel
constexpr int kBarSide = 16;
constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 20;
constexpr int kMinSplitter = 64;
constexpr int kSplitterMargin = 128;  // the splitter stays this far from the right edge
constexpr int kDefaultTiming = 10;

QString Utf8(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

}  // namespace

// The thin bar between canvas and tile panel; dragging it (or its arrow keys)
// changes the splitter width.
class MapEditorSplitter : public QWidget {
 public:
  explicit MapEditorSplitter(MapEditorWindow* window) : QWidget(window), window_(window) {
    setAccessibleName(QString::fromUtf8("Séparateur"));
    setCursor(Qt::SplitHCursor);
    setFocusPolicy(Qt::TabFocus);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), hasFocus() ? palette().highlight() : palette().mid());
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) {
      dragging_ = true;
      startX_ = e->globalPosition().toPoint().x();
      startWidth_ = window_->editor().splitterWidth();
    }
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    // Moving the bar left widens the tile panel.
    if (dragging_)
      window_->setSplitterWidth(startWidth_ - (e->globalPosition().toPoint().x() - startX_));
  }
  void mouseReleaseEvent(QMouseEvent*) override { dragging_ = false; }
  void keyPressEvent(QKeyEvent* e) override {
    int w = window_->editor().splitterWidth();
    if (e->key() == Qt::Key_Left)
      window_->setSplitterWidth(w + 8);
    else if (e->key() == Qt::Key_Right)
      window_->setSplitterWidth(w - 8);
    else
      QWidget::keyPressEvent(e);
  }

 private:
  MapEditorWindow* window_;
  bool dragging_ = false;
  int startX_ = 0;
  int startWidth_ = 0;
};

MapEditorWindow::MapEditorWindow(QWidget* parent, app::Workshop& w,
                                 mapeditor::MapEditorShared& shared, mapeditor::ElementStore& store,
                                 MapEditorDialogs dialogs)
    : QDialog(parent),
      w_(w),
      shared_(shared),
      editor_(std::make_unique<mapeditor::MapEditor>(w.editorHost, shared, store)),
      dialogs_(std::move(dialogs)) {
  setWindowTitle(QString::fromUtf8("Editeur de maps"));
  setAccessibleName(QString::fromUtf8("Editeur de maps"));

  canvas_ = new MapEditorCanvas(w_, *editor_, this);
  tilePanel_ = new MapEditorTilePanel(w_, *editor_, this);
  splitter_ = new MapEditorSplitter(this);
  hexField_ = new QLineEdit(this);
  hexField_->setAccessibleName(QString::fromUtf8("Motif (hexadécimal)"));
  hexField_->hide();
  horizontalBar_ = new QScrollBar(Qt::Horizontal, this);
  horizontalBar_->setAccessibleName(QString::fromUtf8("Défilement horizontal"));
  verticalBar_ = new QScrollBar(Qt::Vertical, this);
  verticalBar_->setAccessibleName(QString::fromUtf8("Défilement vertical"));
  auto button = [this](const char* text) {
    auto* b = new QPushButton(QString::fromUtf8(text), this);
    b->setAccessibleName(QString::fromUtf8(text));
    // Enter belongs to the editor's keys, not to a default button.
    b->setAutoDefault(false);
    b->setDefault(false);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
  };
  undoButton_ = button("Annuler");
  redoButton_ = button("Refaire");
  menuButton_ = button("Menu");
  pasteButton_ = button("Coller");
  memoryLabel_ = new QLabel(this);
  memoryLabel_->setAccessibleName(QString::fromUtf8("Mémoire"));
  setTabOrder(canvas_, tilePanel_);
  setTabOrder(tilePanel_, hexField_);
  setTabOrder(hexField_, undoButton_);
  setTabOrder(undoButton_, redoButton_);
  setTabOrder(redoButton_, menuButton_);
  setTabOrder(menuButton_, pasteButton_);
  setTabOrder(pasteButton_, horizontalBar_);
  setTabOrder(horizontalBar_, verticalBar_);
  setTabOrder(verticalBar_, splitter_);
  horizontalBar_->setFocusPolicy(Qt::StrongFocus);
  verticalBar_->setFocusPolicy(Qt::StrongFocus);

  connect(undoButton_, &QPushButton::clicked, this, [this] { runCommand({EditorCommand::Undo}); });
  connect(redoButton_, &QPushButton::clicked, this, [this] { runCommand({EditorCommand::Redo}); });
  connect(pasteButton_, &QPushButton::clicked, this,
          [this] { runCommand({EditorCommand::Paste}); });
  connect(menuButton_, &QPushButton::clicked, this,
          [this] { showMenuAt(menuButton_->mapToGlobal(QPoint(0, menuButton_->height()))); });
  connect(horizontalBar_, &QScrollBar::actionTriggered, this,
          [this](int action) { scrollBarAction(true, action); });
  connect(verticalBar_, &QScrollBar::actionTriggered, this,
          [this](int action) { scrollBarAction(false, action); });
  connect(hexField_, &QLineEdit::textEdited, this, [this](const QString& text) {
    editor_->setPatternFromHex(text.toStdString());
    refresh();
  });
  connect(canvas_, &MapEditorCanvas::documentChanged, this, &MapEditorWindow::refresh);
  connect(canvas_, &MapEditorCanvas::objectParametersRequested, this,
          [this] { runCommand({EditorCommand::ObjectParameters}); });
  connect(tilePanel_, &MapEditorTilePanel::tilePicked, this, &MapEditorWindow::refresh);
  // Keys typed on the buttons, bars or panel still reach the editor's table.
  for (QWidget* child : {static_cast<QWidget*>(tilePanel_), static_cast<QWidget*>(undoButton_),
                         static_cast<QWidget*>(redoButton_), static_cast<QWidget*>(menuButton_),
                         static_cast<QWidget*>(pasteButton_), static_cast<QWidget*>(canvas_)})
    child->installEventFilter(this);

  resize(kInitialClientWidth, kInitialClientHeight);
  // Frames are only composed while the program has the focus: an editor
  // left open behind another program costs nothing.
  connect(&timer_, &QTimer::timeout, this, [this] {
    if (QGuiApplication::applicationState() == Qt::ApplicationActive) tick();
  });
}

MapEditorWindow::~MapEditorWindow() {
  timer_.stop();
  // A window destroyed without the close command (a test, the program
  // quitting) still leaves the context without a dangling editor.
  if (w_.openEditor == editor_.get()) w_.openEditor = nullptr;
}

QWidget* MapEditorWindow::splitter() const { return splitter_; }

bool MapEditorWindow::openElement(int elementIndex) {
  if (!editor_->open(elementIndex)) return false;
  applyPlacement();
  followHexMode();
  followTiming();
  clock_.start();
  timer_.start();
  layoutAreas();
  refresh();
  return true;
}

// --- Layout -------------------------------------------------------------------------

void MapEditorWindow::setSplitterWidth(int width) {
  int most = std::max(kMinSplitter, this->width() - kSplitterMargin);
  width = std::clamp(width, kMinSplitter, most);
  if (width == editor_->splitterWidth()) return;
  editor_->setSplitterWidth(width);
  layoutAreas();
}

void MapEditorWindow::layoutAreas() {
  int clientW = width(), clientH = height();
  int split = std::clamp(editor_->splitterWidth(), kMinSplitter,
                         std::max(kMinSplitter, clientW - kSplitterMargin));
  editor_->setSplitterWidth(split);
  int canvasW = std::max(kBarSide, clientW - kInitialClientWidth - split + 384);
  int canvasH = std::max(kBarSide, clientH - kInitialClientHeight + 256);
  canvas_->setGeometry(kMargin, kMargin, canvasW, canvasH);
  verticalBar_->setGeometry(kMargin + canvasW, kMargin, kBarSide, canvasH);
  horizontalBar_->setGeometry(kMargin, kMargin + canvasH, canvasW, kBarSide);
  int panelX = kMargin + canvasW + kPanelGap;
  int cell = 8;
  if (editor_->count() > 0) cell = std::max(1, editor_->activeBackground().cellWidth);
  int panelW = std::max(cell, split / cell * cell);
  splitter_->setGeometry(kMargin + canvasW + kBarSide + (kPanelGap - kBarSide) / 2 - 3, kMargin, 6,
                         canvasH);
  tilePanel_->setGeometry(panelX, kMargin, panelW, canvasH);
  hexField_->setGeometry(panelX, kMargin, std::max(panelW, 64), 24);
  int buttonsY = kMargin + canvasH + kBarSide + 6;
  int x = kMargin;
  for (QPushButton* b : {undoButton_, redoButton_, menuButton_, pasteButton_}) {
    b->setGeometry(x, buttonsY, kButtonWidth, kButtonHeight);
    x += kButtonWidth + 4;
  }
  memoryLabel_->setGeometry(x + 6, buttonsY, std::max(60, clientW - x - 16), kButtonHeight);
  updateScrollBars();
}

void MapEditorWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  layoutAreas();
  notePlacement();
}

void MapEditorWindow::moveEvent(QMoveEvent* event) {
  QDialog::moveEvent(event);
  notePlacement();
}

void MapEditorWindow::notePlacement() {
  if (placing_ || !editor_->isOpen()) return;
  mapeditor::WindowPlacement& p = editor_->editorPlacement();
  QRect g = isMaximized() ? normalGeometry() : geometry();
  p.width = g.width();
  p.height = g.height();
  p.left = g.x();
  p.top = g.y();
  p.maximised = isMaximized();
}

void MapEditorWindow::applyPlacement() {
  const mapeditor::WindowPlacement& p = editor_->editorPlacement();
  placing_ = true;
  if (p.width > 0 && p.height > 0) resize(p.width, p.height);
  // A position is only taken back when it is still on a screen (a monitor may
  // have gone since it was written).
  QRect wanted(p.left, p.top, std::max(1, p.width), std::max(1, p.height));
  for (QScreen* screen : QGuiApplication::screens()) {
    if (screen->availableGeometry().intersects(wanted)) {
      move(p.left, p.top);
      break;
    }
  }
  if (p.maximised) setWindowState(windowState() | Qt::WindowMaximized);
  placing_ = false;
}

void MapEditorWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  canvas_->setFocus();
  tick();
}

// --- Showing the document -----------------------------------------------------------

void MapEditorWindow::refresh() {
  std::string title = editor_->title();
  setWindowTitle(title.empty() ? QString::fromUtf8("Editeur de maps") : Utf8(title));
  undoButton_->setEnabled(editor_->canUndo());
  redoButton_->setEnabled(editor_->canRedo());
  bool paste = activeIsList() ? shared_.objects.count > 0 : editor_->pasteEnabled();
  pasteButton_->setEnabled(editor_->count() > 0 && paste);
  memoryLabel_->setText(Utf8(editor_->memoryText()));
  if (hexShown_ && !hexField_->hasFocus())
    hexField_->setText(QString::asprintf("%x", static_cast<unsigned>(editor_->currentPattern())));
  updateScrollBars();
  canvas_->update();
}

void MapEditorWindow::updateScrollBars() {
  if (editor_->count() == 0) {
    horizontalBar_->setRange(0, 0);
    verticalBar_->setRange(0, 0);
    return;
  }
  const mapeditor::Background& b = editor_->activeBackground();
  double z = editor_->zoom();
  int shownW = static_cast<int>(canvas_->width() / z);
  int shownH = static_cast<int>(canvas_->height() / z);
  int extentW = b.isMap() ? b.width * b.cellWidth : 32767;
  int extentH = b.isMap() ? b.height * b.cellHeight : 32767;
  QSignalBlocker blockH(horizontalBar_), blockV(verticalBar_);
  horizontalBar_->setRange(0, std::max(0, extentW - shownW));
  horizontalBar_->setPageStep(std::max(1, shownW));
  horizontalBar_->setValue(editor_->scrollX());
  verticalBar_->setRange(0, std::max(0, extentH - shownH));
  verticalBar_->setPageStep(std::max(1, shownH));
  verticalBar_->setValue(editor_->scrollY());
}

void MapEditorWindow::scrollBarAction(bool horizontal, int action) {
  QScrollBar* bar = horizontal ? horizontalBar_ : verticalBar_;
  if (editor_->count() == 0 || canvas_->drawing() || canvas_->selecting()) {
    bar->setSliderPosition(horizontal ? editor_->scrollX() : editor_->scrollY());
    return;
  }
  int dx = horizontal ? 1 : 0, dy = horizontal ? 0 : 1;
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
      editor_->scrollLines(dx, dy);
      break;
    case QAbstractSlider::SliderSingleStepSub:
      editor_->scrollLines(-dx, -dy);
      break;
    case QAbstractSlider::SliderPageStepAdd:
      editor_->scrollPages(dx, dy);
      break;
    case QAbstractSlider::SliderPageStepSub:
      editor_->scrollPages(-dx, -dy);
      break;
    case QAbstractSlider::SliderToMinimum:
      editor_->setScroll(horizontal ? 0 : editor_->scrollX(), horizontal ? editor_->scrollY() : 0);
      break;
    case QAbstractSlider::SliderToMaximum:
      editor_->setScroll(horizontal ? 32767 : editor_->scrollX(),
                         horizontal ? editor_->scrollY() : 32767);
      break;
    case QAbstractSlider::SliderMove: {
      int v = bar->sliderPosition();
      editor_->setScroll(horizontal ? v : editor_->scrollX(), horizontal ? editor_->scrollY() : v);
      break;
    }
    default:
      break;
  }
  bar->setSliderPosition(horizontal ? editor_->scrollX() : editor_->scrollY());
}

// --- The timer ----------------------------------------------------------------------

void MapEditorWindow::followTiming() {
  // "Timer éditeur" 0 would spin a zero-length timer: a frame per
  // millisecond is already more than any screen shows.
  int timing = std::clamp(w_.editor.timing, 1, 1000);
  if (timer_.interval() != timing) timer_.setInterval(timing);
}

void MapEditorWindow::tick() {
  if (!editor_->isOpen()) return;
  int elapsed = clock_.isValid() ? static_cast<int>(clock_.restart()) : 0;
  if (!clock_.isValid()) clock_.start();
  followTiming();
  editor_->tick(elapsed);
  canvas_->setSnapping(!QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier));
  canvas_->autoScroll();
  if (hexShown_ != editor_->hexMode()) followHexMode();
  canvas_->composeFrame(elapsed);
  if (!hexShown_) tilePanel_->advance(elapsed);
  canvas_->update();
}

// --- Hex mode -----------------------------------------------------------------------

void MapEditorWindow::followHexMode() {
  bool on = editor_->hexMode();
  if (on == hexShown_) return;
  hexShown_ = on;
  tilePanel_->setVisible(!on);
  hexField_->setVisible(on);
  if (on) {
    hexField_->setText(QString::asprintf("%x", static_cast<unsigned>(editor_->currentPattern())));
    hexField_->setFocus();
    hexField_->selectAll();
  } else {
    canvas_->setFocus();
  }
  layoutAreas();
}

// --- Commands -----------------------------------------------------------------------

bool MapEditorWindow::activeIsList() const {
  return editor_->count() > 0 && !editor_->activeBackground().isMap();
}

QPoint MapEditorWindow::mouseMapPoint() const {
  QPoint p = canvas_->mousePoint();
  if (p.x() < 0) p = QPoint(0, 0);  // the key was typed with the mouse elsewhere
  return QPoint(p.x() + editor_->scrollX(), p.y() + editor_->scrollY());
}

void MapEditorWindow::runHook(const MapEditorDialogs::Action& hook) {
  if (!hook) return;
  hook(this, *editor_);
  refresh();
}

void MapEditorWindow::runCommand(EditorKeyCommand c) {
  bool open = editor_->count() > 0;
  bool list = activeIsList();
  switch (c.command) {
    case EditorCommand::ActivateBackground:
      if (c.background < editor_->count()) {
        editor_->setActive(c.background);
        layoutAreas();
      }
      break;
    case EditorCommand::Undo:
      editor_->undoGroup();
      break;
    case EditorCommand::Redo:
      editor_->redoGroup();
      break;
    case EditorCommand::CopyObjects:
      if (list) editor_->copyListSelection();
      break;
    case EditorCommand::CutObjects:
      if (list) editor_->cutListSelection();
      break;
    case EditorCommand::Paste:
      if (list) {
        QPoint p = mouseMapPoint();
        editor_->pasteObjects(p.x(), p.y());
      } else if (open) {
        editor_->paste();
      }
      break;
    case EditorCommand::DeleteObjects:
      if (list) editor_->deleteListSelection();
      break;
    case EditorCommand::ObjectParameters:
      if (list && !editor_->listSelection().empty()) runHook(dialogs_.objectParameters);
      break;
    case EditorCommand::ToggleHexMode:
      editor_->setHexMode(!editor_->hexMode());
      followHexMode();
      break;
    case EditorCommand::AddBackground:
      addBackground();
      break;
    case EditorCommand::ToggleSpecimen:
      runHook(dialogs_.specimen);
      break;
    case EditorCommand::Save:
      if (open) editor_->saveActiveGroup();
      break;
    case EditorCommand::ScriptPrompt:
      scriptPrompt();
      break;
    case EditorCommand::Options:
      runHook(dialogs_.options);
      break;
    case EditorCommand::GrowSnapGrid:
      editor_->growSnapGrid();
      break;
    case EditorCommand::ShrinkSnapGrid:
      editor_->shrinkSnapGrid();
      break;
    case EditorCommand::ScrollLeft:
    case EditorCommand::ScrollRight:
    case EditorCommand::ScrollUp:
    case EditorCommand::ScrollDown: {
      if (canvas_->drawing() || canvas_->selecting()) break;
      int dx = c.command == EditorCommand::ScrollLeft    ? -1
               : c.command == EditorCommand::ScrollRight ? 1
                                                         : 0;
      int dy = c.command == EditorCommand::ScrollUp ? -1 : c.command == EditorCommand::ScrollDown;
      editor_->scrollLines(dx, dy);
      break;
    }
    case EditorCommand::Help: {
      char path[4096];
      std::snprintf(path, sizeof path, "%s/help.chm", w_.paths.programDirectory.c_str());
      w_.services.shell.openDocument(path);
      break;
    }
    case EditorCommand::PersonalHelp:
      w_.services.shell.openDocument(w_.paths.userHelpPath);
      break;
  }
  refresh();
}

void MapEditorWindow::addBackground() {
  if (!editor_->checkBackgroundLimit()) return;
  std::optional<int> chosen = ChooseBackgroundElement(this, w_.project);
  if (!chosen) return;
  editor_->addBackground(*chosen);
  layoutAreas();
  refresh();
}

void MapEditorWindow::scriptPrompt() {
  std::optional<std::string> text = AskScriptStatements(this, script::ScriptPromptText(w_));
  if (!text) return;
  script::RunScriptPrompt(w_, *text);
  // The statements may have changed settings, the placement or the
  // backgrounds themselves (`fonds.reinit` leaves none).
  editor_->settingsChanged();
  applyPlacement();
  followHexMode();
  followTiming();
  layoutAreas();
  refresh();
}

bool MapEditorWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    std::optional<EditorKeyCommand> c = CommandForKey(*key);
    // The tile panel keeps its arrows; the buttons keep Space.
    bool ownArrows = watched == tilePanel_ && c && c->command >= EditorCommand::ScrollLeft &&
                     c->command <= EditorCommand::ScrollDown;
    if (c && !ownArrows) {
      runCommand(*c);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void MapEditorWindow::keyPressEvent(QKeyEvent* event) {
  if (std::optional<EditorKeyCommand> c = CommandForKey(*event)) {
    runCommand(*c);
    return;
  }
  QDialog::keyPressEvent(event);
}

void MapEditorWindow::mousePressEvent(QMouseEvent* event) {
  // The right button outside the canvas and the tile panel opens the menu.
  if (event->button() == Qt::RightButton) {
    showMenuAt(event->globalPosition().toPoint());
    return;
  }
  QDialog::mousePressEvent(event);
}

// --- The menu -----------------------------------------------------------------------

void MapEditorWindow::showMenuAt(QPoint globalPos) {
  std::unique_ptr<QMenu> menu = buildMenu();
  menu->exec(globalPos);
  refresh();
}

std::unique_ptr<QMenu> MapEditorWindow::buildMenu() {
  auto menu = std::make_unique<QMenu>(this);
  menu->setAccessibleName(QString::fromUtf8("Menu"));
  mapeditor::MapEditor& e = *editor_;
  auto hookAction = [this](QMenu* m, const char* text, const MapEditorDialogs::Action& hook) {
    QAction* a = m->addAction(QString::fromUtf8(text));
    a->setEnabled(static_cast<bool>(hook));
    connect(a, &QAction::triggered, this, [this, &hook] { runHook(hook); });
    return a;
  };
  auto backgroundName = [&e](int i) {
    std::string_view name = project::DisplayName(e.slot(i).element.name);
    return QString::number(i + 1) + QString::fromUtf8(": ") + Utf8(name);
  };

  QMenu* backgrounds = menu->addMenu(QString::fromUtf8("Fonds..."));
  QMenu* active = backgrounds->addMenu(QString::fromUtf8("Actif..."));
  QMenu* properties = backgrounds->addMenu(QString::fromUtf8("Propriétés..."));
  for (int i = 0; i < e.count(); ++i) {
    QAction* a = active->addAction(backgroundName(i));
    a->setCheckable(true);
    a->setChecked(i == e.active());
    connect(a, &QAction::triggered, this, [this, i] {
      runCommand({EditorCommand::ActivateBackground, i});
    });
    QAction* p = properties->addAction(backgroundName(i));
    p->setEnabled(static_cast<bool>(dialogs_.properties));
    connect(p, &QAction::triggered, this, [this, i] {
      if (dialogs_.properties) dialogs_.properties(this, *editor_, i);
      layoutAreas();
      refresh();
    });
  }
  active->setEnabled(e.count() > 0);
  properties->setEnabled(e.count() > 0);
  QAction* add = backgrounds->addAction(QString::fromUtf8("Ajouter un fond...\t   Ctrl+M"));
  connect(add, &QAction::triggered, this, [this] { runCommand({EditorCommand::AddBackground}); });
  hookAction(backgrounds, "Lier...", dialogs_.links);
  QAction* own = backgrounds->addAction(QString::fromUtf8("Une palette par fond"));
  own->setCheckable(true);
  own->setChecked(w_.editor.ownPalettes != 0);
  connect(own, &QAction::triggered, this, [this](bool on) { w_.editor.ownPalettes = on ? 1 : 0; });
  QAction* transparent = backgrounds->addAction(QString::fromUtf8("Fonds transparents"));
  transparent->setCheckable(true);
  transparent->setChecked(w_.editor.transparency != 0);
  connect(transparent, &QAction::triggered, this,
          [this](bool on) { w_.editor.transparency = on ? 1 : 0; });

  QMenu* tools = menu->addMenu(QString::fromUtf8("Outils..."));
  if (!e.hexMode()) {
    QAction* hex = tools->addAction(QString::fromUtf8("Mode hexa\t   Ctrl+H"));
    connect(hex, &QAction::triggered, this, [this] { runCommand({EditorCommand::ToggleHexMode}); });
  } else {
    QMenu* hex = tools->addMenu(QString::fromUtf8("Mode hexa"));
    hex->menuAction()->setCheckable(true);
    hex->menuAction()->setChecked(true);
    QAction* leave = hex->addAction(QString::fromUtf8("Annuler\t   Ctrl+H"));
    connect(leave, &QAction::triggered, this,
            [this] { runCommand({EditorCommand::ToggleHexMode}); });
    QAction* zeros = hex->addAction(QString::fromUtf8("Combler avec des 0"));
    zeros->setCheckable(true);
    zeros->setChecked(w_.editor.hexFillZeros != 0);
    connect(zeros, &QAction::triggered, this,
            [this](bool on) { w_.editor.hexFillZeros = on ? 1 : 0; });
    QAction* behind = hex->addAction(QString::fromUtf8("Map graphique en fond"));
    behind->setCheckable(true);
    behind->setChecked(w_.editor.hexGraphicsBehind != 0);
    connect(behind, &QAction::triggered, this,
            [this](bool on) { w_.editor.hexGraphicsBehind = on ? 1 : 0; });
  }
  QAction* bits = hookAction(tools, "Grille des bits", dialogs_.bitGrid);
  bits->setCheckable(true);
  bits->setChecked(e.bitGrid().visible);
  QAction* specimen = hookAction(tools, "Map spécimen", dialogs_.specimen);
  specimen->setCheckable(true);
  specimen->setEnabled(specimen->isEnabled() && e.specimen().exists);
  specimen->setChecked(e.specimen().exists && w_.editor.specimenShown != 0);

  hookAction(menu.get(), "Options...", dialogs_.options);
  QAction* operations =
      hookAction(menu.get(), "Opération sur sélection", dialogs_.selectionOperations);
  operations->setEnabled(operations->isEnabled() && !e.buffer().empty());
  hookAction(menu.get(), "Déplacements...", dialogs_.blockCopy);
  return menu;
}

// --- Closing ------------------------------------------------------------------------

void MapEditorWindow::reject() {
  if (editor_->isOpen()) {
    notePlacement();
    if (!editor_->close()) {
      refresh();
      return;
    }
  }
  timer_.stop();
  QDialog::reject();
}

// --- The entry point ----------------------------------------------------------------

namespace {

// The selection buffer and the copied objects last for the whole run: they
// live beside the window that opens the editor rather than in a global.
class SharedEditorState : public QObject {
 public:
  explicit SharedEditorState(QObject* owner) : QObject(owner) {
    setObjectName(QStringLiteral("mapEditorShared"));
  }
  mapeditor::MapEditorShared shared;
};

mapeditor::MapEditorShared& SharedStateFor(QWidget* parent,
                                           std::unique_ptr<SharedEditorState>& local) {
  QObject* owner = parent ? static_cast<QObject*>(parent->window()) : nullptr;
  if (!owner) {
    local = std::make_unique<SharedEditorState>(nullptr);
    return local->shared;
  }
  auto* state = owner->findChild<SharedEditorState*>(QStringLiteral("mapEditorShared"),
                                                     Qt::FindDirectChildrenOnly);
  if (!state) state = new SharedEditorState(owner);
  return state->shared;
}

}  // namespace

void OpenMapEditor(QWidget* parent, app::Workshop& workshop, int elementIndex) {
  std::unique_ptr<SharedEditorState> local;
  mapeditor::MapEditorShared& shared = SharedStateFor(parent, local);
  app::PlatformElementStore store(workshop);
  MapEditorWindow window(parent, workshop, shared, store, ProgramMapEditorDialogs());
  if (!window.openElement(elementIndex)) return;
  window.exec();
}

}  // namespace ui
