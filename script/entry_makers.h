#pragma once

#include "script/assistant_controls.h"
#include "script/identifiers.h"

// Short forms for writing identifier rows as constant data.
namespace script {

constexpr Entry CommandEntry(CommandFn fn) {
  Entry e;
  e.kind = EntryKind::Command;
  e.command = fn;
  return e;
}

constexpr Entry IntegerEntry(IntegerRef ref) {
  Entry e;
  e.kind = EntryKind::Integer;
  e.integer = ref;
  return e;
}

constexpr Entry TextEntry(TextRef ref) {
  Entry e;
  e.kind = EntryKind::Text;
  e.text = ref;
  return e;
}

constexpr Entry RealEntry(RealRef ref) {
  Entry e;
  e.kind = EntryKind::Real;
  e.real = ref;
  return e;
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

}  // namespace script
