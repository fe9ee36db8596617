// The map editor's secondary windows on real widgets, over the editor model
// alone: fields are typed, buttons clicked, questions answered through the
// recording dialogs; the checks look at the model and the exact texts.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QApplication>
#include <QTabBar>
#include <QAbstractScrollArea>

#include "convert/drawing_state.h"
#include "convert/surface.h"
#include "mapeditor/editor_texts.h"
#include "mapeditor/composite_map.h"
#include "tests/ui/editor_bench.h"
#include "ui/editor_background_dialog.h"
#include "ui/editor_bit_grid.h"
#include "ui/editor_dialogs.h"
#include "ui/editor_options_dialog.h"
#include "ui/editor_composite_window.h"
#include "ui/editor_tool_dialogs.h"

using platform::Answer;
using uitest::Bench;
using uitest::Map;

namespace {

template <typename W = QLineEdit>
W* Find(QWidget* root, const QString& name) {
  W* w = root->findChild<W*>(name);
  if (!w) qFatal("no control named %s", qPrintable(name));
  return w;
}

void Type(QWidget* root, const QString& name, const QString& text) {
  Find(root, name)->setText(text);
}

void ClickOk(QWidget* dialog) {
  QTest::mouseClick(Find<QPushButton>(dialog, "OK"), Qt::LeftButton);
}

QStringList Texts(const Bench& b) {
  QStringList out;
  for (const auto& t : b.dialogs.texts()) out << QString::fromStdString(t);
  return out;
}

}  // namespace

class EditorDialogsTest : public QObject {
  Q_OBJECT
 private slots:
  void bitGridShowsActiveBitsFromTheTop();
  void bitGridClickSetsThePatternBit();
  void specimenShowsTheCoreRenderingAndADragFillsTheBuffer();
  void parallaxAbove100AsksAndYesRescalesTheOthers();
  void enlargingKeepsTheTopLeftCells();
  void shrinkingAsksAndCanBeUndone();
  void referenceTileEqualToTheTileCountIsRefused();
  void conditionLines_data();
  void conditionLines();
  void bitsPageUpdatesNames();
  void opacityAbove255Becomes255();
  void linksArePrefilledAndAppended();
  void blockFormatChecks_data();
  void blockFormatChecks();
  void blockFormat16To8SplitsEachTile();
  void blockFormatLossesAskAndCanBeUndone();
  void operationsAreApplied();
  void unknownOperatorAndTestTexts_data();
  void unknownOperatorAndTestTexts();
  void blockCopyWithoutPositionsStaysOpen();
  void objectParametersWithoutFieldsGiveTheMessage();
  void objectParametersWriteEverySelectedObject();
  void everyControlHasAnAccessibleName();
};

void EditorDialogsTest::bitGridShowsActiveBitsFromTheTop() {
  Bench b;
  QVERIFY(b.open({b.addMap("niveau", Map(4, 4))}));
  ui::EditorBitGrid grid(*b.editor);
  QCOMPARE(grid.windowTitle(), QString("Grille des bits"));
  QCOMPARE(grid.bits(), (std::vector<int>{15, 14, 13, 12, 11, 10}));
  const QStringList expected = {"Palette (MSB)", "Palette",         "Palette",
                                "Palette (LSB)", "Miroir vertical", "Miroir horizontal"};
  for (int k = 0; k < 6; ++k) QCOMPARE(grid.box(15 - k)->text(), expected[k]);
  // A bit made active on the property sheet appears after a rebuild.
  b.editor->setBitActive(0, 3, true);
  grid.rebuild();
  QCOMPARE(grid.bits().back(), 3);
}

