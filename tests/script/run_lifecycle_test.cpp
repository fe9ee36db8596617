// The run lifecycle, events, the Procédures menu, the prompt, the import
// assistant's controls and the identifier tables.
#include <gtest/gtest.h>

#include <set>

#include "app/assistant_controls.h"
#include "script/control_flow.h"
#include "app/entry_makers.h"
#include "script/identifier_lookup.h"
#include "script/procedures_menu.h"
#include "app/root_table.h"
#include "script/script_events.h"
#include "script/script_host.h"
#include "script/script_line.h"
#include "script/script_prompt.h"
#include "script_fixture.h"
#include "test_support/temp_dir.h"

using namespace script;
using namespace app;
using scripttest::ScriptFixture;
using scripttest::TheStore;
using Strings = std::vector<std::string>;

namespace {

class FakeHost : public ScriptHost {
 public:
  void setTreeReactionsSuspended(bool s) override { calls.push_back(s ? "suspend" : "restore"); }
  void rebuildBitGrid() override { calls.push_back("bits"); }
  void showMainWindow(bool shown) override { calls.push_back(shown ? "show" : "hide"); }
  Strings calls;
};

class FakeAssistant : public AssistantControls {
 public:
  void openFromTree(AssistantControl c) override { calls.push_back("tree " + id(c)); }
  void setText(AssistantControl c, const std::string& t) override {
    calls.push_back("text " + id(c) + " " + t);
  }
  void setChecked(AssistantControl c, int32_t s) override {
    calls.push_back("check " + id(c) + " " + std::to_string(s));
  }
  std::vector<std::string> listEntries(AssistantControl) override {
    return {"Palette A", "ÉCRAN titre", "Palette B"};
  }
  void selectEntry(AssistantControl c, size_t i) override {
    calls.push_back("select " + id(c) + " " + std::to_string(i));
  }
  void pressOk() override { calls.push_back("ok"); }
  static std::string id(AssistantControl c) { return std::to_string(static_cast<int>(c)); }
  Strings calls;
};

}  // namespace

using RunLifecycle = ScriptFixture;

TEST_F(RunLifecycle, MessagesIsZeroDuringARunAndOneAfter) {
  EXPECT_EQ(w.interpreter.messages, 0);
  RegisterIdentifier(w, "voir", CommandEntry<[](Workshop& w, std::string_view) {
                       TheStore().traces.push_back(std::to_string(w.interpreter.messages));
                     }>());
  runText("voir; messages = 1; voir");
  EXPECT_EQ(traces(), (Strings{"0", "1"}));
  EXPECT_EQ(w.interpreter.messages, 1);
}

TEST_F(RunLifecycle, HostHooksWrapTheOutermostRunAndBitNamesSurviveNesting) {
  FakeHost host;
  w.interpreter.host = &host;
  std::string inc = writeScript("inc.spt", "visible 0\n");
  runLines("essai.bitnoms\ninclure \"" + inc + "\"\nvisible 1\n");
  EXPECT_EQ(host.calls, (Strings{"suspend", "hide", "bits", "show", "restore", "show"}));
  host.calls.clear();
  runText("trace x");
  EXPECT_EQ(host.calls, (Strings{"suspend", "restore", "show"}));
}

TEST_F(RunLifecycle, EventsRunFromTheirLabelsAndReportWhatTheCallerNeeds) {
  EXPECT_EQ(EventLabel(ScriptEvent::Open, "Niveau1"), "onopen Niveau1");
  EXPECT_EQ(EventLabel(ScriptEvent::Save, "x"), "onsave x");
  w.paths.scriptPath = writeScript("script.spt",
                                   "onstart:\ntrace départ\nquitte\n"
                                   "onopen Niveau1:\ntrace ouvert\nretour 0\n"
                                   "onsave niveau1:\ntrace sauvé\n");
  EventOutcome start = RunScriptEvent(w, ScriptEvent::Start);
  EXPECT_EQ(start.stopFlag, StopFlag::CloseProgram);
  EXPECT_TRUE(start.closesProgram());
  EXPECT_TRUE(RunScriptEvent(w, ScriptEvent::Open, "NIVEAU1").refused());
  EventOutcome save = RunScriptEvent(w, ScriptEvent::Save, "Niveau1");
  EXPECT_FALSE(save.refused());
  EventOutcome quit = RunScriptEvent(w, ScriptEvent::Quit);  // no handler: runs nothing
  EXPECT_TRUE(quit.ran);
  EXPECT_FALSE(quit.refused());
  EXPECT_EQ(traces(), (Strings{"départ", "ouvert", "sauvé"}));
}

TEST_F(RunLifecycle, AMissingSystemScriptLetsTheProgramGoOn) {
  runText("quitte");  // e.g. the project's data section
  w.paths.scriptPath = dir.file("absent.spt");
  EventOutcome start = RunScriptEvent(w, ScriptEvent::Start);
  EXPECT_FALSE(start.ran);
  EXPECT_FALSE(start.closesProgram());
}

TEST_F(RunLifecycle, ProceduresMenuListsUnderscoreLabelsInTheirWrittenCase) {
  std::string path = writeScript("script.spt",
                                 "onstart:\n"
                                 "  _Export:   # exporte tout\n"
                                 "trace export\n"
                                 "_Tout Convertir: ; commentaire\n"
                                 "trace tout\n"
                                 "_:\n"
                                 "pas_un_label:\n");
  std::vector<ProcedureItem> items = BuildProceduresMenu(path);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].text, "Export");
  EXPECT_EQ(items[0].command, 16384);
  EXPECT_TRUE(items[0].enabled);
  EXPECT_EQ(items[1].text, "Tout Convertir");
  EXPECT_EQ(items[1].command, 16385);

  w.paths.scriptPath = path;
  EXPECT_TRUE(RunProcedure(w, items[1].text));
  EXPECT_EQ(traces(), Strings{"tout"});
}

