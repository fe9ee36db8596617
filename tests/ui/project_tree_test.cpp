// The project tree of the main window: context menus, double-clicks, label
// editing, Delete, dragging entries and files dropped on the window.
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

#include "window_fixture.h"
#include "window_tests.h"

using uitest::Find;
using uitest::Items;
using uitest::MenuItem;
using uitest::Settle;
using uitest::U;
using uitest::WindowFixture;

namespace {

const char* kTreeProject =
    "#Fichier de projet Tessel Works\n"
    " .section fichiers\n"
    " #--------------\n"
    "  Elément: Monde\n"
    "  Type: dossier\n"
    " #--------------\n"
    "  Elément: Sous\n"
    "  Type: dossier\n"
    "  Dossier: Monde\n"
    " #--------------\n"
    "  Elément: niveau\n"
    "  Type: carte\n"
    "  Fichier: maps/niveau.map.c\n"
    "  Base: maps/niveau.png\n"
    "  Dossier: Monde\n"
    " #--------------\n"
    "  Elément: hero\n"
    "  Type: tileset\n"
    "  Fichier: gfx/hero.til.c\n"
    "  Base: \n"
    " #--------------\n"
    "  Elément: ennemis\n"
    "  Type: liste\n"
    "  Fichier: maps/ennemis.lst.c\n"
    "  Base: maps/absent.png\n"
    " #--------------\n"
    "  Elément: pal\n"
    "  Type: palette\n"
    "  Fichier: gfx/pal.pal.c\n"
    "  Base: gfx/pal.png\n"
    " Fin\n";

// The fixture with the files of the sample: the hero tileset's file is
// missing, so is the list's base file.
struct TreeFixture : WindowFixture {
  TreeFixture() : WindowFixture(kTreeProject) {
    writeFile("maps/niveau.map.c", "const unsigned short niveau[] = {0};\n");
    writeFile("maps/niveau.png", "png");
    writeFile("maps/ennemis.lst.c", "liste\n");
    writeFile("gfx/pal.pal.c", "palette\n");
    writeFile("gfx/pal.png", "png");
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
  }
  QList<MenuItem> menuOf(const std::string& name) {
    std::unique_ptr<QMenu> menu(window->contextMenuFor(item(name)));
    return menu ? Items(menu.get()) : QList<MenuItem>();
  }
  QAction* trigger(const std::string& name, const QString& text) {
    QMenu* menu = window->contextMenuFor(item(name));
    QAction* action = Find(menu, text);
    if (action) action->trigger();
    menu->deleteLater();
    return action;
  }
  // Previews of the fixture's stand-in files may report them; no question is asked.
  void checkNoQuestions() const {
    for (const auto& e : dialogs.entries()) QVERIFY2(!e.isQuestion, e.text.c_str());
  }
};

QList<MenuItem> CommonTail() {
  return {{"-"}, {"Dupliquer"}, {"Renommer\t   F2"}, {"Supprimer\t   Del"}, {U("Propriétés")}};
}

QMimeData* FileUrls(const QStringList& paths) {
  auto* data = new QMimeData;
  QList<QUrl> urls;
  for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
  data->setUrls(urls);
  return data;
}

}  // namespace

void ProjectTreeTest::elementMenuHasItsItemsInOrder_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QList<MenuItem>>("items");
  QTest::newRow("map") << "niveau"
                       << (QList<MenuItem>{{"Voir le code"}, {"Editer"}, {"Fichier base"}} +
                           CommonTail());
  QTest::newRow("tileset without its file")
      << "hero" << (QList<MenuItem>{{U("Fichier non-trouvé"), false}} + CommonTail());
  QTest::newRow("list, base file missing")
      << "ennemis" << (QList<MenuItem>{{"Voir le code"}, {"Editer"}} + CommonTail());
  QTest::newRow("palette") << "pal"
                           << (QList<MenuItem>{{"Voir le code"}, {"Fichier base"}} + CommonTail());
  QTest::newRow("folder") << "Monde"
                          << QList<MenuItem>{
                                 {U("Dossier par défaut pour...")}, {"Renommer"}, {"Supprimer"}};
}

