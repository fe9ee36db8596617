#include "app/startup.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "platform/recording_platform.h"
#include "platform/text_encoding.h"
#include "project/project.h"
#include "app/session_section.h"
#include "app/workshop.h"
#include "test_support/temp_dir.h"

using app::CommandLine;
using app::RunMode;

TEST(CommandLine, SplitsThePathFromWhatToDoWithIt) {
  CommandLine none = app::SplitCommandLine("");
  EXPECT_EQ(none.projectPath, "projet.tpj");
  EXPECT_EQ(app::ModeOf(none), RunMode::Interactive);

  CommandLine quoted = app::SplitCommandLine("\"mes projets/jeu 1.tpj\" msgbox \"x\"; fin");
  EXPECT_EQ(quoted.projectPath, "mes projets/jeu 1.tpj");
  EXPECT_EQ(app::ModeOf(quoted), RunMode::Statements);

  CommandLine conversions = app::SplitCommandLine("-conv tset src=a.png:conv bmp src=b.png");
  EXPECT_EQ(conversions.projectPath, "projet.tpj");
  EXPECT_EQ(app::ModeOf(conversions), RunMode::Conversions);

  CommandLine plain = app::SplitCommandLine("jeu.tpj   fin");
  EXPECT_EQ(plain.projectPath, "jeu.tpj");
  EXPECT_EQ(plain.rest, "  fin");
  EXPECT_EQ(app::ModeOf(plain), RunMode::Statements);
}

TEST(CommandLine, ArgumentsKeepAPathWithBlanksWhole) {
  CommandLine two = app::CommandLineFromArguments({"mes projets/jeu.tpj", "msgbox \"x\""});
  EXPECT_EQ(two.projectPath, "mes projets/jeu.tpj");
  EXPECT_EQ(two.rest, "msgbox \"x\"");
  CommandLine lone = app::CommandLineFromArguments({"mes projets/jeu 1.tpj"});
  EXPECT_EQ(lone.projectPath, "mes projets/jeu 1.tpj");
  EXPECT_EQ(app::ModeOf(lone), RunMode::Interactive);
  CommandLine whole = app::CommandLineFromArguments({"jeu.tpj fin"});
  EXPECT_EQ(whole.projectPath, "jeu.tpj");
  EXPECT_EQ(whole.rest, "fin");
  CommandLine dash = app::CommandLineFromArguments({"-conv", "tset"});
  EXPECT_EQ(dash.projectPath, "projet.tpj");
  EXPECT_EQ(dash.rest, "-conv tset");
}

TEST(CommandLine, ConversionsAreCutAtColonsOutsideQuotes) {
  EXPECT_EQ(app::SplitConversions("-conv a:conv src=\"c:/x.png\" b"),
            (std::vector<std::string>{"conv a", "conv src=\"c:/x.png\" b"}));
}

class BatchRun : public ::testing::Test {
 protected:
  BatchRun() : previous_(std::filesystem::current_path()) {}
  ~BatchRun() override { std::filesystem::current_path(previous_); }

  int Run(const std::vector<std::string>& args) {
    platform::Services services{dialogs, shell, machine};
    app::Workshop w(services);
    app::WorkshopSession session(w);
    CommandLine commandLine = app::CommandLineFromArguments(args);
    app::StartWorkshop(w, commandLine, session);
    std::FILE* sink = std::tmpfile();
    int status = app::RunBatch(w, commandLine, session, sink);
    std::fclose(sink);
    defaultFolderOfMaps = w.project.defaultFolder(project::kKindMap);
    return status;
  }

  testsupport::TempDir dir;
  platform::RecordingDialogs dialogs;
  platform::RecordingShell shell;
  platform::FixedMachine machine;
  std::string defaultFolderOfMaps;

 private:
  std::filesystem::path previous_;
};

TEST_F(BatchRun, StatementsRunAgainstTheProjectWhichIsThenSaved) {
  std::filesystem::create_directories(dir.path() / "mes projets");
  std::string project = (dir.path() / "mes projets" / "jeu 1.tpj").string();
  ASSERT_EQ(Run({project, "msgbox \"Bonjour\"; dossiers.cartes = \"Niveaux\""}), 0);
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_EQ(dialogs.entries()[0].text, "Bonjour");
  EXPECT_EQ(dialogs.entries()[0].caption, "Message utilisateur");
  // The project lies in its own directory, which became the working one.
  EXPECT_EQ(std::filesystem::current_path(), dir.path() / "mes projets");
  std::string saved = platform::DecodeTextFile(testsupport::ReadFile(project));
  EXPECT_NE(saved.find("  DossierDéf[2] = \"Niveaux\"\n"), std::string::npos);

  // Opened again, the session section gives the default folder back to its slot.
  ASSERT_EQ(Run({project, "fin"}), 0);
  EXPECT_EQ(defaultFolderOfMaps, "Niveaux");
}

TEST_F(BatchRun, WithoutAPathTheDefaultProjectOfTheWorkingDirectoryIsCreated) {
  std::filesystem::current_path(dir.path());
  // A conversion that made nothing: saved, but the status says so.
  ASSERT_EQ(Run({"-conv tset src=absent.png"}), 2);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "projet.tpj"));
  // The missing picture is reported once; nothing else happens.
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_EQ(dialogs.entries()[0].text, "Impossible de charger le fichier bitmap spécifié");
  EXPECT_EQ(dialogs.entries()[0].caption, "Oups");
}
