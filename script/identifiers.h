#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The rows of the script's identifier tables. Tables are constant data: each
// row names its target through a small accessor that reaches into the
// program's context, so the tables hold no pointers to mutable state.
namespace script {

struct Context;
struct Entry;

// Kinds, with the codes the tables use.
enum class EntryKind : uint8_t {
  TreeItem = 0,     // a category item of the project tree: opens the import assistant
  TextField = 1,    // a text field of the import assistant
  CheckBox = 2,     // a check box of the import assistant
  RadioButton = 3,  // a radio button of the import assistant
  DropDown = 4,     // a drop-down list of the import assistant
  Command = 5,      // an operation that parses the rest of the statement
  Integer = 6,      // a signed 32-bit variable
  Text = 7,         // a text variable (at most 511 characters)
  Real = 8,         // a double
  Object = 9,       // a sub-table: the next name of the path is looked up in it
  Array = 10,       // one element of an array is assigned
};

// A command receives the value text of the statement (the rest of the line
// after the path, already normalised). The index of the last path segment is
// in the interpreter state (currentIndex).
using CommandFn = void (*)(Context& context, std::string_view value);
using IntegerRef = int32_t& (*)(Context& context);
using TextRef = std::string& (*)(Context& context);
using RealRef = double& (*)(Context& context);

struct ObjectTable {
  std::span<const Entry> entries;
};

struct ArrayDesc {
  int count = 0;
  EntryKind elementKind = EntryKind::Integer;  // Integer, Text or Real
  int32_t& (*integerAt)(Context& context, int index) = nullptr;
  std::string& (*textAt)(Context& context, int index) = nullptr;
  double& (*realAt)(Context& context, int index) = nullptr;
};

// One row. Exactly one target member is set, the one the kind calls for;
// `control` numbers the import assistant's control for kinds 0 to 4.
struct Entry {
  std::string_view name;
  EntryKind kind = EntryKind::Command;
  CommandFn command = nullptr;
  IntegerRef integer = nullptr;
  TextRef text = nullptr;
  RealRef real = nullptr;
  const ObjectTable* object = nullptr;
  const ArrayDesc* array = nullptr;
  int control = 0;

  bool sameAs(const Entry& o) const {
    return name == o.name && kind == o.kind && command == o.command && integer == o.integer &&
           text == o.text && real == o.real && object == o.object && array == o.array &&
           control == o.control;
  }
};

}  // namespace script
