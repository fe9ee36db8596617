#include "app/system_identifiers.h"

#include <algorithm>
#include <string>

#include "platform/message_text.h"
#include "platform/value_syntax.h"
#include "app/entry_makers.h"
#include "app/memory_size.h"
#include "app/root_table.h"
#include "app/workshop.h"
#include "app/language.h"

namespace app {

namespace {

template <int32_t SystemSettings::*Member>
int32_t& Setting(Workshop& w) {
  return w.system.*Member;
}

std::string& Directory(Workshop& w) { return w.paths.directory; }

void MaxObjectsCommand(Workshop& w, std::string_view value) {
  w.system.maxObjects = BoundListObjects(platform::ParseInteger(value), w.services.dialogs);
}

void MaxMemoryCommand(Workshop& w, std::string_view value) {
  w.system.maxPreviewMemory = ParseMemorySize(value);
}

// The global option: the value a background's own emulation starts from when
// it is opened.
void GbaEmulationCommand(Workshop& w, std::string_view value) {
  w.system.emulGba = platform::ParseInteger(value);
}

constexpr TwinRow kSystemRows[] = {
    {"répertoire", "directory", TextEntry<Directory>()},
    {"objetsmax", "maxobjects", CommandEntry<MaxObjectsCommand>()},
    {"sauverparamsmaps", "savemapsparams",
     IntegerEntry<Setting<&SystemSettings::saveMapSettings>>()},
    {"sauverparamsmapsauto", "savemapsparamsauto",
     IntegerEntry<Setting<&SystemSettings::saveMapSettingsAuto>>()},
    {"memoiremax", "maxmemory", CommandEntry<MaxMemoryCommand>()},
    {"selectionformatauto", "autoformatselection",
     IntegerEntry<Setting<&SystemSettings::autoFormatSelection>>()},
};

constexpr Entry kSystemSingleRows[] = {
    Named("emulgba", CommandEntry<GbaEmulationCommand>()),
};

constexpr auto kSystemEntries = ExpandTwins(kSystemRows, kSystemSingleRows);

}  // namespace

int32_t BoundListObjects(int32_t value, platform::UserDialogs& dialogs) {
  if (value > kMaxListObjects) {
    dialogs.message(platform::FillInText("Le nombre d'éléments par liste est limité à %s.\n"
                                         "La valeur %s a été ramenée à %s.",
                                         {std::to_string(kMaxListObjects), std::to_string(value),
                                          std::to_string(kMaxListObjects)}),
                    "Attention", platform::Icon::Warning);
    return kMaxListObjects;
  }
  return std::max(value, kMinListObjects);
}

const ObjectTable kSystemObject{kSystemEntries};

}  // namespace app
