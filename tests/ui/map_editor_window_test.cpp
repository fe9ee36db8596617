#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTimer>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

#include "convert/drawing_state.h"
#include "convert/surface.h"
#include "formats/list_model.h"
#include "map_editor_fixture.h"
#include "mapeditor/frame_renderer.h"
#include "ui/map_editor_canvas.h"
#include "ui/map_editor_tile_panel.h"

using uitest::DemoEditor;

namespace {

// Canvas pixels of the demo's 8 × 8 cells at zoom 1.
QPoint Cell(int x, int y) { return QPoint(x * 8 + 3, y * 8 + 3); }

void Drag(QWidget* w, Qt::MouseButton button, QPoint from, QPoint to,
          Qt::KeyboardModifiers mods = {}) {
  QTest::mousePress(w, button, mods, from);
  QTest::mouseMove(w, (from + to) / 2);
  QTest::mouseMove(w, to);
  QTest::mouseRelease(w, button, mods, to);
}

void Wheel(QWidget* w, QPoint at, int notches, Qt::KeyboardModifiers mods) {
  QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, notches * 120), Qt::NoButton, mods,
                Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &e);
}

QAction* Find(QMenu* menu, const QString& text) {
  for (QAction* a : menu->actions()) {
    if (a->text() == text) return a;
    if (a->menu())
      if (QAction* inner = Find(a->menu(), text)) return inner;
  }
  return nullptr;
}

// Screenshots go beside the test unless TESSEL_SCREENSHOT_DIR names a folder
// (docs/screenshots when they are refreshed).
QString ScreenshotPath(const char* name) {
  QString dir = qEnvironmentVariable("TESSEL_SCREENSHOT_DIR", TESSEL_BINARY_DIR);
  return QDir(dir).filePath(QString::fromUtf8(name));
}

int32_t ObjectWord(const mapeditor::Background& b, int element, size_t offset) {
  return formats::ReadObjectWord(b.element(element), offset);
}

}  // namespace

class MapEditorWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void theKeyTable_data();
  void theKeyTable();
  void opensOnTheDemoMapWithItsWelcome();
  void theCanvasShowsTheCoresFramePixelForPixel();
  void aLeftDragPaintsTheCellsAndCtrlSSavesThem();
  void theRightButtonSelectsOrPicks_data();
  void theRightButtonSelectsOrPicks();
  void undoAndRedoMoveTheModifiedMark();
  void keysReportTheirStatus_data();
  void keysReportTheirStatus();
  void ctrlWheelZoomsAndTheWheelStepsThePattern();
  void ctrlSevenWithFiveBackgroundsDoesNothing();
  void hexModeSwapsThePanelForTheField();
  void theMenuHoldsEveryEntryWithItsState();
  void objectLists_data();
  void objectLists();
  void objectListClipboard();
  void closing_data();
  void closing();
  void timerZeroStillWaits();
  void scrollingByKeysPanningAndEdges();
  void theSplitterFollowsTheMouse();
  void theRightButtonBesideTheCanvasOpensTheMenu();
  void theScriptPromptActsOnTheOpenWindow();
  void helpKeysOpenTheHelpFiles();
  void aClickOnTheTilePanelPicksTheTile();
  void resizingKeepsTheAreasInPlace_data();
  void resizingKeepsTheAreasInPlace();
  void scriptResetLeavesAWorkingWindow();
  void everyControlHasAnAccessibleName();
  void screenshots();
};

