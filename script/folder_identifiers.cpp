#include "script/folder_identifiers.h"

#include "project/entry_record.h"
#include "project/project.h"
#include "script/entry_makers.h"
#include "script/root_table.h"
#include "script/workshop.h"

namespace script {

namespace {

std::string& Slot(Workshop& w, int index) {
  return w.project.defaultFolders()[static_cast<size_t>(index)];
}

template <uint32_t Kind>
std::string& KindSlot(Workshop& w) {
  return Slot(w, static_cast<int>(Kind));
}

}  // namespace

const ArrayDesc kDefaultFolderArray{
    .count = static_cast<int>(project::kDefaultFolderSlots),
    .elementKind = EntryKind::Text,
    .textAt = Slot,
};

namespace {

constexpr TwinRow kFolderRows[] = {
    {"cartes", "maps", TextEntry(KindSlot<project::kKindMap>)},
    {"mosaiques", "tilesets", TextEntry(KindSlot<project::kKindTileset>)},
    {"bitmaps", "bitmaps", TextEntry(KindSlot<project::kKindBitmap>)},
    {"palettes", "palettes", TextEntry(KindSlot<project::kKindPalette>)},
    {"listes", "lists", TextEntry(KindSlot<project::kKindList>)},
    {"dossier", "folder", ArrayEntry(&kDefaultFolderArray)},
};

constexpr auto kFolderEntries = ExpandTwins(kFolderRows);

}  // namespace

const ObjectTable kFoldersObject{kFolderEntries};

}  // namespace script
