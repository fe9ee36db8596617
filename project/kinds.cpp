#include "project/kinds.h"

namespace project {

int KindFromKeyword(std::string_view keyword) {
  for (const KindInfo& k : kKinds)
    if (keyword == k.french || keyword == k.english) return static_cast<int>(k.code);
  return -1;
}

std::string_view KindKeyword(uint32_t code) {
  if (code < kKinds.size()) return kKinds[code].french;
  return kKinds[5].french;
}

int CategoryOfKind(uint32_t code) {
  if (code < kKinds.size()) return kKinds[code].category;
  return -1;
}

std::optional<int> CategoryFromFolderField(std::string_view text) {
  for (const FolderFieldName& n : kFolderFieldNames)
    if (text == n.french || text == n.english) return n.category;
  return std::nullopt;
}

std::string_view CategoryFolderName(int category) {
  for (const FolderFieldName& n : kFolderFieldNames)
    if (n.category == category) return n.french;
  return {};
}

}  // namespace project
