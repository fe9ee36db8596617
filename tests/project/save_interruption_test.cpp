// A save killed at any moment leaves the old file or the new one, whole.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>

#include "platform/files.h"
#include "project/project.h"
#include "project/project_file.h"
#include "project_test_support.h"
#include "test_support/temp_dir.h"

using namespace project;
using namespace projecttest;

namespace {

// A project of a thousand entries whose data section carries its version.
void Fill(Project& p, int version) {
  p.clear();
  for (int i = 0; i < 1000; ++i)
    p.appendRaw(Element(kKindMap, "carte" + std::to_string(i),
                        "niveaux/carte" + std::to_string(i) + ".map.c"));
  p.document().dataSection = "  version " + std::to_string(version) + "\n" +
                             std::string(static_cast<size_t>(20000 + version * 37), '#') + "\n";
}

TEST(SaveInterruption, AKilledSaveLeavesTheOldOrTheNewFileWhole) {
  testsupport::TempDir dir;
  std::string path = dir.file("grand.tpj");
  ProjectFixture f;
  Fill(f.project, 0);
  ASSERT_TRUE(SaveProject(f.project, path, nullptr));
  std::string previous = EncodeProjectFile(f.project, nullptr);

  std::mt19937 random(20261209);
  int interrupted = 0;
  for (int version = 1; version <= 200; ++version) {
    Fill(f.project, version);
    std::string next = EncodeProjectFile(f.project, nullptr);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      bool saved = SaveProject(f.project, path, nullptr);
      _exit(saved ? 0 : 1);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFSIGNALED(status)) ++interrupted;

    std::string found = platform::ReadFileBytes(path).value_or("(unreadable)");
    ASSERT_TRUE(found == previous || found == next)
        << "save " << version << ": " << found.size() << " bytes, neither version";
    if (found == next) previous = next;
  }
  // The kills did land in the middle of saves, not only between them.
  EXPECT_GT(interrupted, 20);
}

}  // namespace