void MapEditorWindowTest::theKeyTable_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("modifiers");
  QTest::addColumn<int>("command");  // -1: none
  QTest::addColumn<int>("background");
  using C = ui::EditorCommand;
  const int ctrl = Qt::ControlModifier, pad = Qt::KeypadModifier;
  QTest::newRow("Ctrl+1") << int(Qt::Key_1) << ctrl << int(C::ActivateBackground) << 0;
  QTest::newRow("Ctrl+9") << int(Qt::Key_9) << ctrl << int(C::ActivateBackground) << 8;
  QTest::newRow("Ctrl+0") << int(Qt::Key_0) << ctrl << int(C::ActivateBackground) << 9;
  QTest::newRow("1 alone") << int(Qt::Key_1) << 0 << -1 << 0;
  QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << ctrl << int(C::Undo) << 0;
  QTest::newRow("Z alone") << int(Qt::Key_Z) << 0 << -1 << 0;
  QTest::newRow("Ctrl+Y") << int(Qt::Key_Y) << ctrl << int(C::Redo) << 0;
  QTest::newRow("Ctrl+C") << int(Qt::Key_C) << ctrl << int(C::CopyObjects) << 0;
  QTest::newRow("Ctrl+X") << int(Qt::Key_X) << ctrl << int(C::CutObjects) << 0;
  QTest::newRow("Ctrl+V") << int(Qt::Key_V) << ctrl << int(C::Paste) << 0;
  QTest::newRow("Ctrl+H") << int(Qt::Key_H) << ctrl << int(C::ToggleHexMode) << 0;
  QTest::newRow("Ctrl+M") << int(Qt::Key_M) << ctrl << int(C::AddBackground) << 0;
  QTest::newRow("Ctrl+P") << int(Qt::Key_P) << ctrl << int(C::ToggleSpecimen) << 0;
  QTest::newRow("Ctrl+S") << int(Qt::Key_S) << ctrl << int(C::Save) << 0;
  QTest::newRow("Ctrl+I") << int(Qt::Key_I) << ctrl << int(C::ScriptPrompt) << 0;
  QTest::newRow("Ctrl+Space") << int(Qt::Key_Space) << ctrl << int(C::Options) << 0;
  QTest::newRow("Space alone") << int(Qt::Key_Space) << 0 << -1 << 0;
  QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << int(C::DeleteObjects) << 0;
  QTest::newRow("Ctrl+Delete") << int(Qt::Key_Delete) << ctrl << -1 << 0;
  QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << int(C::ObjectParameters) << 0;
  QTest::newRow("pad Enter") << int(Qt::Key_Enter) << pad << int(C::ObjectParameters) << 0;
  QTest::newRow("pad +") << int(Qt::Key_Plus) << pad << int(C::GrowSnapGrid) << 0;
  QTest::newRow("main +") << int(Qt::Key_Plus) << 0 << -1 << 0;
  QTest::newRow("pad -") << int(Qt::Key_Minus) << pad << int(C::ShrinkSnapGrid) << 0;
  QTest::newRow("Ctrl+pad +") << int(Qt::Key_Plus) << (ctrl | pad) << -1 << 0;
  QTest::newRow("Left") << int(Qt::Key_Left) << 0 << int(C::ScrollLeft) << 0;
  QTest::newRow("pad Left") << int(Qt::Key_Left) << pad << int(C::ScrollLeft) << 0;
  QTest::newRow("Right") << int(Qt::Key_Right) << 0 << int(C::ScrollRight) << 0;
  QTest::newRow("Up") << int(Qt::Key_Up) << 0 << int(C::ScrollUp) << 0;
  QTest::newRow("Down") << int(Qt::Key_Down) << 0 << int(C::ScrollDown) << 0;
  QTest::newRow("Ctrl+Left") << int(Qt::Key_Left) << ctrl << -1 << 0;
  QTest::newRow("F1") << int(Qt::Key_F1) << 0 << int(C::Help) << 0;
  QTest::newRow("F3") << int(Qt::Key_F3) << 0 << int(C::PersonalHelp) << 0;
}

void MapEditorWindowTest::theKeyTable() {
  QFETCH(int, key);
  QFETCH(int, modifiers);
  QFETCH(int, command);
  QFETCH(int, background);
  QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
  std::optional<ui::EditorKeyCommand> c = ui::CommandForKey(event);
  QCOMPARE(c.has_value(), command >= 0);
  if (!c) return;
  QCOMPARE(int(c->command), command);
  QCOMPARE(c->background, background);
}

void MapEditorWindowTest::opensOnTheDemoMapWithItsWelcome() {
  DemoEditor d;
  QVERIFY(d.open("decor"));
  QCOMPARE(d.window().windowTitle(), QString("decor - Editeur de maps"));
  QCOMPARE(d.statusTexts(), QStringList({"Bienvenue!", "Map ouverte: decor"}));
  QVERIFY(!d.window().undoButton()->isEnabled());
  QVERIFY(!d.window().pasteButton()->isEnabled());
  QVERIFY(d.window().memoryLabel()->text().startsWith(QString::fromUtf8("Mém: ")));
  QCOMPARE(d.editor().activeBackground().isMap(), true);
}

void MapEditorWindowTest::theCanvasShowsTheCoresFramePixelForPixel() {
  DemoEditor d;
  QVERIFY(d.open("decor"));
  d.editor().status().clear();
  d.window().tick();
  ui::MapEditorCanvas* canvas = d.window().canvas();
  QImage shown = canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);

  // The same frame composed apart from the window.
  convert::Surface surface;
  convert::DrawingState state;
  QVERIFY(convert::ResizeSurface(surface, canvas->width(), canvas->height(), true, 0, d.dialogs));
  convert::SelectSurface(state, surface);
  mapeditor::ComposeFrame(d.editor(), state);
  QCOMPARE(shown.size(), QSize(canvas->width(), canvas->height()));
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      QRgb expected = surface.at(x, y) | 0xFF000000u;
      if (shown.pixel(x, y) != expected)
        QFAIL(qPrintable(QString("pixel %1,%2: %3 instead of %4")
                             .arg(x)
                             .arg(y)
                             .arg(shown.pixel(x, y), 8, 16)
                             .arg(expected, 8, 16)));
    }
  }
}