void EditorDialogsTest::bitGridClickSetsThePatternBit() {
  Bench b;
  QVERIFY(b.open({b.addMap("niveau", Map(4, 4))}));
  b.editor->setPatternValue(5);
  ui::EditorBitGrid grid(*b.editor);
  grid.show();
  QTest::mouseClick(grid.box(12), Qt::LeftButton);
  QCOMPARE(b.editor->patternValue(), 0x1005u);
  QVERIFY(grid.box(12)->isChecked());
  QCOMPARE(QString::fromStdString(b.status().back()), QString("Motif: 4101 (1005)"));
  // In the buffer: every cell but the invisible block.
  b.editor->copySelection({0, 0, 15, 15}, true);
  b.editor->buffer().at(b.editor->activePlane(), 1, 0) = 0xFFFF;
  grid.refresh();
  QTest::mouseClick(grid.box(10), Qt::LeftButton);
  const int plane = b.editor->activePlane();
  QCOMPARE(b.editor->buffer().at(plane, 0, 0), 0u);  // zeros stay under the bit grid's zero mask
  QCOMPARE(b.editor->buffer().at(plane, 1, 0), 0xFFFFu);
  QCOMPARE(b.editor->buffer().at(plane, 1, 1), 0x405u);
  // Closing only hides.
  grid.close();
  QVERIFY(!grid.isVisible());
  QVERIFY(!b.editor->bitGrid().visible);
}

void EditorDialogsTest::specimenShowsTheCoreRenderingAndADragFillsTheBuffer() {
  Bench b;
  mapeditor::LoadedMap top = Map(8, 8, 2);
  top.cells[1] = 0xFFFF;
  QVERIFY(b.open({b.addMap("bas", Map(8, 8)), b.addMap("haut", std::move(top))}));
  QVERIFY(b.editor->addSpecimenMap(2));
  QVERIFY(b.editor->addSpecimenMap(1));
  ui::EditorSpecimenWindow window(*b.editor);
  QCOMPARE(window.windowTitle(), QString("Map spécimen"));
  window.resize(120, 100);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QImage shown = window.render();
  convert::Surface s;
  QVERIFY(convert::ResizeSurface(s, shown.width(), shown.height(), true, 0, b.dialogs));
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) s.at(x, y) = shown.pixel(x, y) & 0xFFFFFFu;
  convert::DrawingState state;
  convert::SelectSurface(state, s);
  mapeditor::RenderSpecimen(state, b.editor->specimen(), *b.editor);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64 && x < shown.width(); ++x)
      QCOMPARE(shown.pixel(x, y) & 0xFFFFFFu, s.at(x, y) & 0xFFFFFFu);
  QCOMPARE(window.canvas()->grab().toImage().convertToFormat(QImage::Format_RGB32).pixel(3, 3),
           shown.pixel(3, 3));
  // A drag over cells (0,0)..(2,1): both layers, the specimen's first map in plane 0.
  QWidget* c = window.canvas();
  QTest::mousePress(c, Qt::LeftButton, {}, QPoint(2, 2));
  QTest::mouseMove(c, QPoint(20, 10));
  QTest::mouseRelease(c, Qt::LeftButton, {}, QPoint(20, 10));
  const mapeditor::SelectionBuffer& buf = b.editor->buffer();
  QCOMPARE(buf.width, 3);
  QCOMPARE(buf.height, 2);
  QCOMPARE(buf.planeCount, 2);
  QCOMPARE(buf.at(0, 1, 0), 0xFFFFu);
  QCOMPARE(buf.at(1, 1, 0), 1u);
  QCOMPARE(buf.at(1, 2, 1), 10u);
  // The scroll bars step by 2 cells a line, 16 a page.
  QCOMPARE(window.horizontalBar()->singleStep(), 2);
  QCOMPARE(window.verticalBar()->pageStep(), 16);
  // Dragging beyond the right edge scrolls by 2 cells a tick, 8 with Shift.
  QTest::mousePress(c, Qt::LeftButton, {}, QPoint(2, 2));
  QTest::mouseMove(c, QPoint(c->width() + 5, 2));
  window.autoScroll(false);
  QCOMPARE(b.editor->specimen().scrollX, 2);
  window.autoScroll(true);  // a slow machine may count more than one elapsed tick
  QVERIFY(b.editor->specimen().scrollX >= 10);
  QCOMPARE((b.editor->specimen().scrollX - 2) % 8, 0);
  QCOMPARE(b.editor->specimen().scrollY, 0);
  QTest::mouseRelease(c, Qt::LeftButton, {}, QPoint(c->width() + 5, 2));
  QVERIFY(!window.dragging());
  const int x = b.editor->specimen().scrollX;
  QTest::keyClick(c, Qt::Key_Left);
  QTest::keyClick(c, Qt::Key_PageDown);
  QCOMPARE(b.editor->specimen().scrollX, x - 2);
  QCOMPARE(b.editor->specimen().scrollY, 16);
  window.close();
  QVERIFY(!window.isVisible());
  QCOMPARE(b.w.editorHost.settings().specimenShown, 0);
}

