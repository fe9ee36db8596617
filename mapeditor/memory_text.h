#pragma once

#include <cstdint>
#include <string>

namespace mapeditor {

// The side panel's undo memory label ("Mém: 12.5 ko"), with the precision of
// the first row of its table that fits the byte count.
std::string MemoryText(uint64_t bytes);

}  // namespace mapeditor
