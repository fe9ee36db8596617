// Start-up and batch runs with the platform, formats and models: what the
// project file keeps of them comes back on the next run, and the program
// itself runs statements and conversions without a display.
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <sys/wait.h>

#include "formats/format_library.h"
#include "platform/recording_platform.h"
#include "platform/text_encoding.h"
#include "app/gba_platform.h"
#include "app/platforms.h"
#include "app/session_section.h"
#include "app/startup.h"
#include "app/workshop.h"
#include "test_support/temp_dir.h"

using app::CommandLine;

namespace {

namespace fs = std::filesystem;

class BatchStart : public ::testing::Test {
 protected:
  BatchStart() : previous_(fs::current_path()) {}
  ~BatchStart() override { fs::current_path(previous_); }

  // Starts a context as the program does and runs the command line in batch.
  int Run(const CommandLine& commandLine) {
    w = std::make_unique<app::Workshop>(platform::Services{dialogs, shell, machine});
    app::WorkshopSession session(*w);
    app::StartWorkshop(*w, commandLine, session);
    std::FILE* sink = std::tmpfile();
    int status = app::RunBatch(*w, commandLine, session, sink);
    std::fclose(sink);
    return status;
  }

  std::string saved(const fs::path& project) {
    return platform::DecodeTextFile(testsupport::ReadFile(project));
  }

  testsupport::TempDir dir;
  platform::RecordingDialogs dialogs;
  platform::RecordingShell shell;
  platform::FixedMachine machine;
  std::unique_ptr<app::Workshop> w;

 private:
  fs::path previous_;
};

}  // namespace

TEST(CommandLineDefaults, NoArgumentsOpenTheDefaultProjectInteractively) {
  CommandLine none = app::CommandLineFromArguments({});
  EXPECT_EQ(none.projectPath, "projet.tpj");
  EXPECT_EQ(app::ModeOf(none), app::RunMode::Interactive);
}

TEST_F(BatchStart, AQuotedPathWithBlanksRunsTheRestAndSavesTheProject) {
  fs::create_directories(dir.path() / "jeu 2");
  fs::path project = dir.path() / "jeu 2" / "mon projet.tpj";
  CommandLine line =
      app::SplitCommandLine("\"" + project.string() + "\" gba.align 1; msgbox \"x\"");
  EXPECT_EQ(line.projectPath, project.string());
  ASSERT_EQ(Run(line), 0);
  std::string saved = this->saved(project);
  EXPECT_NE(saved.find("  Plateforme = \"Game Boy Advance, Nintendo\"\n  "
                       "GBA.paletteMask = vrai\n"
                       "  GBA.mirrorMask = vrai\n  GBA.align = 4\n  Fin\n"),
            std::string::npos);
  EXPECT_NE(saved.find("  Format = \"Standard\"\n\n  DefModele \"Default\"\t\t{\n  }\n"
                       "  Modele = \"Default\"\n\n"),
            std::string::npos);

  // The next run starts from the defaults and gets the options back from the
  // file.
  ASSERT_EQ(Run(app::SplitCommandLine("\"" + project.string() + "\" fin")), 0);
  EXPECT_EQ(w->platforms.gba.align, 4);
  EXPECT_EQ(w->colourMode, 1);
}

TEST_F(BatchStart, TheFormatAndModelTheProjectNamesAreUsedAndKeptByBatchRuns) {
  fs::path project = dir.path() / "formats.tpj";
  testsupport::WriteFile(project,
                         "#Fichier de projet Tessel Works\n"
                         "\n#Infos utiles sur la dernière session\n .section infos\n"
                         "  Format = \"Mien\"\n\n"
                         "  DefModele \"Ennemi\"\t\t{\n  \t1, 4, \"vie\", \"3\"\n  }\n"
                         "  Modele = \"Ennemi\"\n\n"
                         "  GBA.mirrorMask = faux\n"
                         "  Fin\n"
                         "\n#Eléments de l'arbre du projet\n .section fichiers\n Fin\n"
                         "\n#Section où vous pouvez entrer n'importe quelle commande de script. "
                         "Cela vous permet de régler les différentes variables.\n"
                         " .section données\n"
                         "defformat \"Mien\" {\n  map {\n    n_every = 4\n  }\n}\n");
  ASSERT_EQ(Run({project.string(), "fin"}), 0);
  EXPECT_EQ(w->formats.current.name, "Mien");
  EXPECT_EQ(w->formats.current.section(formats::SectionType::Map).n_every, 4);
  EXPECT_EQ(formats::CurrentModel(w->formats).name, "Ennemi");
  EXPECT_EQ(app::CurrentPlatform(*w).mapFormats[app::kGbaTextMapFormat].indexMask, 0xFFFu);
  EXPECT_TRUE(dialogs.entries().empty());
  std::string saved = this->saved(project);
  EXPECT_NE(saved.find("  Format = \"Mien\"\n"), std::string::npos);
  EXPECT_NE(saved.find("  Modele = \"Ennemi\"\n"), std::string::npos);
  EXPECT_NE(saved.find("defformat \"Mien\" {\n"), std::string::npos);
}

TEST_F(BatchStart, StartUpBeginsFromTheDefaultsEveryTime) {
  fs::current_path(dir.path());
  ASSERT_EQ(Run(app::SplitCommandLine("projet.tpj gba.palettemask 0; gba.align 1")), 0);
  w->conversion.tileWidth = 32;
  app::WorkshopSession session(*w);
  app::StartWorkshop(*w, app::SplitCommandLine("absent.tpj"), session);
  EXPECT_TRUE(w->platforms.gba.paletteMask);
  EXPECT_EQ(w->platforms.gba.align, 0);
  EXPECT_EQ(w->conversion.tileWidth, 8);
  EXPECT_EQ(w->placeholderDefaults.tileWidth, 8);
  EXPECT_EQ(w->formats.formats.size(), 1u);
  EXPECT_EQ(w->platforms.records.size(), 1u);
}

// The program itself: statements and conversions run without a display.
TEST_F(BatchStart, TheProgramRunsCommandLinesWithoutADisplay) {
  fs::path program = fs::path(TESSEL_BINARY_DIR) / "ui" / "tesselworks";
  if (!fs::exists(program)) GTEST_SKIP() << "the desktop program is not built";
  fs::create_directories(dir.path() / "a b");
  fs::current_path(dir.path());
  const std::string env = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ";
  std::string run = env + "'" + program.string() + "' '\"a b/p q.tpj\" msgbox \"x\"; fin' " +
                    "> out.txt 2> err.txt";
  ASSERT_EQ(std::system(run.c_str()), 0);
  EXPECT_TRUE(fs::exists(dir.path() / "a b" / "p q.tpj"));
  EXPECT_NE(testsupport::ReadFile(dir.path() / "err.txt").find("Message utilisateur: x"),
            std::string::npos);

  // A picture that is not there: saved, with status 2 and its last line.
  run = env + "'" + program.string() + "' -conv tset src=x.png > out.txt 2> err.txt";
  int status = std::system(run.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 2);
  EXPECT_TRUE(fs::exists(dir.path() / "projet.tpj"));
  std::string out = testsupport::ReadFile(dir.path() / "out.txt");
  EXPECT_NE(out.find("Conversion: tset src=x.png\nRien n'a été converti: tset src=x.png\n"),
            std::string::npos)
      << out;
  std::string err = testsupport::ReadFile(dir.path() / "err.txt");
  EXPECT_TRUE(err.ends_with("mais des erreurs ont été signalées (code 2).\n")) << err;
}
