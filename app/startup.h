#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>
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

// Start-up up to the opened project, in this order: the settings at their
// defaults, the platforms (the Game Boy Advance current), the list models and
// output formats with their built-in ones, the project path made absolute and
// the working directory set to the project's, the project read, the
// placeholder defaults saved.
void StartWorkshop(Workshop& w, const CommandLine& commandLine, project::SessionHooks& hooks);

// The end of an interactive start, after the start event: the format and
// the model the project or the system script named are selected.
void FinishInteractiveStart(Workshop& w);

// Batch mode: selects the format and model the project names, runs the
// statements or conversions of the command line, saves the project and
// reports each step on `report`. Returns the exit status.
int RunBatch(Workshop& w, const CommandLine& commandLine, project::SessionHooks& hooks,
             std::FILE* report);

}  // namespace app
