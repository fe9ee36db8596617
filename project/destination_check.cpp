#include "project/destination_check.h"

#include <algorithm>
#include <vector>

#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/message_text.h"
#include "platform/paths.h"

namespace project {

namespace {

// Two spellings of one file compare equal: separators and "./" prefixes do
// not matter, nor does the path being relative to the current directory.
std::string Canonical(std::string_view file) {
  std::string path = platform::Absolute(file);
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

bool Blank(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\t'; });
}

}  // namespace

bool CheckDestinations(std::span<const Destination> destinations, platform::UserDialogs& dialogs) {
  std::vector<std::string> seen;
  for (const Destination& d : destinations) {
    if (d.replacedByExisting) continue;
    if (Blank(d.file)) {
      dialogs.message(kDestinationEmpty, kDestinationCaption, platform::Icon::Warning);
      return false;
    }
    std::string canonical = Canonical(d.file);
    if (std::find(seen.begin(), seen.end(), canonical) != seen.end()) {
      dialogs.message(platform::FillInText(kDestinationDuplicate, {d.file}), kDestinationCaption,
                      platform::Icon::Warning);
      return false;
    }
    seen.push_back(canonical);
  }
  for (const Destination& d : destinations) {
    if (d.replacedByExisting || !platform::FileExists(platform::ToNative(d.file))) continue;
    platform::Answer answer = dialogs.question(platform::FillInText(kDestinationExists, {d.file}),
                                               kDestinationExistsCaption, platform::Buttons::YesNo,
                                               platform::Answer::No, platform::Icon::Question);
    if (answer != platform::Answer::Yes) return false;
  }
  return true;
}

}  // namespace project
