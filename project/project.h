#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialogs.h"
#include "platform/shell.h"
#include "project/entry_record.h"
#include "project/project_document.h"
#include "project/project_tree.h"

namespace project {

inline constexpr size_t kProjectCapacity = 1000;
inline constexpr size_t kDefaultFolderSlots = 12;
inline constexpr size_t kDefaultFolderChars = 511;

// The Project: the table of Elements and Folders in their order (the order of
// the project file), the tree built from it, the default folders and the open
// document's state. Operations that talk to the user do it through the
// dialogs and shell given at construction.
class Project {
 public:
  Project(platform::UserDialogs& dialogs, platform::Shell& shell);
  Project(const Project&) = delete;
  Project& operator=(const Project&) = delete;

  // --- The table -----------------------------------------------------------
  size_t count() const { return entries_.size(); }
  const EntryRecord& entry(size_t index) const { return entries_[index]; }
  const std::vector<EntryRecord>& entries() const { return entries_; }
  bool full() const { return entries_.size() >= kProjectCapacity; }

  // Checked insertion, used by every command that creates or moves an entry:
  // an identical record moves the existing entry to the end; a name already
  // used by the same kind is made unique; the default folder of the kind
  // applies; the entry is placed in the tree. Returns the entry's index, or
  // -1 when the table is full (reported; the table is left as it was).
  int addEntry(EntryRecord record);

  // Appends without any check, naming, default folder or tree item (for
  // reading a project file; rebuild the tree afterwards). False when full.
  bool appendRaw(EntryRecord record);

  // Deletes the entry's tree item and the record; later entries move down.
  void removeEntry(size_t index);

  // Index of the entry shown by an item, or -1 (a Category root, or nothing).
  int findByTreeItem(TreeItem item) const;

  // Index of the first Folder with exactly this name, or -1.
  int findFolder(std::string_view name) const;

  // Gives the record a name no entry of its kind has: trailing digits (at
  // most 8) are read as a number, 2 when there are none, and counted up until
  // stem + number is free, the stem cut so the name keeps its 30 characters.
  // With keepSameFile, the name of an entry with the same file is accepted as
  // it is.
  void makeNameUnique(EntryRecord& record, bool keepSameFile) const;

  // Clears the tree and places the five Categories and then every entry whose
  // parent can be found, pass after pass until a pass places nothing, so that
  // Folders declared after their members still get them. Entries whose parent
  // never shows up stay in the table with tree item 0.
  void rebuildTree();

  // Empties the table (a new project); the tree keeps its Categories. The
  // default folders and the document state are left to the caller.
  void clear();

  // Replaces an entry's record in place (element properties) and places its
  // tree item again.
  void updateEntry(size_t index, EntryRecord record);

  // --- Commands of the tree (they ask their questions themselves) ----------

  // Delete key: an Element asks whether to delete its file too (when the file
  // exists); a Folder with members asks for confirmation and is removed with
  // them. True when something was removed.
  bool deleteEntry(size_t index);

  // Removes a Folder after confirmation: member Elements go back to their
  // Category, member Folders are removed the same way; the tree is rebuilt.
  void removeFolder(size_t index);

  // End of a label edit with a new text. An Element goes through addEntry
  // again under the new name (moving to the end of the table); when the edit
  // ends a duplicate, the element's file is copied first. A Folder is renamed
  // in place and its members follow. An empty label cancels. Returns the
  // entry's index afterwards, or -1 when nothing was renamed.
  int renameEntry(size_t index, std::string_view label);

  // End of a label edit without a new text: a pending duplicate is removed.
  void cancelRename(size_t index);

  // Adds a copy of an Element under a new name and remembers it, so that the
  // label edit the GUI starts on it decides its fate (renameEntry or
  // cancelRename). Returns the copy's index, or -1.
  int duplicateEntry(size_t index);

  // The entry waiting for the label edit that ends a duplicate, or -1.
  int pendingDuplicate() const { return pendingDuplicate_; }

  // Moves the entry shown by `dragged` onto the item under the drop point
  // (0 when nothing). True when the table or the tree changed.
  bool moveByDragging(TreeItem dragged, TreeItem target);

  // After confirmation, removes every Element whose file does not exist.
  // Returns how many were removed.
  int cleanProject();

  // The add-folder dialog's OK: `placeIn` is a Folder name or a folder-field
  // name ("racine", "cartes", ...). A name already used by a Folder is
  // refused with a message; the dialog then stays open. Returns the new
  // entry's index, or -1.
  int addFolder(std::string_view name, std::string_view placeIn);

  // --- Default folders: one slot per kind code -----------------------------
  const std::string& defaultFolder(size_t slot) const;
  void setDefaultFolder(size_t slot, std::string_view name);
  void clearDefaultFolders();
  const std::array<std::string, kDefaultFolderSlots>& defaultFolders() const {
    return defaultFolders_;
  }
  // The slots as storage, for the script's `dossierdéf` array (which cuts
  // what it stores to kDefaultFolderChars itself).
  std::array<std::string, kDefaultFolderSlots>& defaultFolders() { return defaultFolders_; }

  const ProjectTree& tree() const { return tree_; }
  ProjectDocument& document() { return document_; }
  const ProjectDocument& document() const { return document_; }
  platform::UserDialogs& dialogs() const { return dialogs_; }
  platform::Shell& shell() const { return shell_; }

 private:
  // The end of adding an entry: an element without a Folder goes into its
  // kind's default Folder, then the entry is appended and placed in the tree.
  // The caller has checked the capacity.
  int appendChecked(EntryRecord record);
  // The item to place an entry under (0: top level), or nothing when its
  // parent is not shown.
  std::optional<TreeItem> parentItem(const EntryRecord& record, int folderIndex) const;
  void place(size_t index);
  bool hasMembers(std::string_view folderName) const;
  void removeFolderAndMembers(size_t index, std::vector<std::string>& removed);
  int renameElement(size_t index, std::string label);
  void renameFolder(size_t index, const std::string& label);
  bool moveElement(size_t index, TreeItem target);
  bool moveFolder(size_t index, TreeItem target);
  bool folderLiesBelow(size_t target, std::string_view folderName) const;

  platform::UserDialogs& dialogs_;
  platform::Shell& shell_;
  std::vector<EntryRecord> entries_;
  ProjectTree tree_;
  std::array<std::string, kDefaultFolderSlots> defaultFolders_;
  ProjectDocument document_;
  int pendingDuplicate_ = -1;
  // The note about an element already in its Category is shown once per run.
  bool defaultFolderNoteShown_ = false;
};

}  // namespace project
