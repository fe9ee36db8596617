#pragma once

#include <string_view>

namespace platform {
class TextLines;
class UserDialogs;
}  // namespace platform

namespace formats {

struct FormatLibrary;

// `defformat` / `definefmt`: `argument` is the rest of the command's line (the
// name, then "{"); the definition is read from the lines that follow in the
// script stream, up to the "}" that closes it. A new name starts as a copy of
// the selected format with an empty "empty" section; an existing one is
// changed in place (the selected format's working copy only changes at the
// next selection). Returns false when the definition was refused (no name, or
// the format table is full); the definition's lines are read either way once
// the name was accepted.
bool DefineFormat(FormatLibrary& lib, std::string_view argument, platform::TextLines& lines,
                  platform::UserDialogs& dialogs);

}  // namespace formats
