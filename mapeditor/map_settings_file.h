#pragma once

#include <string>

// The map settings file: a script written beside the map the editor was
// opened on ("niveau1.map.c" → "niveau1.map.spt"), which the editor runs when
// it opens the same map again.
namespace mapeditor {

class MapEditor;

// Its lines for the editor as it stands.
std::string MapSettingsText(const MapEditor& editor);

// Writes it, unless "Sauver les paramètres des maps" is off. Nothing is
// reported when the file cannot be written. True when written.
bool WriteMapSettings(MapEditor& editor);

}  // namespace mapeditor
