#pragma once

#include <string>

#include "platform/recording_platform.h"
#include "project/entry_record.h"
#include "project/project.h"

namespace projecttest {

inline project::EntryRecord Element(uint32_t kind, std::string name, std::string file = {},
                                    std::string folder = {}) {
  project::EntryRecord r;
  r.kind = kind;
  r.name = std::move(name);
  r.file = std::move(file);
  if (!folder.empty()) {
    r.folder = std::move(folder);
    r.kind |= project::kInFolderBit;
  }
  return r;
}

inline project::EntryRecord Folder(std::string name, std::string parent = {}) {
  project::EntryRecord r = Element(0, std::move(name), {}, std::move(parent));
  r.kind |= project::kFolderBit;
  return r;
}

// The tree as an indented outline, one item a line, children in order.
inline void DumpBelow(const project::ProjectTree& tree, project::TreeItem parent, int depth,
                      std::string& out) {
  for (project::TreeItem item : tree.children(parent)) {
    out += std::string(static_cast<size_t>(depth) * 2, ' ') + tree.find(item)->text + "\n";
    DumpBelow(tree, item, depth + 1, out);
  }
}

inline std::string Dump(const project::ProjectTree& tree) {
  std::string out;
  DumpBelow(tree, 0, 0, out);
  return out;
}

// The names of the table's entries, in order, separated by blanks.
inline std::string Names(const project::Project& p) {
  std::string out;
  for (const auto& e : p.entries()) out += (out.empty() ? "" : " ") + e.name;
  return out;
}

struct ProjectFixture {
  platform::RecordingDialogs dialogs;
  platform::RecordingShell shell;
  project::Project project{dialogs, shell};
};

}  // namespace projecttest
