// The files a creation page is about to write: empty and duplicate names are
// refused, replacing an existing file is asked first.
#include "project/destination_check.h"

#include "platform/recording_platform.h"
#include "test_support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

using project::Destination;

struct DestinationCase {
  const char* what;
  std::vector<Destination> destinations;
  std::vector<platform::Answer> answers;
  bool accepted;
  std::vector<std::string> texts;  // what the user saw, in order
};

class DestinationCheck : public ::testing::TestWithParam<DestinationCase> {
 protected:
  DestinationCheck() : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir_.path());
    testsupport::WriteFile(dir_.path() / "ancien.til.c", "x");
  }
  ~DestinationCheck() override { std::filesystem::current_path(previous_); }

  testsupport::TempDir dir_;
  std::filesystem::path previous_;
};

TEST_P(DestinationCheck, RefusesOrAsksBeforeAnythingIsWritten) {
  const DestinationCase& c = GetParam();
  platform::RecordingDialogs dialogs;
  for (platform::Answer a : c.answers) dialogs.queueAnswer(a);
  EXPECT_EQ(project::CheckDestinations(c.destinations, dialogs), c.accepted) << c.what;
  EXPECT_EQ(dialogs.texts(), c.texts) << c.what;
  EXPECT_EQ(testsupport::ReadFile(dir_.path() / "ancien.til.c"), "x");
}

const std::string kEmpty(project::kDestinationEmpty);
const std::string kAsk = "Le fichier ancien.til.c existe déjà.\nVoulez-vous le remplacer?";

INSTANTIATE_TEST_SUITE_P(
    Cases, DestinationCheck,
    ::testing::Values(
        DestinationCase{"new files", {{"a.til.c"}, {"a.pal.c"}, {"a.map.c"}}, {}, true, {}},
        DestinationCase{
            "an empty map name", {{"a.til.c"}, {"a.pal.c"}, {"  "}}, {}, false, {kEmpty}},
        DestinationCase{
            "an empty name an existing element replaces", {{"a.til.c"}, {"", true}}, {}, true, {}},
        DestinationCase{"the same file twice",
                        {{"a.til.c"}, {"sub/../a.til.c"}},
                        {},
                        false,
                        {"Deux destinations désignent le même fichier: sub/../a.til.c"}},
        DestinationCase{"replacing, answered Yes",
                        {{"ancien.til.c"}, {"a.pal.c"}},
                        {platform::Answer::Yes},
                        true,
                        {kAsk}},
        DestinationCase{"replacing, answered No",
                        {{"ancien.til.c"}, {"a.pal.c"}},
                        {platform::Answer::No},
                        false,
                        {kAsk}},
        DestinationCase{"an existing element's own file is not asked about",
                        {{"ancien.til.c", true}, {"a.pal.c"}},
                        {},
                        true,
                        {}}));

}  // namespace
