#include "project/element_properties.h"

#include <filesystem>
#include <system_error>

#include "platform/files.h"
#include "platform/message_text.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"
#include "project/project_messages.h"

namespace project {

namespace {

void ShowTwo(platform::UserDialogs& dialogs, const Prompt& prompt, std::string_view first,
             std::string_view second) {
  dialogs.message(platform::FillInText(prompt.text, {first, second}), prompt.caption, prompt.icon);
}

bool FileUsedByAnother(const Project& project, size_t index, const std::string& file) {
  for (size_t i = 0; i < project.count(); ++i)
    if (i != index && !project.entry(i).isFolder() && project.entry(i).file == file) return true;
  return false;
}

bool NameTaken(const Project& project, size_t index, const std::string& name, uint32_t kind) {
  for (size_t i = 0; i < project.count(); ++i) {
    const EntryRecord& e = project.entry(i);
    if (i != index && !e.isFolder() && e.kindCode() == kind && e.name == name) return true;
  }
  return false;
}

// Never overwrites: the target was checked to be absent, but another program
// could have created it since.
bool CopyFile(const std::string& from, const std::string& to) {
  std::error_code ec;
  return std::filesystem::copy_file(platform::ToNative(from), platform::ToNative(to),
                                    std::filesystem::copy_options::none, ec) &&
         !ec;
}

// A rename cannot cross file systems; a copy followed by a removal can.
bool MoveFile(const std::string& from, const std::string& to) {
  std::error_code ec;
  std::filesystem::rename(platform::ToNative(from), platform::ToNative(to), ec);
  if (!ec) return true;
  if (!CopyFile(from, to)) return false;
  if (std::filesystem::remove(platform::ToNative(from), ec) && !ec) return true;
  std::filesystem::remove(platform::ToNative(to), ec);  // leave one file, the old one
  return false;
}

// Two spellings of one file ("a.c" and "./a.c"): the old file is not given up.
bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  bool same = std::filesystem::equivalent(platform::ToNative(a), platform::ToNative(b), ec);
  return same && !ec;
}

}  // namespace

ElementProperties CurrentProperties(const Project& project, size_t index) {
  ElementProperties p;
  if (index >= project.count()) return p;
  const EntryRecord& e = project.entry(index);
  p.file = e.file;
  p.baseFile = e.baseFile;
  p.name = e.name;
  if (e.inFolder() && project.findFolder(e.folder) >= 0) p.folder = e.folder;
  p.kindCode = static_cast<int>(e.kindCode());
  return p;
}

PropertiesOutcome ApplyElementProperties(Project& project, size_t index,
                                         const ElementProperties& edit, const TrashFile& trash) {
  if (index >= project.count() || project.entry(index).isFolder())
    return PropertiesOutcome::Applied;
  const EntryRecord old = project.entry(index);
  platform::UserDialogs& dialogs = project.dialogs();
  EntryRecord record = old;

  // Every refusal comes before the first change on disk.
  if (!edit.name.empty()) record.name = platform::Utf8Prefix(edit.name, kNameChars);
  if (edit.kindCode >= 0)
    record.kind =
        (old.kind & ~kKindCodeMask) | (static_cast<uint32_t>(edit.kindCode) & kKindCodeMask);
  if ((record.name != old.name || record.kindCode() != old.kindCode()) &&
      NameTaken(project, index, record.name, record.kindCode())) {
    Show(dialogs, prompts::kNameTaken, record.name);
    return PropertiesOutcome::KeepOpen;
  }

  if (!edit.file.empty() && edit.file != old.file) {
    std::string newFile = platform::Utf8Prefix(edit.file, kFileChars);
    bool oldExists = platform::FileExists(old.file);
    bool shared = FileUsedByAnother(project, index, old.file);
    if (oldExists && !platform::FileExists(newFile)) {
      if (shared ? !CopyFile(old.file, newFile) : !MoveFile(old.file, newFile)) {
        ShowTwo(dialogs, shared ? prompts::kCopyFailed : prompts::kMoveFailed, old.file, newFile);
        return PropertiesOutcome::KeepOpen;
      }
    } else if (oldExists && !shared && !SameFile(old.file, newFile)) {
      switch (Ask(dialogs, prompts::kFileNoLongerUsed, old.file)) {
        case platform::Answer::Yes:
          if (!trash || !trash(old.file)) Show(dialogs, prompts::kTrashFailed, old.file);
          break;
        case platform::Answer::No:
          break;
        default:
          return PropertiesOutcome::KeepOpen;
      }
    }
    record.file = newFile;
  }

  record.baseFile = edit.baseFile;
  if (edit.folder.empty()) {
    record.folder.clear();
    record.kind &= ~kInFolderBit;
  } else {
    record.folder = edit.folder;
    record.kind |= kInFolderBit;
  }

  bool changed = record.file != old.file || record.baseFile != old.baseFile ||
                 record.name != old.name || record.folder != old.folder || record.kind != old.kind;
  if (changed) project.updateEntry(index, std::move(record));
  return PropertiesOutcome::Applied;
}

}  // namespace project
