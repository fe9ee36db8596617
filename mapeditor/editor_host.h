#pragma once

#include <cstdint>
#include <string_view>

#include "mapeditor/editor_settings.h"
#include "platform/services.h"

namespace formats {
class FormatLibrary;
}
namespace project {
class Project;
}

namespace mapeditor {

class EditorAccess;

// The moments the program is told about while a map is edited.
enum class MapEvent { Open, Save };

// What the map editor needs of the program that opens it: the services it
// reports through, the records it edits, the settings it follows (read each
// time, since a script may change them while the editor is open) and the
// events it raises.
class EditorHost {
 public:
  virtual ~EditorHost() = default;

  virtual platform::Services& services() = 0;
  virtual project::Project& project() = 0;
  virtual formats::FormatLibrary& formats() = 0;
  virtual EditorSettings& settings() = 0;

  // The program's settings the editor follows.
  virtual int32_t maxListObjects() const = 0;
  virtual bool savesMapSettings() const = 0;
  virtual bool savesMapSettingsOnClose() const = 0;
  virtual bool gbaEmulationByDefault() const = 0;
  virtual bool selectsFormatByExtension() const = 0;
  // The block size chosen in the editor becomes the conversions' tile size.
  virtual void setTileSize(int32_t width, int32_t height) = 0;
  // Bit names changed: the program saves them with the project.
  virtual void noteBitNamesChanged() = 0;

  // Where the script objects reach the open editor (null once it closed).
  virtual EditorAccess* openEditor() const = 0;
  virtual void setOpenEditor(EditorAccess* editor) = 0;
  // Runs a map's settings script.
  virtual void runSettingsScript(std::string_view path) = 0;
  // Raises the map event for an element; false when its handler refused.
  virtual bool raiseMapEvent(MapEvent event, std::string_view elementName) = 0;
};

}  // namespace mapeditor
