#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Text inside the program is UTF-8; the files of the established layouts are
// Windows-1252. These functions convert between the two.
namespace platform {

std::string Cp1252ToUtf8(std::string_view bytes);

// Characters that Windows-1252 cannot hold become `replacement`. Bytes that
// are not valid UTF-8 are kept as they are (they are taken to be 1252 already).
std::string Utf8ToCp1252(std::string_view text, char replacement = '?');

// True when Windows-1252 holds every character of the text (bytes that are
// not UTF-8 count as held: they are written as they are).
bool Cp1252CanHold(std::string_view text);

// The text with every byte that is not UTF-8 read as Windows-1252, so that
// the result is valid UTF-8 throughout.
std::string RepairUtf8(std::string_view text);

// Decodes the bytes of a text file read from disk into UTF-8: UTF-8 files (with
// or without a byte order mark) are kept, anything else is read as 1252.
// Without the mark, a file is UTF-8 when its bytes are valid UTF-8 holding at
// least one multi-byte sequence: such a file was written by a UTF-8 editor.
std::string DecodeTextFile(std::string_view bytes);

// DecodeTextFile for files that may mix the two encodings (a UTF-8 file into
// which another editor put one Windows-1252 byte): when the file is mostly
// UTF-8 (a byte order mark, or more valid multi-byte sequences than stray
// bytes), each line is decoded on its own, so one stray byte costs at most
// its line. The 1-based numbers of the lines that were not UTF-8 (and were
// read as Windows-1252) are put in `guessedLines`.
std::string DecodeTextFileByLines(std::string_view bytes, std::vector<size_t>& guessedLines);

// Number of characters (code points) of a UTF-8 text.
size_t Utf8Length(std::string_view text);

// Bytes taken by the first `count` characters of a UTF-8 text (the whole
// text when it has no more).
size_t Utf8PrefixSize(std::string_view text, size_t count);

// The first `count` characters of a UTF-8 text.
std::string Utf8Prefix(std::string_view text, size_t count);

}  // namespace platform
