#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Paths as the program stores them: both '\' and '/' separate directories
// when a stored path is read; paths are written with '/'.
namespace platform {

// Index of the last separator, or npos.
size_t LastSeparator(std::string_view path);

// The part after the last separator (the whole path when there is none).
std::string_view LastComponent(std::string_view path);

// The part before the last separator (empty when there is none).
std::string_view DirectoryPart(std::string_view path);

// Everything after the first dot of the last component ("til.c" for
// "gfx/level.til.c"); empty when the last component has no dot.
std::string_view ExtensionAfterFirstDot(std::string_view path);

// A stored path with every '\' turned into '/', ready for the file system.
std::string ToNative(std::string_view path);

// The absolute, lexically normalised form of a path (relative paths are taken
// from the current directory).
std::string Absolute(std::string_view path);

// A path made relative to `directory` the way dropped files are stored: the
// directory prefix removed when the path lies inside it; "../" in its place
// when it lies inside the parent directory (unless that parent is the root);
// otherwise the path unchanged. The result uses '/'.
std::string RelativeTo(std::string_view path, std::string_view directory);

}  // namespace platform
