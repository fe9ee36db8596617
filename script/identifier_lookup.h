#pragma once

#include <string_view>

#include "script/identifiers.h"

namespace script {

struct Context;

// The first entry of the table with exactly that name, or null.
const Entry* LookupIdentifier(const ObjectTable& table, std::string_view name);

// With a table, as above; with none, the root table and then the identifiers
// registered at run time.
const Entry* LookupIdentifier(const Context& context, const ObjectTable* table,
                              std::string_view name);

// Adds an identifier searched after the root table (platforms register their
// object this way). The name is case-folded, as statements are. An entry
// already present with the same name, kind and target is not added again;
// returns whether the table grew.
bool RegisterIdentifier(Context& context, std::string_view name, const Entry& target);

}  // namespace script
