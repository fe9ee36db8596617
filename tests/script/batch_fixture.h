#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/recording_platform.h"
#include "platform/text_encoding.h"
#include "app/session_section.h"
#include "app/startup.h"
#include "app/workshop.h"
#include "test_support/temp_dir.h"

namespace scripttest {

// Runs the program's start-up and batch mode in a temporary directory, as
// the program does for a command line of statements or conversions.
class BatchFixture : public ::testing::Test {
 protected:
  BatchFixture() : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir.path());
  }
  ~BatchFixture() override { std::filesystem::current_path(previous_); }

  // A fresh context on the project (relative to the temporary directory);
  // `rest` runs as the command line would run it. Returns the exit status.
  int Run(const std::string& project, const std::string& rest) {
    app::CommandLine line{(dir.path() / project).string(), rest};
    // The program's batch mode counts the errors its dialogs show.
    w.reset();
    watch = std::make_unique<app::ErrorWatch>(dialogs);
    w = std::make_unique<app::Workshop>(platform::Services{*watch, shell, machine});
    session = std::make_unique<app::WorkshopSession>(*w);
    app::StartWorkshop(*w, line, *session);
    std::FILE* sink = std::tmpfile();
    int status = app::RunBatch(*w, line, *session, sink, watch.get());
    std::fclose(sink);
    return status;
  }

  // A project file as text.
  std::string saved(const std::string& project) {
    return platform::DecodeTextFile(testsupport::ReadFile(dir.path() / project));
  }

  testsupport::TempDir dir;
  platform::RecordingDialogs dialogs;
  platform::RecordingShell shell;
  platform::FixedMachine machine;
  std::unique_ptr<app::ErrorWatch> watch;
  std::unique_ptr<app::Workshop> w;
  std::unique_ptr<app::WorkshopSession> session;

 private:
  std::filesystem::path previous_;
};

}  // namespace scripttest
