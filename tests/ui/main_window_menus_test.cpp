// The menu bar of the main window: every item's text, state and shortcut,
// and what New, Open, Save, Quit without saving and the Help items do.
#include <QContextMenuEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>

#include "script/interpreter.h"
#include "script/procedures_menu.h"
#include "ui/window_texts.h"
#include "window_fixture.h"
#include "window_tests.h"

using uitest::Items;
using uitest::MenuItem;
using uitest::U;
using uitest::WindowFixture;

namespace {

const char* kSampleProject =
    "#Fichier de projet Tessel Works\n"
    "\n"
    " .section infos\n"
    "  convert.nuances = 32\n"
    "  DossierDéf[4] = \"Graphismes\"\n"
    "  Fin\n"
    "\n"
    " .section fichiers\n"
    " #--------------\n"
    "  Elément: Graphismes\n"
    "  Type: dossier\n"
    " #--------------\n"
    "  Elément: hero\n"
    "  Type: tileset\n"
    "  Fichier: gfx/hero.til.c\n"
    "  Base: gfx/hero.png\n"
    "  Dossier: Graphismes\n"
    " Fin\n"
    "\n"
    " .section données\n"
    "  # gardé tel quel\n"
    "  Fin\n";

QMenu* MenuTitled(QMainWindow& window, const QString& title) {
  for (QAction* a : window.menuBar()->actions())
    if (a->menu() && a->text().remove('&') == title) return a->menu();
  return nullptr;
}

}  // namespace

void MainWindowMenusTest::menuBarHoldsTheMenusOfPart61InOrder() {
  WindowFixture f;
  QStringList titles;
  QStringList mnemonics;
  for (QAction* a : f.window->menuBar()->actions()) {
    titles << QString(a->text()).remove('&');
    mnemonics << QKeySequence::mnemonic(a->text()).toString();
  }
  QCOMPARE(titles,
           QStringList({"Fichier", "Edition", "Affichage", "Outils", U("Procédures"), "Aide"}));
  // Each menu is reached from the keyboard by its own Alt+letter.
  QCOMPARE(mnemonics, QStringList({"Alt+F", "Alt+E", "Alt+A", "Alt+O", "Alt+P", "Alt+I"}));
}

void MainWindowMenusTest::menuItemsHaveTheirTextsStatesAndShortcuts_data() {
  QTest::addColumn<QString>("menu");
  QTest::addColumn<QStringList>("texts");
  QTest::addColumn<QList<bool>>("enabled");
  QTest::addColumn<QStringList>("shortcuts");
  QTest::newRow("Fichier") << "Fichier"
                           << QStringList{"Nouveau\t   Ctrl+N",
                                          "Ouvrir\t   Ctrl+O",
                                          "Enregistrer\t   Ctrl+S",
                                          "Enregistrer sous...",
                                          "-",
                                          "Plate-forme...",
                                          "Formats de fichier...",
                                          "-",
                                          "Quitter sans sauver\t   Ctrl+Q"}
                           << QList<bool>{true, true, true, true, true, true, true, true, true}
                           << QStringList{"Ctrl+N", "Ctrl+O", "Ctrl+S", "",      "",
                                          "",       "",       "",       "Ctrl+Q"};
  // Without a preview on the page, the Edition items are greyed.
  QTest::newRow("Edition") << "Edition"
                           << QStringList{U("Copier l'aperçu\t   Ctrl+C"),
                                          "Exporter (image)\t   Ctrl+X"}
                           << QList<bool>{false, false} << QStringList{"Ctrl+C", "Ctrl+X"};
  QTest::newRow("Affichage") << "Affichage"
                             << QStringList{"Actualiser l'arbre\t   F5", "Ajouter dossier"}
                             << QList<bool>{true, true} << QStringList{"F5", ""};
  QTest::newRow("Outils") << "Outils"
                          << QStringList{"Invite de script\t   Ctrl+I", "Nettoyer le projet",
                                         "Options..."}
                          << QList<bool>{true, true, true} << QStringList{"Ctrl+I", "", ""};
  // No system script in the directory: the one disabled placeholder.
  QTest::newRow("Procédures") << U("Procédures") << QStringList{"(Pas de script)"}
                              << QList<bool>{false} << QStringList{""};
  QTest::newRow("Aide") << "Aide"
                        << QStringList{"Documentation\t   F1", "Aide perso...\t   F3",
                                       "A propos de..."}
                        << QList<bool>{true, true, true} << QStringList{"F1", "F3", ""};
}

