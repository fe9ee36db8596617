// Object lists: adding, selecting, copying and deleting elements, and their
// parameters.
#include <algorithm>
#include <cstddef>
#include <cstdio>

#include "mapeditor/editor_texts.h"
#include "mapeditor/map_editor.h"
#include "mapeditor/parallax.h"
#include "platform/text_encoding.h"
#include "platform/value_syntax.h"
#include "mapeditor/editor_host.h"
#include "project/project.h"

namespace mapeditor {

namespace {

int FloorTo(int v, int step) {
  if (step <= 0) return v;
  int q = v / step;
  if (v % step != 0 && v < 0) --q;
  return q * step;
}

}  // namespace

bool MapEditor::addListElement(int i, int32_t x, int32_t y, int32_t type) {
  if (!isOpenSlot(i) || background(i).isMap()) return false;
  Background& b = background(i);
  if (b.elementCount >= b.maxElements) {
    host_.services().dialogs.message(texts::kListFull, texts::kCaptionError,
                                     platform::Icon::Warning);
    return false;
  }
  std::span<uint8_t> e = b.element(b.elementCount);
  std::fill(e.begin(), e.end(), 0);
  formats::WriteObjectWord(e, formats::kObjectX, x);
  formats::WriteObjectWord(e, formats::kObjectY, y);
  formats::WriteObjectWord(e, formats::kObjectType, type);
  formats::SetObjectDefaults(b.model, e);
  ++b.elementCount;
  return true;
}

bool MapEditor::moveListElement(int element, int32_t x, int32_t y) {
  if (!isOpenSlot(active_) || activeBackground().isMap()) return false;
  Background& b = activeBackground();
  if (element < 0 || element >= b.elementCount) return false;
  formats::WriteObjectWord(b.element(element), formats::kObjectX, x);
  formats::WriteObjectWord(b.element(element), formats::kObjectY, y);
  return true;
}

void MapEditor::snapToListGrid(int32_t& x, int32_t& y) const {
  if (!isOpenSlot(active_)) return;
  const Background& b = activeBackground();
  x = FloorTo(x, b.snapX);
  y = FloorTo(y, b.snapY);
}

void MapEditor::selectListElementsIn(const PixelRect& rect, bool snap) {
  listSelection_.clear();
  if (!isOpenSlot(active_) || activeBackground().isMap()) return;
  const Background& b = activeBackground();
  int left = std::min(rect.left, rect.right) + scrollX_;
  int top = std::min(rect.top, rect.bottom) + scrollY_;
  // Exclusive ends: the pixel under the far corner belongs to the rectangle.
  int right = std::max(rect.left, rect.right) + scrollX_ + 1;
  int bottom = std::max(rect.top, rect.bottom) + scrollY_ + 1;
  if (snap) {
    left = FloorTo(left, b.snapX);
    top = FloorTo(top, b.snapY);
    right = FloorTo(right + b.snapX - 1, b.snapX);
    bottom = FloorTo(bottom + b.snapY - 1, b.snapY);
  }
  for (int k = 0; k < b.elementCount; ++k) {
    std::span<const uint8_t> e = b.element(k);
    int64_t ex = formats::ReadObjectWord(e, formats::kObjectX);
    int64_t ey = formats::ReadObjectWord(e, formats::kObjectY);
    if (ex >= left && ex < right && ey >= top && ey < bottom) listSelection_.push_back(k);
  }
}

void MapEditor::toggleListSelection(int element) {
  auto it = std::find(listSelection_.begin(), listSelection_.end(), element);
  if (it != listSelection_.end())
    listSelection_.erase(it);
  else
    listSelection_.push_back(element);
}

int MapEditor::listElementAt(int i, int32_t x, int32_t y) const {
  if (!isOpenSlot(i) || background(i).isMap()) return -1;
  const Background& b = background(i);
  for (int k = b.elementCount - 1; k >= 0; --k) {
    std::span<const uint8_t> e = b.element(k);
    int64_t ex = formats::ReadObjectWord(e, formats::kObjectX);
    int64_t ey = formats::ReadObjectWord(e, formats::kObjectY);
    if (x >= ex && x < ex + b.cellWidth && y >= ey && y < ey + b.cellHeight) return k;
  }
  return -1;
}

void MapEditor::copyListMember(int member, int plane, const PixelRect& rect) {
  Background& b = background(member);
  SelectionBuffer& buf = shared_.buffer;
  if (plane < 0 || plane >= kCopyPlanes) return;
  ListPlane& lp = buf.lists[static_cast<size_t>(plane)];
  lp.elementSize = b.elementSize;
  lp.count = 0;
  size_t room = static_cast<size_t>(b.maxElements) * static_cast<size_t>(b.elementSize);
  if (lp.storage.size() < room) lp.storage.resize(room);
  bool isActive = member == active_;
  int gx = isActive ? b.snapX : b.cellWidth;
  int gy = isActive ? b.snapY : b.cellHeight;
  gx = std::max(gx, 1);
  gy = std::max(gy, 1);
  int ox = ParallaxSteps(buf.scrollX, b.parallaxX, activeBackground().parallaxX, gx) * gx;
  int oy = ParallaxSteps(buf.scrollY, b.parallaxY, activeBackground().parallaxY, gy) * gy;
  // Rectangle ends snap outwards to the list's grid.
  int left = FloorTo(std::min(rect.left, rect.right) + ox, b.snapX);
  int top = FloorTo(std::min(rect.top, rect.bottom) + oy, b.snapY);
  int right = FloorTo(std::max(rect.left, rect.right) + ox, b.snapX) + std::max(b.snapX, 1) - 1;
  int bottom = FloorTo(std::max(rect.top, rect.bottom) + oy, b.snapY) + std::max(b.snapY, 1) - 1;
  for (int k = 0; k < b.elementCount && lp.count < b.maxElements; ++k) {
    std::span<const uint8_t> e = b.element(k);
    int64_t ex = formats::ReadObjectWord(e, formats::kObjectX);
    int64_t ey = formats::ReadObjectWord(e, formats::kObjectY);
    if (ex + b.cellWidth <= left || ex > right || ey + b.cellHeight <= top || ey > bottom) continue;
    std::span<uint8_t> dst(
        lp.storage.data() + static_cast<size_t>(lp.count) * static_cast<size_t>(lp.elementSize),
        static_cast<size_t>(lp.elementSize));
    std::copy(e.begin(), e.end(), dst.begin());
    formats::WriteObjectWord(dst, formats::kObjectX, static_cast<int32_t>(ex - left));
    formats::WriteObjectWord(dst, formats::kObjectY, static_cast<int32_t>(ey - top));
    ++lp.count;
  }
  // A wide snap grid can make the rectangle larger than the buffer's planes:
  // its size stays within them, which every reader of the buffer relies on.
  if (isActive && b.cellWidth > 0 && b.cellHeight > 0) {
    buf.width = std::clamp((right - left + 1) / b.cellWidth, 1, kBufferSide);
    buf.height = std::clamp((bottom - top + 1) / b.cellHeight, 1, kBufferSide);
  }
}

void MapEditor::copyListSelection() {
  if (!isOpenSlot(active_) || activeBackground().isMap() || listSelection_.empty()) return;
  const Background& b = activeBackground();
  ObjectClipboard& clip = shared_.objects;
  clip.elementSize = b.elementSize;
  clip.elements.clear();
  clip.count = 0;
  for (int k : listSelection_) {
    if (k < 0 || k >= b.elementCount) continue;
    std::span<const uint8_t> e = b.element(k);
    clip.elements.insert(clip.elements.end(), e.begin(), e.end());
    ++clip.count;
  }
}

void MapEditor::cutListSelection() {
  copyListSelection();
  deleteListSelection();
}

void MapEditor::deleteListSelection() {
  if (!isOpenSlot(active_) || activeBackground().isMap() || listSelection_.empty()) return;
  Background& b = activeBackground();
  std::vector<int> order = listSelection_;
  std::sort(order.begin(), order.end(), std::greater<>());
  order.erase(std::unique(order.begin(), order.end()), order.end());
  const size_t size = static_cast<size_t>(b.elementSize);
  for (int k : order) {
    if (k < 0 || k >= b.elementCount) continue;
    auto at = b.elements.begin() + static_cast<std::ptrdiff_t>(static_cast<size_t>(k) * size);
    auto end = b.elements.begin() +
               static_cast<std::ptrdiff_t>(static_cast<size_t>(b.elementCount) * size);
    std::copy(at + static_cast<std::ptrdiff_t>(size), end, at);
    std::fill(end - static_cast<std::ptrdiff_t>(size), end, 0);
    --b.elementCount;
  }
  listSelection_.clear();
  pushUndoGroup();
}

void MapEditor::pasteObjects(int32_t x, int32_t y) {
  if (!isOpenSlot(active_) || activeBackground().isMap()) return;
  Background& b = activeBackground();
  const ObjectClipboard& clip = shared_.objects;
  if (clip.count <= 0 || clip.elementSize <= 0) return;
  const size_t size = static_cast<size_t>(clip.elementSize);
  auto source = [&](int k) {
    return std::span<const uint8_t>(clip.elements.data() + static_cast<size_t>(k) * size, size);
  };
  int64_t minX = INT32_MAX, minY = INT32_MAX;
  for (int k = 0; k < clip.count; ++k) {
    minX = std::min<int64_t>(minX, formats::ReadObjectWord(source(k), formats::kObjectX));
    minY = std::min<int64_t>(minY, formats::ReadObjectWord(source(k), formats::kObjectY));
  }
  for (int k = 0; k < clip.count; ++k) {
    if (b.elementCount >= b.maxElements) {
      host_.services().dialogs.message(texts::kListFull, texts::kCaptionError,
                                       platform::Icon::Warning);
      break;
    }
    std::span<const uint8_t> src = source(k);
    std::span<uint8_t> dst = b.element(b.elementCount++);
    std::fill(dst.begin(), dst.end(), 0);
    std::copy_n(src.begin(), std::min(src.size(), dst.size()), dst.begin());
    formats::WriteObjectWord(
        dst, formats::kObjectX,
        static_cast<int32_t>(formats::ReadObjectWord(src, formats::kObjectX) - minX + x));
    formats::WriteObjectWord(
        dst, formats::kObjectY,
        static_cast<int32_t>(formats::ReadObjectWord(src, formats::kObjectY) - minY + y));
  }
  pushUndoGroup();
}

std::vector<std::string> MapEditor::objectFieldTexts() const {
  std::vector<std::string> texts;
  if (!isOpenSlot(active_) || activeBackground().isMap()) return texts;
  const Background& b = activeBackground();
  if (b.model.fields.empty()) {
    host_.services().dialogs.message(texts::kNoObjectFields, texts::kCaptionError,
                                     platform::Icon::Warning);
    return texts;
  }
  int first = -1;
  for (int k : listSelection_)
    if (k >= 0 && k < b.elementCount) {
      first = k;
      break;
    }
  for (size_t j = 0; j < b.model.fields.size(); ++j) {
    const formats::ModelField& f = b.model.fields[j];
    if (first < 0) {
      texts.emplace_back();
      continue;
    }
    std::span<const uint8_t> e = b.element(first);
    size_t offset = static_cast<size_t>(b.model.fieldOffset(j));
    size_t size = static_cast<size_t>(f.size);
    if (f.kind == formats::kFieldRaw) {
      texts.push_back(platform::Cp1252ToUtf8(formats::ReadObjectText(e, offset, size)));
    } else {
      texts.push_back(
          std::to_string(formats::ReadObjectWord(e, offset, std::min<size_t>(size, 4))));
    }
  }
  return texts;
}

bool MapEditor::setObjectFields(std::span<const std::string> values) {
  if (!isOpenSlot(active_) || activeBackground().isMap()) return false;
  Background& b = activeBackground();
  for (int k : listSelection_) {
    if (k < 0 || k >= b.elementCount) continue;
    std::span<uint8_t> e = b.element(k);
    for (size_t j = 0; j < b.model.fields.size() && j < values.size(); ++j) {
      const formats::ModelField& f = b.model.fields[j];
      size_t offset = static_cast<size_t>(b.model.fieldOffset(j));
      size_t size = static_cast<size_t>(f.size);
      if (f.kind == formats::kFieldRaw)
        formats::WriteObjectText(e, offset, size, platform::Utf8ToCp1252(values[j]));
      else
        formats::WriteObjectWord(e, offset, platform::ParseInteger(values[j]),
                                 std::min<size_t>(size, 4));
    }
  }
  pushUndoGroup();
  return true;
}

}  // namespace mapeditor
