#include "tools/tilecvt/base_name.h"

namespace tilecvt {
namespace {

constexpr std::string_view kReplaced = "#@ &*!()[]{}^+=-<>?~";
constexpr std::string_view kPound = "\xC2\xA3";  // "£" as file names are encoded here (UTF-8)

std::string_view FileNamePart(std::string_view path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool IsSymbolCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

std::string StripDirectoryAndExtension(std::string_view name) {
  std::string_view file = FileNamePart(name);
  size_t dot = file.rfind('.');
  return std::string(dot == std::string_view::npos ? file : file.substr(0, dot));
}

std::string MakeBaseName(std::string_view argument) {
  std::string stripped = StripDirectoryAndExtension(argument);
  std::string base;
  base.reserve(stripped.size());
  for (size_t at = 0; at < stripped.size(); ++at) {
    if (stripped.compare(at, kPound.size(), kPound) == 0) {
      base += '_';
      at += kPound.size() - 1;
    } else if (kReplaced.find(stripped[at]) != std::string_view::npos) {
      base += '_';
    } else {
      base += stripped[at];
    }
  }
  return base;
}

std::string ArrayName(std::string_view name, std::string_view suffix) {
  std::string symbol = StripDirectoryAndExtension(name);
  symbol += suffix;
  for (char& c : symbol)
    if (!IsSymbolCharacter(c)) c = '_';
  if (!symbol.empty() && symbol[0] >= '0' && symbol[0] <= '9') symbol.insert(symbol.begin(), '_');
  return symbol;
}

}  // namespace tilecvt