void MainWindowMenusTest::menuItemsHaveTheirTextsStatesAndShortcuts() {
  QFETCH(QString, menu);
  QFETCH(QStringList, texts);
  QFETCH(QList<bool>, enabled);
  QFETCH(QStringList, shortcuts);
  WindowFixture f;
  QMenu* m = MenuTitled(*f.window, menu);
  QVERIFY(m);
  QStringList actualTexts;
  QList<bool> actualEnabled;
  QStringList actualShortcuts;
  for (QAction* a : m->actions()) {
    actualTexts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    actualEnabled << a->isEnabled();
    actualShortcuts << a->shortcut().toString();
  }
  QCOMPARE(actualTexts, texts);
  QCOMPARE(actualEnabled, enabled);
  QCOMPARE(actualShortcuts, shortcuts);
}

void MainWindowMenusTest::everyCommandHasItsAction() {
  WindowFixture f;
  for (int c = 0; c < ui::kCommandCount; ++c) {
    QAction* a = f.window->commandAction(static_cast<ui::Command>(c));
    QVERIFY2(a, qPrintable(QString::number(c)));
    // Shortcuts work wherever the focus is in the window.
    QVERIFY(a->shortcut().isEmpty() || f.window->actions().contains(a));
  }
}

void MainWindowMenusTest::proceduresMenuListsTheSystemScriptsProcedures() {
  WindowFixture f;
  f.writeFile("script.spt",
              "onstart:\n  retour 1\n_Export:\n  dossiers.cartes = \"A\"\n  fin\n"
              "_Tout Convertir:\n  fin\n");
  // The menu is built when the window is created.
  f.window.reset();
  f.window = std::make_unique<ui::MainWindow>(f.w, f.session);
  QCOMPARE(Items(f.window->proceduresMenu()),
           QList<MenuItem>({{"Export", true, false}, {"Tout Convertir", true, false}}));
  f.window->proceduresMenu()->actions().at(0)->trigger();
  QCOMPARE(f.w.project.defaultFolder(project::kKindMap), std::string("A"));
}

void MainWindowMenusTest::newAnsweredNoEmptiesTheProjectAndTheNextSaveAsksForAName() {
  WindowFixture f(kSampleProject);
  QCOMPARE(f.w.project.count(), size_t{2});
  QVERIFY(!f.w.project.document().dataSection.empty());
  QCOMPARE(f.w.project.defaultFolder(project::kKindTileset), std::string("Graphismes"));
  QCOMPARE(f.w.conversion.shadesMinusOne, 31);
  f.w.system.maxObjects = 99;
  f.w.paths.scriptPath = "autre.spt";

  f.dialogs.queueAnswer(platform::Answer::No);
  f.window->commandAction(ui::Command::New)->trigger();

  QCOMPARE(f.dialogs.entries().size(), size_t{1});
  const auto& q = f.dialogs.entries()[0];
  QVERIFY(q.isQuestion);
  QCOMPARE(U(q.text), U("Enregistrer le projet d'abord?"));
  QCOMPARE(U(q.caption), QString("Attention"));
  QCOMPARE(q.buttons, platform::Buttons::YesNoCancel);
  QCOMPARE(q.icon, platform::Icon::Information);

  // The table, the data section, the default folders and the settings are
  // back to their start-up values; only the five Categories are shown.
  QCOMPARE(f.w.project.count(), size_t{0});
  QVERIFY(f.w.project.document().dataSection.empty());
  QVERIFY(f.w.project.document().path.empty());
  QVERIFY(f.w.project.defaultFolder(project::kKindTileset).empty());
  QCOMPARE(f.w.conversion.shadesMinusOne, 255);
  QCOMPARE(f.w.system.maxObjects, 1024);
  QCOMPARE(f.w.paths.scriptPath, std::string("script.spt"));
  QCOMPARE(f.window->treeView()->topLevelItemCount(), 5);
  for (int i = 0; i < 5; ++i) QCOMPARE(f.window->treeView()->topLevelItem(i)->childCount(), 0);
  // Nothing was saved.
  QVERIFY(f.projectFileText().find("hero") != std::string::npos);

  // The next save asks for a file name; the chosen one becomes the path.
  f.dialogs.queueFileName(f.path("neuf"));
  f.window->commandAction(ui::Command::Save)->trigger();
  QCOMPARE(f.dialogs.fileChoices().size(), size_t{1});
  QCOMPARE(U(f.dialogs.fileChoices()[0].title), QString("Sauver un fichier"));
  QVERIFY(f.dialogs.fileChoices()[0].save);
  QCOMPARE(f.w.project.document().path, f.path("neuf.tpj"));
  std::string saved = f.projectFileText("neuf.tpj");
  QVERIFY(saved.find("  Fin\n\n\n\n") != std::string::npos);
  QVERIFY(saved.find("hero") == std::string::npos);
  QVERIFY(saved.find("DossierDéf") == std::string::npos);
}

