#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "script/identifiers.h"
#include "app/language.h"

namespace app {

// One identifier of the root table under its two names. The root table holds
// every French name, then every English name of the same targets, then the
// names both languages share.
struct TwinRow {
  std::string_view french;
  std::string_view english;
  Entry target;  // its name is unused
};

// Expands twin rows into a table: every French name, then every English one.
template <size_t N>
constexpr std::array<Entry, 2 * N> ExpandTwins(const TwinRow (&rows)[N]) {
  std::array<Entry, 2 * N> out{};
  for (size_t i = 0; i < N; ++i) {
    out[i] = rows[i].target;
    out[i].name = rows[i].french;
    out[N + i] = rows[i].target;
    out[N + i].name = rows[i].english;
  }
  return out;
}

// The same, followed by the names only one language has.
template <size_t N, size_t M>
constexpr std::array<Entry, 2 * N + M> ExpandTwins(const TwinRow (&rows)[N],
                                                   const Entry (&single)[M]) {
  std::array<Entry, 2 * N + M> out{};
  auto twins = ExpandTwins(rows);
  for (size_t i = 0; i < 2 * N; ++i) out[i] = twins[i];
  for (size_t i = 0; i < M; ++i) out[2 * N + i] = single[i];
  return out;
}

std::span<const TwinRow> RootTwinRows();
std::span<const Entry> RootSharedRows();

// The expanded table statements are resolved against.
const ObjectTable& RootTable();

}  // namespace app
