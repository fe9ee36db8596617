#include <gtest/gtest.h>

#include <cstdio>

#include "platform/console_platform.h"
#include "platform/recording_platform.h"

using namespace platform;

TEST(ConsoleDialogs, PrintsCaptionThenTextAndTakesTheDefaultAnswer) {
  char* buf = nullptr;
  size_t len = 0;
  std::FILE* mem = open_memstream(&buf, &len);
  ConsoleDialogs dialogs(mem);
  dialogs.message("Format x non-trouvé", "Erreur ChoisitFormat", Icon::Error);
  EXPECT_EQ(dialogs.question("Sûr?", "Question", Buttons::YesNoCancel, Answer::No, Icon::Question),
            Answer::No);
  dialogs.forceAnswer(Answer::Yes);
  EXPECT_EQ(dialogs.question("Sûr?", "Question", Buttons::YesNo, Answer::No, Icon::Question),
            Answer::Yes);
  // A forced answer the buttons do not offer falls back to the default.
  EXPECT_EQ(dialogs.question("x", "y", Buttons::OkCancel, Answer::Ok, Icon::None), Answer::Ok);
  EXPECT_FALSE(dialogs.chooseFileName({}).has_value());
  std::fclose(mem);
  std::string out(buf, len);
  std::free(buf);
  EXPECT_EQ(out,
            "Erreur ChoisitFormat: Format x non-trouvé\n"
            "Question: Sûr? [Non]\n"
            "Question: Sûr? [Oui]\n"
            "y: x [OK]\n");
}

TEST(RecordingDialogs, AnswersFromItsQueueThenWithTheDefault) {
  RecordingDialogs dialogs;
  dialogs.queueAnswer(Answer::Cancel);
  EXPECT_EQ(dialogs.question("a", "b", Buttons::OkCancel, Answer::Ok, Icon::Information),
            Answer::Cancel);
  EXPECT_EQ(dialogs.question("a", "b", Buttons::OkCancel, Answer::Ok, Icon::Information),
            Answer::Ok);
  dialogs.message("m", "c", Icon::Warning);
  ASSERT_EQ(dialogs.entries().size(), 3u);
  EXPECT_TRUE(dialogs.entries()[0].isQuestion);
  EXPECT_EQ(dialogs.entries()[2].caption, "c");
  EXPECT_EQ(dialogs.entries()[2].icon, Icon::Warning);
}