void MainWindowMenusTest::newAnsweredCancelChangesNothing() {
  WindowFixture f(kSampleProject);
  f.dialogs.queueAnswer(platform::Answer::Cancel);
  f.window->commandAction(ui::Command::New)->trigger();
  QCOMPARE(f.w.project.count(), size_t{2});
  QCOMPARE(f.w.project.document().path, f.path("projet.tpj"));
}

void MainWindowMenusTest::newAnsweredYesSavesFirst() {
  WindowFixture f(kSampleProject);
  f.w.project.addFolder("Nouveau", "racine");
  f.dialogs.queueAnswer(platform::Answer::Yes);
  f.window->commandAction(ui::Command::New)->trigger();
  QVERIFY(f.projectFileText().find("Elément: Nouveau") != std::string::npos);
  QCOMPARE(f.w.project.count(), size_t{0});
  // A cancelled save dialog cancels New.
  WindowFixture g;
  g.w.project.document().path.clear();
  g.w.project.addFolder("Garde", "racine");
  g.dialogs.queueAnswer(platform::Answer::Yes);
  g.dialogs.queueFileName(std::nullopt);
  g.window->commandAction(ui::Command::New)->trigger();
  QCOMPARE(g.w.project.count(), size_t{1});
}

void MainWindowMenusTest::openOfAFileThatIsNoProjectKeepsTheProjectAndItsPath() {
  WindowFixture f(kSampleProject);
  f.writeFile("notes.txt", "Ceci n'est pas un projet.\n");
  f.dialogs.queueAnswer(platform::Answer::No);
  f.dialogs.queueFileName(f.path("notes.txt"));
  f.window->commandAction(ui::Command::Open)->trigger();

  QCOMPARE(f.dialogs.fileChoices().size(), size_t{1});
  const platform::FileChoice& choice = f.dialogs.fileChoices()[0];
  QVERIFY(!choice.save);
  QCOMPARE(U(choice.title), QString("Charger un fichier"));
  QCOMPARE(choice.filters.size(), size_t{1});
  QCOMPARE(U(choice.filters[0].description), QString("Fichiers projet Tessel Works *.tpj"));
  QCOMPARE(U(choice.filters[0].pattern), QString("*.tpj"));

  const auto& message = f.dialogs.entries().back();
  QVERIFY(!message.isQuestion);
  QCOMPARE(U(message.text), U("Le fichier " + f.path("notes.txt") +
                              " n'est pas un fichier de projet Tessel Works.\nLe projet en "
                              "cours reste ouvert."));
  QCOMPARE(U(message.caption), QString("Erreur"));
  QCOMPARE(message.icon, platform::Icon::Error);
  QCOMPARE(f.w.project.count(), size_t{2});
  QCOMPARE(f.w.project.document().path, f.path("projet.tpj"));
  QCOMPARE(f.w.conversion.shadesMinusOne, 31);
  // Saving still writes the project's own file, never the text file.
  f.window->commandAction(ui::Command::Save)->trigger();
  QCOMPARE(f.readFile("notes.txt"), std::string("Ceci n'est pas un projet.\n"));
}