void EditorDialogsTest::parallaxAbove100AsksAndYesRescalesTheOthers() {
  Bench b;
  QVERIFY(b.open({b.addMap("a", Map(4, 4)), b.addMap("b", Map(4, 4))}));
  b.bg(1).parallaxX = 0.5;
  ui::EditorBackgroundDialog d(*b.editor, 0);
  QCOMPARE(d.windowTitle(), QString("Propriétés du fond a"));
  Type(&d, "Vitesse horizontale", "200");
  b.dialogs.queueAnswer(Answer::No);
  ClickOk(&d);
  QCOMPARE(b.dialogs.entries().back().text, std::string(mapeditor::texts::kParallaxQuestion));
  QCOMPARE(b.dialogs.entries().back().caption, std::string("Erreur"));
  QCOMPARE(d.result(), 0);  // No keeps the sheet open
  QCOMPARE(b.bg(1).parallaxX, 0.5);
  // Yes, but a refused reference tile keeps the sheet open: a second OK
  // must not halve the others again.
  Type(&d, "Mosaïque de référence", "64");
  b.dialogs.queueAnswer(Answer::Yes);
  ClickOk(&d);
  QCOMPARE(d.result(), 0);
  Type(&d, "Mosaïque de référence", "0");
  ClickOk(&d);
  QCOMPARE(d.result(), int(QDialog::Accepted));
  QCOMPARE(b.bg(0).parallaxX, 1.0);
  QCOMPARE(b.bg(1).parallaxX, 0.25);
  ui::EditorBackgroundDialog again(*b.editor, 1);
  QCOMPARE(Find(&again, "Vitesse horizontale")->text(), QString("25"));
}

void EditorDialogsTest::enlargingKeepsTheTopLeftCells() {
  Bench b;
  QVERIFY(b.open({b.addMap("a", Map(32, 32, -1, 1024))}));
  std::vector<uint32_t> before = b.bg(0).cells;
  ui::EditorBackgroundDialog d(*b.editor, 0);
  Type(&d, "Largeur en blocs", "40");
  Type(&d, "Hauteur en blocs", "20");
  b.dialogs.queueAnswer(Answer::Yes);  // rows 20..31 hold non-zero cells
  ClickOk(&d);
  QCOMPARE(d.result(), int(QDialog::Accepted));
  QCOMPARE(b.bg(0).width, 40);
  QCOMPARE(b.bg(0).height, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x)
      QCOMPARE(b.bg(0).cell(x, y), x < 32 ? before[static_cast<size_t>(y * 32 + x)] : 0u);
}

