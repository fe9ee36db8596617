#include "project/project.h"

#include <algorithm>
#include <unordered_map>

#include "platform/text_encoding.h"
#include "project/kinds.h"
#include "project/project_messages.h"

namespace project {

Project::Project(platform::UserDialogs& dialogs, platform::Shell& shell)
    : dialogs_(dialogs), shell_(shell) {
  rebuildTree();
}

int Project::addEntry(EntryRecord record) {
  FitRecordFields(record);
  record.treeItem = 0;
  // Two scans at most: the second one runs after the name was made unique,
  // and whatever it finds the record is appended afterwards.
  for (int scan = 0; scan < 2; ++scan) {
    bool clash = false;
    for (size_t i = 0; i < entries_.size(); ++i) {
      const EntryRecord& e = entries_[i];
      if (e.name != record.name || e.kindCode() != record.kindCode()) continue;
      clash = true;
      if (e.file == record.file && (!record.inFolder() || e.folder == record.folder)) {
        // The same entry added again: it keeps its record and moves to the end.
        EntryRecord existing = e;
        removeEntry(i);
        return appendChecked(std::move(existing));
      }
    }
    if (!clash) break;
    if (scan == 0) makeNameUnique(record, true);
  }
  if (full()) {
    Show(dialogs_, prompts::kProjectFull, record.name);
    return -1;
  }
  return appendChecked(std::move(record));
}

int Project::appendChecked(EntryRecord record) {
  record.treeItem = 0;
  uint32_t code = record.kindCode();
  if (code < kDefaultFolderSlots && !record.inFolder() && !defaultFolders_[code].empty()) {
    record.kind |= kInFolderBit;
    record.folder = defaultFolders_[code];
    FitRecordFields(record);
  }
  entries_.push_back(std::move(record));
  place(entries_.size() - 1);
  return static_cast<int>(entries_.size() - 1);
}

bool Project::appendRaw(EntryRecord record) {
  if (full()) return false;
  FitRecordFields(record);
  record.treeItem = 0;
  entries_.push_back(std::move(record));
  return true;
}

void Project::removeEntry(size_t index) {
  if (index >= entries_.size()) return;
  TreeItem item = entries_[index].treeItem;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
  if (item != 0) {
    // Removing a shown Folder takes its subtree with it: those entries are no
    // longer shown.
    std::vector<TreeItem> removed = tree_.remove(item);
    if (removed.size() > 1)
      for (EntryRecord& e : entries_)
        if (e.treeItem != 0 &&
            std::find(removed.begin(), removed.end(), e.treeItem) != removed.end())
          e.treeItem = 0;
  }
  if (pendingDuplicate_ == static_cast<int>(index))
    pendingDuplicate_ = -1;
  else if (pendingDuplicate_ > static_cast<int>(index))
    --pendingDuplicate_;
}

int Project::findByTreeItem(TreeItem item) const {
  if (item == 0) return -1;
  for (size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].treeItem == item) return static_cast<int>(i);
  return -1;
}

int Project::findFolder(std::string_view name) const {
  for (size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].isFolder() && entries_[i].name == name) return static_cast<int>(i);
  return -1;
}

void Project::makeNameUnique(EntryRecord& record, bool keepSameFile) const {
  // The file of the first entry of this kind under each name.
  std::unordered_map<std::string_view, std::string_view> taken;
  for (const EntryRecord& e : entries_)
    if (e.kindCode() == record.kindCode()) taken.try_emplace(e.name, e.file);

  const std::string& name = record.name;
  size_t digitsStart = name.size();
  while (digitsStart > 0 && name.size() - digitsStart < 8 && name[digitsStart - 1] >= '0' &&
         name[digitsStart - 1] <= '9')
    --digitsStart;
  std::string stem = name.substr(0, digitsStart);
  uint64_t n = 0;
  for (size_t i = digitsStart; i < name.size(); ++i)
    n = n * 10 + static_cast<uint64_t>(name[i] - '0');
  if (n == 0) n = 2;

  std::string candidate = name;
  for (;;) {
    auto it = taken.find(candidate);
    if (it == taken.end() || (keepSameFile && it->second == record.file)) break;
    std::string digits = std::to_string(n++);
    stem.resize(platform::Utf8PrefixSize(stem, kNameChars - digits.size()));
    candidate = stem + digits;
  }
  record.name = std::move(candidate);
}

std::optional<TreeItem> Project::parentItem(const EntryRecord& record, int folderIndex) const {
  if (record.inFolder()) {
    if (std::optional<int> category = CategoryFromFolderField(record.folder))
      return *category < 0 ? 0 : tree_.categoryItem(*category);
    if (folderIndex < 0) return std::nullopt;
    TreeItem item = entries_[static_cast<size_t>(folderIndex)].treeItem;
    if (item == 0) return std::nullopt;
    return item;
  }
  if (record.isFolder()) return 0;
  // Kinds without a Category are shown at the top level, where the user can
  // still see, fix or remove them.
  int category = CategoryOfKind(record.kindCode());
  return category < 0 ? 0 : tree_.categoryItem(category);
}

void Project::place(size_t index) {
  EntryRecord& e = entries_[index];
  int folderIndex = e.inFolder() ? findFolder(e.folder) : -1;
  if (std::optional<TreeItem> parent = parentItem(e, folderIndex))
    e.treeItem = tree_.insert(*parent, std::string(DisplayName(e.name)));
}

void Project::rebuildTree() {
  tree_.clear();
  for (size_t c = 0; c < kCategories.size(); ++c)
    tree_.insert(0, std::string(kCategories[c].label), static_cast<int>(c));
  std::unordered_map<std::string_view, int> firstFolder;
  for (size_t i = 0; i < entries_.size(); ++i) {
    entries_[i].treeItem = 0;
    if (entries_[i].isFolder()) firstFolder.try_emplace(entries_[i].name, static_cast<int>(i));
  }
  for (bool placed = true; placed;) {
    placed = false;
    for (EntryRecord& e : entries_) {
      if (e.treeItem != 0) continue;
      int folderIndex = -1;
      if (e.inFolder()) {
        auto it = firstFolder.find(e.folder);
        if (it != firstFolder.end()) folderIndex = it->second;
      }
      if (std::optional<TreeItem> parent = parentItem(e, folderIndex)) {
        e.treeItem = tree_.insert(*parent, std::string(DisplayName(e.name)));
        placed = true;
      }
    }
  }
}

void Project::clear() {
  entries_.clear();
  pendingDuplicate_ = -1;
  rebuildTree();
}

void Project::updateEntry(size_t index, EntryRecord record) {
  if (index >= entries_.size()) return;
  FitRecordFields(record);
  bool wasFolder = entries_[index].isFolder();
  TreeItem item = entries_[index].treeItem;
  record.treeItem = 0;
  entries_[index] = std::move(record);
  if (wasFolder || entries_[index].isFolder()) {
    rebuildTree();  // members follow the Folder
    return;
  }
  if (item != 0) tree_.remove(item);
  place(index);
}

const std::string& Project::defaultFolder(size_t slot) const {
  static const std::string kNone;
  return slot < kDefaultFolderSlots ? defaultFolders_[slot] : kNone;
}

void Project::setDefaultFolder(size_t slot, std::string_view name) {
  if (slot >= kDefaultFolderSlots) return;
  defaultFolders_[slot] = platform::Utf8Prefix(name, kDefaultFolderChars);
}

void Project::clearDefaultFolders() {
  for (std::string& slot : defaultFolders_) slot.clear();
}

}  // namespace project
