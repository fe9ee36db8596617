// Lines, paths and the evaluation of each entry kind.
#include <gtest/gtest.h>

#include "platform/text_encoding.h"
#include "script/script_line.h"
#include "mapeditor/settings_file_name.h"
#include "script_fixture.h"

using namespace script;
using namespace app;
using scripttest::ScriptFixture;
using scripttest::TheStore;

TEST(ScriptLine, FoldsOnlyAsciiCapitalsOutsideStrings) {
  EXPECT_EQ(NormaliseLine("EDITEUR.Grille = \"Mon FICHIER\" 'A' *B*"),
            "editeur.grille = \"Mon FICHIER\" 'A' *B*");
  EXPECT_EQ(NormaliseLine("DOSSIERDÉF[1] = \"X\""), "dossierdÉf[1] = \"X\"");
  // A backslash keeps the string open; the closing quote is the next bare one.
  EXPECT_EQ(NormaliseLine("MSGBOX \"a\\\"B\" C"), "msgbox \"a\\\"B\" c");
}

TEST(ScriptLine, CommentsCutOutsideStringsWithTheBlanksBefore) {
  EXPECT_EQ(NormaliseLine("editeur.timing = 5   # five"), "editeur.timing = 5");
  EXPECT_EQ(NormaliseLine("x = 1\t; note"), "x = 1");
  EXPECT_EQ(NormaliseLine("msgbox \"a # b ; c\" # real"), "msgbox \"a # b ; c\"");
  EXPECT_EQ(NormaliseLine("   # only a comment"), "");
  EXPECT_EQ(NormaliseLine("_Export:   "), "_export:");
}

TEST(ScriptLine, LabelDropsLeadingUnderscoreAndKeepsInnerBlanks) {
  EXPECT_EQ(LabelOfLine(NormaliseLine("  _Tout Convertir:")).value(), "tout convertir");
  EXPECT_EQ(LabelOfLine("onopen niveau1:").value(), "onopen niveau1");
  EXPECT_EQ(LabelOfLine(":").value(), "");
  EXPECT_FALSE(LabelOfLine("goto fin").has_value());
  EXPECT_FALSE(LabelOfLine("").has_value());
}

TEST(SettingsFileName, CutsTheLastExtensionOnlyWhenTheNameHasTwo) {
  EXPECT_EQ(mapeditor::SettingsFileName("level1.map.c"), "level1.map.spt");
  EXPECT_EQ(mapeditor::SettingsFileName("level1.map"), "level1.map.spt");
  EXPECT_EQ(mapeditor::SettingsFileName("level1"), "level1.spt");
  EXPECT_EQ(mapeditor::SettingsFileName("gfx\\level1.map.c"), "gfx\\level1.map.spt");
  // Dots of the folders do not count.
  EXPECT_EQ(mapeditor::SettingsFileName("../level1.map"), "../level1.map.spt");
  EXPECT_EQ(mapeditor::SettingsFileName("../level1"), "../level1.spt");
  EXPECT_EQ(mapeditor::SettingsFileName("v1.2/.hidden.map"), "v1.2/.hidden.map.spt");
}

using ScriptStatements = ScriptFixture;

TEST_F(ScriptStatements, PathSpellingsAndCaseReachTheSameVariable) {
  for (std::string_view statement : {"ESSAI.GRILLE = VRAI", "essai.grille vrai", "ESSAI grille=1",
                                     "essai.grille=vrai", "  Essai . Grille\t==  True"}) {
    TheStore().grille = 0;
    runText(statement);
    EXPECT_EQ(TheStore().grille, 1) << statement;
  }
  runText("ESSAI.NOM = \"Bonjour LE Monde\"");
  EXPECT_EQ(TheStore().nom, "Bonjour LE Monde");
  EXPECT_TRUE(dialogs.entries().empty());
}

TEST_F(ScriptStatements, IntegerAndRealValues) {
  auto integer = [&](std::string value) {
    runLines("essai.nombre = " + value);
    return TheStore().nombre;
  };
  EXPECT_EQ(integer("0x1F"), 31);
  EXPECT_EQ(integer("0b101"), 5);
  EXPECT_EQ(integer("vrai"), 1);
  EXPECT_EQ(integer("FAUX"), 0);
  EXPECT_EQ(integer("-3"), 0);
  EXPECT_EQ(integer("RGB(255,0,0x10)"), 255 + 16 * 65536);
  EXPECT_EQ(integer("5   # five"), 5);
  runLines("essai.reel = -1.5E2");
  EXPECT_DOUBLE_EQ(TheStore().reel, -150.0);
}