void EditorDialogsTest::shrinkingAsksAndCanBeUndone() {
  Bench b;
  mapeditor::LoadedMap m = Map(4, 4, 0);
  m.cells[3] = 7;   // (3, 0)
  m.cells[13] = 9;  // (1, 3)
  QVERIFY(b.open({b.addMap("a", std::move(m))}));
  ui::EditorBackgroundDialog d(*b.editor, 0);
  Type(&d, "Largeur en blocs", "3");
  Type(&d, "Hauteur en blocs", "3");
  b.dialogs.queueAnswer(Answer::No);
  ClickOk(&d);
  QCOMPARE(Texts(b).back(), QString("La nouvelle taille supprime 2 case(s) non vide(s) de la "
                                    "map.\nVoulez-vous continuer?"));
  QCOMPARE(d.result(), 0);
  QCOMPARE(b.bg(0).width, 4);
  b.dialogs.queueAnswer(Answer::Yes);
  ClickOk(&d);
  QCOMPARE(b.bg(0).width, 3);
  QVERIFY(b.editor->canUndo());
  b.editor->undoGroup();
  QCOMPARE(b.bg(0).width, 4);
  QCOMPARE(b.bg(0).height, 4);
  QCOMPARE(b.bg(0).cell(3, 0), 7u);
  QCOMPARE(b.bg(0).cell(1, 3), 9u);
  b.editor->redoGroup();
  QCOMPARE(b.bg(0).width, 3);
  QCOMPARE(b.bg(0).cells.size(), size_t{9});
}

void EditorDialogsTest::referenceTileEqualToTheTileCountIsRefused() {
  Bench b;
  QVERIFY(b.open({b.addMap("a", Map(4, 4, -1, 64))}));
  ui::EditorBackgroundDialog d(*b.editor, 0);
  Type(&d, "Mosaïque de référence", "64");
  ClickOk(&d);
  QCOMPARE(Texts(b).back(), QString("Le numéro de motif choisi est plus grand ou égal au "
                                    "nombre total de motifs..."));
  QCOMPARE(d.result(), 0);
  QCOMPARE(b.bg(0).referenceTile, 0);
  Type(&d, "Mosaïque de référence", "0x3f");
  ClickOk(&d);
  QCOMPARE(b.bg(0).referenceTile, 63);
}

void EditorDialogsTest::conditionLines_data() {
  QTest::addColumn<QString>("lowest");
  QTest::addColumn<QString>("highest");
  QTest::addColumn<QString>("target");
  QTest::addColumn<bool>("exact");
  QTest::addColumn<QString>("line");
  QTest::newRow("range") << "0x10"
                         << "0x1f"
                         << "0x100" << false << "10-1f -> 100 ";
  QTest::newRow("exact") << "0x10"
                         << "0x1f"
                         << "0x100" << true << "10-1f -> 100 (exact)";
  QTest::newRow("swapped") << "31"
                           << "16"
                           << "5" << false << "10-1f -> 5 ";
  QTest::newRow("one value") << "7"
                             << ""
                             << "2" << false << "7-7 -> 2 ";
}

void EditorDialogsTest::conditionLines() {
  QFETCH(QString, lowest);
  QFETCH(QString, highest);
  QFETCH(QString, target);
  QFETCH(bool, exact);
  QFETCH(QString, line);
  Bench b;
  QVERIFY(b.open({b.addMap("a", Map(4, 4))}));
  ui::EditorBackgroundDialog d(*b.editor, 0);
  Type(&d, "Valeurs entre ...", lowest);
  Type(&d, "et ...", highest);
  Type(&d, "Remplacer par ...", target);
  Find<QCheckBox>(&d, "Ne pas incrémenter")->setChecked(exact);
  Find<QPushButton>(&d, "Ajouter")->click();
  Find<QPushButton>(&d, "Ajouter")->click();  // an identical range is not added twice
  auto* list = Find<QListWidget>(&d, "Conditions");
  QCOMPARE(list->count(), 1);
  QCOMPARE(list->item(0)->text(), line);
  // Selecting the line gives the fields back as hexadecimal.
  Type(&d, "Valeurs entre ...", "");
  list->setCurrentRow(0);
  QVERIFY(Find(&d, "Valeurs entre ...")->text().startsWith("0x"));
  QVERIFY(Find<QPushButton>(&d, "Supprimer")->isEnabled());
  QVERIFY(b.bg(0).ranges.empty());  // stored on OK only
  ClickOk(&d);
  QCOMPARE(b.bg(0).ranges.size(), size_t{1});
  ui::EditorBackgroundDialog again(*b.editor, 0);
  auto* list2 = Find<QListWidget>(&again, "Conditions");
  list2->setCurrentRow(0);
  list2->setFocus();
  QTest::keyClick(list2, Qt::Key_Delete);
  QCOMPARE(list2->count(), 0);
  again.reject();
  QCOMPARE(b.bg(0).ranges.size(), size_t{1});  // Annuler drops the edits
}

