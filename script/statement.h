#pragma once

#include <string_view>

namespace script {

struct Workshop;

// One statement, already normalised (see NormaliseLine): the path is resolved
// against the identifier tables and the entry evaluated. Errors are reported
// and abandon the statement only.
void ExecuteStatement(Workshop& w, std::string_view line);

}  // namespace script