void MapEditorWindowTest::aLeftDragPaintsTheCellsAndCtrlSSavesThem() {
  DemoEditor d;
  QVERIFY(d.open("decor"));
  ui::MapEditorCanvas* canvas = d.window().canvas();
  d.editor().setPatternValue(5);
  Drag(canvas, Qt::LeftButton, Cell(1, 1), Cell(3, 2));
  const mapeditor::Background& b = d.editor().activeBackground();
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) {
      bool inside = x >= 1 && x <= 3 && y >= 1 && y <= 2;
      if (inside) QCOMPARE(b.cell(x, y), 5u);
    }
  QCOMPARE(d.window().windowTitle(), QString("decor* - Editeur de maps"));
  std::vector<uint32_t> painted = b.cells;

  QTest::keyClick(canvas, Qt::Key_S, Qt::ControlModifier);
  QCOMPARE(d.window().windowTitle(), QString("decor - Editeur de maps"));
  QVERIFY(d.statusTexts().contains("Map sauvée: decor"));
  auto saved = d.store->readMap(d.w->project.entry(static_cast<size_t>(d.element("decor"))));
  QVERIFY(saved.has_value());
  QCOMPARE(saved->cells, painted);
}

void MapEditorWindowTest::theRightButtonSelectsOrPicks_data() {
  QTest::addColumn<QPoint>("to");
  QTest::addColumn<bool>("pasteEnabled");
  QTest::addColumn<bool>("reportsPattern");
  QTest::newRow("drag") << Cell(4, 3) << true << false;
  QTest::newRow("click") << Cell(2, 1) << false << true;
}

void MapEditorWindowTest::theRightButtonSelectsOrPicks() {
  QFETCH(QPoint, to);
  QFETCH(bool, pasteEnabled);
  QFETCH(bool, reportsPattern);
  DemoEditor d;
  QVERIFY(d.open("decor"));
  Drag(d.window().canvas(), Qt::RightButton, Cell(2, 1), to);
  QCOMPARE(d.window().pasteButton()->isEnabled(), pasteEnabled);
  uint32_t value = d.editor().activeBackground().cell(2, 1);
  QString status = QString::asprintf("Motif: %i (%04x)", static_cast<int>(value), value);
  QCOMPARE(d.statusTexts().contains(status), reportsPattern);
  if (reportsPattern) QCOMPARE(d.editor().patternValue(), value);
}

void MapEditorWindowTest::undoAndRedoMoveTheModifiedMark() {
  DemoEditor d;
  QVERIFY(d.open("decor"));
  ui::MapEditorCanvas* canvas = d.window().canvas();
  d.editor().setPatternValue(3);
  QTest::mouseClick(canvas, Qt::LeftButton, {}, Cell(0, 0));
  QCOMPARE(d.window().windowTitle(), QString("decor* - Editeur de maps"));
  QVERIFY(d.window().undoButton()->isEnabled());
  QVERIFY(!d.window().redoButton()->isEnabled());
  QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(d.window().windowTitle(), QString("decor - Editeur de maps"));
  QVERIFY(!d.window().undoButton()->isEnabled());
  QVERIFY(d.window().redoButton()->isEnabled());
  QTest::keyClick(canvas, Qt::Key_Y, Qt::ControlModifier);
  QCOMPARE(d.window().windowTitle(), QString("decor* - Editeur de maps"));
  QCOMPARE(d.editor().activeBackground().cell(0, 0), 3u);
  // The buttons do the same.
  QTest::mouseClick(d.window().undoButton(), Qt::LeftButton);
  QCOMPARE(d.window().windowTitle(), QString("decor - Editeur de maps"));
}

void MapEditorWindowTest::keysReportTheirStatus_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("modifiers");
  QTest::addColumn<int>("times");
  QTest::addColumn<QString>("status");
  QTest::newRow("pad plus") << int(Qt::Key_Plus) << int(Qt::KeypadModifier) << 1
                            << "Grille crampon: 16x16";
  QTest::newRow("pad plus twice") << int(Qt::Key_Plus) << int(Qt::KeypadModifier) << 2
                                  << "Grille crampon: 32x32";
  QTest::newRow("pad minus") << int(Qt::Key_Minus) << int(Qt::KeypadModifier) << 1
                             << "Grille crampon: 4x4";
}

