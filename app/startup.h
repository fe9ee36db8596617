#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>
#include "platform/dialogs.h"
#include "app/language.h"

namespace project {
class SessionHooks;
}

namespace app {

struct Workshop;

inline constexpr std::string_view kDefaultProjectName = "projet.tpj";

// The program's command line: the project file, then what to do with it.
struct CommandLine {
  std::string projectPath;
  std::string rest;  // empty: interactive; "-...": conversions; else statements
};

// Splits a command line as one text: a path in double quotes runs to the
// closing quote; an empty line or one starting with '-' keeps the default
// project and is all rest; otherwise the path runs to the first blank.
CommandLine SplitCommandLine(std::string_view line);

// The same from the arguments the system hands over (without the program
// name): the first argument is the project path as it stands (blanks
// included), the others are the rest, joined with blanks. A first argument
// that starts with '-' or a double quote, or a lone argument with blanks that
// does not name a project file, is read as a whole command line.
CommandLine CommandLineFromArguments(const std::vector<std::string>& args);

enum class RunMode { Interactive, Statements, Conversions };
RunMode ModeOf(const CommandLine& commandLine);

// The conversions of a "-..." rest: cut at every ':' outside double quotes.
std::vector<std::string> SplitConversions(std::string_view rest);

// One piece of a "-..." rest as the argument of `conv`: blanks skipped, A-Z
// lowered outside double quotes (as the script reader does for a statement),
// and a leading word `conv` dropped, so "-conv tset ..." still works.
std::string ConversionArgument(std::string_view piece);

// `--help` or `--version` as the whole command line: the text to print
// instead of starting (nothing else is read or written).
std::optional<std::string> InformationRequested(const std::vector<std::string>& args);

// Forwards every message and question, counting those that carry the error
// icon (the script reader's errors among them): a batch run that showed one
// did not do all it was asked.
class ErrorWatch : public platform::UserDialogs {
 public:
  explicit ErrorWatch(platform::UserDialogs& inner) : inner_(inner) {}

  int errors() const { return errors_; }

  void message(std::string_view text, std::string_view caption, platform::Icon icon) override;
  platform::Answer question(std::string_view text, std::string_view caption,
                            platform::Buttons buttons, platform::Answer defaultAnswer,
                            platform::Icon icon) override;
  std::optional<std::string> chooseFileName(const platform::FileChoice& choice) override {
    return inner_.chooseFileName(choice);
  }
  std::optional<uint32_t> chooseColour(uint32_t initial) override {
    return inner_.chooseColour(initial);
  }

 private:
  platform::UserDialogs& inner_;
  int errors_ = 0;
};

// What a batch run came to; the exit status follows from it alone.
struct BatchOutcome {
  bool saved = false;
  int errorsReported = 0;     // messages with the error icon
  int failedConversions = 0;  // conversions of the command line that made nothing
};

inline constexpr int kBatchSucceeded = 0;
inline constexpr int kBatchNotSaved = 1;
inline constexpr int kBatchErrors = 2;

// 1 when the project was not saved, else 2 when something went wrong, else 0.
int BatchExitStatus(const BatchOutcome& outcome);

// The last line of a batch run (standard error), saying what its status means.
std::string_view BatchStatusText(int status);

// Start-up up to the opened project, in this order: the settings at their
// defaults, the platforms (the Game Boy Advance current), the list models and
// output formats with their built-in ones, the project path made absolute and
// the working directory set to the project's, the project read, the
// placeholder defaults saved.
void StartWorkshop(Workshop& w, const CommandLine& commandLine, project::SessionHooks& hooks);

// The table emptied and every setting, platform, format and default folder
// at its start value: the first step of start-up, and of New and Open.
void ResetToStartValues(Workshop& w);

// The end of an interactive start, after the start event: the format and
// the model the project or the system script named are selected.
void FinishInteractiveStart(Workshop& w);

// Batch mode: selects the format and model the project names, runs the
// statements or conversions of the command line, saves the project and
// reports each step on `report`. Returns the exit status (BatchExitStatus);
// the errors counted are those `watch` saw, when the context's dialogs go
// through one. With `statusOut`, the status line ends the run there.
int RunBatch(Workshop& w, const CommandLine& commandLine, project::SessionHooks& hooks,
             std::FILE* report, const ErrorWatch* watch = nullptr, std::FILE* statusOut = nullptr);

// The program's batch mode on the console: messages on standard error, the
// steps on standard output, the status line last. Returns the exit status.
int RunWithoutWindow(const CommandLine& commandLine, const std::string& programDirectory);

}  // namespace app
