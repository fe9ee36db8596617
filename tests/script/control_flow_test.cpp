// Labels, jumps, nested runs and the control-flow statements.
#include "script/control_flow.h"

#include <gtest/gtest.h>

#include "script/script_events.h"
#include "script_fixture.h"

using namespace script;
using namespace app;
using platform::Answer;
using scripttest::ScriptFixture;
using scripttest::TheStore;
using Strings = std::vector<std::string>;

using ControlFlow = ScriptFixture;

TEST_F(ControlFlow, LabelLinesAreSkippedAndGotoSearchesForward) {
  runLines(
      "trace un\n"
      "_Export:\n"
      "trace deux\n"
      "goto Tout Convertir\n"
      "trace sautée\n"
      "  _Tout Convertir:  # procédure\n"
      "trace trois");  // no newline after the last line
  EXPECT_EQ(traces(), (Strings{"un", "deux", "trois"}));
}

TEST_F(ControlFlow, GotoBackwardsEndsTheRun) {
  runLines("fin_du_script:\ntrace un\ngoto fin_du_script\ntrace jamais\n");
  EXPECT_EQ(traces(), Strings{"un"});
  EXPECT_TRUE(dialogs.entries().empty());
}

TEST_F(ControlFlow, TheUnderscoreIsNotPartOfTheLabel) {
  runLines("goto export\ntrace non\n_Export:\ntrace oui\n");
  EXPECT_EQ(traces(), Strings{"oui"});
  TheStore().traces.clear();
  runLines("goto _export\ntrace non\n_Export:\ntrace non plus\n");
  EXPECT_TRUE(traces().empty());
}

TEST_F(ControlFlow, StartLabelIsCaseFoldedAndAMissingOneRunsNothing) {
  runLines("trace avant\nonopen niveau1:\ntrace carte\n", "onopen NIVEAU1");
  EXPECT_EQ(traces(), Strings{"carte"});
  runLines("trace avant\n", "absent");
  EXPECT_EQ(traces(), Strings{"carte"});
}

TEST_F(ControlFlow, MsgBoxStringKeepsItsSemicolonOnlyInAFile) {
  runLines("msgbox \"Un; deux\", \"ignoré\", \"Titre\"\n");
  ASSERT_EQ(dialogs.entries().size(), 1u);
  const auto& box = dialogs.entries()[0];
  EXPECT_TRUE(box.isQuestion);
  EXPECT_EQ(box.text, "Un; deux");
  EXPECT_EQ(box.caption, "Titre");
  EXPECT_EQ(box.buttons, platform::Buttons::OkCancel);
  EXPECT_EQ(box.defaultAnswer, Answer::Ok);
  EXPECT_EQ(box.icon, platform::Icon::Information);

  // From text the statement is cut at the ';': the string is unterminated.
  dialogs.clear();
  runText("msgbox \"Un; deux\"");
  EXPECT_EQ(messages(), (Strings{"Point d'arrêt défini ici (MsgBox sans argument).",
                                 "L'identificateur deux\" n'existe pas."}));
  EXPECT_EQ(dialogs.entries()[0].caption, "Message utilisateur");
}

TEST_F(ControlFlow, MsgBoxCancelStopsOrJumps) {
  dialogs.queueAnswer(Answer::Ok);
  dialogs.queueAnswer(Answer::Cancel);
  runLines("msgbox \"a\"\ntrace 1\nmsgbox \"b\"\ntrace 2\n");
  EXPECT_EQ(traces(), Strings{"1"});
  EXPECT_EQ(w.interpreter.stopFlag, StopFlag::EndScript);

  TheStore().traces.clear();
  dialogs.queueAnswer(Answer::Cancel);
  dialogs.queueAnswer(Answer::Cancel);
  runLines(
      "MsgBox \"a\" SINON GOTO Suite\n"
      "trace non\n"
      "suite:\n"
      "msgbox 'b', 'titre' else goto fin\n"
      "trace non\n"
      "fin:\n"
      "trace oui\n");
  EXPECT_EQ(traces(), Strings{"oui"});
  EXPECT_EQ(dialogs.entries().back().caption, "titre");
}

TEST_F(ControlFlow, StopStatementsEndTheRunWithTheirFlag) {
  runText("trace 1; fin; trace 2");
  EXPECT_EQ(traces(), Strings{"1"});
  EXPECT_EQ(w.interpreter.stopFlag, StopFlag::EndScript);
  runText("quit; trace 3");
  EXPECT_EQ(w.interpreter.stopFlag, StopFlag::CloseProgram);
  runText("retour 0; trace 4");
  EXPECT_EQ(w.interpreter.returnValue, 0);
  runText("return 0x2A");
  EXPECT_EQ(w.interpreter.returnValue, 42);
  runText("trace 5");
  EXPECT_EQ(w.interpreter.returnValue, 1);
  EXPECT_EQ(w.interpreter.stopFlag, StopFlag::Running);
  EXPECT_EQ(traces(), (Strings{"1", "5"}));
}