void EditorDialogsTest::bitsPageUpdatesNames() {
  Bench b;
  QVERIFY(b.open({b.addMap("a", Map(4, 4))}));
  ui::EditorBackgroundDialog d(*b.editor, 0);
  auto* list = Find<QListWidget>(&d, "Bits");
  QCOMPARE(list->count(), 32);
  QCOMPARE(list->item(10)->text(), QString("10: Miroir horizontal (activé)"));
  QCOMPARE(list->item(3)->text(), QString("03:  (désactivé)"));
  list->setCurrentRow(3);
  Type(&d, "Nom du champ", "Collision");
  Find<QCheckBox>(&d, "Actif")->setChecked(true);
  Find<QPushButton>(&d, "Mettre à jour")->click();
  QCOMPARE(list->item(3)->text(), QString("03: Collision (activé)"));
  ClickOk(&d);
  QCOMPARE(b.editor->slot(0).bits.names[3], std::string("Collision"));
  QVERIFY(b.editor->slot(0).bits.active[3]);
}

void EditorDialogsTest::opacityAbove255Becomes255() {
  Bench b;
  QVERIFY(b.open({b.addMap("a", Map(4, 4))}));
  ui::EditorOptionsDialog d(*b.editor);
  QCOMPARE(d.tabs()->tabText(0), QString("Raccourcis"));
  QCOMPARE(d.tabs()->tabText(3), QString("Spécimen"));
  Type(&d, "Avant-plan", "300");
  Type(&d, "Arrière-plans", "");
  Type(&d, "Plans hexa", "12");
  Type(&d, "Zoom écran:", "abc");
  ClickOk(&d);
  const mapeditor::EditorSettings& s = b.w.editorHost.settings();
  QCOMPARE(s.foregroundOpacity, 255);
  QCOMPARE(s.backgroundOpacity, 128);  // empty: unchanged
  QCOMPARE(s.hexOpacity, 12);
  QCOMPARE(b.editor->zoom(), 1.0);
}

void EditorDialogsTest::linksArePrefilledAndAppended() {
  Bench b;
  QVERIFY(b.open({b.addMap("a", Map(4, 4)), b.addMap("b", Map(4, 4)), b.addMap("c", Map(4, 4))}));
  b.editor->linkFromText("1,2");
  ui::EditorLinksDialog d(*b.editor);
  QCOMPARE(d.numbers()->text(), QString("1, 2"));
  QCOMPARE(d.backgrounds()->itemText(0), QString("(choisissez un fond)"));
  QCOMPARE(d.backgrounds()->itemText(3), QString("3 = c"));
  d.backgrounds()->setCurrentIndex(3);
  emit d.backgrounds()->activated(3);
  QCOMPARE(d.numbers()->text(), QString("1, 2, 3"));
  ClickOk(&d);
  QCOMPARE(b.editor->activeGroup(), (std::vector<int>{0, 1, 2}));
}

