#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <string_view>

#include "project/entry_record.h"

namespace formats {
struct FormatLibrary;
}
namespace app {
struct Workshop;
}

// What the window's commands do to the program's context, apart from the
// widgets, so that each rule can be checked on its own.
namespace ui {

// New project: the table, the data section, the default folders, the
// document's path and every setting back to their start-up values (the same
// list start-up sets before it opens a project); the last text of the script
// prompt is kept.
void ResetForNewProject(app::Workshop& w);

// The element a file dropped on the window becomes: its extension
// (after the first dot of its name) is matched against the `ext` of the
// bitmap, palette, tileset, map and list sections of every format, format by
// format; the file is stored relative to `currentDirectory` ("../" for the
// parent directory), the name is the file's name cut to 30 characters.
// Nothing when no format matches, or the path is longer than 999 characters.
// `tooLong` is set when a format matches but the stored path would not fit
// the project's 259 characters (it would be cut and name another file).
std::optional<project::EntryRecord> DroppedFileRecord(const formats::FormatLibrary& formats,
                                                      std::string_view path,
                                                      std::string_view currentDirectory,
                                                      bool* tooLong = nullptr);

inline constexpr size_t kMaxDroppedPathChars = 999;

// Where the HTML user documentation is looked for, in order:
// <program dir>/../share/doc/tesselworks/html/index.html (installed), then
// <source dir>/docs/help/index.html (the source tree).
QStringList DocumentationCandidates(const QString& programDirectory,
                                    const QString& sourceDirectory);

// The first candidate that is a file, or an empty text.
QString FindDocumentation(const QString& programDirectory, const QString& sourceDirectory);

// The font of the program's text views: the system's fixed-pitch font, 14
// pixels high (it stands in for "Courier new").
QFont FixedFont();

}  // namespace ui
