#pragma once

#include <string_view>

#include "script/identifiers.h"
#include "app/language.h"

namespace app {

struct Workshop;

// Evaluates an entry of kinds 0 to 4 against the import assistant: the tree
// item opens it, text fields take a string, boxes take an integer state,
// drop-down lists select the first entry equal to the string, ignoring case.
void EvaluateAssistantEntry(Workshop& w, const Entry& e, std::string_view name,
                            std::string_view value);

// `ok`: the assistant's "Ok!" button.
void AssistantOkCommand(Workshop& w, std::string_view value);

// Equality ignoring the case of ASCII and Latin-1 letters, as the assistant's
// lists compare their entries.
bool EqualIgnoringCase(std::string_view a, std::string_view b);

}  // namespace app