void MainWindowMenusTest::openReadsTheChosenProjectAndMovesToItsDirectory() {
  WindowFixture f(kSampleProject);
  f.writeFile("autre/jeu.tpj", platform::Utf8ToCp1252("#Fichier de projet Tessel Works\n"
                                                      " .section fichiers\n"
                                                      " #--------------\n"
                                                      "  Elément: niveau\n"
                                                      "  Type: carte\n"
                                                      "  Fichier: niveau.map.c\n"
                                                      "  Base: \n"
                                                      " Fin\n"));
  f.dialogs.queueAnswer(platform::Answer::No);
  f.dialogs.queueFileName(f.path("autre/jeu.tpj"));
  f.window->commandAction(ui::Command::Open)->trigger();
  QCOMPARE(f.w.project.count(), size_t{1});
  QCOMPARE(f.w.project.entry(0).name, std::string("niveau"));
  QCOMPARE(f.w.project.document().path, f.path("autre/jeu.tpj"));
  QCOMPARE(f.w.paths.projectPath, f.path("autre/jeu.tpj"));
  QCOMPARE(QDir::current().canonicalPath(), QDir(f.dir.filePath("autre")).canonicalPath());
  // The settings of the project left behind are not carried over.
  QCOMPARE(f.w.conversion.shadesMinusOne, 255);
  QVERIFY(f.w.project.defaultFolder(project::kKindTileset).empty());
  QCOMPARE(f.window->treeView()->topLevelItem(1)->child(0)->text(0), QString("niveau"));
  QCOMPARE(f.window->infoText(), U("Bienvenue! Sélectionnez un élément..."));
  // Quitting without saving right after opening asks nothing.
  f.dialogs.clear();
  QVERIFY(!f.window->projectChanged());
}

void MainWindowMenusTest::openAsksOnceBeforeTheProjectStartsAProgram() {
  const char* project =
      "#Fichier de projet Tessel Works\n"
      " .section infos\n"
      "  exec \"true premier\"\n"
      "  Fin\n"
      " .section fichiers\n"
      " Fin\n"
      " .section données\n"
      "  exec \"true second\"\n"
      "  Fin\n";
  for (platform::Answer answer : {platform::Answer::No, platform::Answer::Yes}) {
    WindowFixture f;
    f.writeFile("exec.tpj", project);
    f.dialogs.queueAnswer(platform::Answer::No);  // save first?
    f.dialogs.queueAnswer(answer);                // allow programs?
    f.dialogs.queueFileName(f.path("exec.tpj"));
    f.window->commandAction(ui::Command::Open)->trigger();
    QCOMPARE(f.dialogs.entries().size(), size_t{2});
    const auto& q = f.dialogs.entries()[1];
    QCOMPARE(U(q.text), U("Le projet en cours d'ouverture veut lancer un programme:\ntrue "
                          "premier\nAutoriser les programmes lancés par ce projet (sections de "
                          "session et de données, scripts qu'elles exécutent)?"));
    QCOMPARE(U(q.caption), QString("Attention"));
    QCOMPARE(q.buttons, platform::Buttons::YesNo);
    QCOMPARE(q.defaultAnswer, platform::Answer::No);
    QCOMPARE(q.icon, platform::Icon::Warning);
    size_t started = 0;
    for (const auto& call : f.recording.calls())
      if (call.action == platform::RecordingShell::Action::StartProgram) ++started;
    QCOMPARE(started, answer == platform::Answer::Yes ? size_t{2} : size_t{0});
    // Once the project is open, `exec` runs without a question.
    QVERIFY(!f.shell.armed());
    f.dialogs.clear();
    script::ExecuteScript(f.w, std::string_view("exec \"true après\""));
    QVERIFY(f.dialogs.entries().empty());
    QCOMPARE(f.recording.calls().back().argument, std::string("true après"));
  }
}

