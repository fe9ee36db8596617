#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// The element kinds, the five Categories of the tree and the names a folder
// field may give instead of a Folder: constant tables, French first (the
// spelling written to files), English accepted on reading.
namespace project {

struct KindInfo {
  uint32_t code;
  std::string_view french;
  std::string_view english;
  int category;  // index into kCategories, -1 when the kind has no Category
};

inline constexpr std::array<KindInfo, 8> kKinds = {{
    {0, "aucun", "none", -1},
    {1, "carte", "map", 1},
    {2, "(sprite)", "(sprite)", -1},
    {3, "tileset", "tileset", 0},
    {4, "bitmap", "bitmap", 4},
    {5, "mauvais", "bad", -1},
    {6, "palette", "palette", 3},
    {7, "liste", "list", 2},
}};

// A Folder is written with this keyword in place of a kind keyword. On
// reading, a value is a Folder when it starts with one of these words.
inline constexpr std::string_view kFolderKeyword = "dossier";
inline constexpr std::string_view kFolderKeywordEnglish = "folder";

// The fixed root items of the tree, in the order they are shown.
struct CategoryInfo {
  std::string_view label;  // the item's text
  uint32_t kind;           // the element kind shown under it
};

inline constexpr std::array<CategoryInfo, 5> kCategories = {{
    {"Mosaïques", 3},
    {"Cartes", 1},
    {"Listes", 7},
    {"Palettes", 6},
    {"Bitmaps", 4},
}};

// Names a folder field may hold instead of a Folder's name, in the order the
// folder dialogs list them.
struct FolderFieldName {
  std::string_view french;
  std::string_view english;
  int category;  // index into kCategories; -1: the top level of the tree
};

inline constexpr std::array<FolderFieldName, 6> kFolderFieldNames = {{
    {"racine", "root", -1},
    {"mosaiques", "tilesets", 0},
    {"cartes", "maps", 1},
    {"palettes", "palettes", 3},
    {"bitmaps", "bitmaps", 4},
    {"listes", "lists", 2},
}};

// The kind code of a keyword (French or English, compared with case), or -1.
int KindFromKeyword(std::string_view keyword);

// The French keyword of a kind code. Codes outside the table have no keyword
// of their own and are written as "mauvais" so the file stays readable.
std::string_view KindKeyword(uint32_t code);

// The Category that shows a kind, or -1.
int CategoryOfKind(uint32_t code);

// What a folder field names when it is not a Folder: nothing when the text is
// no Category name; -1 for the top level; otherwise the Category's index.
std::optional<int> CategoryFromFolderField(std::string_view text);

// The French folder-field name of a Category ("mosaiques" for Mosaïques).
std::string_view CategoryFolderName(int category);

}  // namespace project
