#pragma once

#include <string>
#include <string_view>

namespace project {

enum class ProjectSection { Session, Data };

// What the Project file needs from the script layer, which sits above this
// module: the session section is made of script statements the script layer
// writes, and the session and data sections are executed by its reader.
class SessionHooks {
 public:
  virtual ~SessionHooks() = default;

  // Appends the session lines (UTF-8, each ending with "\n"): everything
  // between the section's header and its last line. The writer adds that
  // closing "  Fin\n" line itself, so the hook must not.
  virtual void writeSession(std::string& out) = 0;

  // Executes a section read from a project file. Session: the lines after the
  // section's header up to and including its "Fin" line; when a hand-edited
  // file has no such line, up to the next section header or the end of the
  // file, so the element section is never run as statements. Data: the data
  // section's text as kept with the project. Not called for a missing section.
  virtual void runSection(ProjectSection section, std::string_view utf8Text) = 0;
};

}  // namespace project