void MainWindowMenusTest::saveAsAlwaysAsksForAName() {
  WindowFixture f(kSampleProject);
  f.dialogs.queueFileName(f.path("copie.tpj"));
  f.window->commandAction(ui::Command::SaveAs)->trigger();
  QCOMPARE(f.dialogs.fileChoices().size(), size_t{1});
  QCOMPARE(U(f.dialogs.fileChoices()[0].title), QString("Sauver un fichier"));
  QCOMPARE(f.w.project.document().path, f.path("copie.tpj"));
  QCOMPARE(f.w.paths.projectPath, f.path("copie.tpj"));
  QVERIFY(f.projectFileText("copie.tpj").find("Elément: hero") != std::string::npos);
  // Save writes to the project's path without asking.
  f.window->commandAction(ui::Command::Save)->trigger();
  QCOMPARE(f.dialogs.fileChoices().size(), size_t{1});
}

void MainWindowMenusTest::quitWithoutSavingAsksOnlyWhenTheProjectChanged() {
  {
    WindowFixture f(kSampleProject);
    f.window->show();
    std::string before = f.readFile("projet.tpj");
    f.window->commandAction(ui::Command::QuitWithoutSaving)->trigger();
    QVERIFY(f.dialogs.entries().empty());
    QVERIFY(!f.window->isVisible());
    QCOMPARE(f.readFile("projet.tpj"), before);
  }
  {
    WindowFixture f(kSampleProject);
    f.window->show();
    std::string before = f.readFile("projet.tpj");
    f.w.project.addFolder("Change", "racine");
    f.dialogs.queueAnswer(platform::Answer::No);
    f.window->commandAction(ui::Command::QuitWithoutSaving)->trigger();
    QCOMPARE(f.dialogs.entries().size(), size_t{1});
    const auto& q = f.dialogs.entries()[0];
    QCOMPARE(U(q.text), U("Le projet a été modifié depuis son dernier enregistrement.\nQuitter "
                          "sans sauver quand même? Les modifications seront perdues."));
    QCOMPARE(U(q.caption), QString("Quitter sans sauver"));
    QCOMPARE(q.buttons, platform::Buttons::YesNo);
    QCOMPARE(q.defaultAnswer, platform::Answer::No);
    QCOMPARE(q.icon, platform::Icon::Warning);
    QVERIFY(f.window->isVisible());
    // Yes: the window closes and the file stays as it was.
    f.dialogs.queueAnswer(platform::Answer::Yes);
    f.activate();
    QTest::keyClick(f.window.get(), Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!f.window->isVisible());
    QCOMPARE(f.readFile("projet.tpj"), before);
  }
}

void MainWindowMenusTest::quitWithoutSavingFollowsTheOnquitEvent() {
  WindowFixture f;
  f.writeFile("script.spt", "onquit:\n  retour 0\n");
  f.window->show();
  f.window->commandAction(ui::Command::QuitWithoutSaving)->trigger();
  QVERIFY(f.window->isVisible());
}

void MainWindowMenusTest::closingTheWindowSaves() {
  WindowFixture f(kSampleProject);
  f.window->show();
  f.w.project.addFolder("Nouveau", "racine");
  QVERIFY(f.window->close());
  QVERIFY(f.projectFileText().find("Elément: Nouveau") != std::string::npos);
  // Without a path, a cancelled save dialog keeps the window open.
  WindowFixture g;
  g.w.project.document().path.clear();
  g.window->show();
  QVERIFY(!g.window->close());
  QVERIFY(g.window->isVisible());
  QCOMPARE(U(g.dialogs.fileChoices().at(0).title), QString("Sauver un fichier"));
}