TEST(ProceduresMenu, ExplainsWhyItIsEmpty) {
  testsupport::TempDir dir;
  testsupport::WriteFile(dir.file("vide.spt"), "trace x\nlabel:\n");
  auto expectPlaceholder = [](const std::vector<ProcedureItem>& items, std::string_view text) {
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].text, text);
    EXPECT_EQ(items[0].command, 16383);
    EXPECT_FALSE(items[0].enabled);
  };
  expectPlaceholder(BuildProceduresMenu(""), "(Aucun script spécifié)");
  expectPlaceholder(BuildProceduresMenu(dir.file("absent.spt")), "(Pas de script)");
  expectPlaceholder(BuildProceduresMenu(dir.file("vide.spt")), "(Aucune)");
}

TEST_F(RunLifecycle, ThePromptRunsItsTextAsAStreamAndRemembersIt) {
  std::string typed = "Trace un\r\nessai.nom = \"Deux\r\"\r\ntrace trois";
  RunScriptPrompt(w, typed);
  EXPECT_EQ(ScriptPromptText(w), typed);
  EXPECT_EQ(traces(), (Strings{"un", "trois"}));
  EXPECT_EQ(TheStore().nom, "Deux");
  EXPECT_EQ(w.interpreter.stopFlag, StopFlag::EndScript);  // the appended `Fin`

  RunScriptPrompt(w, std::string(12000, 'x'));
  EXPECT_EQ(ScriptPromptText(w).size(), 10000u);
}

TEST_F(RunLifecycle, AssistantControlsReceiveTheScriptsActions) {
  FakeAssistant assistant;
  w.assistant = &assistant;
  runLines(
      "arbre-cartes\n"
      "TEXTE-SOURCE = \"Héros.PNG\"\n"
      "text-colors = '16'\n"
      "check-palette = 2\n"
      "check-16 = 1\n"
      "combo-palette = \"écran TITRE\"\n"
      "combo-tileset = \"absente\"\n"
      "combo-map = \"peu importe\"\n"
      "texte-dest = 12\n"
      "ok\n");
  EXPECT_EQ(assistant.calls,
            (Strings{"tree 2", "text 4 Héros.PNG", "text 8 16", "check 9 2", "select 13 1", "ok"}));
  EXPECT_EQ(messages(),
            (Strings{"Objet: combo-tileset.\nLe texte recherché dans la zone de liste "
                     "déroulante n'y figure pas (absente).",
                     "Objet texte-dest.\nIl manque des arguments et/ou leur type est incorrect."}));

  // Without an assistant, lists have no entries.
  w.assistant = nullptr;
  dialogs.clear();
  runText("combo-taille = '32x32'; ok");
  EXPECT_EQ(messages(), Strings{"Objet: combo-taille.\nLe texte recherché dans la zone de liste "
                                "déroulante n'y figure pas (32x32)."});
}

TEST_F(RunLifecycle, RegisteredIdentifiersComeAfterTheRootAndAreNotDuplicated) {
  // The platform's own object (`gba`) is registered at start-up; another
  // name stands for a platform object here.
  size_t before = w.interpreter.registered.size();
  Entry object = ObjectEntry(nullptr);
  EXPECT_TRUE(RegisterIdentifier(w, "PSX", object));
  EXPECT_FALSE(RegisterIdentifier(w, "psx", object));
  EXPECT_TRUE(RegisterIdentifier(w, "psx", CommandEntry(nullptr)));
  EXPECT_EQ(w.interpreter.registered.size(), before + 2);
  EXPECT_EQ(LookupIdentifier(w, nullptr, "psx")->kind, EntryKind::Object);

  // A registered name the root already holds is never reached.
  RegisterIdentifier(w, "goto", CommandEntry(nullptr));
  EXPECT_EQ(LookupIdentifier(w, nullptr, "goto")->command, &GotoCommand);
  // An object without a table has no properties.
  runText("psx.palettemask 1");
  EXPECT_EQ(messages(), Strings{"La propriété palettemask n'existe pas."});
}

TEST(RootTable, FrenchThenEnglishNamesOfTheSameTargets) {
  auto twins = RootTwinRows();
  auto root = RootTable().entries;
  ASSERT_EQ(root.size(), 2 * twins.size() + RootSharedRows().size());
  std::set<std::string_view> french, english;
  for (size_t i = 0; i < twins.size(); ++i) {
    EXPECT_EQ(root[i].name, twins[i].french);
    EXPECT_EQ(root[twins.size() + i].name, twins[i].english);
    EXPECT_TRUE(root[i].sameAs(Named(twins[i].french, root[twins.size() + i])));
    EXPECT_TRUE(french.insert(twins[i].french).second) << twins[i].french;
    EXPECT_TRUE(english.insert(twins[i].english).second) << twins[i].english;
  }
  for (const Entry& e : root) {
    EXPECT_EQ(FoldCase(e.name), e.name);
    EXPECT_NE(e.name.find_first_of(" \t.=[#;"), 0u);
  }
}
