// Batch mode always saves after opening: a project that was not read whole
// must then stay as it is on disk, and the run must say so.
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "batch_fixture.h"
#include "test_support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using scripttest::BatchFixture;

// A project in the current layout with `count` maps, as UTF-8 text.
std::string ProjectText(size_t count, std::string_view data = "  Fin\n") {
  std::string out =
      "#Fichier de projet Tessel Works\n\n#Infos utiles sur la dernière session\n"
      " .section infos\n  Fin\n\n#Eléments de l'arbre du projet\n .section fichiers\n";
  for (size_t i = 0; i < count; ++i) {
    std::string n = std::to_string(i);
    out += " #--------------\n  Elément: carte" + n + "\n  Type: carte\n  Fichier: c" + n +
           ".map.c\n  Base: c" + n + ".png\n";
  }
  out +=
      " Fin\n\n#Section où vous pouvez entrer n'importe quelle commande de script.\n"
      " .section données\n";
  out += data;
  return out;
}

// Replaces the first occurrence of `what` in `text`.
std::string Replaced(std::string text, std::string_view what, std::string_view with) {
  text.replace(text.find(what), what.size(), with);
  return text;
}

struct LossCase {
  const char* name;
  // Puts the damaged project in place at `path`.
  std::function<void(const fs::path& path)> make;
  const char* namedInMessage;  // a word of the loss the run reports
  bool asOtherUser = false;    // root reads any file: the run reads as an ordinary user
};

class OpeningLoss : public BatchFixture, public ::testing::WithParamInterface<LossCase> {};

TEST_P(OpeningLoss, LeavesTheFileAsItWasAndFails) {
  const LossCase& c = GetParam();
  fs::path path = dir.path() / "jeu.tpj";
  c.make(path);
  auto before = fs::symlink_status(path).type();
  std::string bytes = before == fs::file_type::regular ? testsupport::ReadFile(path) : "";

  if (c.asOtherUser && geteuid() == 0) setfsuid(65534);
  EXPECT_EQ(Run("jeu.tpj", "msgbox \"x\"; fin"), 1);
  if (c.asOtherUser && geteuid() == 0) setfsuid(0);

  EXPECT_EQ(fs::symlink_status(path).type(), before);
  if (before == fs::file_type::regular) {
    EXPECT_EQ(testsupport::ReadFile(path), bytes);
  }
  std::string all;
  for (const auto& e : dialogs.entries()) {
    all += e.text + "\n";
    EXPECT_NE(e.text, "x");  // nothing of the command line ran
  }
  EXPECT_NE(all.find(c.namedInMessage), std::string::npos) << all;
}

void Write(const fs::path& path, std::string_view bytes) { testsupport::WriteFile(path, bytes); }

const LossCase kLossCases[] = {
    {"Unreadable",
     [](const fs::path& path) {
       Write(path, ProjectText(3));
       fs::permissions(path, fs::perms::none);
       fs::permissions(path.parent_path(), fs::perms::all);
     },
     "illisible", true},
    {"BackupBlockedByAFolder",
     [](const fs::path& path) {
       fs::copy_file(testsupport::DataPath("project/old_layout.tpj"), path);
       fs::create_directories(path.string() + ".bak/dedans");
     },
     "copie de sauvegarde"},
    {"Utf8WithOneLatin1Byte",
     [](const fs::path& path) {
       Write(path, Replaced(ProjectText(4), "Elément: carte2", "El\xE9ment: carte2"));
     },
     "encodage"},
    {"CorruptedSectionHeader",
     [](const fs::path& path) {
       Write(path, Replaced(ProjectText(4), ".section fichiers", ".secti\xEFn fichiers"));
     },
     "section des éléments"},
    {"CorruptedKeyword",
     [](const fs::path& path) {
       Write(path,
             Replaced(ProjectText(4), "Type: carte\n  Fichier: c2", "Tzpe: carte\n  Fichier: c2"));
     },
     "non reconnues"},
    {"TooManyEntries", [](const fs::path& path) { Write(path, ProjectText(1001)); }, "1000"},
    {"DataSectionTooLong",
     [](const fs::path& path) {
       Write(path, ProjectText(2, "# " + std::string(1000001, 'x') + "\n"));
     },
     "octets"},
    {"Fifo", [](const fs::path& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0); }, "ordinaire"},
};

