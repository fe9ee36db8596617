#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text inside the program is UTF-8; the files of the established layouts are
// Windows-1252. These functions convert between the two.
namespace platform {

std::string Cp1252ToUtf8(std::string_view bytes);

// Characters that Windows-1252 cannot hold become `replacement`. Bytes that
// are not valid UTF-8 are kept as they are (they are taken to be 1252 already).
std::string Utf8ToCp1252(std::string_view text, char replacement = '?');

// Decodes the bytes of a text file read from disk into UTF-8: UTF-8 files (with
// or without a byte order mark) are kept, anything else is read as 1252.
// Without the mark, a file is UTF-8 when its bytes are valid UTF-8 holding at
// least one multi-byte sequence: such a file was written by a UTF-8 editor.
std::string DecodeTextFile(std::string_view bytes);

// Number of characters (code points) of a UTF-8 text.
size_t Utf8Length(std::string_view text);

// Bytes taken by the first `count` characters of a UTF-8 text (the whole
// text when it has no more).
size_t Utf8PrefixSize(std::string_view text, size_t count);

// The first `count` characters of a UTF-8 text.
std::string Utf8Prefix(std::string_view text, size_t count);

}  // namespace platform
