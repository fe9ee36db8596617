#include <gtest/gtest.h>

#include "project/kinds.h"
#include "project/project.h"
#include "project_test_support.h"

using namespace project;
using namespace projecttest;

namespace {

class ProjectTable : public ::testing::Test, public ProjectFixture {};

TEST_F(ProjectTable, NamesTakenByTheSameKindGetTheNextNumber) {
  EXPECT_EQ(project.addEntry(Element(kKindMap, "map", "a.map.c")), 0);
  EXPECT_EQ(project.addEntry(Element(kKindMap, "map", "b.map.c")), 1);
  EXPECT_EQ(project.addEntry(Element(kKindMap, "map", "c.map.c")), 2);
  project.addEntry(Element(kKindMap, "level7", "l7.map.c"));
  project.addEntry(Element(kKindMap, "level7", "other.map.c"));
  // Digits that read as 0 start at 2, like a name without digits.
  project.addEntry(Element(kKindMap, "z0", "z.map.c"));
  project.addEntry(Element(kKindMap, "z0", "z2.map.c"));
  EXPECT_EQ(Names(project), "map map2 map3 level7 level8 z0 z2");
}

TEST_F(ProjectTable, ANumberedNameIsCutToThirtyCharacters) {
  std::string thirty(30, 'n');
  project.addEntry(Element(kKindTileset, thirty, "1.til.c"));
  project.addEntry(Element(kKindTileset, thirty, "2.til.c"));
  EXPECT_EQ(project.entry(1).name, "nnnnnnnnnnnnnnnnnnnnnnnnnnnnn2");
  // Characters, not bytes: a name of accented letters is cut at a character.
  std::string accents;
  for (int i = 0; i < 30; ++i) accents += "é";
  project.addEntry(Element(kKindTileset, accents, "3.til.c"));
  project.addEntry(Element(kKindTileset, accents, "4.til.c"));
  std::string expected;
  for (int i = 0; i < 29; ++i) expected += "é";
  expected += '2';
  EXPECT_EQ(project.entry(3).name, expected);
  // At most 8 trailing digits are the number.
  project.addEntry(Element(kKindTileset, "a123456789", "5.til.c"));
  project.addEntry(Element(kKindTileset, "a123456789", "6.til.c"));
  EXPECT_EQ(project.entry(5).name, "a123456790");
}

TEST_F(ProjectTable, KeepSameFileAcceptsTheNameOfTheSameFile) {
  project.appendRaw(Element(kKindMap, "map", "a.c"));
  project.appendRaw(Element(kKindMap, "map2", "b.c"));
  EntryRecord r = Element(kKindMap, "map", "b.c");
  project.makeNameUnique(r, true);
  EXPECT_EQ(r.name, "map2");
  r.name = "map";
  project.makeNameUnique(r, false);
  EXPECT_EQ(r.name, "map3");
}

TEST_F(ProjectTable, AddingIdenticalRecordMovesItToTheEnd) {
  EntryRecord level = Element(kKindMap, "level", "level.map.c", "Niveaux");
  level.baseFile = "level.png";
  project.addEntry(Folder("Niveaux", "racine"));
  project.addEntry(level);
  project.addEntry(Element(kKindPalette, "pal", "pal.pal.c"));
  // Same name, kind and file; without a folder of its own the folder is not
  // compared. The existing record is kept, base file and folder included.
  EXPECT_EQ(project.addEntry(Element(kKindMap, "level", "level.map.c")), 2);
  EXPECT_EQ(Names(project), "Niveaux pal level");
  EXPECT_EQ(project.entry(2).baseFile, "level.png");
  EXPECT_EQ(project.entry(2).folder, "Niveaux");
  EXPECT_NE(project.entry(2).treeItem, 0u);
  // With another folder it is a different entry; since it shares the file,
  // it keeps the name.
  project.addEntry(Element(kKindMap, "level", "level.map.c", "racine"));
  EXPECT_EQ(Names(project), "Niveaux pal level level");
  project.addEntry(Element(kKindMap, "level", "other.map.c", "racine"));
  EXPECT_EQ(Names(project), "Niveaux pal level level level2");
}

TEST_F(ProjectTable, DifferentKindsMayShareANameButNotTwoTilesets) {
  project.addEntry(Element(kKindTileset, "main", "a.til.c"));
  project.addEntry(Element(kKindPalette, "main", "a.pal.c"));
  project.addEntry(Element(kKindTileset, "main", "b.til.c"));
  EXPECT_EQ(Names(project), "main main main2");
}

TEST_F(ProjectTable, NewElementsGoIntoTheDefaultFolderOfTheirKind) {
  project.addEntry(Folder("Niveaux", "cartes"));
  project.setDefaultFolder(kKindMap, "Niveaux");
  project.addEntry(Element(kKindMap, "m1", "m1.map.c"));
  project.addEntry(Element(kKindMap, "m2", "m2.map.c", "racine"));
  project.addEntry(Element(kKindTileset, "t", "t.til.c"));
  EXPECT_EQ(project.entry(1).folder, "Niveaux");
  EXPECT_TRUE(project.entry(1).inFolder());
  EXPECT_EQ(project.entry(2).folder, "racine");
  EXPECT_FALSE(project.entry(3).inFolder());
  EXPECT_EQ(Dump(project.tree()),
            "Mosaïques\n  t\nCartes\n  Niveaux\n    m1\nListes\nPalettes\nBitmaps\nm2\n");
}

TEST_F(ProjectTable, AppendRawDoesNoNamingNoDefaultFolderAndShowsNothing) {
  project.setDefaultFolder(kKindMap, "Niveaux");
  project.appendRaw(Element(kKindMap, "m", "a.c"));
  project.appendRaw(Element(kKindMap, "m", "b.c"));
  EXPECT_EQ(Names(project), "m m");
  EXPECT_FALSE(project.entry(0).inFolder());
  EXPECT_EQ(project.entry(0).treeItem, 0u);
}

TEST_F(ProjectTable, FieldsAreCutToTheirWidths) {
  EntryRecord r = Element(kKindBitmap, std::string(40, 'x'), std::string(300, 'f'));
  r.baseFile = std::string(300, 'b');
  r.folder = std::string(40, 'd');
  r.kind |= kInFolderBit;
  project.appendRaw(r);
  EXPECT_EQ(project.entry(0).name.size(), 30u);
  EXPECT_EQ(project.entry(0).file.size(), 259u);
  EXPECT_EQ(project.entry(0).baseFile.size(), 259u);
  EXPECT_EQ(project.entry(0).folder.size(), 32u);
  // A line break would split the entry in the project file.
  project.addEntry(Element(kKindBitmap, "a\nb", "x\r.c"));
  EXPECT_EQ(project.entry(1).name, "a b");
  EXPECT_EQ(project.entry(1).file, "x .c");
}

TEST_F(ProjectTable, TheTableRefusesTheThousandAndFirstEntryAndStaysIntact) {
  for (int i = 0; i < 1000; ++i)
    ASSERT_EQ(project.addEntry(Element(kKindMap, "m" + std::to_string(i), "f.c")), i);
  EXPECT_TRUE(dialogs.entries().empty());
  EXPECT_EQ(project.addEntry(Element(kKindMap, "extra", "x.c")), -1);
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_EQ(dialogs.entries()[0].text,
            "Le projet contient déjà 1000 entrées (éléments et dossiers), le maximum possible.\n"
            "\"extra\" n'a pas été ajouté au projet.");
  EXPECT_EQ(dialogs.entries()[0].caption, "Erreur");
  EXPECT_EQ(dialogs.entries()[0].icon, platform::Icon::Error);
  EXPECT_EQ(project.count(), 1000u);
  EXPECT_EQ(project.entry(999).name, "m999");
  EXPECT_FALSE(project.appendRaw(Element(kKindMap, "raw", "r.c")));
  EXPECT_EQ(project.addFolder("F", "racine"), -1);
  // Operations that take an entry out first still work at capacity.
  EXPECT_EQ(project.addEntry(Element(kKindMap, "m0", "f.c")), 999);
  EXPECT_EQ(project.entry(999).name, "m0");
  EXPECT_EQ(project.renameEntry(0, "renamed"), 999);
  EXPECT_EQ(project.count(), 1000u);
}

TEST_F(ProjectTable, TheTreeShowsTheCategoriesInOrderAndTheLastPartOfNames) {
  project.addEntry(Folder("A\\B", "racine"));
  project.addEntry(Element(kKindBitmap, "pic", "p.bmp.c", "A\\B"));
  project.addEntry(Element(kKindList, "objs", "o.lst.c"));
  EXPECT_EQ(Dump(project.tree()),
            "Mosaïques\nCartes\nListes\n  objs\nPalettes\nBitmaps\nB\n  pic\n");
  // Members name the Folder by its whole name.
  project.addEntry(Element(kKindPalette, "p", "p.pal.c", "B"));
  EXPECT_EQ(project.entry(3).treeItem, 0u);
}

TEST_F(ProjectTable, FindByTreeItemTellsEntriesFromCategories) {
  project.addEntry(Element(kKindMap, "m", "m.c"));
  TreeItem item = project.entry(0).treeItem;
  EXPECT_EQ(project.findByTreeItem(item), 0);
  TreeItem cartes = project.tree().categoryItem(1);
  EXPECT_EQ(project.findByTreeItem(cartes), -1);
  EXPECT_EQ(project.tree().categoryOf(cartes), 1);
  EXPECT_EQ(project.tree().find(item)->parent, cartes);
  EXPECT_EQ(project.findByTreeItem(0), -1);
}

TEST_F(ProjectTable, RebuildPlacesFoldersDeclaredAfterTheirMembers) {
  // Innermost first: each pass can place only one more level.
  project.appendRaw(Element(kKindTileset, "t", "t.til.c", "C"));
  project.appendRaw(Folder("C", "B"));
  project.appendRaw(Folder("B", "A"));
  project.appendRaw(Folder("A", "mosaiques"));
  project.appendRaw(Element(kKindMap, "lost", "l.map.c", "Missing"));
  project.appendRaw(Folder("Loop1", "Loop2"));
  project.appendRaw(Folder("Loop2", "Loop1"));
  project.appendRaw(Element(kKindBad, "bad", "b.c"));
  project.appendRaw(Element(kKindMap, "top", "t.map.c", "root"));
  project.rebuildTree();
  EXPECT_EQ(Dump(project.tree()),
            "Mosaïques\n  A\n    B\n      C\n        t\nCartes\nListes\nPalettes\nBitmaps\n"
            "bad\ntop\n");
  // Entries whose parent never shows up are kept, not shown.
  EXPECT_EQ(project.count(), 9u);
  EXPECT_EQ(project.entry(4).treeItem, 0u);
  EXPECT_EQ(project.entry(5).treeItem, 0u);
}

TEST_F(ProjectTable, KindsAndCategoriesComeFromTheirTables) {
  EXPECT_EQ(KindFromKeyword("carte"), 1);
  EXPECT_EQ(KindFromKeyword("map"), 1);
  EXPECT_EQ(KindFromKeyword("(sprite)"), 2);
  EXPECT_EQ(KindFromKeyword("bad"), 5);
  EXPECT_EQ(KindFromKeyword("Carte"), -1);
  EXPECT_EQ(KindKeyword(7), "liste");
  EXPECT_EQ(KindKeyword(99), "mauvais");
  EXPECT_EQ(CategoryFromFolderField("tilesets"), 0);
  EXPECT_EQ(CategoryFromFolderField("racine"), -1);
  EXPECT_FALSE(CategoryFromFolderField("Cartes").has_value());
  EXPECT_EQ(CategoryFolderName(2), "listes");
}

}  // namespace
