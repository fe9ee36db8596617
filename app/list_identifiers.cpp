#include "app/list_identifiers.h"

#include "formats/format_library.h"
#include "formats/list_model.h"
#include "script/command_arguments.h"
#include "app/entry_makers.h"
#include "app/root_table.h"
#include "app/workshop.h"
#include "app/language.h"

namespace app {

namespace {

void ResetParamsCommand(Workshop& w, std::string_view) {
  formats::CurrentModel(w.formats).fields.clear();
}

// `ajparam "name", type, size`: added, or replacing the parameter of that
// name; a size of 0 (or none) becomes 4 and the default value is empty.
void AddParamCommand(Workshop& w, std::string_view value) {
  CommandArguments args(value);
  auto name = args.string();
  if (!name) return;
  int32_t kind = args.integer();
  int32_t size = args.integer();
  formats::AddModelField(formats::CurrentModel(w.formats), *name, kind, size);
}

constexpr TwinRow kListRows[] = {
    {"reinitparams", "resetparams", CommandEntry<ResetParamsCommand>()},
    {"ajparam", "addparam", CommandEntry<AddParamCommand>()},
};

constexpr auto kListEntries = ExpandTwins(kListRows);

}  // namespace

const ObjectTable kListObject{kListEntries};

}  // namespace app