void MapEditorWindowTest::keysReportTheirStatus() {
  QFETCH(int, key);
  QFETCH(int, modifiers);
  QFETCH(int, times);
  QFETCH(QString, status);
  DemoEditor d;
  QVERIFY(d.open("decor"));
  for (int i = 0; i < times; ++i)
    QTest::keyClick(d.window().canvas(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
  QCOMPARE(d.statusTexts().last(), status);
  // The main keyboard's + is not the pad's.
  QTest::keyClick(d.window().canvas(), Qt::Key(key));
  QCOMPARE(d.statusTexts().last(), status);
}

void MapEditorWindowTest::ctrlWheelZoomsAndTheWheelStepsThePattern() {
  DemoEditor d;
  QVERIFY(d.open("decor"));
  ui::MapEditorCanvas* canvas = d.window().canvas();
  Wheel(canvas, Cell(2, 2), 1, Qt::ControlModifier);
  QCOMPARE(d.statusTexts().last(), QString("Zoom: 150%"));
  QCOMPARE(d.editor().zoom(), 1.5);
  d.editor().setPatternValue(7);
  Wheel(canvas, Cell(2, 2), 2, {});
  QCOMPARE(d.editor().patternValue(), 5u);
  QCOMPARE(d.statusTexts().last(), QString("Motif: 5 (0005)"));
}

void MapEditorWindowTest::ctrlSevenWithFiveBackgroundsDoesNothing() {
  DemoEditor d;
  std::vector<int> lists{d.addList("ennemis"), d.addList("bonus"), d.addList("pieges")};
  QVERIFY(d.open("decor"));
  QCOMPARE(d.editor().addBackground(d.element("hero")), mapeditor::AddResult::Added);
  for (int list : lists) QCOMPARE(d.editor().addBackground(list), mapeditor::AddResult::Added);
  QCOMPARE(d.editor().count(), 5);
  QTest::keyClick(d.window().canvas(), Qt::Key_7, Qt::ControlModifier);
  QCOMPARE(d.editor().active(), 0);
  QTest::keyClick(d.window().canvas(), Qt::Key_5, Qt::ControlModifier);
  QCOMPARE(d.editor().active(), 4);
  QTest::keyClick(d.window().canvas(), Qt::Key_2, Qt::ControlModifier);
  QCOMPARE(d.editor().active(), 1);
  QCOMPARE(d.window().windowTitle(), QString("hero - Editeur de maps"));
}

void MapEditorWindowTest::hexModeSwapsThePanelForTheField() {
  DemoEditor d;
  QVERIFY(d.open("decor"));
  QTest::keyClick(d.window().canvas(), Qt::Key_H, Qt::ControlModifier);
  QVERIFY(d.editor().hexMode());
  QVERIFY(d.window().hexField()->isVisible());
  QVERIFY(!d.window().tilePanel()->isVisible());
  QCOMPARE(d.editor().activeBackground().cellWidth, 16);
  // Typing a number makes it the pattern, masked by the 16-bit format.
  d.window().hexField()->clear();
  QTest::keyClicks(d.window().hexField(), "1a2b3");
  QCOMPARE(d.editor().patternValue(), 0xa2b3u);
  QTest::keyClick(d.window().hexField(), Qt::Key_H, Qt::ControlModifier);
  QVERIFY(!d.editor().hexMode());
  QVERIFY(!d.window().hexField()->isVisible());
  QVERIFY(d.window().tilePanel()->isVisible());
  QCOMPARE(d.editor().activeBackground().cellWidth, 8);
}

void MapEditorWindowTest::theMenuHoldsEveryEntryWithItsState() {
  DemoEditor d;
  QVERIFY(d.open("decor"));
  std::unique_ptr<QMenu> menu = d.window().buildMenu();
  QStringList top;
  for (QAction* a : menu->actions()) top << a->text();
  QCOMPARE(top, QStringList({"Fonds...", "Outils...", "Options...",
                             QString::fromUtf8("Opération sur sélection"),
                             QString::fromUtf8("Déplacements...")}));
  QAction* active = Find(menu.get(), "1: decor");
  QVERIFY(active && active->isChecked());
  QVERIFY(Find(menu.get(), "Ajouter un fond...\t   Ctrl+M")->isEnabled());
  QVERIFY(!Find(menu.get(), QString::fromUtf8("Opération sur sélection"))->isEnabled());
  QVERIFY(Find(menu.get(), "Une palette par fond")->isChecked());
  QVERIFY(!Find(menu.get(), "Fonds transparents")->isChecked());
  QVERIFY(Find(menu.get(), "Mode hexa\t   Ctrl+H"));
  // Toggling transparency from the menu.
  Find(menu.get(), "Fonds transparents")->trigger();
  QCOMPARE(d.w->editor.transparency, 1);
  // In hex mode the entry becomes a checked submenu.
  d.window().runCommand({ui::EditorCommand::ToggleHexMode});
  menu = d.window().buildMenu();
  QAction* leave = Find(menu.get(), "Annuler\t   Ctrl+H");
  QVERIFY(leave);
  QVERIFY(Find(menu.get(), "Combler avec des 0"));
  QVERIFY(Find(menu.get(), "Map graphique en fond")->isChecked());
  leave->trigger();
  QVERIFY(!d.editor().hexMode());
}

// Object lists: a 16 × 16 snap grid, pattern 3 as the type to place.
void MapEditorWindowTest::objectLists_data() {
  QTest::addColumn<int>("modifiers");
  QTest::addColumn<QPoint>("expected");
  QTest::newRow("snapped") << int(Qt::NoModifier) << QPoint(32, 16);
  QTest::newRow("shift: free") << int(Qt::ShiftModifier) << QPoint(37, 21);
}

void MapEditorWindowTest::objectLists() {
  QFETCH(int, modifiers);
  QFETCH(QPoint, expected);
  DemoEditor d;
  int list = d.addList("ennemis");
  QVERIFY(d.open("decor"));
  QCOMPARE(d.editor().addBackground(list), mapeditor::AddResult::Added);
  QTest::keyClick(d.window().canvas(), Qt::Key_2, Qt::ControlModifier);
  QVERIFY(d.editor().setSnapGridOf(1, 16, 16));
  d.editor().setPatternValue(3);
  ui::MapEditorCanvas* canvas = d.window().canvas();
  // A click on empty space places an element on the grid.
  QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(21, 9));
  const mapeditor::Background& b = d.editor().activeBackground();
  QCOMPARE(b.elementCount, 1);
  QCOMPARE(ObjectWord(b, 0, formats::kObjectX), 16);
  QCOMPARE(ObjectWord(b, 0, formats::kObjectY), 0);
  QCOMPARE(ObjectWord(b, 0, formats::kObjectType), 3);
  QCOMPARE(d.window().windowTitle(), QString("ennemis* - Editeur de maps"));
  // Dragging it by (21, 21); Shift is read on the timer's tick.
  canvas->setSnapping(modifiers == Qt::NoModifier);
  QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(16, 0));
  QTest::mouseMove(canvas, QPoint(27, 11));
  QTest::mouseMove(canvas, QPoint(37, 21));
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(37, 21));
  QCOMPARE(QPoint(ObjectWord(b, 0, formats::kObjectX), ObjectWord(b, 0, formats::kObjectY)),
           expected);
  QCOMPARE(d.editor().listSelection(), std::vector<int>{0});
}

