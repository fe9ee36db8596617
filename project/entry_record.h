#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace project {

// Handle of a node of the ProjectTree; 0 means "not shown".
using TreeItem = uint32_t;

// Bits of the kind word.
inline constexpr uint32_t kKindCodeMask = 0x3FFF;  // the element kind code
inline constexpr uint32_t kFolderBit = 0x4000;     // the entry is a Folder
inline constexpr uint32_t kInFolderBit = 0x8000;   // the folder field names the parent

// Element kind codes.
inline constexpr uint32_t kKindNone = 0;
inline constexpr uint32_t kKindMap = 1;
inline constexpr uint32_t kKindSprite = 2;
inline constexpr uint32_t kKindTileset = 3;
inline constexpr uint32_t kKindBitmap = 4;
inline constexpr uint32_t kKindBad = 5;
inline constexpr uint32_t kKindPalette = 6;
inline constexpr uint32_t kKindList = 7;

// Widths of the record's text fields, in characters. They are the limits of
// the established layout (NUL-terminated 8-bit fields of 260, 260, 31 and 33
// bytes), kept so that every name and path still fits where it did.
inline constexpr size_t kBaseFileChars = 259;
inline constexpr size_t kFileChars = 259;
inline constexpr size_t kNameChars = 30;
inline constexpr size_t kFolderChars = 32;

// One entry of the Project table: an Element or a Folder. Text is UTF-8.
struct EntryRecord {
  TreeItem treeItem = 0;  // the tree node showing the entry; 0 when not shown
  std::string baseFile;   // source the element was made from; empty for folders
  std::string file;       // the element's data file; empty for folders
  std::string name;       // unique per kind
  std::string folder;     // parent Folder or Category name, when inFolder()
  uint32_t kind = 0;      // kind word

  uint32_t kindCode() const { return kind & kKindCodeMask; }
  bool isFolder() const { return (kind & kFolderBit) != 0; }
  bool inFolder() const { return (kind & kInFolderBit) != 0; }
};

// Cuts the text fields to their widths and turns line breaks and NULs into
// blanks: the project file stores each field on one line, so a line break
// inside a field would split the entry when the file is read back.
void FitRecordFields(EntryRecord& record);

// The text the tree shows for an entry: the part of the name after its last
// backslash ("Rep1\Test" is shown "Test").
std::string_view DisplayName(std::string_view name);

}  // namespace project
