#pragma once

#include <string>
#include <string_view>
#include <type_traits>

#include "app/assistant_controls.h"
#include "script/identifiers.h"
#include "app/language.h"

// Short forms for writing identifier rows as constant data. The language
// calls its targets with its own context; the program's targets take the
// program's context, so each row gets a small adapter made at compile time.
namespace app {

struct Workshop;

// The program's context behind the language's (every context the language
// runs with in this program is a Workshop).
Workshop& AsWorkshop(script::Context& c);

namespace detail {

template <auto Fn>
void CallCommand(script::Context& c, std::string_view value) {
  if constexpr (std::is_invocable_v<decltype(Fn), script::Context&, std::string_view>)
    Fn(c, value);
  else
    Fn(AsWorkshop(c), value);
}

template <auto Ref, typename T>
T& CallRef(script::Context& c) {
  return Ref(AsWorkshop(c));
}

template <auto At, typename T>
T& CallAt(script::Context& c, int index) {
  return At(AsWorkshop(c), index);
}

}  // namespace detail

template <auto Fn>
constexpr Entry CommandEntry() {
  Entry e;
  e.kind = EntryKind::Command;
  // The language's own commands need no adapter.
  if constexpr (std::is_convertible_v<decltype(Fn), script::CommandFn>)
    e.command = Fn;
  else
    e.command = &detail::CallCommand<Fn>;
  return e;
}

// A command row without a target (the statement does nothing).
constexpr Entry CommandEntry(std::nullptr_t) {
  Entry e;
  e.kind = EntryKind::Command;
  return e;
}

template <auto Ref>
constexpr Entry IntegerEntry() {
  Entry e;
  e.kind = EntryKind::Integer;
  e.integer = &detail::CallRef<Ref, int32_t>;
  return e;
}

template <auto Ref>
constexpr Entry TextEntry() {
  Entry e;
  e.kind = EntryKind::Text;
  e.text = &detail::CallRef<Ref, std::string>;
  return e;
}

template <auto Ref>
constexpr Entry RealEntry() {
  Entry e;
  e.kind = EntryKind::Real;
  e.real = &detail::CallRef<Ref, double>;
  return e;
}

// Element accessors of an array row.
template <auto At>
constexpr auto IntegerAt() {
  return &detail::CallAt<At, int32_t>;
}
template <auto At>
constexpr auto TextAt() {
  return &detail::CallAt<At, std::string>;
}

constexpr Entry ObjectEntry(const ObjectTable* table) {
  Entry e;
  e.kind = EntryKind::Object;
  e.object = table;
  return e;
}

constexpr Entry ArrayEntry(const ArrayDesc* array) {
  Entry e;
  e.kind = EntryKind::Array;
  e.array = array;
  return e;
}

// Kinds 0 to 4: a control of the import assistant.
constexpr Entry AssistantEntry(EntryKind kind, AssistantControl control) {
  Entry e;
  e.kind = kind;
  e.control = static_cast<int>(control);
  return e;
}

constexpr Entry Named(std::string_view name, Entry e) {
  e.name = name;
  return e;
}

}  // namespace app