void EditorDialogsTest::blockFormatChecks_data() {
  QTest::addColumn<QString>("width");
  QTest::addColumn<QString>("height");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("question");
  QTest::newRow("12 × 8") << "12"
                          << "8"
                          << QString::fromStdString(
                                 std::string(mapeditor::texts::kBlocksNotMultipleOf8))
                          << false;
  QTest::newRow("72 × 8") << "72"
                          << "8"
                          << QString::fromStdString(
                                 std::string(mapeditor::texts::kBlocksOutOfRange))
                          << false;
  QTest::newRow("24 × 8") << "24"
                          << "8"
                          << QString::fromStdString(
                                 std::string(mapeditor::texts::kBlocksNotEditable))
                          << true;
  QTest::newRow("text") << "huit"
                        << "8"
                        << QString::fromStdString(std::string(mapeditor::texts::kBlocksOutOfRange))
                        << false;
}

void EditorDialogsTest::blockFormatChecks() {
  QFETCH(QString, width);
  QFETCH(QString, height);
  QFETCH(QString, text);
  QFETCH(bool, question);
  Bench b;
  QVERIFY(b.open({b.addMap("a", Map(4, 4))}));
  ui::EditorBlockFormatDialog d(*b.editor);
  QCOMPARE(d.blockWidth()->text(), QString("8"));
  d.blockWidth()->setText(width);
  d.blockHeight()->setText(height);
  b.dialogs.queueAnswer(Answer::No);
  ClickOk(&d);
  QCOMPARE(Texts(b).value(0), text);
  QCOMPARE(b.dialogs.entries().front().caption, std::string("Oups..."));
  QCOMPARE(b.dialogs.entries().front().isQuestion, question);
  QCOMPARE(d.result(), 0);
}

void EditorDialogsTest::blockFormat16To8SplitsEachTile() {
  Bench b;
  QVERIFY(b.open({b.addMap("a", Map(2, 1, 3, 8, 16))}));
  // Through the entry point, the way the options' "Format des blocs" runs it.
  QTimer::singleShot(0, [&b] {
    auto* d = qobject_cast<ui::EditorBlockFormatDialog*>(QApplication::activeModalWidget());
    if (!d) return;
    d->blockWidth()->setText("8");
    d->blockHeight()->setText("8");
    ClickOk(d);
    Q_UNUSED(b);
  });
  QVERIFY(ui::ShowBlockFormatDialog(nullptr, *b.editor));
  const mapeditor::Background& m = b.bg(0);
  QCOMPARE(m.width, 4);
  QCOMPARE(m.height, 2);
  QCOMPARE(m.tileCount, 32);
  QCOMPARE(m.cells, (std::vector<uint32_t>{12, 13, 12, 13, 14, 15, 14, 15}));
  QVERIFY(b.dialogs.entries().empty());  // smaller blocks: no question
}

void EditorDialogsTest::blockFormatLossesAskAndCanBeUndone() {
  Bench b;
  mapeditor::LoadedMap m = Map(2, 1, 0, 4, 16);
  m.cells = {0x401, 9};  // a mirror bit, and a tile beyond the 4 of the tileset
  QVERIFY(b.open({b.addMap("a", std::move(m))}));
  b.dialogs.queueAnswer(Answer::No);
  QVERIFY(!b.editor->convertActiveBlockFormat(8, 8));
  QCOMPARE(Texts(b).back(), QString::fromStdString(mapeditor::texts::WithNumber(
                                mapeditor::texts::kBlockFormatLossQuestion, 2)));
  QCOMPARE(b.bg(0).tileWidth, 16);
  QCOMPARE(b.bg(0).cells, (std::vector<uint32_t>{0x401, 9}));
  b.dialogs.queueAnswer(Answer::Yes);
  QVERIFY(b.editor->convertActiveBlockFormat(8, 8));
  QCOMPARE(b.bg(0).tileWidth, 8);
  QCOMPARE(b.bg(0).cells, (std::vector<uint32_t>(8, 0)));
  b.editor->undoGroup();
  QCOMPARE(b.bg(0).tileWidth, 16);
  QCOMPARE(b.bg(0).tileCount, 4);
  QCOMPARE(b.bg(0).width, 2);
  QCOMPARE(b.bg(0).cells, (std::vector<uint32_t>{0x401, 9}));
  QCOMPARE(b.bg(0).cellWidth, 16);
}

