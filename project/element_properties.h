#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "project/project.h"

// The element properties dialog's OK, kept out of the window so that its
// file moves, copies and questions can be tested without one.
namespace project {

// What the dialog's fields hold when OK is pressed.
struct ElementProperties {
  std::string file;
  std::string baseFile;
  std::string name;
  std::string folder;  // a Folder's name; empty for "(Aucun)"
  int kindCode = -1;   // -1: the kind list shows none of the offered kinds
};

// Puts a file where the user can still get it back (the desktop's trash).
using TrashFile = std::function<bool(const std::string& path)>;

enum class PropertiesOutcome {
  Applied,   // the record was updated (or nothing differed); the dialog closes
  KeepOpen,  // a refusal or a cancelled question; nothing changed
};

// The fields as the dialog shows them when it opens.
ElementProperties CurrentProperties(const Project& project, size_t index);

// OK of the element properties dialog. A file field naming a file that does
// not exist yet moves the old file there, or copies it when another entry
// still uses it; a field naming another file offers to put the old one in the
// trash when no entry uses it any more. Refusals leave the table and the
// disk untouched: a name that another element of the (new) kind has, a move
// or copy that fails, Cancel on the question. An empty name or file field
// keeps the element's own.
PropertiesOutcome ApplyElementProperties(Project& project, size_t index,
                                         const ElementProperties& edit, const TrashFile& trash);

}  // namespace project
