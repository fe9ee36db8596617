#pragma once

#include <span>
#include <string_view>

#include "script/identifiers.h"

namespace script {

// One identifier of the root table under its two names. The root table holds
// every French name, then every English name of the same targets, then the
// names both languages share.
struct TwinRow {
  std::string_view french;
  std::string_view english;
  Entry target;  // its name is unused
};

std::span<const TwinRow> RootTwinRows();
std::span<const Entry> RootSharedRows();

// The expanded table statements are resolved against.
const ObjectTable& RootTable();

}  // namespace script
