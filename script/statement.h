#pragma once

#include <string_view>

namespace script {

struct Context;

// One statement, already normalised (see NormaliseLine): the path is resolved
// against the identifier tables and the entry evaluated. Errors are reported
// and abandon the statement only.
void ExecuteStatement(Context& context, std::string_view line);

}  // namespace script
