// The brush of the map editor: the selection buffer, the pattern value, the
// selection operations and block copies.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <new>

#include "mapeditor/editor_texts.h"
#include "mapeditor/map_editor.h"
#include "mapeditor/parallax.h"
#include "mapeditor/editor_host.h"
#include "project/project.h"

namespace mapeditor {

namespace {

int FloorDiv(int a, int b) {
  if (b <= 0) return 0;
  int q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

// A typed coordinate of the block copy dialog: plain decimal, an optional
// minus sign; "*" (sizes) stands for the largest block.
struct Field {
  bool given = false;
  int value = 0;
};

Field ParseField(std::string_view text, bool star) {
  Field f;
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  text = text.substr(i);
  if (text.empty()) return f;
  f.given = true;
  if (star && text[0] == '*') {
    f.value = kBufferSide;
    return f;
  }
  bool negative = false;
  i = 0;
  if (text[0] == '-') {
    negative = true;
    ++i;
  }
  int64_t v = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    if (v < 100000000) v = v * 10 + (text[i] - '0');
  f.value = static_cast<int>(negative ? -v : v);
  return f;
}

struct FieldPair {
  bool given = false;
  int x = 0;
  int y = 0;
};

FieldPair ParsePair(std::string_view x, std::string_view y, bool star) {
  Field fx = ParseField(x, star), fy = ParseField(y, star);
  return {fx.given && fy.given, fx.value, fy.value};
}

}  // namespace

SkippedValues MapEditor::skippedValues() const {
  SkippedValues s;
  s.invisibleBlock = static_cast<uint32_t>(host_.settings().invisibleBlock);
  s.zeroMask = host_.settings().zeroMask != 0;
  return s;
}

int MapEditor::firstColumn(const Background& b) const {
  if (!isOpenSlot(active_)) return 0;
  return ParallaxSteps(scrollX_, b.parallaxX, activeBackground().parallaxX, b.cellWidth);
}

int MapEditor::firstRow(const Background& b) const {
  if (!isOpenSlot(active_)) return 0;
  return ParallaxSteps(scrollY_, b.parallaxY, activeBackground().parallaxY, b.cellHeight);
}

MapEditor::CellRect MapEditor::memberCells(const Background& b, const PixelRect& rect, int sx,
                                           int sy, bool clampToMap) const {
  int ox = ParallaxSteps(sx, b.parallaxX, activeBackground().parallaxX, b.cellWidth);
  int oy = ParallaxSteps(sy, b.parallaxY, activeBackground().parallaxY, b.cellHeight);
  CellRect c;
  c.left = FloorDiv(std::min(rect.left, rect.right), b.cellWidth) + ox;
  c.right = FloorDiv(std::max(rect.left, rect.right), b.cellWidth) + ox;
  c.top = FloorDiv(std::min(rect.top, rect.bottom), b.cellHeight) + oy;
  c.bottom = FloorDiv(std::max(rect.top, rect.bottom), b.cellHeight) + oy;
  if (clampToMap) {
    c.left = std::max(c.left, 0);
    c.top = std::max(c.top, 0);
    c.right = std::min(c.right, b.width - 1);
    c.bottom = std::min(c.bottom, b.height - 1);
  }
  return c;
}

int MapEditor::activePlane() const {
  const SelectionBuffer& buf = shared_.buffer;
  if (buf.planeCount > 1 && !buf.empty() && buf.owner >= 0 && buf.owner < kMaxBackgrounds) {
    std::vector<int> row = LinkMembers(links_[static_cast<size_t>(buf.owner)]);
    for (size_t k = 0; k < row.size() && k < static_cast<size_t>(buf.planeCount); ++k) {
      if (row[k] != active_) continue;
      return buf.copied[k] ? static_cast<int>(k) : kBlankPlane;
    }
  }
  return 0;
}

uint32_t MapEditor::currentPattern() const {
  const SelectionBuffer& buf = shared_.buffer;
  if (!buf.allocated() || buf.empty()) return pattern_;
  return buf.at(activePlane(), 0, 0);
}

bool MapEditor::copyMember(int member, int plane, const PixelRect& rect) {
  Background& b = background(member);
  if (!b.isMap()) {
    copyListMember(member, plane, rect);
    return true;
  }
  SelectionBuffer& buf = shared_.buffer;
  CellRect c = memberCells(b, rect, buf.scrollX, buf.scrollY, true);
  if (c.empty()) return false;
  int w = c.right - c.left + 1, h = c.bottom - c.top + 1;
  if (w > kBufferSide || h > kBufferSide) {
    host_.services().dialogs.message(texts::kSelectionTooLarge, texts::kCaptionOops,
                                     platform::Icon::Error);
    return false;
  }
  buf.width = w;
  buf.height = h;
  for (int y = 0; y < h; ++y) std::copy_n(&b.cell(c.left, c.top + y), w, &buf.at(plane, 0, y));
  return true;
}

bool MapEditor::copySelection(const PixelRect& rect, bool onlyActive) {
  if (!isOpenSlot(active_) || !AllocateSelectionBuffer(shared_.buffer)) return false;
  SelectionBuffer& buf = shared_.buffer;
  buf.rect = rect;
  buf.scrollX = scrollX_;
  buf.scrollY = scrollY_;
  buf.clear();
  buf.copied.fill(false);
  buf.planeCount = 0;
  std::vector<int> members = onlyActive ? std::vector<int>{active_} : activeGroup();
  for (size_t k = 0; k < members.size() && k < static_cast<size_t>(kCopyPlanes); ++k) {
    buf.copied[k] = copyMember(members[k], static_cast<int>(k), rect);
    buf.planeCount = static_cast<int>(k) + 1;
  }
  const Background& a = activeBackground();
  if (static_cast<int64_t>(buf.width) * a.cellWidth == 0 ||
      static_cast<int64_t>(buf.height) * a.cellHeight == 0)
    buf.clear();
  buf.owner = active_;
  return !buf.empty();
}

bool MapEditor::pickPattern(int canvasX, int canvasY) {
  if (!isOpenSlot(active_) || !activeBackground().isMap()) return false;
  const Background& b = activeBackground();
  CellRect c = memberCells(b, {canvasX, canvasY, canvasX, canvasY}, scrollX_, scrollY_, false);
  if (c.left < 0 || c.top < 0 || c.left >= b.width || c.top >= b.height) return false;
  pattern_ = b.cell(c.left, c.top);
  shared_.buffer.clear();
  patternStatus();
  return true;
}

void MapEditor::selectRectangleOrPickPattern(const PixelRect& rect, bool onlyActive) {
  if (!isOpenSlot(active_)) return;
  const Background& b = activeBackground();
  if (b.isMap()) {
    CellRect c = memberCells(b, rect, scrollX_, scrollY_, false);
    bool single = c.left == c.right && c.top == c.bottom;
    if (single && (onlyActive || activeGroup().size() <= 1)) {
      pickPattern(rect.left, rect.top);
      return;
    }
  }
  copySelection(rect, onlyActive);
}

void MapEditor::patternStatus() {
  char text[64];
  std::snprintf(text, sizeof text, texts::kPattern.data(), static_cast<int>(pattern_), pattern_);
  status_.remove(text);
  status_.add(text);
}

void MapEditor::pasteMembers(const PixelRect& rect, bool onlyActive, int sx, int sy) {
  if (!isOpenSlot(active_)) return;
  SelectionBuffer& buf = shared_.buffer;
  bool empty = !buf.allocated() || buf.empty();
  SkippedValues skip = skippedValues();
  std::vector<int> members = onlyActive ? std::vector<int>{active_} : activeGroup();
  for (size_t k = 0; k < members.size(); ++k) {
    int plane = 0;
    if (!empty) {
      if (onlyActive) {
        plane = activePlane();
      } else {
        if (k >= static_cast<size_t>(buf.planeCount) || k >= static_cast<size_t>(kCopyPlanes))
          break;
        if (!buf.copied[k]) continue;
        plane = static_cast<int>(k);
      }
    }
    Background& b = background(members[k]);
    if (!b.isMap()) {
      if (!empty && plane < kCopyPlanes) {
        const ListPlane& lp = buf.lists[static_cast<size_t>(plane)];
        int gx = b.snapX > 0 ? b.snapX : 1, gy = b.snapY > 0 ? b.snapY : 1;
        int ox = ParallaxSteps(sx, b.parallaxX, activeBackground().parallaxX, gx) * gx;
        int oy = ParallaxSteps(sy, b.parallaxY, activeBackground().parallaxY, gy) * gy;
        int left = FloorDiv(std::min(rect.left, rect.right), gx) * gx + ox;
        int top = FloorDiv(std::min(rect.top, rect.bottom), gy) * gy + oy;
        for (int e = 0; e < lp.count; ++e) {
          size_t at = static_cast<size_t>(e) * static_cast<size_t>(lp.elementSize);
          if (at + static_cast<size_t>(lp.elementSize) > lp.storage.size()) break;
          std::span<const uint8_t> src(lp.storage.data() + at, static_cast<size_t>(lp.elementSize));
          // Positions wrap at 32 bits, as pasting objects does.
          int64_t x = formats::ReadObjectWord(src, formats::kObjectX) + int64_t{left};
          int64_t y = formats::ReadObjectWord(src, formats::kObjectY) + int64_t{top};
          if (b.elementCount >= b.maxElements) {
            host_.services().dialogs.message(texts::kListFull, texts::kCaptionError,
                                             platform::Icon::Warning);
            break;
          }
          std::span<uint8_t> dst = b.element(b.elementCount++);
          std::fill(dst.begin(), dst.end(), 0);
          std::copy_n(src.begin(), std::min(src.size(), dst.size()), dst.begin());
          formats::WriteObjectWord(dst, formats::kObjectX, static_cast<int32_t>(x));
          formats::WriteObjectWord(dst, formats::kObjectY, static_cast<int32_t>(y));
        }
      }
      continue;
    }
    CellRect c = memberCells(b, rect, sx, sy, true);
    if (c.empty()) continue;
    for (int y = c.top; y <= c.bottom; ++y)
      for (int x = c.left; x <= c.right; ++x) {
        if (empty) {
          b.cell(x, y) = pattern_;
          continue;
        }
        uint32_t v = buf.at(plane, (x - c.left) % buf.width, (y - c.top) % buf.height);
        if (!skip.skips(v)) b.cell(x, y) = v;
      }
  }
  pushUndoGroup();
}

void MapEditor::paint(const PixelRect& rect, bool onlyActive) {
  pasteMembers(rect, onlyActive, scrollX_, scrollY_);
}

bool MapEditor::paste() {
  if (!pasteEnabled() || !isOpenSlot(active_) || !activeBackground().isMap()) return false;
  const SelectionBuffer& buf = shared_.buffer;
  pasteMembers(buf.rect, false, buf.scrollX, buf.scrollY);
  return true;
}

uint32_t MapEditor::formatValueMask() const {
  if (!isOpenSlot(active_)) return 0xFFFFFFFFu;
  switch (activeBackground().mapFormat) {
    case 0:
      return 0xFFu;
    case 1:
      return 0xFFFFu;
    default:
      return 0xFFFFFFFFu;
  }
}

void MapEditor::stepPattern(int steps) {
  if (steps == 0) return;
  SelectionBuffer& buf = shared_.buffer;
  int count = steps < 0 ? -steps : steps;
  if (!buf.empty()) {
    buf.clear();
    --count;
  }
  uint32_t mask = formatValueMask();
  bool wraps = hexMode();
  for (int i = 0; i < count; ++i) {
    if (steps > 0) {
      if (pattern_ > 0)
        --pattern_;
      else if (wraps)
        pattern_ = mask;
    } else {
      if (pattern_ < mask)
        ++pattern_;
      else if (wraps)
        pattern_ = 0;
    }
  }
  if (pattern_ > mask) pattern_ = mask;
  patternStatus();
}

// --- Selection operations and block copy ---------------------------------------

bool MapEditor::runOperations(std::string_view operations, std::string_view condition,
                              bool onlyActive) {
  std::vector<int> planes;
  if (onlyActive) {
    planes.push_back(activePlane());
  } else {
    for (int p = 0; p < shared_.buffer.planeCount && p < kCopyPlanes; ++p) planes.push_back(p);
  }
  OperationError error =
      RunSelectionOperations(shared_.buffer, planes, operations, condition, skippedValues());
  if (error != OperationError::None) {
    ReportOperationError(host_.services().dialogs, error);
    return false;
  }
  return true;
}

void MapEditor::pasteAt(int x, int y, int width, int height, bool onlyActive) {
  if (!isOpenSlot(active_)) return;
  const Background& a = activeBackground();
  SelectionBuffer& buf = shared_.buffer;
  bool empty = !buf.allocated() || buf.empty();
  SkippedValues skip = skippedValues();
  std::vector<int> members = onlyActive ? std::vector<int>{active_} : activeGroup();
  if (x >= 0 && y >= 0) {
    for (size_t k = 0; k < members.size(); ++k) {
      int plane = 0;
      if (!empty) {
        if (onlyActive) {
          plane = activePlane();
        } else {
          if (k >= static_cast<size_t>(buf.planeCount) || k >= static_cast<size_t>(kCopyPlanes))
            break;
          plane = static_cast<int>(k);
        }
      }
      Background& b = background(members[k]);
      if (!b.isMap()) continue;
      int w = std::min({width, a.width - x, b.width - x});
      int h = std::min({height, a.height - y, b.height - y});
      for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
          uint32_t v = empty ? pattern_ : buf.at(plane, i % buf.width, j % buf.height);
          if (!skip.skips(v)) b.cell(x + i, y + j) = v;
        }
    }
  }
  pushUndoGroup();
}

bool MapEditor::blockCopy(const BlockCopyFields& f) {
  if (!isOpenSlot(active_)) return true;
  FieldPair source = ParsePair(f.sourceX, f.sourceY, false);
  FieldPair size = ParsePair(f.width, f.height, true);
  FieldPair dest = ParsePair(f.destinationX, f.destinationY, false);
  const Background& a = activeBackground();
  if (source.given && size.given) {
    size.x = std::max(0, std::min(size.x, a.width - source.x));
    size.y = std::max(0, std::min(size.y, a.height - source.y));
  }
  std::vector<int> members = f.onlyActive ? std::vector<int>{active_} : activeGroup();

  if (source.given && size.given && dest.given) {
    // Each member is read whole into a block first, so that a destination
    // overlapping the source gets the block as it was.
    std::vector<uint32_t> block;
    for (int m : members) {
      Background& b = background(m);
      if (!b.isMap()) continue;
      if (source.x < 0 || source.y < 0 || dest.x < 0 || dest.y < 0) continue;
      int w = std::min({size.x, b.width - source.x, b.width - dest.x});
      int h = std::min({size.y, b.height - source.y, b.height - dest.y});
      if (w <= 0 || h <= 0) continue;
      try {
        block.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0u);
      } catch (const std::bad_alloc&) {
        host_.services().dialogs.message(texts::kNoMemoryForMove, texts::kCaptionOops,
                                         platform::Icon::Error);
        return false;
      }
      for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
          block[static_cast<size_t>(j) * static_cast<size_t>(w) + static_cast<size_t>(i)] =
              b.cell(source.x + i, source.y + j);
          b.cell(source.x + i, source.y + j) = 0;
        }
      for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
          b.cell(dest.x + i, dest.y + j) =
              block[static_cast<size_t>(j) * static_cast<size_t>(w) + static_cast<size_t>(i)];
    }
    pushUndoGroup();
    return true;
  }

  if (source.given && size.given) {
    if (size.x > kBufferSide || size.y > kBufferSide) {
      host_.services().dialogs.message(texts::kCopyTooLarge, texts::kCopyTooLargeCaption,
                                       platform::Icon::Error);
      return false;
    }
    if (!AllocateSelectionBuffer(shared_.buffer)) return true;
    SelectionBuffer& buf = shared_.buffer;
    buf.rect = {source.x * a.cellWidth, source.y * a.cellHeight,
                (source.x + size.x) * a.cellWidth - 1, (source.y + size.y) * a.cellHeight - 1};
    buf.scrollX = buf.scrollY = 0;
    buf.clear();
    buf.copied.fill(false);
    buf.planeCount = 0;
    for (size_t k = 0; k < members.size() && k < static_cast<size_t>(kCopyPlanes); ++k) {
      int plane = static_cast<int>(k);
      const Background& b = background(members[k]);
      if (!b.isMap()) continue;
      for (int j = 0; j < size.y; ++j)
        for (int i = 0; i < size.x; ++i) {
          int x = source.x + i, y = source.y + j;
          bool inside = x >= 0 && y >= 0 && x < b.width && y < b.height;
          buf.at(plane, i, j) = inside ? b.cell(x, y) : 0u;
        }
      buf.copied[static_cast<size_t>(plane)] = true;
      buf.planeCount = plane + 1;
    }
    if (source.x >= 0 && source.y >= 0 && size.x > 0 && size.y > 0) {
      buf.width = size.x;
      buf.height = size.y;
    }
    buf.owner = active_;
    return true;
  }

  if (source.given) {
    const SelectionBuffer& buf = shared_.buffer;
    pasteAt(source.x, source.y, buf.width, buf.height, f.onlyActive);
    return true;
  }
  if (dest.given) {
    const SelectionBuffer& buf = shared_.buffer;
    int w = size.given ? size.x : buf.width;
    int h = size.given ? size.y : buf.height;
    pasteAt(dest.x, dest.y, w, h, f.onlyActive);
    return true;
  }
  host_.services().dialogs.message(texts::kNotEnoughInformation, texts::kCaptionError,
                                   platform::Icon::Warning);
  return false;
}

