// The commands the tree offers on the Project table: delete, remove folder,
// rename, duplicate, move by dragging, clean, add folder.
#include <algorithm>
#include <filesystem>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"
#include "project/kinds.h"
#include "project/project.h"
#include "project/project_messages.h"

namespace project {

namespace {

using platform::Answer;

// Copies a file unless the target exists already (then nothing happens).
void CopyIfAbsent(const std::string& from, const std::string& to) {
  std::error_code ec;
  std::filesystem::copy_file(platform::ToNative(from), platform::ToNative(to),
                             std::filesystem::copy_options::none, ec);
}

}  // namespace

bool Project::hasMembers(std::string_view folderName) const {
  for (const EntryRecord& e : entries_)
    if (e.inFolder() && e.folder == folderName) return true;
  return false;
}

bool Project::deleteEntry(size_t index) {
  if (index >= entries_.size()) return false;
  const EntryRecord& e = entries_[index];
  if (e.isFolder()) {
    if (hasMembers(e.name) && Ask(dialogs_, prompts::kDeleteFullFolder) != Answer::Yes)
      return false;
    removeFolder(index);
    return true;
  }
  if (platform::FileReadable(e.file)) {
    Answer answer = Ask(dialogs_, prompts::kDeleteElement, e.file);
    if (answer == Answer::Cancel) return false;
    if (answer == Answer::Yes) shell_.deleteFile(platform::ToNative(e.file));
  }
  removeEntry(index);
  return true;
}

void Project::removeFolder(size_t index) {
  if (index >= entries_.size() || !entries_[index].isFolder()) return;
  std::vector<std::string> removed;
  removeFolderAndMembers(index, removed);
  // A default folder naming a removed Folder would hide every new element of
  // its kind: such slots are cleared.
  for (std::string& slot : defaultFolders_)
    if (std::find(removed.begin(), removed.end(), slot) != removed.end() && findFolder(slot) < 0)
      slot.clear();
  rebuildTree();
}

void Project::removeFolderAndMembers(size_t index, std::vector<std::string>& removed) {
  std::string name = entries_[index].name;
  removed.push_back(name);
  // The Folder goes first, so that a chain of Folders naming each other in a
  // circle ends.
  removeEntry(index);
  for (size_t i = 0; i < entries_.size();) {
    EntryRecord& e = entries_[i];
    if (!e.inFolder() || e.folder != name) {
      ++i;
    } else if (e.isFolder()) {
      removeFolderAndMembers(i, removed);
      i = 0;  // indices moved
    } else {
      e.folder.clear();
      e.kind &= ~kInFolderBit;
      ++i;
    }
  }
}

int Project::renameEntry(size_t index, std::string_view label) {
  if (index >= entries_.size()) return -1;
  if (label.empty()) {
    cancelRename(index);
    return -1;
  }
  EntryRecord named;
  named.name = label;
  FitRecordFields(named);  // cut to 30 characters
  if (entries_[index].isFolder()) {
    renameFolder(index, named.name);
    return findFolder(named.name) == static_cast<int>(index) ? static_cast<int>(index) : -1;
  }
  return renameElement(index, std::move(named.name));
}

int Project::renameElement(size_t index, std::string label) {
  bool endsDuplicate = pendingDuplicate_ == static_cast<int>(index);
  EntryRecord record = entries_[index];
  removeEntry(index);
  record.name = std::move(label);
  if (endsDuplicate) {
    // The copy gets a file of its own, named after it, beside the original.
    std::string file(platform::DirectoryPart(record.file));
    if (!file.empty()) file += '/';
    file += record.name;
    std::string_view extension = platform::ExtensionAfterFirstDot(record.file);
    if (!extension.empty()) {
      file += '.';
      file += extension;
    }
    CopyIfAbsent(record.file, file);
    record.file = std::move(file);
  }
  return addEntry(std::move(record));
}

void Project::renameFolder(size_t index, const std::string& label) {
  std::string old = entries_[index].name;
  if (label == old) return;
  // Two Folders of one name could not be told apart by their members.
  if (int existing = findFolder(label); existing >= 0) {
    Show(dialogs_, prompts::kFolderExists, entries_[static_cast<size_t>(existing)].folder);
    return;
  }
  for (EntryRecord& e : entries_)
    if (e.folder == old) e.folder = label;
  entries_[index].name = label;
  for (std::string& slot : defaultFolders_)
    if (slot == old) slot = label;
  rebuildTree();
}

void Project::cancelRename(size_t index) {
  if (pendingDuplicate_ >= 0 && static_cast<size_t>(pendingDuplicate_) == index) removeEntry(index);
}

int Project::duplicateEntry(size_t index) {
  if (index >= entries_.size() || entries_[index].isFolder()) return -1;
  EntryRecord copy = entries_[index];
  copy.treeItem = 0;
  makeNameUnique(copy, false);
  int added = addEntry(std::move(copy));
  if (added >= 0) pendingDuplicate_ = added;
  return added;
}

bool Project::moveByDragging(TreeItem dragged, TreeItem target) {
  int index = findByTreeItem(dragged);
  if (index < 0) return false;
  if (target == dragged) {
    target = 0;  // dropped on itself: as on nothing
  } else if (int t = findByTreeItem(target);
             t >= 0 && !entries_[static_cast<size_t>(t)].isFolder()) {
    // Dropping on an Element means dropping on the item that holds it.
    const TreeNode* node = tree_.find(target);
    target = node ? node->parent : 0;
  }
  size_t i = static_cast<size_t>(index);
  return entries_[i].isFolder() ? moveFolder(i, target) : moveElement(i, target);
}

bool Project::moveElement(size_t index, TreeItem target) {
  if (int folder = findByTreeItem(target); folder >= 0) {
    EntryRecord record = entries_[index];
    record.kind |= kInFolderBit;
    record.folder = entries_[static_cast<size_t>(folder)].name;
    removeEntry(index);
    addEntry(std::move(record));
    return true;
  }
  // Nothing or a Category: the Element can only go back to its own Category.
  EntryRecord& e = entries_[index];
  if (!e.inFolder()) {
    if (!defaultFolderNoteShown_) {
      defaultFolderNoteShown_ = true;
      Show(dialogs_, prompts::kAlreadyInDefaultFolder);
    }
    return false;
  }
  e.kind &= ~kInFolderBit;
  e.folder.clear();
  if (e.treeItem != 0) tree_.remove(e.treeItem);
  e.treeItem = 0;
  place(index);
  return true;
}

bool Project::folderLiesBelow(size_t target, std::string_view folderName) const {
  // Follow the target's parents upward by name; the step limit ends circles.
  size_t current = target;
  for (size_t steps = 0; steps <= entries_.size(); ++steps) {
    const EntryRecord& e = entries_[current];
    if (!e.inFolder() || CategoryFromFolderField(e.folder)) return false;
    if (e.folder == folderName) return true;
    int parent = findFolder(e.folder);
    if (parent < 0) return false;
    current = static_cast<size_t>(parent);
  }
  return false;
}

bool Project::moveFolder(size_t index, TreeItem target) {
  if (int t = findByTreeItem(target); t >= 0) {
    size_t ti = static_cast<size_t>(t);
    if (ti == index || entries_[ti].name == entries_[index].name ||
        folderLiesBelow(ti, entries_[index].name)) {
      Show(dialogs_, prompts::kFolderIntoItself);
      return false;
    }
    entries_[index].kind |= kInFolderBit;
    entries_[index].folder = entries_[ti].name;
  } else if (int category = tree_.categoryOf(target); category >= 0) {
    EntryRecord& f = entries_[index];
    if (f.inFolder() && CategoryFromFolderField(f.folder) == category) {
      f.kind &= ~kInFolderBit;
      f.folder.clear();
    } else {
      f.kind |= kInFolderBit;
      f.folder = CategoryFolderName(category);
    }
  } else {
    entries_[index].kind &= ~kInFolderBit;
    entries_[index].folder.clear();
  }
  rebuildTree();
  return true;
}

int Project::cleanProject() {
  if (Ask(dialogs_, prompts::kCleanProject) != Answer::Ok) return 0;
  int removed = 0;
  for (size_t i = entries_.size(); i-- > 0;) {
    if (!entries_[i].isFolder() && !platform::FileExists(entries_[i].file)) {
      removeEntry(i);
      ++removed;
    }
  }
  return removed;
}

int Project::addFolder(std::string_view name, std::string_view placeIn) {
  EntryRecord record;
  record.name = name;
  record.folder = placeIn;
  record.kind = kFolderBit | kInFolderBit;
  if (record.folder.empty()) record.kind = kFolderBit;  // nothing chosen: the top level
  FitRecordFields(record);
  if (record.name.empty()) return -1;
  if (int existing = findFolder(record.name); existing >= 0) {
    Show(dialogs_, prompts::kFolderExists, entries_[static_cast<size_t>(existing)].folder);
    return -1;
  }
  std::string folderName = record.name;
  int added = addEntry(std::move(record));
  // Entries that were waiting for a Folder of this name show up at once.
  if (added >= 0)
    for (const EntryRecord& e : entries_)
      if (e.treeItem == 0 && e.inFolder() && e.folder == folderName) {
        rebuildTree();
        break;
      }
  return added;
}

}  // namespace project