void MainWindowMenusTest::documentationOpensTheInstalledHtmlIndex() {
  WindowFixture f;
  // Neither an installed copy nor the source tree: a clear message.
  f.w.paths.programDirectory = f.path("bin");
  f.window->commandAction(ui::Command::Documentation)->trigger();
  QCOMPARE(f.dialogs.entries().size(), size_t{1});
  const auto& m = f.dialogs.entries()[0];
  QCOMPARE(U(m.text), U("La documentation de Tessel Works est introuvable.\nElle est cherchée "
                        "dans " +
                        f.path("share/doc/tesselworks/html/index.html") + "\npuis dans " +
                        f.path("nosource/docs/help/index.html")));
  QCOMPARE(U(m.caption), QString("Documentation"));
  QCOMPARE(m.icon, platform::Icon::Information);
  QVERIFY(f.recording.calls().empty());

  // The source tree's copy.
  f.writeFile("nosource/docs/help/index.html", "<html></html>");
  f.activate();
  QTest::keyClick(f.window.get(), Qt::Key_F1);
  QCOMPARE(f.recording.calls().size(), size_t{1});
  QCOMPARE(f.recording.calls()[0].action, platform::RecordingShell::Action::OpenDocument);
  QCOMPARE(U(f.recording.calls()[0].argument), U(f.path("nosource/docs/help/index.html")));

  // The installed copy comes first.
  f.writeFile("share/doc/tesselworks/html/index.html", "<html></html>");
  f.window->commandAction(ui::Command::Documentation)->trigger();
  QCOMPARE(U(f.recording.calls().back().argument),
           U(f.path("share/doc/tesselworks/html/index.html")));
}

void MainWindowMenusTest::userHelpOpensThePersonalPageOrSaysItIsMissing() {
  WindowFixture f;
  f.activate();
  QTest::keyClick(f.window.get(), Qt::Key_F3);
  QCOMPARE(f.dialogs.entries().size(), size_t{1});
  const auto& m = f.dialogs.entries()[0];
  QCOMPARE(U(m.text),
           U("Vous tentez d'accéder au fichier d'aide perso qui n'existe pas.\nCe fichier sert à "
             "mettre des informations à lire pour le projet dans lequel se trouve Tessel "
             "Works.\nEn clair, vous y mettez ce que vous voulez indépendamment de la doc.\nPar "
             "défaut, il s'appelle lisezmoi.htm"));
  QCOMPARE(U(m.caption), QString("lisezmoi.htm"));
  QCOMPARE(m.icon, platform::Icon::Information);

  f.writeFile("lisezmoi.htm", "<p>Lisez-moi</p>");
  f.window->commandAction(ui::Command::UserHelp)->trigger();
  QCOMPARE(f.recording.calls().size(), size_t{1});
  QCOMPARE(f.recording.calls()[0].action, platform::RecordingShell::Action::OpenDocument);
  QCOMPARE(f.recording.calls()[0].argument, std::string("lisezmoi.htm"));

  // A page that is a program is not handed to the desktop.
  QFile::setPermissions(f.dir.filePath("lisezmoi.htm"),
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  f.window->commandAction(ui::Command::UserHelp)->trigger();
  QCOMPARE(f.recording.calls().size(), size_t{1});
  QCOMPARE(U(f.dialogs.entries().back().caption), QString("Attention"));
}

void MainWindowMenusTest::aboutShowsTheProgramAndItsVersion() {
  WindowFixture f;
  f.window->commandAction(ui::Command::About)->trigger();
  QCOMPARE(f.dialogs.entries().size(), size_t{1});
  QCOMPARE(U(f.dialogs.entries()[0].caption), QString("A propos de..."));
  QVERIFY(U(f.dialogs.entries()[0].text).startsWith("Tessel Works 1.00a\n"));
  QCOMPARE(f.dialogs.entries()[0].icon, platform::Icon::Information);
}

void MainWindowMenusTest::cleanProjectAsksAndRemovesElementsWithoutFiles() {
  WindowFixture f(kSampleProject);
  f.dialogs.queueAnswer(platform::Answer::Ok);
  f.window->commandAction(ui::Command::CleanProject)->trigger();
  QCOMPARE(U(f.dialogs.entries()[0].text),
           U("Tous les éléments pointant vers un fichier qui n'existe plus seront supprimés."));
  QCOMPARE(f.w.project.count(), size_t{1});  // the Folder stays
  QCOMPARE(f.item("Graphismes")->childCount(), 0);
}

void MainWindowMenusTest::whileBusyTheWindowTakesNoCommands() {
  WindowFixture f(kSampleProject);
  f.activate();
  QString before = f.window->infoText();
  f.window->setBusy(true);
  QCOMPARE(f.window->infoText(), QString("Veuillez patienter..."));
  QVERIFY(!f.window->menuBar()->isEnabled());
  QVERIFY(!f.window->treeView()->isEnabled());
  for (int c = 0; c < ui::kCommandCount; ++c)
    QVERIFY(!f.window->commandAction(static_cast<ui::Command>(c))->isEnabled());
  QTest::keyClick(f.window.get(), Qt::Key_N, Qt::ControlModifier);
  QVERIFY(f.window->addDroppedFiles({f.dir.filePath("x.til.c")}) == 0);
  QVERIFY(!f.window->close());  // the close box is ignored too
  QVERIFY(f.dialogs.entries().empty());
  f.window->setBusy(false);
  QCOMPARE(f.window->infoText(), before);
  QVERIFY(f.window->menuBar()->isEnabled());
  QVERIFY(f.window->commandAction(ui::Command::New)->isEnabled());
  QVERIFY(!f.window->commandAction(ui::Command::CopyPreview)->isEnabled());
}

void MainWindowMenusTest::everyControlHasAnAccessibleNameAndTakesTheFocus() {
  WindowFixture f(kSampleProject);
  f.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
  f.window->treeView()->setCurrentItem(f.item("hero"));
  QList<QWidget*> widgets = f.window->findChildren<QWidget*>();
  widgets << f.window.get();
  for (QWidget* w : widgets) {
    if (!w->isVisible() || qobject_cast<QMenu*>(w)) continue;
    bool interactive = w->focusPolicy() != Qt::NoFocus;
    if (!interactive) continue;
    QVERIFY2(!w->accessibleName().isEmpty(),
             qPrintable(w->metaObject()->className() + QStringLiteral(" ") + w->objectName()));
  }
  for (QAction* a : f.window->menuBar()->actions()) QVERIFY(!a->menu()->accessibleName().isEmpty());
  QVERIFY(f.window->treeView()->focusPolicy() & Qt::TabFocus);
  // The page's text takes the focus with Tab; Esc gives it back to the tree.
  QWidget* page = f.window->currentPage();
  QVERIFY(page);
  QVERIFY(page->focusPolicy() & Qt::TabFocus);
  QVERIFY(!page->accessibleName().isEmpty());
  f.activate();
  page->setFocus();
  QTRY_VERIFY(page->hasFocus());
  QTest::keyClick(page, Qt::Key_Escape);
  QVERIFY(f.window->treeView()->hasFocus());
  // The menu key opens the selected item's menu under it.
  QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(0, 0), QPoint(0, 0));
  QApplication::sendEvent(f.window->treeView(), &key);
  QTRY_VERIFY(QApplication::activePopupWidget());
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  QVERIFY(menu);
  QCOMPARE(menu->actions().at(0)->text(), U("Fichier non-trouvé"));
  menu->close();
}