// --- Hex mode, bits and the pattern ---------------------------------------------

bool MapEditor::hexMode() const { return host_.settings().hexMode != 0; }

void MapEditor::setHexMode(bool on) {
  host_.settings().hexMode = on ? 1 : 0;
  followHexMode();
  clampScroll();
}

void MapEditor::setPatternFromHex(std::string_view text) {
  uint32_t v = 0;
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) i += 2;
  for (; i < text.size(); ++i) {
    char c = text[i];
    int d = (c >= '0' && c <= '9')   ? c - '0'
            : (c >= 'a' && c <= 'f') ? c - 'a' + 10
            : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                     : -1;
    if (d < 0) break;
    v = v * 16u + static_cast<uint32_t>(d);
  }
  pattern_ = v & formatValueMask();
}

void MapEditor::pickPanelTile(uint32_t p) {
  if (!isOpenSlot(active_)) return;
  shared_.buffer.clear();
  pattern_ = ValueForPanelTile(activeBackground().ranges, p);
  patternStatus();
}

void MapEditor::toggleBit(int bit, bool set) {
  if (bit < 0 || bit >= kCellBits) return;
  uint32_t mask = 1u << bit;
  SelectionBuffer& buf = shared_.buffer;
  if (buf.allocated() && !buf.empty()) {
    int plane = activePlane();
    uint32_t invisible = static_cast<uint32_t>(host_.settings().invisibleBlock);
    bool zeroMask = host_.settings().bitsZeroMask != 0;
    for (int y = 0; y < buf.height; ++y)
      for (int x = 0; x < buf.width; ++x) {
        uint32_t& v = buf.at(plane, x, y);
        if (v == invisible || (zeroMask && v == 0)) continue;
        v = set ? (v | mask) : (v & ~mask);
      }
    return;
  }
  pattern_ = set ? (pattern_ | mask) : (pattern_ & ~mask);
  patternStatus();
}

}  // namespace mapeditor
