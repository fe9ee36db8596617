#include "project/project_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"
#include "project/kinds.h"
#include "project/project.h"
#include "project_test_support.h"
#include "test_support/temp_dir.h"

using namespace project;
using namespace projecttest;
using platform::Icon;
namespace fs = std::filesystem;

namespace {

// Stands in for the script layer: writes fixed session lines and records
// what it is asked to run.
struct FakeHooks : SessionHooks {
  std::string sessionLines;
  std::vector<std::pair<ProjectSection, std::string>> runs;
  void writeSession(std::string& out) override { out += sessionLines; }
  void runSection(ProjectSection section, std::string_view text) override {
    runs.emplace_back(section, std::string(text));
  }
  const std::string* ran(ProjectSection section) const {
    for (const auto& [s, text] : runs)
      if (s == section) return &text;
    return nullptr;
  }
};

class ProjectFile : public ::testing::Test, public ProjectFixture {
 protected:
  testsupport::TempDir dir;
  FakeHooks hooks;

  std::string copyData(const std::string& name) {
    std::string path = dir.file(name);
    fs::copy_file(testsupport::DataPath("project/" + name), path);
    return path;
  }
  std::string write(const std::string& name, std::string_view bytes) {
    std::string path = dir.file(name);
    testsupport::WriteFile(path, bytes);
    return path;
  }
  // Reads a file of the current layout given as UTF-8 text.
  void read(std::string_view text) { ReadProjectText(project, text, &hooks); }
};

constexpr std::string_view kHead =
    "#Fichier de projet Tessel Works\n\n#Infos utiles sur la dernière session\n .section infos\n";

// The header and the session header, then the given text.
std::string AfterHead(std::string_view rest) {
  std::string text(kHead);
  text.append(rest);
  return text;
}

TEST_F(ProjectFile, OpenThenSaveGivesBackTheSameBytes) {
  std::string path = copyData("round_trip.tpj");
  std::string original = testsupport::ReadFile(path);
  ASSERT_EQ(OpenProject(project, path, &hooks), OpenResult::Opened);
  EXPECT_EQ(project.document().path, path);
  EXPECT_TRUE(dialogs.entries().empty());

  // The table, with a Folder declared after its member and an entry whose
  // Folder does not exist: hidden, but kept.
  EXPECT_EQ(Names(project), "Niveaux niveau1 Décors\\Forêt tuiles perdu objets vide");
  EXPECT_EQ(project.entry(1).kind, kKindMap | kInFolderBit);
  EXPECT_EQ(project.entry(1).baseFile, "images/niveau1.png");
  EXPECT_EQ(project.entry(2).kind, kFolderBit | kInFolderBit);
  EXPECT_EQ(Dump(project.tree()),
            "Mosaïques\n  tuiles\nCartes\n  Niveaux\n    Forêt\n      niveau1\nListes\n  objets\n"
            "Palettes\nBitmaps\nvide\n");
  EXPECT_EQ(project.entry(4).treeItem, 0u);

  // Both sections ran, the session up to its Fin line.
  ASSERT_EQ(hooks.runs.size(), 2u);
  EXPECT_EQ(hooks.runs[0].first, ProjectSection::Session);
  EXPECT_TRUE(hooks.runs[0].second.starts_with("  Répertoire = \"C:/Jeux/Projet\"\n"));
  EXPECT_TRUE(hooks.runs[0].second.ends_with("  GBA.paletteMask = vrai\n  Fin\n"));
  EXPECT_EQ(hooks.runs[1].first, ProjectSection::Data);
  EXPECT_EQ(hooks.runs[1].second, project.document().dataSection);
  EXPECT_TRUE(hooks.runs[1].second.starts_with("# Réglages à la main"));

  // Saved with the same session lines, the file is the same byte for byte:
  // CR LF line ends, the undefined bytes 0x81 and 0x8D and the text after
  // the last line end of the data section included.
  hooks.sessionLines = hooks.runs[0].second.substr(0, hooks.runs[0].second.size() - 6);
  std::string saved = dir.file("saved.tpj");
  ASSERT_TRUE(SaveProject(project, saved, &hooks));
  EXPECT_EQ(testsupport::ReadFile(saved), original);
  EXPECT_EQ(project.document().path, saved);
}

TEST_F(ProjectFile, EnglishKeywordsReadLikeFrenchOnesAndAreSavedInFrench) {
  std::string path = copyData("english.tpj");
  ASSERT_EQ(OpenProject(project, path, nullptr), OpenResult::Opened);
  // "Carte" is no keyword (they are compared with case): that element is dropped.
  EXPECT_EQ(Names(project), "Levels level1 pal");
  std::vector<EntryRecord> english = project.entries();
  EXPECT_EQ(english[0].kind, kFolderBit | kInFolderBit);
  EXPECT_EQ(english[1].file, "gfx\\level1.map.c");
  EXPECT_EQ(Dump(project.tree()),
            "Mosaïques\nCartes\n  Levels\n    level1\nListes\nPalettes\n  pal\nBitmaps\n");
  ASSERT_TRUE(SaveProject(project, dir.file("out.tpj"), nullptr));
  EXPECT_EQ(testsupport::ReadFile(dir.file("out.tpj")),
            testsupport::ReadFile(testsupport::DataPath("project/english_saved.tpj")));

  // The French twin reads into the same table.
  ASSERT_EQ(OpenProject(project, dir.file("out.tpj"), nullptr), OpenResult::Opened);
  ASSERT_EQ(project.count(), english.size());
  for (size_t i = 0; i < english.size(); ++i) {
    EXPECT_EQ(project.entry(i).name, english[i].name);
    EXPECT_EQ(project.entry(i).kind, english[i].kind);
    EXPECT_EQ(project.entry(i).folder, english[i].folder);
    EXPECT_EQ(platform::ToNative(project.entry(i).file), platform::ToNative(english[i].file));
  }
}

TEST_F(ProjectFile, AnEmptyProjectIsWrittenExactly) {
  ASSERT_TRUE(SaveProject(project, dir.file("empty.tpj"), nullptr));
  EXPECT_EQ(testsupport::ReadFile(dir.file("empty.tpj")),
            testsupport::ReadFile(testsupport::DataPath("project/empty.tpj")));
  // Reading it back runs an empty session and keeps "  Fin" and three empty
  // lines as the data section, so the next save writes the same file.
  ASSERT_EQ(OpenProject(project, dir.file("empty.tpj"), &hooks), OpenResult::Opened);
  ASSERT_NE(hooks.ran(ProjectSection::Session), nullptr);
  EXPECT_EQ(*hooks.ran(ProjectSection::Session), "  Fin\n");
  EXPECT_EQ(project.document().dataSection, "  Fin\n\n\n\n");
}

TEST_F(ProjectFile, TheHooksWriteTheSessionLinesAndTheWriterClosesTheSection) {
  hooks.sessionLines = "  Répertoire = \"/p\"\n  Plateforme = \"GBA\"";  // no final line end
  std::string text = WriteProjectText(project, &hooks);
  EXPECT_TRUE(text.starts_with(
      AfterHead("  Répertoire = \"/p\"\n  Plateforme = \"GBA\"\n  Fin\n\n#Eléments")));
  // On disk, Windows-1252.
  std::string bytes = EncodeProjectFile(project, &hooks);
  EXPECT_NE(bytes.find("R\xE9pertoire"), std::string::npos);
}

TEST_F(ProjectFile, DefaultFolderSlotsAreWrittenWithIndicesFromOne) {
  project.setDefaultFolder(kKindMap, "Niveaux");
  project.setDefaultFolder(11, "Dernier");
  project.setDefaultFolder(kKindPalette, "Les \"bons\"");
  std::string out;
  AppendDefaultFolderLines(project, out);
  EXPECT_EQ(out,
            "  DossierDéf[2] = \"Niveaux\"\n"
            "  DossierDéf[7] = 'Les \"bons\"'\n"
            "  DossierDéf[12] = \"Dernier\"\n");
  project.setDefaultFolder(kKindMap, std::string(600, 'x'));
  EXPECT_EQ(project.defaultFolder(kKindMap).size(), 511u);
}

TEST_F(ProjectFile, SectionHeadersAreFoundAfterLoweringAToZ) {
  const std::vector<std::string_view> names = {"fichiers", "files"};
  EXPECT_EQ(FindSection("x\n .SECTION Fichiers\nnext", names), 21u);
  EXPECT_EQ(FindSection("\t.section\tfiles\r\n", names), 17u);
  EXPECT_EQ(FindSection(".section_fichiers\n", names), 18u);  // any one character
  EXPECT_FALSE(FindSection(" .section  fichiers\n", names));
  EXPECT_FALSE(FindSection(" .sectionfichiers\n", names));
  EXPECT_FALSE(FindSection(" .section fichiers2\n", names));
  // Only A-Z are lowered.
  const std::vector<std::string_view> data = {"données", "data"};
  EXPECT_TRUE(FindSection(" .section Données\n", data));
  EXPECT_FALSE(FindSection(" .section DONNÉES\n", data));
}

TEST_F(ProjectFile, ElementBlocksEndAtTheFirstOtherLine) {
  read(
      AfterHead("  Fin\n .section fichiers\n"
                "  Elément: a\n\tType: carte\n  Fichier: a.c\n"
                // No separator: the next block still starts.
                "  Elément: b\n  Type: folder\n  Dossier: racine\n"
                " #--------------\n  Elément: c\n  Type: dossierX\n"
                "unknown line\n"
                "  Elément: d\n  Type: bitmap\n  Fichier: d.c\n  Fin\n"
                // The line ending a block goes with it, so this End does not end the
                // section; the one after the separator does.
                "  Elément: e\n  Type: (sprite)\n"
                " END\n  Elément: f\n  Type: liste\n #--\n END\n  Elément: g\n  Type: liste\n"));
  EXPECT_EQ(Names(project), "a b c d e f");
  EXPECT_EQ(project.entry(0).file, "a.c");
  EXPECT_EQ(project.entry(1).kind, kFolderBit | kInFolderBit);
  EXPECT_EQ(project.entry(2).kind, kFolderBit);
  EXPECT_EQ(project.entry(4).kind, kKindSprite);
}

TEST_F(ProjectFile, AnUnknownKindDropsOnlyItsElement) {
  read(
      AfterHead("  Fin\n .section fichiers\n"
                " #--------------\n  Elément: x\n  Type: Carte\n  Fichier: fin.c\n  Base: end\n"
                " #--------------\n  Elément: y\n  Type: map\n"
                " Fin\n"));
  EXPECT_EQ(Names(project), "y");
}

TEST_F(ProjectFile, TheEndOfTheFileEndsABlockAndKeepsIt) {
  read(
      AfterHead("  Fin\n .section fichiers\n #--------------\n  Elément: last\n"
                "  Type: palette\n  Fichier: last.pal.c"));
  EXPECT_EQ(Names(project), "last");
  EXPECT_EQ(project.entry(0).file, "last.pal.c");
  EXPECT_EQ(hooks.ran(ProjectSection::Data), nullptr);
  EXPECT_EQ(project.document().dataSection, "");
}

TEST_F(ProjectFile, LinesAreReadInPiecesOf2047Characters) {
  std::string longFile(3000, 'f');
  read(AfterHead("  Fin\n .section fichiers\n  Elément: a\n  Type: carte\n  Fichier: " + longFile +
                 "\n  Base: b.png\n"));
  ASSERT_EQ(project.count(), 1u);
  EXPECT_EQ(project.entry(0).file, std::string(259, 'f'));
  EXPECT_EQ(project.entry(0).baseFile, "");  // the second piece ended the block
}

TEST_F(ProjectFile, ASessionWithoutFinStopsBeforeTheNextSection) {
  read(
      AfterHead("  Script = \"s.spt\"\n\n#Eléments de l'arbre du projet\n"
                " .section fichiers\n  Elément: a\n  Type: carte\n Fin\n"));
  EXPECT_EQ(*hooks.ran(ProjectSection::Session),
            "  Script = \"s.spt\"\n\n#Eléments de l'arbre du projet\n");
  hooks.runs.clear();
  read(AfterHead("  Script = \"s.spt\"\n  fin   # the end\n  Plateforme = \"x\"\n"));
  EXPECT_EQ(*hooks.ran(ProjectSection::Session), "  Script = \"s.spt\"\n  fin   # the end\n");
  // No session section: nothing to run; the other sections still are.
  hooks.runs.clear();
  read("#Fichier de projet Tessel Works\n .section data\nconvert.mode = 1\n");
  ASSERT_EQ(hooks.runs.size(), 1u);
  EXPECT_EQ(hooks.runs[0].first, ProjectSection::Data);
  EXPECT_EQ(hooks.runs[0].second, "convert.mode = 1\n");
  EXPECT_EQ(project.count(), 0u);
}

TEST_F(ProjectFile, TheDataSectionIsKeptUpToAMillionBytes) {
  std::string bytes = platform::Utf8ToCp1252(AfterHead("  Fin\n .section données\n"));
  bytes += std::string(1000010, '\xE9');  // one byte each on disk, two in memory
  std::string path = write("big.tpj", bytes);
  ASSERT_EQ(OpenProject(project, path, &hooks), OpenResult::Opened);
  EXPECT_EQ(platform::Utf8Length(project.document().dataSection), 1000000u);
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_EQ(dialogs.entries()[0].text,
            "La section de données du fichier de projet dépasse 1000000 octets.\nSeuls les "
            "1000000 premiers octets seront conservés à la prochaine sauvegarde.");
  EXPECT_EQ(dialogs.entries()[0].caption, "Attention");
  EXPECT_EQ(dialogs.entries()[0].icon, Icon::Warning);
  std::string saved = EncodeProjectFile(project, nullptr);
  EXPECT_TRUE(
      saved.ends_with(" .section donn\xE9"
                      "es\n" +
                      std::string(1000000, '\xE9')));
}

TEST_F(ProjectFile, AUtf8FileIsReadAndSavedInWindows1252) {
  std::string path = write("utf8.tpj", AfterHead("  Fin\n .section fichiers\n"
                                                 "  Elément: forêt\n  Type: carte\n Fin\n"
                                                 " .section données\n# Été €\n"));
  ASSERT_EQ(OpenProject(project, path, nullptr), OpenResult::Opened);
  EXPECT_EQ(Names(project), "forêt");
  EXPECT_EQ(project.document().dataSection, "# Été €\n");
  ASSERT_TRUE(SaveProject(project, path, nullptr));
  std::string saved = testsupport::ReadFile(path);
  EXPECT_NE(saved.find("  El\xE9ment: for\xEAt\n"), std::string::npos);
  EXPECT_TRUE(saved.ends_with("# \xC9t\xE9 \x80\n"));
}

TEST_F(ProjectFile, MoreThanAThousandEntriesAreCutWithAWarning) {
  std::string text = AfterHead("  Fin\n .section fichiers\n");
  for (int i = 0; i < 1005; ++i)
    text += " #--------------\n  Elément: e" + std::to_string(i) + "\n  Type: carte\n";
  read(text + " Fin\n");
  EXPECT_EQ(project.count(), 1000u);
  EXPECT_EQ(project.entry(999).name, "e999");
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_EQ(dialogs.entries()[0].text,
            "Le fichier de projet contient plus de 1000 entrées (éléments et dossiers).\nSeules "
            "les 1000 premières ont été chargées; les autres seront perdues à la prochaine "
            "sauvegarde.");
}

TEST_F(ProjectFile, AFailedSaveIsReportedAndLeavesTheOldFile) {
  // A directory in the way: the rename over it fails.
  fs::create_directory(dir.file("taken.tpj"));
  testsupport::WriteFile(dir.file("taken.tpj/inside"), "keep");
  project.addEntry(Element(kKindMap, "m", "m.c"));
  EXPECT_FALSE(SaveProject(project, dir.file("taken.tpj"), nullptr));
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_EQ(dialogs.entries()[0].text, "Impossible d'enregistrer le projet dans le fichier " +
                                           dir.file("taken.tpj") +
                                           ".\nLe fichier existant n'a pas été modifié.\n"
                                           "Ce nom désigne un dossier ou un périphérique, pas "
                                           "un fichier.");
  EXPECT_EQ(dialogs.entries()[0].caption, "Erreur");
  EXPECT_EQ(testsupport::ReadFile(dir.file("taken.tpj/inside")), "keep");
  EXPECT_EQ(project.document().path, "");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST_F(ProjectFile, SavingWithoutAPathAsksForOneAndAddsTheExtension) {
  project.document().path = dir.file("current.tpj");
  dialogs.queueFileName(std::nullopt);
  EXPECT_FALSE(SaveProject(project, "", nullptr));  // cancelled
  ASSERT_EQ(dialogs.fileChoices().size(), 1u);
  const platform::FileChoice& choice = dialogs.fileChoices()[0];
  EXPECT_TRUE(choice.save);
  EXPECT_EQ(choice.title, "Sauver un fichier");
  ASSERT_EQ(choice.filters.size(), 1u);
  EXPECT_EQ(choice.filters[0].description, "Fichiers projet Tessel Works *.tpj");
  EXPECT_EQ(choice.filters[0].pattern, "*.tpj");
  EXPECT_EQ(choice.startDirectory, dir.path().string());
  EXPECT_FALSE(fs::exists(dir.file("current.tpj")));

  dialogs.queueFileName(dir.file("jeu"));
  EXPECT_TRUE(SaveProject(project, "", nullptr));
  EXPECT_TRUE(fs::exists(dir.file("jeu.tpj")));
  EXPECT_EQ(project.document().path, dir.file("jeu.tpj"));

  fs::create_directory(dir.file("v1.0"));
  dialogs.queueFileName(dir.file("v1.0/jeu"));
  EXPECT_EQ(AskProjectFileName(dialogs, "/"), dir.file("v1.0/jeu.tpj"));
  dialogs.queueFileName(dir.file("jeu.projet"));
  EXPECT_EQ(AskProjectFileName(dialogs, "/"), dir.file("jeu.projet"));
}

TEST_F(ProjectFile, AnUnreadableFileChangesNothingAndAnEmptyOneLoadsNothing) {
  project.addEntry(Element(kKindMap, "m", "m.c"));
  EXPECT_EQ(OpenProject(project, dir.file("none.tpj"), &hooks), OpenResult::Unreadable);
  EXPECT_EQ(project.count(), 1u);
  EXPECT_EQ(project.document().path, "");
  EXPECT_EQ(OpenProject(project, write("empty.tpj", ""), &hooks), OpenResult::Empty);
  EXPECT_EQ(project.count(), 0u);
  EXPECT_TRUE(hooks.runs.empty());
  EXPECT_TRUE(dialogs.entries().empty());
}

// --- The old binary layout ---------------------------------------------------

constexpr std::string_view kOldLayoutText =
    "Le fichier de sauvegarde est d'une version plus ancienne (ou plus nouvelle)\nTessel Works va "
    "tenter d'effectuer une mise à jour de celui-ci après avoir préalablement réalisé une copie "
    "sous Projet.tpj.bak, ok?";
constexpr std::string_view kOldLayoutFailedText =
    "Aucun des filtres intégrés n'a pu charger le fichier de sauvegarde.\nTessel Works va à "
    "présent démarrer avec un nouveau projet.";

TEST_F(ProjectFile, TheOldLayoutIsUpgradedThroughABackupCopy) {
  std::string path = copyData("old_layout.tpj");
  std::string original = testsupport::ReadFile(path);
  testsupport::WriteFile(path + ".bak", "an older copy");
  project.setDefaultFolder(kKindPalette, "Couleurs");
  project.document().dataSection = "left from before";
  ASSERT_EQ(OpenProject(project, path, &hooks), OpenResult::Upgraded);
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_EQ(dialogs.entries()[0].text, kOldLayoutText);
  EXPECT_EQ(dialogs.entries()[0].caption, "Attention");
  EXPECT_EQ(dialogs.entries()[0].icon, Icon::Warning);
  EXPECT_FALSE(dialogs.entries()[0].isQuestion);
  EXPECT_EQ(testsupport::ReadFile(path + ".bak"), original);
  EXPECT_TRUE(hooks.runs.empty());
  EXPECT_EQ(project.document().dataSection, "");

  // Through the checked insertion: names made unique, default folders
  // applied; a record of no known kind is dropped.
  EXPECT_EQ(Names(project), "hero hero2 palette é");
  EXPECT_EQ(project.entry(0).kind, kKindMap);
  EXPECT_EQ(project.entry(0).file, "gfx\\hero.map.c");
  EXPECT_EQ(project.entry(0).baseFile, "img\\hero.png");
  EXPECT_EQ(project.entry(2).kind, kKindPalette | kInFolderBit);
  EXPECT_EQ(project.entry(2).folder, "Couleurs");

  // Written in the current layout on the next save.
  ASSERT_TRUE(SaveProject(project, path, nullptr));
  dialogs.clear();
  ASSERT_EQ(OpenProject(project, path, nullptr), OpenResult::Opened);
  EXPECT_TRUE(dialogs.entries().empty());
  EXPECT_EQ(Names(project), "hero hero2 palette é");
  EXPECT_EQ(project.entry(0).file, "gfx/hero.map.c");
}

TEST_F(ProjectFile, AFileOfNeitherLayoutStartsAnEmptyProject) {
  std::string path = write("other.tpj", "#Fichier de projet Tessel Works 2\n");
  project.addEntry(Element(kKindMap, "m", "m.c"));
  ASSERT_EQ(OpenProject(project, path, &hooks), OpenResult::NotLoaded);
  ASSERT_EQ(dialogs.entries().size(), 2u);
  EXPECT_EQ(dialogs.entries()[0].text, kOldLayoutText);
  EXPECT_EQ(dialogs.entries()[1].text, kOldLayoutFailedText);
  EXPECT_EQ(dialogs.entries()[1].caption, "Erreur");
  EXPECT_EQ(dialogs.entries()[1].icon, Icon::Error);
  EXPECT_EQ(project.count(), 0u);
  EXPECT_EQ(testsupport::ReadFile(path + ".bak"), "#Fichier de projet Tessel Works 2\n");
}

// One record of the old layout.
std::string OldRecord(std::string_view file, std::string_view name, uint32_t kindMinusOne) {
  std::string r(560, '\0');
  r.replace(264, file.size(), file);
  r.replace(524, name.size(), name);
  for (int k = 0; k < 4; ++k) r[556 + k] = static_cast<char>(kindMinusOne >> (8 * k));
  return r;
}

TEST_F(ProjectFile, ACutOldFileKeepsItsWholeRecordsAndTakesAtMostAThousand) {
  std::string old = testsupport::ReadFile(testsupport::DataPath("project/old_layout.tpj"));
  EXPECT_TRUE(ReadOldLayout(project, old.substr(0, 19 + 560 + 300)));
  EXPECT_EQ(Names(project), "hero");

  // A count far beyond the records present, then 1200 records.
  project.clear();
  std::string many = "Tessel Works 02" + std::string("\xFF\xFF\xFF\x7F", 4);
  for (int i = 0; i < 1200; ++i) many += OldRecord("f" + std::to_string(i) + ".c", "tile", 2);
  EXPECT_TRUE(ReadOldLayout(project, many));
  EXPECT_EQ(project.count(), 1000u);
  EXPECT_EQ(project.entry(999).name, "tile1000");
  EXPECT_EQ(project.entry(999).kind, kKindTileset);
  // What does not fit is said, and opening counts it as lost.
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_EQ(dialogs.entries()[0].caption, "Attention");
  EXPECT_TRUE(project.document().openedIncompletely());
  EXPECT_FALSE(ReadOldLayout(project, std::string_view("Tessel Works 01\x01\0\0\0", 19)));
  EXPECT_FALSE(ReadOldLayout(project, "Tessel Works 02"));
}

}  // namespace

namespace {

// Every element keeps naming its file through a save and a reload, whatever
// the characters or the bytes of its name.
struct NamedFileCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> entries;  // name, file as the disk has it
};

class FileNames : public ProjectFile, public ::testing::WithParamInterface<NamedFileCase> {};

TEST_P(FileNames, StillNameTheirFilesAfterAReload) {
  const NamedFileCase& c = GetParam();
  for (const auto& [name, file] : c.entries) {
    testsupport::WriteFile(dir.file(file), "data of " + name);
    project.addEntry(Element(kKindMap, name, dir.file(file)));
  }
  std::string path = dir.file("noms.tpj");
  ASSERT_TRUE(SaveProject(project, path, nullptr));
  project.document().lock.release();  // as when the program ends

  Project reloaded{dialogs, shell};
  ASSERT_EQ(OpenProject(reloaded, path, nullptr), OpenResult::Opened);
  EXPECT_FALSE(reloaded.document().openedIncompletely());
  ASSERT_EQ(reloaded.count(), c.entries.size());
  for (size_t i = 0; i < c.entries.size(); ++i) {
    const EntryRecord& e = reloaded.entry(i);
    EXPECT_EQ(platform::ReadFileBytes(e.file).value_or("(none)"), "data of " + c.entries[i].first)
        << e.file;
  }
  EXPECT_TRUE(dialogs.entries().empty());
}

const NamedFileCase kNamedFileCases[] = {
    {"Cp1252", {{"forêt", "forêt.map.c"}}},
    {"OutsideCp1252", {{"Ωmega", "Ωmega.map.c"}, {"łódź", "łódź.map.c"}}},
    {"Latin1Bytes", {{"forêt", "for\xEAt.map.c"}}},
    {"Latin1BytesBesideUtf8Only", {{"Ωmega", "Ωmega.map.c"}, {"forêt", "for\xEAt.map.c"}}},
};

INSTANTIATE_TEST_SUITE_P(ProjectFile, FileNames, ::testing::ValuesIn(kNamedFileCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