INSTANTIATE_TEST_SUITE_P(Batch, OpeningLoss, ::testing::ValuesIn(kLossCases),
                         [](const auto& info) { return std::string(info.param.name); });

using BatchProjects = BatchFixture;

// One stray byte costs at most its own line: every entry is still read.
TEST_F(BatchProjects, AStrayByteInAUtf8ProjectCostsAtMostItsLine) {
  Write(dir.path() / "jeu.tpj", Replaced(ProjectText(4), "c1.png", "c1\xE9.png"));
  EXPECT_EQ(Run("jeu.tpj", "fin"), 1);
  ASSERT_EQ(w->project.count(), 4u);
  EXPECT_EQ(w->project.entry(0).name, "carte0");
  EXPECT_EQ(w->project.entry(1).baseFile, "c1é.png");
  EXPECT_EQ(w->project.entry(3).file, "c3.map.c");
}

// A whole project read is saved as before.
TEST_F(BatchProjects, AProjectReadWholeIsSaved) {
  Write(dir.path() / "jeu.tpj", ProjectText(3));
  EXPECT_EQ(Run("jeu.tpj", "fin"), 0);
  EXPECT_NE(saved("jeu.tpj").find("Elément: carte2"), std::string::npos);
}

// The project's sections may come from anyone: their `exec` runs only with
// the user's own permission.
struct ExecCase {
  const char* name;
  const char* permission;  // TESSELWORKS_EXEC, null: unset
  size_t started;
};

class ProjectExec : public BatchFixture, public ::testing::WithParamInterface<ExecCase> {};

TEST_P(ProjectExec, RunsOnlyWhenTheUserAllowsIt) {
  const ExecCase& c = GetParam();
  Write(dir.path() / "jeu.tpj", ProjectText(1, "  exec \"touch pwned\"\n  Fin\n"));
  if (c.permission)
    setenv("TESSELWORKS_EXEC", c.permission, 1);
  else
    unsetenv("TESSELWORKS_EXEC");
  EXPECT_EQ(Run("jeu.tpj", "exec \"echo command line\"; fin"), 0);
  unsetenv("TESSELWORKS_EXEC");
  size_t fromProject = 0;
  bool commandLineRan = false;
  for (const auto& call : shell.calls()) {
    if (call.argument == "touch pwned") ++fromProject;
    if (call.argument == "echo command line") commandLineRan = true;
  }
  EXPECT_EQ(fromProject, c.started);
  EXPECT_TRUE(commandLineRan);  // the user's own statements are the user's
}

const ExecCase kExecCases[] = {
    {"Unset", nullptr, 0},
    {"Refused", "0", 0},
    {"Allowed", "1", 1},
};

INSTANTIATE_TEST_SUITE_P(Batch, ProjectExec, ::testing::ValuesIn(kExecCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// One writer at a time: a project another instance has open is neither run
// nor saved over, and the lock follows the file through every save.
TEST_F(BatchProjects, AProjectOpenElsewhereIsNeitherRunNorSaved) {
  fs::path path = dir.path() / "jeu.tpj";
  Write(path, ProjectText(2));
  std::string bytes = testsupport::ReadFile(path);
  {
    platform::FileLock other;
    ASSERT_EQ(other.acquire(path.string()), platform::FileLock::Result::Locked);
    EXPECT_EQ(Run("jeu.tpj", "msgbox \"x\"; fin"), 1);
    EXPECT_EQ(testsupport::ReadFile(path), bytes);
    ASSERT_FALSE(dialogs.entries().empty());
    EXPECT_NE(dialogs.entries()[0].text.find("déjà ouvert"), std::string::npos);
  }
  w.reset();
  dialogs.clear();
  // Once the other instance is gone, the run saves; its lock then holds on
  // the file it wrote, for as long as its project is open.
  EXPECT_EQ(Run("jeu.tpj", "fin"), 0);
  platform::FileLock other;
  EXPECT_EQ(other.acquire(path.string()), platform::FileLock::Result::InUse);
  w.reset();
  EXPECT_EQ(other.acquire(path.string()), platform::FileLock::Result::Locked);
}

}  // namespace
