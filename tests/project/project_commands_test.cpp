#include <gtest/gtest.h>

#include <filesystem>

#include "project/kinds.h"
#include "project/project.h"
#include "project_test_support.h"
#include "test_support/temp_dir.h"

using namespace project;
using namespace projecttest;
using platform::Answer;
using platform::Buttons;
using platform::Icon;
namespace fs = std::filesystem;

namespace {

class ProjectCommands : public ::testing::Test, public ProjectFixture {
 protected:
  testsupport::TempDir dir;
  std::string makeFile(const std::string& name, std::string_view bytes = "data") {
    std::string path = dir.file(name);
    testsupport::WriteFile(path, bytes);
    return path;
  }
  TreeItem item(size_t index) const { return project.entry(index).treeItem; }
};

TEST_F(ProjectCommands, DeletingAnElementAsksWhetherToDeleteItsFileToo) {
  std::string a = makeFile("a.map.c"), b = makeFile("b.map.c"), c = makeFile("c.map.c");
  project.addEntry(Element(kKindMap, "a", a));
  project.addEntry(Element(kKindMap, "b", b));
  project.addEntry(Element(kKindMap, "c", c));
  project.addEntry(Element(kKindMap, "gone", dir.file("missing.map.c")));

  dialogs.queueAnswer(Answer::Cancel);
  EXPECT_FALSE(project.deleteEntry(0));
  ASSERT_EQ(dialogs.entries().size(), 1u);
  const auto& q = dialogs.entries()[0];
  EXPECT_EQ(q.text, "Supprimer l'élément définitivement, le fichier associé (" + a + ") compris?");
  EXPECT_EQ(q.caption, "Question");
  EXPECT_EQ(q.buttons, Buttons::YesNoCancel);
  EXPECT_EQ(q.defaultAnswer, Answer::No);
  EXPECT_EQ(q.icon, Icon::Question);
  EXPECT_EQ(Names(project), "a b c gone");

  dialogs.queueAnswer(Answer::Yes);
  EXPECT_TRUE(project.deleteEntry(0));
  EXPECT_FALSE(fs::exists(a));
  ASSERT_EQ(shell.calls().size(), 1u);
  EXPECT_EQ(shell.calls()[0].argument, a);

  dialogs.queueAnswer(Answer::No);
  EXPECT_TRUE(project.deleteEntry(0));
  EXPECT_TRUE(fs::exists(b));
  EXPECT_EQ(Names(project), "c gone");

  // No file to delete: no question.
  dialogs.clear();
  EXPECT_TRUE(project.deleteEntry(1));
  EXPECT_TRUE(dialogs.entries().empty());
  EXPECT_EQ(Names(project), "c");
  EXPECT_EQ(Dump(project.tree()), "Mosaïques\nCartes\n  c\nListes\nPalettes\nBitmaps\n");
}

TEST_F(ProjectCommands, DeletingAFolderWithMembersAsksFirst) {
  project.addFolder("Vide", "racine");
  project.addFolder("Plein", "racine");
  project.addEntry(Element(kKindMap, "m", "m.c", "Plein"));
  EXPECT_TRUE(project.deleteEntry(0));  // empty: at once
  EXPECT_TRUE(dialogs.entries().empty());

  EXPECT_FALSE(project.deleteEntry(0));  // default answer: No
  ASSERT_EQ(dialogs.entries().size(), 1u);
  const auto& q = dialogs.entries()[0];
  EXPECT_EQ(q.text,
            "Ce dossier n'est pas vide! Vous devriez d'abord supprimer les éléments qui s'y "
            "trouvent!\nVoulez-vous VRAIMENT le supprimer?");
  EXPECT_EQ(q.caption, "Attention!");
  EXPECT_EQ(q.buttons, Buttons::YesNo);
  EXPECT_EQ(q.defaultAnswer, Answer::No);
  EXPECT_EQ(q.icon, Icon::Warning);
  EXPECT_EQ(Names(project), "Plein m");

  dialogs.queueAnswer(Answer::Yes);
  EXPECT_TRUE(project.deleteEntry(0));
  EXPECT_EQ(Names(project), "m");
  EXPECT_FALSE(project.entry(0).inFolder());
}

TEST_F(ProjectCommands, RemovingNestedFoldersLeavesTheElementInItsCategory) {
  project.addFolder("A", "racine");
  project.addFolder("B", "A");
  project.addEntry(Element(kKindMap, "m", "m.c", "B"));
  project.addFolder("Autre", "racine");
  project.setDefaultFolder(kKindMap, "B");
  project.setDefaultFolder(kKindPalette, "Autre");
  project.setDefaultFolder(kKindTileset, "PasEncoreCree");
  project.removeFolder(0);
  EXPECT_EQ(Names(project), "m Autre");
  EXPECT_FALSE(project.entry(0).inFolder());
  EXPECT_EQ(project.entry(0).folder, "");
  EXPECT_EQ(Dump(project.tree()), "Mosaïques\nCartes\n  m\nListes\nPalettes\nBitmaps\nAutre\n");
  // A default folder naming a removed Folder would hide new elements.
  EXPECT_EQ(project.defaultFolder(kKindMap), "");
  EXPECT_EQ(project.defaultFolder(kKindPalette), "Autre");
  EXPECT_EQ(project.defaultFolder(kKindTileset), "PasEncoreCree");
}

TEST_F(ProjectCommands, RemovingFoldersThatNameEachOtherEnds) {
  project.appendRaw(Folder("X", "Y"));
  project.appendRaw(Folder("Y", "X"));
  project.appendRaw(Element(kKindMap, "m", "m.c", "X"));
  project.removeFolder(0);
  EXPECT_EQ(Names(project), "m");
}

TEST_F(ProjectCommands, RenamingAnElementPassesThroughAddEntry) {
  project.addEntry(Element(kKindMap, "a", "a.c"));
  project.addEntry(Element(kKindMap, "b", "b.c"));
  project.addEntry(Element(kKindMap, "c", "c.c"));
  EXPECT_EQ(project.renameEntry(0, "b"), 2);
  EXPECT_EQ(Names(project), "b c b2");
  EXPECT_EQ(project.renameEntry(0, std::string(35, 'r')), 2);
  EXPECT_EQ(project.entry(2).name, std::string(30, 'r'));
  EXPECT_EQ(project.renameEntry(0, ""), -1);  // an empty label cancels
  EXPECT_EQ(project.entry(0).name, "c");
}

TEST_F(ProjectCommands, RenamingAFolderKeepsItsPlaceAndTakesItsMembersAlong) {
  project.addFolder("Old", "racine");
  project.addFolder("Sub", "Old");
  project.addEntry(Element(kKindMap, "m", "m.c", "Old"));
  project.addFolder("Other", "racine");
  project.setDefaultFolder(kKindMap, "Old");
  EXPECT_EQ(project.renameEntry(0, "New"), 0);
  EXPECT_EQ(Names(project), "New Sub m Other");
  EXPECT_EQ(project.entry(1).folder, "New");
  EXPECT_EQ(project.entry(2).folder, "New");
  EXPECT_EQ(project.defaultFolder(kKindMap), "New");
  EXPECT_EQ(Dump(project.tree()),
            "Mosaïques\nCartes\nListes\nPalettes\nBitmaps\nNew\n  Sub\n  m\nOther\n");
  // Two Folders of one name could not be told apart.
  EXPECT_EQ(project.renameEntry(3, "Sub"), -1);
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_TRUE(dialogs.entries()[0].text.starts_with(
      "Ce nom de dossier existe déjà dans le répertoire New.\n"));
  EXPECT_EQ(project.entry(3).name, "Other");
}

TEST_F(ProjectCommands, EndingTheEditOfADuplicateCopiesTheFile) {
  std::string original = makeFile("hero.map.c", "original");
  project.addEntry(Element(kKindMap, "hero", original));
  EXPECT_EQ(project.duplicateEntry(0), 1);
  EXPECT_EQ(project.entry(1).name, "hero2");
  EXPECT_EQ(project.entry(1).file, original);
  EXPECT_EQ(project.pendingDuplicate(), 1);
  EXPECT_NE(project.entry(1).treeItem, 0u);

  EXPECT_EQ(project.renameEntry(1, "villain"), 1);
  EXPECT_EQ(project.entry(1).name, "villain");
  EXPECT_EQ(project.entry(1).file, dir.file("villain.map.c"));
  EXPECT_EQ(testsupport::ReadFile(dir.file("villain.map.c")), "original");
  EXPECT_EQ(project.pendingDuplicate(), -1);

  // An existing file is not overwritten; the copy points at it.
  makeFile("boss.map.c", "boss");
  project.duplicateEntry(0);
  project.renameEntry(2, "boss");
  EXPECT_EQ(project.entry(2).file, dir.file("boss.map.c"));
  EXPECT_EQ(testsupport::ReadFile(dir.file("boss.map.c")), "boss");

  // A later rename of the same element is a plain rename.
  project.renameEntry(2, "boss_b");
  EXPECT_EQ(project.entry(2).file, dir.file("boss.map.c"));
}

TEST_F(ProjectCommands, CancellingTheEditOfADuplicateRemovesIt) {
  project.addEntry(Element(kKindPalette, "pal", "pal.pal.c"));
  project.addEntry(Element(kKindPalette, "other", "o.pal.c"));
  EXPECT_EQ(project.duplicateEntry(0), 2);
  project.cancelRename(1);  // not the duplicate: nothing happens
  EXPECT_EQ(project.count(), 3u);
  project.cancelRename(2);
  EXPECT_EQ(Names(project), "pal other");
  EXPECT_EQ(project.duplicateEntry(0), 2);
  project.renameEntry(2, "");
  EXPECT_EQ(Names(project), "pal other");
  EXPECT_EQ(project.duplicateEntry(project.addFolder("F", "racine")),
            -1);  // Folders are not duplicated
}

TEST_F(ProjectCommands, AnElementDroppedOnAFolderOrItsMemberJoinsItAtTheEnd) {
  project.addFolder("F", "cartes");
  project.addEntry(Element(kKindMap, "in", "in.c", "F"));
  project.addEntry(Element(kKindTileset, "t", "t.c"));
  project.addEntry(Element(kKindPalette, "p", "p.c"));
  EXPECT_TRUE(project.moveByDragging(item(2), item(0)));
  EXPECT_EQ(Names(project), "F in p t");
  EXPECT_EQ(project.entry(3).folder, "F");
  // Dropped on an Element: on the item that holds it.
  EXPECT_TRUE(project.moveByDragging(item(2), item(1)));
  EXPECT_EQ(Names(project), "F in t p");
  EXPECT_EQ(Dump(project.tree()),
            "Mosaïques\nCartes\n  F\n    in\n    t\n    p\nListes\nPalettes\nBitmaps\n");
}

TEST_F(ProjectCommands, AnElementLeavingItsFolderReturnsToItsOwnCategory) {
  project.addFolder("F", "racine");
  project.addEntry(Element(kKindMap, "m", "m.c", "F"));
  project.addEntry(Element(kKindMap, "n", "n.c", "F"));
  project.addEntry(Element(kKindBitmap, "b", "b.c"));
  // On another kind's Category: back to its own, in place.
  TreeItem mosaiques = project.tree().categoryItem(0);
  EXPECT_TRUE(project.moveByDragging(item(1), mosaiques));
  EXPECT_EQ(Names(project), "F m n b");
  EXPECT_FALSE(project.entry(1).inFolder());
  // On itself, and on nothing.
  EXPECT_TRUE(project.moveByDragging(item(2), item(2)));
  EXPECT_FALSE(project.entry(2).inFolder());
  EXPECT_EQ(Dump(project.tree()),
            "Mosaïques\nCartes\n  m\n  n\nListes\nPalettes\nBitmaps\n  b\nF\n");
  EXPECT_TRUE(dialogs.entries().empty());

  // Not in a Folder at all: the note, once per run.
  EXPECT_FALSE(project.moveByDragging(item(3), 0));
  EXPECT_FALSE(project.moveByDragging(item(1), project.tree().categoryItem(1)));
  project.clear();  // a new project does not start a new run
  project.addEntry(Element(kKindMap, "x", "x.c"));
  EXPECT_FALSE(project.moveByDragging(item(0), 0));
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_EQ(dialogs.entries()[0].text,
            "L'élément se trouve déjà dans le dossier par défaut pour ce type de fichier. Vous ne "
            "pouvez pas placer un élément dans un autre dossier de base que celui d'origine (par "
            "exemple une Carte dans le dossier Mosaïques).");
  EXPECT_EQ(dialogs.entries()[0].caption, "Note");
  EXPECT_EQ(dialogs.entries()[0].icon, Icon::Information);
}

TEST_F(ProjectCommands, AFolderCannotBeMovedIntoItselfOrBelowIt) {
  project.addFolder("A", "racine");
  project.addFolder("B", "A");
  project.addFolder("C", "B");
  project.addEntry(Element(kKindMap, "m", "m.c", "C"));
  project.addEntry(Element(kKindMap, "n", "n.c", "A"));
  project.addFolder("D", "racine");
  EXPECT_FALSE(project.moveByDragging(item(0), item(2)));  // onto a sub-sub-folder
  EXPECT_FALSE(project.moveByDragging(item(0), item(4)));  // onto its own member: onto itself
  ASSERT_EQ(dialogs.entries().size(), 2u);
  EXPECT_EQ(dialogs.entries()[0].text,
            "Vous ne pouvez pas déplacer un répertoire dans l'un de ses sous-répertoires!");
  EXPECT_EQ(dialogs.entries()[0].caption, "Erreur");
  EXPECT_EQ(dialogs.entries()[0].icon, Icon::Error);
  EXPECT_EQ(project.entry(0).folder, "racine");

  // Into an unrelated Folder: the place in the table does not change.
  EXPECT_TRUE(project.moveByDragging(item(2), item(5)));
  EXPECT_EQ(Names(project), "A B C m n D");
  EXPECT_EQ(project.entry(2).folder, "D");
  EXPECT_EQ(Dump(project.tree()),
            "Mosaïques\nCartes\nListes\nPalettes\nBitmaps\nA\n  B\n  n\nD\n  C\n    m\n");
}

TEST_F(ProjectCommands, AFolderDroppedOnACategoryTogglesBetweenItAndTheTopLevel) {
  project.addFolder("A", "racine");
  project.addFolder("B", "A");
  TreeItem listes = project.tree().categoryItem(2);
  EXPECT_TRUE(project.moveByDragging(item(0), listes));
  EXPECT_EQ(project.entry(0).folder, "listes");
  EXPECT_EQ(Dump(project.tree()), "Mosaïques\nCartes\nListes\n  A\n    B\nPalettes\nBitmaps\n");
  EXPECT_TRUE(project.moveByDragging(item(0), project.tree().categoryItem(2)));
  EXPECT_FALSE(project.entry(0).inFolder());
  EXPECT_EQ(project.entry(0).folder, "");
  // On itself or on nothing: the top level.
  EXPECT_TRUE(project.moveByDragging(item(1), item(1)));
  EXPECT_FALSE(project.entry(1).inFolder());
  EXPECT_EQ(Dump(project.tree()), "Mosaïques\nCartes\nListes\nPalettes\nBitmaps\nA\nB\n");
}

TEST_F(ProjectCommands, CleanProjectRemovesElementsWithoutFilesInOnePass) {
  std::string keep = makeFile("keep.bmp.c");
  project.addFolder("F", "racine");
  project.addEntry(Element(kKindBitmap, "gone1", dir.file("x1")));
  project.addEntry(Element(kKindBitmap, "gone2", dir.file("x2")));
  project.addEntry(Element(kKindBitmap, "keep", keep, "F"));
  project.addEntry(Element(kKindBitmap, "gone3", ""));

  dialogs.queueAnswer(Answer::Cancel);
  EXPECT_EQ(project.cleanProject(), 0);
  EXPECT_EQ(project.count(), 5u);
  const auto& q = dialogs.entries()[0];
  EXPECT_EQ(q.text,
            "Tous les éléments pointant vers un fichier qui n'existe plus seront supprimés.");
  EXPECT_EQ(q.caption, "Nettoyage du projet");
  EXPECT_EQ(q.buttons, Buttons::OkCancel);
  EXPECT_EQ(q.icon, Icon::Information);

  EXPECT_EQ(project.cleanProject(), 3);
  EXPECT_EQ(Names(project), "F keep");
}

TEST_F(ProjectCommands, AddingAFolderWhoseNameExistsIsRefused) {
  EXPECT_EQ(project.addFolder("Sprites", "cartes"), 0);
  EXPECT_EQ(Dump(project.tree()), "Mosaïques\nCartes\n  Sprites\nListes\nPalettes\nBitmaps\n");
  EXPECT_EQ(project.addFolder("Sprites", "racine"), -1);
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_EQ(dialogs.entries()[0].text,
            "Ce nom de dossier existe déjà dans le répertoire cartes.\nChoisissez-en un autre ou "
            "précédez ce nom d'un autre puis d'un slash pour les différencier.\nPar exemple "
            "Rep1\\Test et Rep2\\Test sont tous deux affichés Test mais identifiés différemment.");
  EXPECT_EQ(dialogs.entries()[0].caption, "Erreur");
  EXPECT_EQ(dialogs.entries()[0].icon, Icon::Error);
  EXPECT_EQ(project.count(), 1u);
  // Distinct full names shown alike are two Folders.
  EXPECT_EQ(project.addFolder("Rep1\\Test", "racine"), 1);
  EXPECT_EQ(project.addFolder("Rep2\\Test", "racine"), 2);
  EXPECT_EQ(project.addFolder("", "racine"), -1);
  // Entries waiting for a Folder of that name show up with it.
  project.appendRaw(Element(kKindMap, "m", "m.c", "Later"));
  project.rebuildTree();
  EXPECT_EQ(project.entry(3).treeItem, 0u);
  project.addFolder("Later", "racine");
  EXPECT_NE(project.entry(3).treeItem, 0u);
}

TEST_F(ProjectCommands, UpdatingAnEntryPlacesItAgain) {
  project.addFolder("F", "racine");
  project.addEntry(Element(kKindMap, "m", "m.c"));
  EntryRecord r = project.entry(1);
  r.kind |= kInFolderBit;
  r.folder = "F";
  project.updateEntry(1, r);
  EXPECT_EQ(Dump(project.tree()), "Mosaïques\nCartes\nListes\nPalettes\nBitmaps\nF\n  m\n");
}

}  // namespace