void MapEditorWindowTest::objectListClipboard() {
  DemoEditor d;
  int list = d.addList("ennemis");
  QVERIFY(d.open("decor"));
  QCOMPARE(d.editor().addBackground(list), mapeditor::AddResult::Added);
  d.editor().setActive(1);
  QVERIFY(d.editor().setSnapGridOf(1, 8, 8));
  d.editor().setPatternValue(2);
  ui::MapEditorCanvas* canvas = d.window().canvas();
  QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(8, 8));
  QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(40, 8));
  const mapeditor::Background& b = d.editor().activeBackground();
  QCOMPARE(b.elementCount, 2);
  // Ctrl adds the first one to the selection.
  QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(41, 9));
  QTest::mouseClick(canvas, Qt::LeftButton, Qt::ControlModifier, QPoint(9, 9));
  QCOMPARE(d.editor().listSelection().size(), size_t{2});
  QTest::keyClick(canvas, Qt::Key_C, Qt::ControlModifier);
  QVERIFY(d.window().pasteButton()->isEnabled());
  QTest::keyClick(canvas, Qt::Key_Delete);
  QCOMPARE(b.elementCount, 0);
  QTest::mouseMove(canvas, QPoint(64, 64));
  QTest::keyClick(canvas, Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(b.elementCount, 2);
  QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(b.elementCount, 0);
  // A Ctrl + right drag selects what it covers.
  QTest::keyClick(canvas, Qt::Key_Y, Qt::ControlModifier);
  d.editor().listSelection().clear();
  // (QTest takes a null point for the widget's centre.)
  Drag(canvas, Qt::RightButton, QPoint(1, 1), QPoint(200, 200), Qt::ControlModifier);
  QCOMPARE(d.editor().listSelection().size(), size_t{2});
}

void MapEditorWindowTest::closing_data() {
  QTest::addColumn<int>("answer");
  QTest::addColumn<bool>("failWrites");
  QTest::addColumn<bool>("closes");
  QTest::addColumn<bool>("fileRewritten");
  QTest::newRow("Annuler") << int(platform::Answer::Cancel) << false << false << false;
  QTest::newRow("Non") << int(platform::Answer::No) << false << true << false;
  QTest::newRow("Oui") << int(platform::Answer::Yes) << false << true << true;
  QTest::newRow("Oui, failed save") << int(platform::Answer::Yes) << true << false << false;
}

