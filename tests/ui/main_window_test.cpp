#include <QTest>
#include <QTreeWidget>

#include "platform/recording_platform.h"
#include "project/project_file.h"
#include "app/session_section.h"
#include "app/workshop.h"
#include "ui/main_window.h"
#include "ui/project_tree_view.h"

namespace {

// The texts of an item's children, in order.
QStringList ChildTexts(const QTreeWidgetItem* item) {
  QStringList out;
  for (int i = 0; i < item->childCount(); ++i) out << item->child(i)->text(0);
  return out;
}

QTreeWidgetItem* Child(QTreeWidgetItem* item, const QString& text) {
  for (int i = 0; i < item->childCount(); ++i)
    if (item->child(i)->text(0) == text) return item->child(i);
  return nullptr;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void showsTheProjectTreeWithCategoriesFoldersAndElements();
};

void MainWindowTest::showsTheProjectTreeWithCategoriesFoldersAndElements() {
  platform::RecordingDialogs dialogs;
  platform::RecordingShell shell;
  platform::FixedMachine machine;
  app::Workshop w({dialogs, shell, machine});
  app::WorkshopSession session(w);
  QCOMPARE(project::OpenProject(w.project, TESSEL_TEST_DATA_DIR "/ui/sample.tpj", &session),
           project::OpenResult::Opened);

  ui::MainWindow window(w, session);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QCOMPARE(window.windowTitle(), QString("Tessel Works 1.00a"));
  QCOMPARE(window.infoText(), QString::fromUtf8("Bienvenue! Sélectionnez un élément..."));

  QTreeWidget* tree = window.treeView();
  QStringList roots;
  for (int i = 0; i < tree->topLevelItemCount(); ++i) roots << tree->topLevelItem(i)->text(0);
  // The five Categories come first, then the top-level Folder.
  QCOMPARE(roots, QStringList({QString::fromUtf8("Mosaïques"), "Cartes", "Listes", "Palettes",
                               "Bitmaps", "Monde"}));
  QCOMPARE(ChildTexts(tree->topLevelItem(2)), QStringList({"ennemis"}));
  QCOMPARE(ChildTexts(tree->topLevelItem(3)), QStringList({"hero"}));
  // The nested Folder, declared after its member, still holds it, shown by
  // the part of its name after the backslash; the map in a missing Folder is
  // hidden.
  QTreeWidgetItem* monde = tree->topLevelItem(5);
  QCOMPARE(ChildTexts(monde), QStringList({"niveau1", "Personnages"}));
  QCOMPARE(ChildTexts(Child(monde, "Personnages")), QStringList({"hero"}));
  QCOMPARE(ChildTexts(tree->topLevelItem(1)), QStringList());

  // Selecting an element shows its page.
  tree->setCurrentItem(Child(monde, "niveau1"));
  window.grab().save(TESSEL_BINARY_DIR "/main_window.png");
  QVERIFY(window.currentPage());
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