void EditorDialogsTest::operationsAreApplied() {
  Bench b;
  QVERIFY(b.open({b.addMap("a", Map(4, 4, 0x1C05))}));
  QVERIFY(b.editor->copySelection({0, 0, 15, 15}, true));
  ui::EditorOperationsDialog d(*b.editor);
  QCOMPARE(d.windowTitle(), QString("Opérations sur la sélection"));
  d.operations()->setText("&0x3ff|0x1000");
  ClickOk(&d);
  QCOMPARE(d.result(), int(QDialog::Accepted));
  const mapeditor::SelectionBuffer& buf = b.editor->buffer();
  QCOMPARE(buf.at(b.editor->activePlane(), 0, 0), 0x1005u);
  QCOMPARE(buf.at(b.editor->activePlane(), 1, 1), 0x1005u);
  QCOMPARE(b.bg(0).cell(0, 0), 0x1C05u);  // the map waits for "Coller"
}

void EditorDialogsTest::unknownOperatorAndTestTexts_data() {
  QTest::addColumn<QString>("operations");
  QTest::addColumn<QString>("condition");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("caption");
  QTest::newRow("operator") << "+ 1"
                            << ""
                            << "Opérateur inconnu.\nOpérateurs valides: |, &, +, "
                               "-, *, /, %, ^, =.\nExemple: +10"
                            << "Erreur lors de l'exécution de l'opération";
  QTest::newRow("test") << "+1"
                        << "?3"
                        << "Le test à effectuer est inconnu.\nTests valides: =, "
                           "<, <=, >=, >, !=\nExemple: >10"
                        << "Erreur lors de l'exécution de la condition";
  QTest::newRow("linker") << "+1"
                          << "> 10"
                          << "Le lieur de tests est inconnu\nLieurs valides: "
                             "et, ou.\nExemple: >=10 et <=13"
                          << "Erreur lors de l'exécution de la condition";
}

void EditorDialogsTest::unknownOperatorAndTestTexts() {
  QFETCH(QString, operations);
  QFETCH(QString, condition);
  QFETCH(QString, text);
  QFETCH(QString, caption);
  Bench b;
  QVERIFY(b.open({b.addMap("a", Map(4, 4, 1))}));
  QVERIFY(b.editor->copySelection({0, 0, 15, 7}, true));
  ui::EditorOperationsDialog d(*b.editor);
  d.operations()->setText(operations);
  d.condition()->setText(condition);
  ClickOk(&d);
  QCOMPARE(Texts(b).value(0), text);
  QCOMPARE(QString::fromStdString(b.dialogs.entries().front().caption), caption);
  QCOMPARE(d.result(), 0);
}

void EditorDialogsTest::blockCopyWithoutPositionsStaysOpen() {
  Bench b;
  QVERIFY(b.open({b.addMap("a", Map(8, 8))}));
  ui::EditorBlockCopyDialog d(*b.editor);
  d.field(2)->setText("2");
  ClickOk(&d);
  QCOMPARE(Texts(b).value(0), QString("Les informations fournies sont insuffisantes."));
  QCOMPARE(d.result(), 0);
  // Source and size: a copy into the buffer.
  d.field(0)->setText("1");
  d.field(1)->setText("2");
  d.field(3)->setText("3");
  ClickOk(&d);
  QCOMPARE(d.result(), int(QDialog::Accepted));
  QCOMPARE(b.editor->buffer().width, 2);
  QCOMPARE(b.editor->buffer().height, 3);
  QCOMPARE(b.editor->buffer().at(b.editor->activePlane(), 0, 0), b.bg(0).cell(1, 2));
}

