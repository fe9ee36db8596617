#pragma once

#include <string>
#include <string_view>

#include "project/session_hooks.h"
#include "app/language.h"

namespace app {

struct Workshop;

// The session section of the project file: the settings written as the
// statements that set them, in their fixed order (the closing "  Fin" line is
// the project writer's). The current directory is the one at saving time.
void WriteInfosSection(Workshop& w, std::string& out);

// Connects the project file to the script layer: the session lines come from
// WriteInfosSection and the sections read back run through the reader.
class WorkshopSession : public project::SessionHooks {
 public:
  explicit WorkshopSession(Workshop& w) : w_(w) {}
  void writeSession(std::string& out) override;
  void runSection(project::ProjectSection section, std::string_view utf8Text) override;

 private:
  Workshop& w_;
};

}  // namespace app
