#include "app/workshop.h"

#include "app/assistant_dispatch.h"
#include "app/root_table.h"

namespace app {

Workshop& AsWorkshop(script::Context& c) { return static_cast<Workshop&>(c); }

const ObjectTable& Workshop::rootTable() const { return RootTable(); }

void Workshop::evaluateControl(const Entry& e, std::string_view name, std::string_view value) {
  EvaluateAssistantEntry(*this, e, name, value);
}

void Workshop::outermostRunEnded() {
  if (openEditor) openEditor->settingsChanged();
}

}  // namespace app
