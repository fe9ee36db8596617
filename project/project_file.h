#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/dialogs.h"
#include "project/session_hooks.h"

// The Project file (".tpj"): a header line, the session section (script
// statements), the element section (the table) and the data section (free
// script text kept byte for byte). Written in Windows-1252; read as
// Windows-1252 or UTF-8, detected per file.
namespace project {

class Project;

inline constexpr std::string_view kProjectHeader = "#Fichier de projet Tessel Works";
inline constexpr size_t kMaxLineChars = 2047;

// --- Writing ----------------------------------------------------------------

// The whole file as UTF-8 text (hooks may be null: no session lines).
std::string WriteProjectText(const Project& project, SessionHooks* hooks);

// The whole file as the bytes written to disk (Windows-1252).
std::string EncodeProjectFile(const Project& project, SessionHooks* hooks);

// Saves the project. An empty path asks for one ("Sauver un fichier");
// cancelling cancels the save. The file is replaced atomically: a failed save
// is reported and leaves the old file. On success the path becomes the
// document's path.
bool SaveProject(Project& project, std::string path, SessionHooks* hooks);

// The save dialog for project files, starting in `startDirectory`; the name
// gets ".tpj" when its last component has no dot. Nothing when cancelled.
std::optional<std::string> AskProjectFileName(platform::UserDialogs& dialogs,
                                              std::string_view startDirectory);

// The session lines of the default folders, "  DossierDéf[n] = \"...\"" for
// every non-empty slot (n is the slot plus one: script arrays count from 1).
void AppendDefaultFolderLines(const Project& project, std::string& out);

// --- Reading ----------------------------------------------------------------

enum class OpenResult {
  Unreadable,  // the file could not be read: nothing changed
  Empty,       // an empty file: empty project
  Opened,      // current layout read
  Upgraded,    // old binary layout read (a ".bak" copy was made)
  NotLoaded,   // neither layout: reported, empty project
};

// Opens a project file: empties the table and the data section, reads the
// file and runs its session and data sections through the hooks, then
// rebuilds the tree. Except when the file is unreadable, the path becomes the
// document's path. Default folders and settings are left to the sections.
OpenResult OpenProject(Project& project, const std::string& path, SessionHooks* hooks);

// True when the text's first line is the current header line.
bool HasCurrentHeader(std::string_view text);

// True when OpenProject would read these bytes as a project: an empty file,
// the current header or the old binary layout's signature. The window checks
// a chosen file with it first, so that opening something else keeps the
// project that is open.
bool IsProjectFileContent(std::string_view bytes);

// Reads a file of the current layout held in memory (decoded to UTF-8).
void ReadProjectText(Project& project, std::string_view text, SessionHooks* hooks);

// Reads the old binary layout through the checked insertion. False when the
// bytes are not in that layout.
bool ReadOldLayout(Project& project, std::string_view bytes);

// Offset of the line after the first header of a section with one of these
// names (a line that, after leading blanks and tabs and with A-Z lowered, is
// ".section", one character, and the name), or nothing.
std::optional<size_t> FindSection(std::string_view text, std::span<const std::string_view> names);

}  // namespace project
