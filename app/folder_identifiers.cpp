#include "app/folder_identifiers.h"

#include "project/entry_record.h"
#include "project/project.h"
#include "app/entry_makers.h"
#include "app/root_table.h"
#include "app/workshop.h"
#include "app/language.h"

namespace app {

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
    .textAt = TextAt<Slot>(),
};

namespace {

constexpr TwinRow kFolderRows[] = {
    {"cartes", "maps", TextEntry<KindSlot<project::kKindMap>>()},
    {"mosaiques", "tilesets", TextEntry<KindSlot<project::kKindTileset>>()},
    {"bitmaps", "bitmaps", TextEntry<KindSlot<project::kKindBitmap>>()},
    {"palettes", "palettes", TextEntry<KindSlot<project::kKindPalette>>()},
    {"listes", "lists", TextEntry<KindSlot<project::kKindList>>()},
    {"dossier", "folder", ArrayEntry(&kDefaultFolderArray)},
};

constexpr auto kFolderEntries = ExpandTwins(kFolderRows);

}  // namespace

const ObjectTable kFoldersObject{kFolderEntries};

}  // namespace app
