#pragma once

#include <string>
#include <string_view>

namespace mapeditor {

// The settings script that belongs to an element file: "level1.map.c" →
// "level1.map.spt", "level1.map" → "level1.map.spt". Only the last path
// component's dots count, so a file in "../" or in a dotted folder keeps its
// own name.
std::string SettingsFileName(std::string_view fileName);

}  // namespace mapeditor