TEST_F(ControlFlow, GotoContinuesInTheIncluderAfterTheIncludedFileEnds) {
  std::string inc = writeScript("inc.spt", "trace inclus\ngoto plus loin\ntrace non\n");
  runLines("inclure \"" + inc + "\"\ntrace non\nPlus Loin:\ntrace après\n");
  EXPECT_EQ(traces(), (Strings{"inclus", "après"}));
}

TEST_F(ControlFlow, ReturnInAnIncludedFileEndsTheIncluderAndTheEventSeesIt) {
  std::string inc = writeScript("retour.spt", "trace inclus\nretour 0\ntrace non\n");
  w.paths.scriptPath =
      writeScript("script.spt", "onquit:\ninclude \"" + inc + "\"\ntrace non plus\nretour 1\n");
  EventOutcome out = RunScriptEvent(w, ScriptEvent::Quit);
  EXPECT_TRUE(out.ran);
  EXPECT_EQ(out.returnValue, 0);
  EXPECT_TRUE(out.refused());
  EXPECT_EQ(traces(), Strings{"inclus"});
}

TEST_F(ControlFlow, FaireRunsAFileFromALabelAndNests) {
  std::string inner = writeScript("inner.spt", "trace intérieur\n");
  std::string lib = writeScript(
      "lib.spt", "trace un\n_Deux:\ntrace deux\ndo \"" + inner + "\", \"\"\ntrace fin lib\n");
  runLines("faire \"" + lib + "\", \"deux\"\ntrace retour\nfaire \"" + lib + "\"\n");
  EXPECT_EQ(traces(), (Strings{"deux", "intérieur", "fin lib", "retour", "un", "deux", "intérieur",
                               "fin lib"}));
  EXPECT_TRUE(dialogs.entries().empty());
}

TEST_F(ControlFlow, IncludeAndFaireReportMissingNamesAndFiles) {
  runLines(
      "inclure absent.spt\n"
      "inclure \"" +
      dir.file("absent.spt") +
      "\"\n"
      "faire absent.spt\n"
      "faire \"" +
      dir.file("absent.spt") +
      "\", \"x\"\n"
      "inclure \"" +
      dir.path().string() +
      "\"\n"
      "trace fin\n");
  EXPECT_EQ(messages(),
            (Strings{"Fonction: inclure\nNom de fichier pas défini correctement (n'oubliez pas "
                     "les guillemets)",
                     "Impossible d'inclure le fichier spécifié: " + dir.file("absent.spt"),
                     "Fonction: Faire\nNom de fichier pas défini correctement (n'oubliez pas "
                     "les guillemets)",
                     "Impossible d'exécuter le fichier spécifié: " + dir.file("absent.spt"),
                     "Impossible d'inclure le fichier spécifié: " + dir.path().string()}));
  EXPECT_EQ(traces(), Strings{"fin"});
}

TEST_F(ControlFlow, AFileIncludingItselfStopsAtTheNestingLimit) {
  std::string self = dir.file("self.spt");
  writeScript("self.spt", "trace x\ninclure \"" + self + "\"\n");
  runLines("inclure \"" + self + "\"\n");
  // The outer run counts as one level.
  EXPECT_EQ(traces().size(), static_cast<size_t>(kMaxScriptNesting - 1));
  EXPECT_EQ(messages(), Strings{"Impossible d'inclure le fichier spécifié: " + self});
  EXPECT_EQ(w.interpreter.runDepth, 0);
}

TEST_F(ControlFlow, ScriptFilesAreDecodedPerFile) {
  std::string latin = writeScript("latin.spt", "essai.nom = \"\xE9t\xE9\"\n");
  std::string utf8 = writeScript("utf8.spt", "\xEF\xBB\xBFtrace \"été\"\r\n");
  EXPECT_TRUE(RunScriptFile(w, latin));
  EXPECT_TRUE(RunScriptFile(w, utf8));
  EXPECT_EQ(TheStore().nom, "été");
  EXPECT_EQ(traces(), Strings{"\"été\""});
  EXPECT_FALSE(RunScriptFile(w, ""));
}

TEST_F(ControlFlow, ExecStartsTheProgramAndNeverReportsFailure) {
  runText("exec \"Notepad.exe lisezmoi.txt\"; exec sans guillemets");
  ASSERT_EQ(shell.calls().size(), 1u);
  EXPECT_EQ(shell.calls()[0].action, platform::RecordingShell::Action::StartProgram);
  EXPECT_EQ(shell.calls()[0].argument, "Notepad.exe lisezmoi.txt");
  EXPECT_TRUE(dialogs.entries().empty());
}
