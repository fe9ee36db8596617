#include "platform/paths.h"

#include <filesystem>

#include "platform/text_encoding.h"

namespace platform {

size_t LastSeparator(std::string_view path) { return path.find_last_of("/\\"); }

std::string_view LastComponent(std::string_view path) {
  size_t sep = LastSeparator(path);
  return sep == std::string_view::npos ? path : path.substr(sep + 1);
}

std::string_view DirectoryPart(std::string_view path) {
  size_t sep = LastSeparator(path);
  return sep == std::string_view::npos ? std::string_view() : path.substr(0, sep);
}

std::string_view ExtensionAfterFirstDot(std::string_view path) {
  std::string_view last = LastComponent(path);
  size_t dot = last.find('.');
  return dot == std::string_view::npos ? std::string_view() : last.substr(dot + 1);
}

std::string ToNative(std::string_view path) {
  std::string out(path);
  bool ascii = true;
  for (char& c : out) {
    if (c == '\\') c = '/';
    if (static_cast<unsigned char>(c) >= 0x80) ascii = false;
  }
  if (ascii) return out;
  // A file named in Windows-1252 bytes (by an older version, or another
  // program) is read back from a project as UTF-8 text: when only the
  // Windows-1252 form of the name exists, it is the file meant.
  std::error_code ec;
  if (!Cp1252CanHold(out) || std::filesystem::exists(out, ec)) return out;
  std::string legacy = Utf8ToCp1252(out);
  if (legacy != out && std::filesystem::exists(legacy, ec)) return legacy;
  return out;
}

std::string Absolute(std::string_view path) {
  std::error_code ec;
  auto p = std::filesystem::absolute(std::filesystem::path(ToNative(path)), ec);
  if (ec) return ToNative(path);
  return p.lexically_normal().string();
}

namespace {

// `path` with `prefix` (a directory) removed, when path lies inside it.
bool StripDirectory(const std::string& path, std::string dir, std::string& rest) {
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  if (dir == "/") {
    if (path.size() > 1 && path[0] == '/') {
      rest = path.substr(1);
      return true;
    }
    return false;
  }
  if (path.size() > dir.size() + 1 && path.compare(0, dir.size(), dir) == 0 &&
      path[dir.size()] == '/') {
    rest = path.substr(dir.size() + 1);
    return true;
  }
  return false;
}

}  // namespace

std::string RelativeTo(std::string_view path, std::string_view directory) {
  std::string native = ToNative(path);
  if (native.empty() || native[0] != '/') return native;  // already relative
  std::string abs = Absolute(native);
  std::string dir = Absolute(directory);
  std::string rest;
  if (StripDirectory(abs, dir, rest)) return rest;
  std::string parent = std::filesystem::path(dir).parent_path().string();
  if (!parent.empty() && parent != "/" && parent != dir && StripDirectory(abs, parent, rest))
    return "../" + rest;
  return abs;
}

}  // namespace platform
