#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The selection buffer: cells copied from the map, one plane per member of a
// link group. It is the brush of the editor, the object of the selection
// operations and what "Coller" writes back. It outlives the editor, so a
// selection can be pasted into a map opened later.
namespace mapeditor {

inline constexpr int kBufferSide = 1024;
inline constexpr int kBufferPlanes = 6;
inline constexpr int kCopyPlanes = 5;  // planes that receive link members
inline constexpr int kBlankPlane = 5;  // stands in for a member whose copy failed

// A rectangle in pixels; right and bottom are the last pixels inside.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Elements of an object list member.
struct ListPlane {
  int32_t elementSize = 12;
  std::vector<uint8_t> storage;
  int32_t count = 0;
};

struct SelectionBuffer {
  std::vector<uint32_t> cells;  // kBufferPlanes planes of kBufferSide², row stride kBufferSide
  int width = 0;                // 0 × 0: empty
  int height = 0;
  int planeCount = 0;
  std::array<bool, kBufferPlanes> copied{};
  // Where it was taken from: a rectangle of canvas pixels and the scroll
  // position of the active background at that moment, so that "Coller"
  // lands on the cells it came from even after scrolling.
  PixelRect rect;
  int scrollX = 0;
  int scrollY = 0;
  int owner = -1;  // the background active when it was filled
  std::array<ListPlane, kCopyPlanes> lists;

  bool allocated() const { return !cells.empty(); }
  bool empty() const { return width <= 0 || height <= 0; }
  // "Coller" is offered for buffers larger than one cell.
  bool pastable() const { return width > 1 || height > 1; }
  void clear() { width = height = 0; }

  uint32_t* plane(int p) {
    return cells.data() + static_cast<size_t>(p) * kBufferSide * kBufferSide;
  }
  const uint32_t* plane(int p) const {
    return cells.data() + static_cast<size_t>(p) * kBufferSide * kBufferSide;
  }
  uint32_t& at(int p, int x, int y) {
    return plane(p)[static_cast<size_t>(y) * kBufferSide + static_cast<size_t>(x)];
  }
  uint32_t at(int p, int x, int y) const {
    return plane(p)[static_cast<size_t>(y) * kBufferSide + static_cast<size_t>(x)];
  }
};

// Allocates the planes (zero-filled) the first time. False when the memory
// cannot be had.
bool AllocateSelectionBuffer(SelectionBuffer& buffer);

// Copied list elements, kept for the program run.
struct ObjectClipboard {
  int32_t elementSize = 12;
  std::vector<uint8_t> elements;
  int32_t count = 0;
};

// What the map editor keeps for the whole program run.
struct MapEditorShared {
  SelectionBuffer buffer;
  ObjectClipboard objects;
};

}  // namespace mapeditor