void MapEditorWindowTest::closing() {
  QFETCH(int, answer);
  QFETCH(bool, failWrites);
  QFETCH(bool, closes);
  QFETCH(bool, fileRewritten);
  DemoEditor d;
  QVERIFY(d.open("decor"));
  const project::EntryRecord& e = d.w->project.entry(static_cast<size_t>(d.element("decor")));
  std::vector<uint32_t> before = d.store->readMap(e)->cells;
  d.editor().setPatternValue(9);
  QTest::mouseClick(d.window().canvas(), Qt::LeftButton, {}, Cell(0, 0));
  d.store->failWrites = failWrites;
  d.dialogs.clear();
  d.dialogs.queueAnswer(platform::Answer(answer));
  QTest::keyClick(d.window().canvas(), Qt::Key_Escape);
  QCOMPARE(d.dialogs.entries().size(), size_t{1});
  QCOMPARE(d.dialogs.entries()[0].text,
           std::string("Voulez-vous enregistrer les modifications apportées à decor?"));
  QCOMPARE(d.window().isVisible(), !closes);
  QCOMPARE(d.editor().isOpen(), !closes);
  if (!closes) QCOMPARE(d.window().windowTitle(), QString("decor* - Editeur de maps"));
  std::vector<uint32_t> after = d.store->readMap(e)->cells;
  QCOMPARE(after != before, fileRewritten);
  if (fileRewritten) QCOMPARE(after[0], 9u);
}

void MapEditorWindowTest::timerZeroStillWaits() {
  DemoEditor d;
  QVERIFY(d.open("decor"));
  d.w->editor.timing = 0;
  d.window().tick();
  QCOMPARE(d.window().timerInterval(), 1);
  d.w->editor.timing = 40;
  d.window().tick();
  QCOMPARE(d.window().timerInterval(), 40);
}

// Types the statements into the prompt Ctrl+I opens, and runs them.
void RunInPrompt(DemoEditor& d, const QString& statements) {
  QTimer::singleShot(0, [statements] {
    QWidget* prompt = QApplication::activeModalWidget();
    QVERIFY(prompt);
    QCOMPARE(prompt->windowTitle(), QString::fromUtf8("Exécuter (script)"));
    auto* edit = prompt->findChild<QPlainTextEdit*>();
    edit->setPlainText(statements);
    static_cast<QDialog*>(prompt)->accept();
  });
  QTest::keyClick(d.window().canvas(), Qt::Key_I, Qt::ControlModifier);
}

void MapEditorWindowTest::theScriptPromptActsOnTheOpenWindow() {
  DemoEditor d;
  QVERIFY(d.open("decor"));
  RunInPrompt(d, "editeur.zoom 2\nmodehexa.actif = vrai\neditor.deplace 700, 500, 20, 30");
  QCOMPARE(d.editor().zoom(), 2.0);
  QVERIFY(d.window().hexField()->isVisible());
  QCOMPARE(d.window().size(), QSize(700, 500));
  // A reset with unsaved changes asks first; Annuler keeps the map.
  d.editor().setPatternValue(1);
  QTest::mouseClick(d.window().canvas(), Qt::LeftButton, {}, Cell(1, 1));
  d.dialogs.clear();
  d.dialogs.queueAnswer(platform::Answer::Cancel);
  RunInPrompt(d, "fonds.reinit");
  QCOMPARE(d.dialogs.entries().size(), size_t{1});
  QCOMPARE(d.editor().count(), 1);
  d.dialogs.queueAnswer(platform::Answer::No);
  RunInPrompt(d, "fonds.reinit");
  QCOMPARE(d.editor().count(), 0);
  QCOMPARE(d.window().windowTitle(), QString("Editeur de maps"));
}

void MapEditorWindowTest::theSplitterFollowsTheMouse() {
  DemoEditor d;
  QVERIFY(d.open("decor"));
  d.window().resize(800, 500);
  QWidget* bar = d.window().splitter();
  int before = d.editor().splitterWidth();
  QPoint middle(3, bar->height() / 2);
  QTest::mousePress(bar, Qt::LeftButton, {}, middle);
  QTest::mouseMove(bar, middle - QPoint(40, 0));
  QTest::mouseRelease(bar, Qt::LeftButton, {}, middle - QPoint(40, 0));
  QCOMPARE(d.editor().splitterWidth(), before + 40);
  QCOMPARE(d.window().tilePanel()->width(), (before + 40) / 8 * 8);
  // The keyboard moves it too.
  bar->setFocus();
  QTest::keyClick(bar, Qt::Key_Right);
  QCOMPARE(d.editor().splitterWidth(), before + 32);
}