void MainWindowMenusTest::theStripShowsTheSelectionAndCutsLongTexts() {
  WindowFixture f(kSampleProject);
  f.window->show();
  QCOMPARE(f.window->infoText(), U("Bienvenue! Sélectionnez un élément..."));
  f.window->treeView()->setCurrentItem(f.item("Palettes"));
  QCOMPARE(f.window->infoText(), QString("Palettes"));
  // The page of the Palettes Category is its one line.
  // The page of the Palettes Category is its one line.
  QLabel* label = nullptr;
  for (QLabel* l : f.window->currentPage()->findChildren<QLabel*>())
    if (l->text() == U("Les palettes sont générées avec les conversions d'images")) label = l;
  if (auto* whole = qobject_cast<QLabel*>(f.window->currentPage())) label = whole;
  QVERIFY(label);
  QCOMPARE(label->text(), U("Les palettes sont générées avec les conversions d'images"));
  std::string longName(30, 'x');
  project::EntryRecord r;
  r.name = longName;
  r.kind = project::kKindPalette;
  r.file = std::string(200, 'y') + ".pal.c";
  f.w.project.addEntry(r);
  f.window->refreshTree();
  f.window->treeView()->setCurrentItem(f.item(longName));
  QVERIFY(f.window->infoText().endsWith(QChar(0x2026)));
  QVERIFY(QFontMetrics(f.window->findChild<QLabel*>("infoStrip")->font())
              .horizontalAdvance(f.window->infoText()) <= 375);
}