void EditorDialogsTest::objectParametersWithoutFieldsGiveTheMessage() {
  Bench b;
  mapeditor::LoadedList list;
  list.count = 1;
  list.elements.assign(12, 0);
  list.tiles = uitest::Tiles(4, 8);
  QVERIFY(b.open({b.addList("objets", std::move(list))}));
  b.editor->listSelection() = {0};
  QVERIFY(!ui::ShowObjectParameters(nullptr, *b.editor));
  QCOMPARE(Texts(b), QStringList{"Vous devez d'abord définir des propriétés pour l'objet avant de "
                                 "pouvoir les éditer!"});
  QCOMPARE(b.dialogs.entries().front().icon, platform::Icon::Warning);
}

void EditorDialogsTest::objectParametersWriteEverySelectedObject() {
  Bench b;
  mapeditor::LoadedList list;
  list.model.fields = {formats::MakeField(formats::kFieldInteger, 4, "Vie <vie>", "3"),
                       formats::MakeField(formats::kFieldRaw, 8, "Nom", "")};
  list.elementSize = list.model.objectSize();
  list.count = 2;
  list.elements.assign(static_cast<size_t>(list.elementSize) * 2, 0);
  list.tiles = uitest::Tiles(4, 8);
  QVERIFY(b.open({b.addList("objets", std::move(list))}));
  b.editor->listSelection() = {0, 1};
  ui::EditorObjectDialog d(*b.editor, b.editor->objectFieldTexts());
  QCOMPARE(d.fields().size(), size_t{2});
  QCOMPARE(d.findChildren<QLabel*>().at(0)->text(), QString(" vie"));
  d.fields()[0]->setText("0x20");
  d.fields()[1]->setText("ogre");
  ClickOk(&d);
  b.editor->listSelection() = {1};
  std::vector<std::string> second = b.editor->objectFieldTexts();
  QCOMPARE(second.at(0), std::string("32"));
  QCOMPARE(second.at(1), std::string("ogre"));
}

void EditorDialogsTest::everyControlHasAnAccessibleName() {
  Bench b;
  QVERIFY(b.open({b.addMap("a", Map(4, 4)), b.addMap("b", Map(4, 4))}));
  std::vector<std::unique_ptr<QWidget>> windows;
  windows.emplace_back(new ui::EditorBackgroundDialog(*b.editor, 0));
  windows.emplace_back(new ui::EditorOptionsDialog(*b.editor));
  windows.emplace_back(new ui::EditorOperationsDialog(*b.editor));
  windows.emplace_back(new ui::EditorBlockCopyDialog(*b.editor));
  windows.emplace_back(new ui::EditorBlockFormatDialog(*b.editor));
  windows.emplace_back(new ui::EditorLinksDialog(*b.editor));
  windows.emplace_back(new ui::EditorBitGrid(*b.editor));
  windows.emplace_back(new ui::EditorSpecimenWindow(*b.editor));
  for (const auto& w : windows) {
    for (QWidget* c : w->findChildren<QWidget*>()) {
      bool control = qobject_cast<QAbstractButton*>(c) || qobject_cast<QLineEdit*>(c) ||
                     qobject_cast<QComboBox*>(c) || qobject_cast<QListWidget*>(c) ||
                     qobject_cast<QScrollBar*>(c);
      bool inner = false;  // the scroll bars and buttons of item views and tab bars
      for (QWidget* p = c->parentWidget(); p && p != w.get(); p = p->parentWidget())
        inner = inner || qobject_cast<QAbstractScrollArea*>(p) || qobject_cast<QTabBar*>(p) ||
                qobject_cast<QComboBox*>(p);
      if (!control || inner) continue;
      QVERIFY2(!c->accessibleName().isEmpty(),
               qPrintable(w->windowTitle() + ": " + c->metaObject()->className()));
      QVERIFY2(c->focusPolicy() & Qt::TabFocus,
               qPrintable(w->windowTitle() + ": " + c->accessibleName()));
    }
  }
}

QTEST_MAIN(EditorDialogsTest)
#include "editor_dialogs_test.moc"
