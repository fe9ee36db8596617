#include "mapeditor/selection_buffer.h"

#include <new>

namespace mapeditor {

bool AllocateSelectionBuffer(SelectionBuffer& buffer) {
  if (buffer.allocated()) return true;
  try {
    buffer.cells.assign(static_cast<size_t>(kBufferPlanes) * kBufferSide * kBufferSide, 0u);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

}  // namespace mapeditor