void MapEditorWindowTest::theRightButtonBesideTheCanvasOpensTheMenu() {
  DemoEditor d;
  QVERIFY(d.open("decor"));
  QStringList seen;
  QTimer::singleShot(0, [&seen] {
    QWidget* popup = QApplication::activePopupWidget();
    QVERIFY(popup);
    for (QAction* a : popup->actions()) seen << a->text();
    popup->close();
  });
  QRect buttons = d.window().pasteButton()->geometry();
  QTest::mouseClick(&d.window(), Qt::RightButton, {}, buttons.topRight() + QPoint(4, -4));
  QCOMPARE(seen.value(0), QString("Fonds..."));
}

void MapEditorWindowTest::scrollingByKeysPanningAndEdges() {
  DemoEditor d;
  d.addLargeMap("grand");
  QVERIFY(d.open("grand"));
  ui::MapEditorCanvas* canvas = d.window().canvas();
  QTest::keyClick(canvas, Qt::Key_Right);
  QTest::keyClick(canvas, Qt::Key_Down);
  QTest::keyClick(canvas, Qt::Key_Down);
  QCOMPARE(QPoint(d.editor().scrollX(), d.editor().scrollY()), QPoint(32, 64));
  QCOMPARE(d.window().horizontalBar()->value(), 32);
  QCOMPARE(d.window().verticalBar()->value(), 64);
  // The middle button drags the map: the view moves against the mouse.
  QTest::mousePress(canvas, Qt::MiddleButton, {}, QPoint(100, 100));
  QCOMPARE(canvas->cursor().shape(), Qt::SizeAllCursor);
  QTest::mouseMove(canvas, QPoint(84, 60));
  QTest::mouseRelease(canvas, Qt::MiddleButton, {}, QPoint(84, 60));
  QCOMPARE(QPoint(d.editor().scrollX(), d.editor().scrollY()), QPoint(48, 104));
  // While drawing, the keys do not scroll, and the edge does.
  QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(50, 50));
  QTest::keyClick(canvas, Qt::Key_Left);
  QCOMPARE(d.editor().scrollX(), 48);
  QTest::mouseMove(canvas, QPoint(canvas->width() - 2, 50));
  d.window().tick();
  QCOMPARE(d.editor().scrollX(), 56);
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(canvas->width() - 2, 50));
  QVERIFY(d.window().windowTitle().endsWith("* - Editeur de maps"));
}

void MapEditorWindowTest::helpKeysOpenTheHelpFiles() {
  DemoEditor d;
  d.w->paths.programDirectory = "/opt/tessel";
  QVERIFY(d.open("decor"));
  QTest::keyClick(d.window().canvas(), Qt::Key_F1);
  QTest::keyClick(d.window().canvas(), Qt::Key_F3);
  const auto& calls = d.shell.calls();
  QCOMPARE(calls.size(), size_t{2});
  QCOMPARE(calls[0].argument, std::string("/opt/tessel/help.chm"));
  QCOMPARE(calls[1].argument, std::string("lisezmoi.htm"));
}

void MapEditorWindowTest::aClickOnTheTilePanelPicksTheTile() {
  DemoEditor d;
  QVERIFY(d.open("decor"));
  d.window().tick();
  ui::MapEditorTilePanel* panel = d.window().tilePanel();
  QCOMPARE(panel->tileAt(QPoint(12, 3)), 1);
  // A right drag filled the buffer; the panel's tile empties it again.
  Drag(d.window().canvas(), Qt::RightButton, Cell(0, 0), Cell(3, 3));
  QVERIFY(d.window().pasteButton()->isEnabled());
  QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(12, 3));
  QCOMPARE(d.editor().patternValue(), 1u);
  QVERIFY(d.editor().buffer().empty());
  QVERIFY(!d.window().pasteButton()->isEnabled());
  QCOMPARE(d.statusTexts().last(), QString("Motif: 1 (0001)"));
  // Beyond the tileset: nothing.
  QCOMPARE(panel->tileAt(QPoint(3, panel->height() - 2)), -1);
}

void MapEditorWindowTest::resizingKeepsTheAreasInPlace_data() {
  QTest::addColumn<QSize>("size");
  QTest::addColumn<int>("splitter");
  QTest::addColumn<int>("canvasWidth");
  QTest::addColumn<int>("keptSplitter");
  // canvas width = client width − 458 − splitter + 384
  QTest::newRow("initial") << QSize(458, 316) << 128 << 256 << 128;
  QTest::newRow("wider") << QSize(858, 516) << 128 << 656 << 128;
  QTest::newRow("wide panel") << QSize(858, 516) << 300 << 484 << 300;
  QTest::newRow("splitter below 64") << QSize(858, 516) << 10 << 720 << 64;
  QTest::newRow("splitter past the edge") << QSize(600, 400) << 590 << 54 << 472;
  QTest::newRow("smaller than initial") << QSize(400, 300) << 300 << 54 << 272;
}

