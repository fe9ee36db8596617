#include "tools/tilecvt/output_file.h"

#include <cstdio>

namespace tilecvt {

bool WriteOutputFile(const std::string& path, std::span<const uint8_t> bytes) {
  return WriteOutputFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), false);
}

bool WriteOutputFile(const std::string& path, std::string_view content, bool text) {
  std::string translated;
  if (text) {
    translated.reserve(content.size() + content.size() / 16);
    for (char c : content) {
      if (c == '\n') translated += '\r';
      translated += c;
    }
    content = translated;
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = content.empty() || std::fwrite(content.data(), 1, content.size(), file) == content.size();
  ok = std::fclose(file) == 0 && ok;
  return ok;
}

}  // namespace tilecvt
