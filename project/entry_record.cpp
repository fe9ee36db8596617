#include "project/entry_record.h"

#include "platform/text_encoding.h"

namespace project {

namespace {

void Fit(std::string& text, size_t chars) {
  for (char& c : text)
    if (c == '\n' || c == '\r' || c == '\0') c = ' ';
  text.resize(platform::Utf8PrefixSize(text, chars));
}

}  // namespace

void FitRecordFields(EntryRecord& record) {
  Fit(record.baseFile, kBaseFileChars);
  Fit(record.file, kFileChars);
  Fit(record.name, kNameChars);
  Fit(record.folder, kFolderChars);
}

std::string_view DisplayName(std::string_view name) {
  size_t slash = name.rfind('\\');
  return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

}  // namespace project