void ProjectTreeTest::elementMenuHasItsItemsInOrder() {
  QFETCH(QString, name);
  QFETCH(QList<MenuItem>, items);
  TreeFixture f;
  QCOMPARE(f.menuOf(name.toStdString()), items);
}

void ProjectTreeTest::elementMenuCommandsOpenTheFilesThroughTheShell() {
  TreeFixture f;
  using Action = platform::RecordingShell::Action;
  QVERIFY(f.trigger("pal", "Voir le code"));
  QCOMPARE(f.recording.calls().size(), size_t{1});
  QCOMPARE(f.recording.calls()[0].action, Action::EditTextFile);
  QCOMPARE(f.recording.calls()[0].argument, std::string("gfx/pal.pal.c"));
  QVERIFY(f.trigger("pal", "Fichier base"));
  QCOMPARE(f.recording.calls()[1].action, Action::OpenDocument);
  QCOMPARE(f.recording.calls()[1].argument, std::string("gfx/pal.png"));
  // "Editer" opens the map editor, not a file.
  QVERIFY(f.trigger("niveau", "Editer"));
  QCOMPARE(f.recording.calls().size(), size_t{2});
  f.checkNoQuestions();
}

void ProjectTreeTest::baseFileIsOpenedOnlyWhenItIsAPlainDocument() {
  TreeFixture f;
  QFile::setPermissions(f.dir.filePath("gfx/pal.png"),
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  QVERIFY(f.trigger("pal", "Fichier base"));
  QVERIFY(f.recording.calls().empty());
  QCOMPARE(f.dialogs.entries().size(), size_t{1});
  QCOMPARE(U(f.dialogs.entries()[0].text),
           U("Le fichier gfx/pal.png n'est pas un document ordinaire (dossier, périphérique ou "
             "programme): il n'est pas ouvert."));
  QCOMPARE(U(f.dialogs.entries()[0].caption), QString("Attention"));
  QCOMPARE(f.dialogs.entries()[0].icon, platform::Icon::Warning);
  // A directory as base file is not opened either.
  QDir(f.dir.path()).mkpath("gfx/dossier.png");
  project::EntryRecord r = f.w.project.entry(static_cast<size_t>(f.index("pal")));
  r.baseFile = "gfx/dossier.png";
  f.w.project.updateEntry(static_cast<size_t>(f.index("pal")), r);
  f.window->refreshTree();
  QVERIFY(f.trigger("pal", "Fichier base"));
  QVERIFY(f.recording.calls().empty());
}

void ProjectTreeTest::folderMenuSetsAndClearsDefaultFolders() {
  TreeFixture f;
  f.w.project.setDefaultFolder(project::kKindMap, "Monde");
  std::unique_ptr<QMenu> menu(f.window->contextMenuFor(f.item("Monde")));
  QMenu* sub = menu->actions().at(0)->menu();
  QVERIFY(sub);
  QCOMPARE(Items(sub),
           QList<MenuItem>(
               {{"mosaiques"}, {"cartes", true, true}, {"palettes"}, {"bitmaps"}, {"listes"}}));
  for (QAction* a : sub->actions()) QVERIFY(a->isCheckable());
  Find(sub, "mosaiques")->trigger();
  QCOMPARE(f.w.project.defaultFolder(project::kKindTileset), std::string("Monde"));
  // Choosing the checked item clears that default.
  Find(sub, "cartes")->trigger();
  QVERIFY(f.w.project.defaultFolder(project::kKindMap).empty());
  std::unique_ptr<QMenu> again(f.window->contextMenuFor(f.item("Sous")));
  QCOMPARE(Items(again->actions().at(0)->menu()).at(0), MenuItem({"mosaiques"}));
  // "Renommer" starts the label edit of the Folder.
  f.trigger("Monde", "Renommer");
  QVERIFY(f.window->treeView()->isRenaming());
  QTest::keyClick(f.window->treeView()->labelEditor(), Qt::Key_Escape);
  Settle();
  QVERIFY(!f.window->treeView()->isRenaming());
}

void ProjectTreeTest::categoryMenuShowsAndRestoresDefaultFolders() {
  TreeFixture f;
  // No default folder anywhere.
  QCOMPARE(f.menuOf("Cartes"), QList<MenuItem>({{"Dossier Ok", false, true}}));
  // Another kind has one.
  f.w.project.setDefaultFolder(project::kKindTileset, "Monde");
  QCOMPARE(f.menuOf("Cartes"),
           QList<MenuItem>({{"Restaurer tous les dossiers"}, {"-"}, {"Dossier Ok", false, true}}));
  // This kind has one.
  QCOMPARE(f.menuOf(U("Mosaïques").toStdString()),
           QList<MenuItem>({{U("Restaurer le dossier par défaut")},
                            {"Restaurer tous les dossiers"},
                            {"-"},
                            {"Dossier courant: Monde", false}}));
  f.w.project.setDefaultFolder(project::kKindMap, "Sous");
  f.trigger(U("Mosaïques").toStdString(), U("Restaurer le dossier par défaut"));
  QVERIFY(f.w.project.defaultFolder(project::kKindTileset).empty());
  QCOMPARE(f.w.project.defaultFolder(project::kKindMap), std::string("Sous"));
  f.w.project.setDefaultFolder(11, "Monde");
  f.trigger("Cartes", "Restaurer tous les dossiers");
  for (const std::string& slot : f.w.project.defaultFolders()) QVERIFY(slot.empty());
}

void ProjectTreeTest::doubleClickOpensTextFilesOrTheMapEditor() {
  TreeFixture f;
  ui::ProjectTreeView* tree = f.window->treeView();
  auto doubleClick = [&](QTreeWidgetItem* item) {
    QRect r = tree->visualItemRect(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, r.center());
  };
  doubleClick(f.item("pal"));
  QCOMPARE(f.recording.calls().size(), size_t{1});
  QCOMPARE(f.recording.calls()[0].action, platform::RecordingShell::Action::EditTextFile);
  QCOMPARE(f.recording.calls()[0].argument, std::string("gfx/pal.pal.c"));
  // A map and a list open in the editor; Folders and Categories do nothing.
  doubleClick(f.item("niveau"));
  doubleClick(f.item("ennemis"));
  doubleClick(f.item("Sous"));
  doubleClick(f.item("Palettes"));
  QCOMPARE(f.recording.calls().size(), size_t{1});
  f.checkNoQuestions();
  // An element whose file is missing says so.
  doubleClick(f.item("hero"));
  QCOMPARE(f.recording.calls().size(), size_t{1});
  QCOMPARE(U(f.dialogs.entries().back().text), QString("Le fichier gfx/hero.til.c n'existe pas."));
}

void ProjectTreeTest::f2TypingAndEnterRenames() {
  TreeFixture f;
  ui::ProjectTreeView* tree = f.window->treeView();
  tree->setFocus();
  tree->setCurrentItem(f.item("pal"));
  QTest::keyClick(tree, Qt::Key_F2);
  QVERIFY(tree->isRenaming());
  auto* editor = qobject_cast<QLineEdit*>(tree->labelEditor());
  QVERIFY(editor);
  QCOMPARE(editor->text(), QString("pal"));
  QCOMPARE(editor->selectedText(), QString("pal"));
  QTest::keyClicks(editor, "couleurs");
  QTest::keyClick(editor, Qt::Key_Return);
  Settle();
  QVERIFY(!tree->isRenaming());
  QCOMPARE(f.index("pal"), -1);
  int renamed = f.index("couleurs");
  QVERIFY(renamed >= 0);
  // The renamed element went through Add entry: it is last, keeps its file
  // and stays selected.
  QCOMPARE(renamed, static_cast<int>(f.w.project.count()) - 1);
  QCOMPARE(f.w.project.entry(static_cast<size_t>(renamed)).file, std::string("gfx/pal.pal.c"));
  QCOMPARE(tree->currentItem()->text(0), QString("couleurs"));
  QCOMPARE(f.item(U("Palettes").toStdString())->child(0)->text(0), QString("couleurs"));
  // F2 on a Category edits nothing.
  tree->setCurrentItem(f.item("Cartes"));
  QTest::keyClick(tree, Qt::Key_F2);
  QVERIFY(!tree->isRenaming());
  // A name taken by an element of the same kind gets a number.
  tree->setCurrentItem(f.item("couleurs"));
  project::EntryRecord other;
  other.name = "autre";
  other.kind = project::kKindPalette;
  other.file = "x.pal.c";
  f.w.project.addEntry(other);
  f.window->refreshTree();
  tree->setCurrentItem(f.item("autre"));
  QTest::keyClick(tree, Qt::Key_F2);
  QTest::keyClicks(tree->labelEditor(), "couleurs");
  QTest::keyClick(tree->labelEditor(), Qt::Key_Enter);
  Settle();
  QVERIFY(f.index("couleurs2") >= 0);
}

void ProjectTreeTest::renamingCutsLongNamesAndEmptyCancels() {
  TreeFixture f;
  ui::ProjectTreeView* tree = f.window->treeView();
  QVERIFY(tree->startRenaming(f.item("pal")));
  auto* editor = qobject_cast<QLineEdit*>(tree->labelEditor());
  editor->clear();
  QTest::keyClicks(editor, QString(40, 'n'));
  QTest::keyClick(editor, Qt::Key_Return);
  Settle();
  QVERIFY(f.index(std::string(30, 'n')) >= 0);
  // An empty label changes nothing.
  QVERIFY(tree->startRenaming(f.item(std::string(30, 'n'))));
  qobject_cast<QLineEdit*>(tree->labelEditor())->clear();
  QTest::keyClick(tree->labelEditor(), Qt::Key_Return);
  Settle();
  QVERIFY(f.index(std::string(30, 'n')) >= 0);
}

void ProjectTreeTest::renamingAFolderKeepsItsMembers() {
  TreeFixture f;
  f.w.project.setDefaultFolder(project::kKindMap, "Monde");
  ui::ProjectTreeView* tree = f.window->treeView();
  tree->setCurrentItem(f.item("Monde"));
  QTest::keyClick(tree, Qt::Key_F2);
  QTest::keyClicks(tree->labelEditor(), "Univers");
  QTest::keyClick(tree->labelEditor(), Qt::Key_Return);
  Settle();
  QCOMPARE(f.index("Univers"), 0);  // in place
  QCOMPARE(f.w.project.entry(static_cast<size_t>(f.index("niveau"))).folder,
           std::string("Univers"));
  QCOMPARE(f.w.project.defaultFolder(project::kKindMap), std::string("Univers"));
  QTreeWidgetItem* univers = f.item("Univers");
  QCOMPARE(univers->childCount(), 2);
}

void ProjectTreeTest::escapeAfterDuplicateRemovesTheCopy() {
  TreeFixture f;
  size_t before = f.w.project.count();
  QVERIFY(f.trigger("niveau", "Dupliquer"));
  QCOMPARE(f.w.project.count(), before + 1);
  ui::ProjectTreeView* tree = f.window->treeView();
  QVERIFY(tree->isRenaming());
  auto* editor = qobject_cast<QLineEdit*>(tree->labelEditor());
  QCOMPARE(editor->text(), QString("niveau2"));
  QTest::keyClick(editor, Qt::Key_Escape);
  Settle();
  QCOMPARE(f.w.project.count(), before);
  QCOMPARE(f.index("niveau2"), -1);
  QVERIFY(!QFile::exists(f.dir.filePath("maps/niveau2.map.c")));
  QCOMPARE(f.item("Monde")->childCount(), 2);
}

void ProjectTreeTest::enterAfterDuplicateCopiesTheFile() {
  TreeFixture f;
  QVERIFY(f.trigger("niveau", "Dupliquer"));
  ui::ProjectTreeView* tree = f.window->treeView();
  QTest::keyClicks(tree->labelEditor(), "niveau_bis");
  QTest::keyClick(tree->labelEditor(), Qt::Key_Return);
  Settle();
  int copy = f.index("niveau_bis");
  QVERIFY(copy >= 0);
  const project::EntryRecord& e = f.w.project.entry(static_cast<size_t>(copy));
  QCOMPARE(e.file, std::string("maps/niveau_bis.map.c"));
  QCOMPARE(e.folder, std::string("Monde"));
  QCOMPARE(f.readFile("maps/niveau_bis.map.c"), f.readFile("maps/niveau.map.c"));
  QVERIFY(f.index("niveau") >= 0);
}

void ProjectTreeTest::deleteAsksThePart11Question() {
  TreeFixture f;
  ui::ProjectTreeView* tree = f.window->treeView();
  tree->setFocus();
  tree->setCurrentItem(f.item("pal"));
  f.dialogs.queueAnswer(platform::Answer::Cancel);
  QTest::keyClick(tree, Qt::Key_Delete);
  QCOMPARE(f.dialogs.entries().size(), size_t{1});
  const auto& q = f.dialogs.entries()[0];
  QCOMPARE(U(q.text),
           U("Supprimer l'élément définitivement, le fichier associé (gfx/pal.pal.c) compris?"));
  QCOMPARE(U(q.caption), QString("Question"));
  QCOMPARE(q.buttons, platform::Buttons::YesNoCancel);
  QCOMPARE(q.defaultAnswer, platform::Answer::No);
  QCOMPARE(q.icon, platform::Icon::Question);
  QVERIFY(f.index("pal") >= 0);
  // No: only the entry goes.
  f.dialogs.queueAnswer(platform::Answer::No);
  QTest::keyClick(tree, Qt::Key_Delete);
  QCOMPARE(f.index("pal"), -1);
  QVERIFY(QFile::exists(f.dir.filePath("gfx/pal.pal.c")));
  // Yes: the file goes through the shell too.
  f.dialogs.queueAnswer(platform::Answer::Yes);
  QVERIFY(f.trigger("ennemis", "Supprimer\t   Del"));
  QCOMPARE(f.index("ennemis"), -1);
  QCOMPARE(f.recording.calls().back().action, platform::RecordingShell::Action::DeleteFile);
  QVERIFY(!QFile::exists(f.dir.filePath("maps/ennemis.lst.c")));
  // An element without a file goes without a question.
  tree->setCurrentItem(f.item("hero"));
  size_t asked = f.dialogs.entries().size();
  QTest::keyClick(tree, Qt::Key_Delete);
  QCOMPARE(f.index("hero"), -1);
  QCOMPARE(f.dialogs.entries().size(), asked);
}

void ProjectTreeTest::deleteOfAFolderWithMembersAsksFirst() {
  TreeFixture f;
  f.dialogs.queueAnswer(platform::Answer::No);
  QVERIFY(f.trigger("Monde", "Supprimer"));
  const auto& q = f.dialogs.entries().at(0);
  QCOMPARE(U(q.text), U("Ce dossier n'est pas vide! Vous devriez d'abord supprimer les éléments "
                        "qui s'y trouvent!\nVoulez-vous VRAIMENT le supprimer?"));
  QCOMPARE(U(q.caption), QString("Attention!"));
  QCOMPARE(q.icon, platform::Icon::Warning);
  QVERIFY(f.index("Monde") >= 0);
  f.dialogs.queueAnswer(platform::Answer::Yes);
  QVERIFY(f.trigger("Monde", "Supprimer"));
  QCOMPARE(f.index("Monde"), -1);
  QCOMPARE(f.index("Sous"), -1);
  QCOMPARE(f.item("niveau")->parent()->text(0), QString("Cartes"));
}

void ProjectTreeTest::draggingHighlightsTheDropTargetAndMovesTheEntry() {
  TreeFixture f;
  ui::ProjectTreeView* tree = f.window->treeView();
  QWidget* viewport = tree->viewport();
  project::TreeItem hero = ui::ProjectTreeView::coreItem(f.item("hero"));
  std::unique_ptr<QMimeData> data(ui::ProjectTreeView::entryMimeData(hero));
  auto centre = [&](const std::string& name) {
    return QPointF(tree->visualItemRect(f.item(name)).center());
  };

  QDragEnterEvent enter(centre("hero").toPoint(), Qt::MoveAction, data.get(), Qt::LeftButton, {});
  QApplication::sendEvent(viewport, &enter);
  QVERIFY(enter.isAccepted());
  QDragMoveEvent overSous(centre("Sous").toPoint(), Qt::MoveAction, data.get(), Qt::LeftButton, {});
  QApplication::sendEvent(viewport, &overSous);
  QTreeWidgetItem* sous = f.item("Sous");
  QCOMPARE(tree->dropTarget(), sous);
  QVERIFY(sous->font(0).bold());
  QCOMPARE(sous->background(0).color(), tree->palette().color(QPalette::Highlight));
  // Moving on: the previous target gets its look back.
  QDragMoveEvent overPal(centre("pal").toPoint(), Qt::MoveAction, data.get(), Qt::LeftButton, {});
  QApplication::sendEvent(viewport, &overPal);
  QCOMPARE(tree->dropTarget(), f.item("pal"));
  QVERIFY(!sous->font(0).bold());
  QCOMPARE(sous->background(0).style(), Qt::NoBrush);

  QDropEvent drop(centre("Sous"), Qt::MoveAction, data.get(), Qt::LeftButton, {});
  QApplication::sendEvent(viewport, &drop);
  QVERIFY(drop.isAccepted());
  QCOMPARE(tree->dropTarget(), nullptr);
  int index = f.index("hero");
  QCOMPARE(f.w.project.entry(static_cast<size_t>(index)).folder, std::string("Sous"));
  QCOMPARE(index, static_cast<int>(f.w.project.count()) - 1);
  QCOMPARE(f.item("hero")->parent()->text(0), QString("Sous"));
  QCOMPARE(tree->currentItem(), f.item("hero"));

  // Dropped on its Category it goes back there.
  std::unique_ptr<QMimeData> again(
      ui::ProjectTreeView::entryMimeData(ui::ProjectTreeView::coreItem(f.item("hero"))));
  QVERIFY(uitest::SendDrop(viewport, centre(U("Mosaïques").toStdString()), again.get(),
                           Qt::MoveAction));
  QCOMPARE(f.item("hero")->parent()->text(0), U("Mosaïques"));
  QVERIFY(!f.w.project.entry(static_cast<size_t>(f.index("hero"))).inFolder());
  f.checkNoQuestions();
}

void ProjectTreeTest::draggingAFolderIntoItselfIsRefused() {
  TreeFixture f;
  ui::ProjectTreeView* tree = f.window->treeView();
  std::unique_ptr<QMimeData> data(
      ui::ProjectTreeView::entryMimeData(ui::ProjectTreeView::coreItem(f.item("Monde"))));
  uitest::SendDrop(tree->viewport(), QPointF(tree->visualItemRect(f.item("Sous")).center()),
                   data.get(), Qt::MoveAction);
  QCOMPARE(f.dialogs.entries().size(), size_t{1});
  QCOMPARE(U(f.dialogs.entries()[0].text),
           U("Vous ne pouvez pas déplacer un répertoire dans l'un de ses sous-répertoires!"));
  QCOMPARE(f.item("Monde")->parent(), nullptr);
}

void ProjectTreeTest::droppedFilesBecomeElements() {
  TreeFixture f;
  QVERIFY(f.window->start());
  f.writeFile("gfx/hero.til.c", "tiles\n");
  f.writeFile("gfx/notes.txt", "rien\n");
  f.writeFile("gfx/fond.map.c", "map\n");
  std::unique_ptr<QMimeData> data(
      FileUrls({f.dir.filePath("gfx/hero.til.c"), f.dir.filePath("gfx/notes.txt"),
                f.dir.filePath("gfx/fond.map.c")}));
  QPoint where = f.window->rect().center();
  QDragEnterEvent enter(where, Qt::CopyAction, data.get(), Qt::LeftButton, {});
  QApplication::sendEvent(f.window.get(), &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(QPointF(where), Qt::CopyAction, data.get(), Qt::LeftButton, {});
  QApplication::sendEvent(f.window.get(), &drop);
  QVERIFY(drop.isAccepted());

  int tileset = f.index("hero.til.c");
  QVERIFY(tileset >= 0);
  const project::EntryRecord& t = f.w.project.entry(static_cast<size_t>(tileset));
  QCOMPARE(t.kindCode(), project::kKindTileset);
  QCOMPARE(t.file, std::string("gfx/hero.til.c"));
  QVERIFY(t.baseFile.empty());
  int map = f.index("fond.map.c");
  QVERIFY(map >= 0);
  QCOMPARE(f.w.project.entry(static_cast<size_t>(map)).kindCode(), project::kKindMap);
  QCOMPARE(f.index("notes.txt"), -1);
  QCOMPARE(f.item("hero.til.c")->parent()->text(0), U("Mosaïques"));
  // The default folder of its kind applies.
  f.w.project.setDefaultFolder(project::kKindTileset, "Monde");
  f.writeFile("gfx/decor.til.c", "tiles\n");
  QCOMPARE(f.window->addDroppedFiles({f.dir.filePath("gfx/decor.til.c")}), 1);
  QCOMPARE(f.item("decor.til.c")->parent()->text(0), QString("Monde"));
}

void ProjectTreeTest::droppedFilesOfTheParentDirectoryStartWithDotDot() {
  TreeFixture f;
  QVERIFY(f.window->start());
  QDir(f.dir.path()).mkpath("projet");
  QDir::setCurrent(f.dir.filePath("projet"));
  f.writeFile("commun.pal.c", "palette\n");
  f.writeFile("voisin/loin.pal.c", "palette\n");
  QTemporaryDir elsewhere;
  QString far = elsewhere.filePath("ailleurs.pal.c");
  QFile(far).open(QIODevice::WriteOnly);
  std::unique_ptr<QMimeData> data(
      FileUrls({f.dir.filePath("commun.pal.c"), f.dir.filePath("voisin/loin.pal.c"), far}));
  QVERIFY(uitest::SendDrop(f.window.get(), QPointF(10, 10), data.get(), Qt::CopyAction));
  QCOMPARE(f.w.project.entry(static_cast<size_t>(f.index("commun.pal.c"))).file,
           std::string("../commun.pal.c"));
  QCOMPARE(f.w.project.entry(static_cast<size_t>(f.index("loin.pal.c"))).file,
           std::string("../voisin/loin.pal.c"));
  // Elsewhere: the path stays whole.
  QCOMPARE(f.w.project.entry(static_cast<size_t>(f.index("ailleurs.pal.c"))).file,
           QFileInfo(far).absoluteFilePath().toStdString());
  // A path the project cannot keep whole is refused, not cut.
  QString deep = "voisin/" + QString(120, 'a') + "/" + QString(120, 'b') + "/profond.pal.c";
  f.writeFile(deep, "palette\n");
  size_t before = f.w.project.count();
  QCOMPARE(f.window->addDroppedFiles({f.dir.filePath(deep)}), 0);
  QCOMPARE(f.w.project.count(), before);
  QVERIFY(!f.dialogs.entries().empty() &&
          f.dialogs.entries().back().text.find("259 caractères") != std::string::npos);
}

void ProjectTreeTest::elementsAndFoldersShowTheirPages() {
  TreeFixture f;
  ui::ProjectTreeView* tree = f.window->treeView();
  // An element shows its preview page (the pages' own tests check them).
  tree->setCurrentItem(f.item("pal"));
  QVERIFY(f.window->currentPage());
  QCOMPARE(f.window->infoText(), QString("pal - gfx/pal.pal.c"));
  tree->setCurrentItem(f.item("Monde"));
  auto* page = qobject_cast<QLabel*>(f.window->currentPage());
  QCOMPARE(page->text(), U("Dossier: Monde\nPlacé dans: racine\nEntrées: 2"));
  // An element of a kind without a page.
  project::EntryRecord odd;
  odd.name = "bizarre";
  odd.kind = project::kKindBad;
  f.w.project.addEntry(odd);
  f.window->refreshTree();
  tree->setCurrentItem(f.item("bizarre"));
  page = qobject_cast<QLabel*>(f.window->currentPage());
  QCOMPARE(page->text(), QString("Erreur interne!"));
}