void MapEditorWindowTest::resizingKeepsTheAreasInPlace() {
  QFETCH(QSize, size);
  QFETCH(int, splitter);
  QFETCH(int, canvasWidth);
  QFETCH(int, keptSplitter);
  DemoEditor d;
  QVERIFY(d.open("decor"));
  d.window().resize(size);
  d.window().setSplitterWidth(splitter);
  QCOMPARE(d.editor().splitterWidth(), keptSplitter);
  QCOMPARE(d.window().canvas()->geometry(),
           QRect(10, 10, canvasWidth, std::max(16, size.height() - 316 + 256)));
  QRect panel = d.window().tilePanel()->geometry();
  QCOMPARE(panel.left(), 10 + canvasWidth + 54);
  QCOMPARE(panel.width(), keptSplitter / 8 * 8);
  // A resize keeps the splitter within its limits.
  d.window().resize(300, 300);
  QVERIFY(d.editor().splitterWidth() >= 64);
  QVERIFY(d.editor().splitterWidth() <= std::max(64, 300 - 128));
}

void MapEditorWindowTest::scriptResetLeavesAWorkingWindow() {
  DemoEditor d;
  QVERIFY(d.open("decor"));
  d.w->openEditor->resetBackgrounds();
  QCOMPARE(d.editor().count(), 0);
  d.window().tick();
  ui::MapEditorCanvas* canvas = d.window().canvas();
  Drag(canvas, Qt::LeftButton, Cell(0, 0), Cell(2, 2));
  Drag(canvas, Qt::RightButton, Cell(0, 0), Cell(2, 2));
  Wheel(canvas, Cell(1, 1), 1, {});
  for (Qt::Key key : {Qt::Key_Z, Qt::Key_Y, Qt::Key_V, Qt::Key_S, Qt::Key_1})
    QTest::keyClick(canvas, key, Qt::ControlModifier);
  QTest::keyClick(canvas, Qt::Key_Plus, Qt::KeypadModifier);
  QTest::keyClick(canvas, Qt::Key_Right);
  std::unique_ptr<QMenu> menu = d.window().buildMenu();
  QVERIFY(Find(menu.get(), QString::fromUtf8("Actif...")) != nullptr);
  QCOMPARE(d.window().windowTitle(), QString("Editeur de maps"));
  QVERIFY(!d.window().pasteButton()->isEnabled());
}

void MapEditorWindowTest::everyControlHasAnAccessibleName() {
  DemoEditor d;
  QVERIFY(d.open("decor"));
  const QList<QWidget*> children =
      d.window().findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
  for (QWidget* w : children) {
    // Labels are read with the control they describe, not focused.
    if (qobject_cast<QMenu*>(w) || qobject_cast<QLabel*>(w)) continue;
    QVERIFY2(!w->accessibleName().isEmpty(), w->metaObject()->className());
    QVERIFY2(w->focusPolicy() & Qt::TabFocus, w->metaObject()->className());
  }
}

void MapEditorWindowTest::screenshots() {
  {
    DemoEditor d;
    QVERIFY(d.open("decor"));
    d.window().resize(760, 480);
    d.w->editor.zoom = 4.0;
    d.w->editor.popupTime = 0;
    d.editor().setPatternValue(2);
    d.window().tick();
    QTest::mouseMove(d.window().canvas(), QPoint(100, 60));
    d.window().tick();
    d.window().grab().save(ScreenshotPath("editor_map.png"));
    d.window().runCommand({ui::EditorCommand::ToggleHexMode});
    d.window().tick();
    d.window().grab().save(ScreenshotPath("editor_hex_mode.png"));
  }
  {
    DemoEditor d;
    int list = d.addList("ennemis");
    QVERIFY(d.open("decor"));
    d.window().resize(760, 480);
    QCOMPARE(d.editor().addBackground(list), mapeditor::AddResult::Added);
    d.editor().setActive(1);
    d.w->editor.transparency = 1;
    d.w->editor.zoom = 4.0;
    ui::MapEditorCanvas* canvas = d.window().canvas();
    int type = 0;
    for (QPoint p : {QPoint(40, 40), QPoint(130, 70), QPoint(200, 170), QPoint(70, 200)}) {
      d.editor().setPatternValue(static_cast<uint32_t>(1 + type++ % 2));
      QTest::mouseClick(canvas, Qt::LeftButton, {}, p);
    }
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::ControlModifier, QPoint(42, 42));
    d.window().tick();
    d.window().grab().save(ScreenshotPath("editor_object_list.png"));
  }
}

QTEST_MAIN(MapEditorWindowTest)
#include "map_editor_window_test.moc"