TEST_F(ScriptStatements, TextVariablesNeedAStringAndHoldAtMost511Characters) {
  runLines("essai.nom = \"avant\"\nessai.nom = sans guillemets");
  EXPECT_EQ(TheStore().nom, "avant");
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_EQ(dialogs.entries()[0].text,
            "Objet nom.\nIl manque des arguments et/ou leur type est incorrect.");

  std::string accents;
  for (int i = 0; i < 600; ++i) accents += "é";
  runLines("essai.nom = '" + accents + "'");
  EXPECT_EQ(platform::Utf8Length(TheStore().nom), 511u);
}

TEST_F(ScriptStatements, UnknownNamesAreReportedAndTheRunGoesOn) {
  runLines("inconnu = 1\nessai.inconnue 2\nessai.grille = 1\n");
  ASSERT_EQ(dialogs.entries().size(), 2u);
  EXPECT_EQ(dialogs.entries()[0].text, "L'identificateur inconnu n'existe pas.");
  EXPECT_EQ(dialogs.entries()[1].text, "La propriété inconnue n'existe pas.");
  for (const auto& e : dialogs.entries()) {
    EXPECT_EQ(e.caption, "Erreur d'exécution du script");
    EXPECT_EQ(e.icon, platform::Icon::Error);
    EXPECT_FALSE(e.isQuestion);
  }
  EXPECT_EQ(TheStore().grille, 1);
}

TEST_F(ScriptStatements, ArraysCountFromOneAndReportTheIndexAsWritten) {
  runLines(
      "essai.entiers[1] = 7\n"
      "essai.entiers[3] = 0x10\n"
      "essai.textes[12] = \"dernier\"\n"
      "essai.reels[2] = 2.5\n"
      "essai.textes[13] = \"trop loin\"\n"
      "essai.entiers[0] = 1\n"
      "tablo[4] = 1\n"
      "essai.textes[1] = pas une chaîne\n"
      "essai.mauvais[1] = 1\n");
  EXPECT_EQ(TheStore().entiers[0], 7);
  EXPECT_EQ(TheStore().entiers[2], 16);
  EXPECT_EQ(TheStore().textes[11], "dernier");
  EXPECT_DOUBLE_EQ(TheStore().reels[1], 2.5);
  EXPECT_EQ(messages(),
            (std::vector<std::string>{
                "Tableau textes de l'objet essai.\nL'indice (13) est en dehors de la plage.",
                "Tableau entiers de l'objet essai.\nL'indice (0) est en dehors de la plage.",
                "Tableau tablo de l'objet .\nL'indice (4) est en dehors de la plage.",
                "Objet textes.\nIl manque des arguments et/ou leur type est incorrect.",
                "Le tableau mauvais de l'objet essai a un type incalculable.",
            }));
}

TEST_F(ScriptStatements, TheIndexCarriesFromTheObjectToItsProperty) {
  runText("essai.indice; essai[3].indice; ESSAI[0].indice; essai [2] . indice");
  EXPECT_EQ(TheStore().indexes, (std::vector<int32_t>{0, 2, -1, 1}));
  // The most negative index wraps instead of overflowing.
  runText("essai[0x80000000].indice");
  EXPECT_EQ(TheStore().indexes.back(), INT32_MAX);
}

TEST_F(ScriptStatements, EmptyStatementsAndCommentLinesDoNothing) {
  runLines("\n   \n# comment\n\t; another\n= 5\n[2]\n");
  runText(";;  ;");
  EXPECT_TRUE(dialogs.entries().empty());
  EXPECT_EQ(w.interpreter.stopFlag, StopFlag::Running);
}

TEST_F(ScriptStatements, LongLinesContinueAsTheNextStatement) {
  // 999 characters, accents counting as one, then a second statement.
  std::string first = "essai.nom = \"" + std::string(10, 'x') + "é\"";
  first += std::string(999 - platform::Utf8Length(first), ' ');
  runLines(first + "essai.grille = 1\n");
  EXPECT_EQ(TheStore().nom, "xxxxxxxxxxé");
  EXPECT_EQ(TheStore().grille, 1);
  TheStore() = {};
  runText(first + "essai.grille = 1");
  EXPECT_EQ(TheStore().grille, 1);
}

TEST_F(ScriptStatements, RootVariablesAndTheirEnglishTwins) {
  EXPECT_EQ(w.paths.scriptPath, "script.spt");
  EXPECT_EQ(w.paths.userHelpPath, "lisezmoi.htm");
  runLines(
      "Répertoire = \"C:\\Jeux\\Projet\"\n"
      "Script = \"Outils.spt\"\n"
      "AidePerso = \"aide.htm\"\n");
  EXPECT_EQ(w.paths.directory, "C:\\Jeux\\Projet");
  EXPECT_EQ(w.paths.scriptPath, "Outils.spt");
  EXPECT_EQ(w.paths.userHelpPath, "aide.htm");
  runText("directory = 'd'; userhelp = 'u'");
  EXPECT_EQ(w.paths.directory, "d");
  EXPECT_EQ(w.paths.userHelpPath, "u");
}
