// The property pages of a background and the block format of the active map.
#include <algorithm>
#include <cstddef>
#include <new>

#include "mapeditor/block_format.h"
#include "mapeditor/editor_texts.h"
#include "mapeditor/map_editor.h"
#include "platform/value_syntax.h"
#include "mapeditor/editor_host.h"
#include "project/project.h"

namespace mapeditor {

namespace {

int ParseDecimal(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = i < text.size() && text[i] == '-';
  if (negative) ++i;
  int64_t v = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    if (v < 1000000000) v = v * 10 + (text[i] - '0');
  if (v > 1000000000) v = 1000000000;
  return static_cast<int>(negative ? -v : v);
}

// Non-zero cells outside the top-left newWidth × newHeight part.
int64_t DroppedCells(const Background& b, int newWidth, int newHeight) {
  int64_t n = 0;
  for (int y = 0; y < b.height; ++y)
    for (int x = 0; x < b.width; ++x)
      if ((x >= newWidth || y >= newHeight) && b.cell(x, y) != 0) ++n;
  return n;
}

}  // namespace

bool MapEditor::applyParallaxPercent(int i, double percentX, double percentY) {
  if (!isOpenSlot(i)) return true;
  double x = percentX / 100.0, y = percentY / 100.0;
  auto confirm = [this](double v) {
    if (!(v > 1.0)) return true;
    return host_.services().dialogs.question(texts::kParallaxQuestion, texts::kCaptionError,
                                             platform::Buttons::YesNo, platform::Answer::Yes,
                                             platform::Icon::Information) == platform::Answer::Yes;
  };
  if (!confirm(x) || !confirm(y)) return false;
  Background& b = background(i);
  // A speed above 100 % is expressed by slowing every other background down
  // instead.
  if (x > 1.0) {
    for (int k = 0; k < count_; ++k)
      if (isOpenSlot(k)) background(k).parallaxX /= x;
    b.parallaxX = 1.0;
  } else if (x > 0) {
    b.parallaxX = x;
  }
  if (y > 1.0) {
    for (int k = 0; k < count_; ++k)
      if (isOpenSlot(k)) background(k).parallaxY /= y;
    b.parallaxY = 1.0;
  } else if (y > 0) {
    b.parallaxY = y;
  }
  return true;
}

bool MapEditor::applySizeAndReference(int i, std::string_view widthText,
                                      std::string_view heightText, std::string_view referenceText,
                                      std::string_view maskText) {
  if (!isOpenSlot(i)) return true;
  Background& b = background(i);
  int newWidth = ParseDecimal(widthText);
  int newHeight = ParseDecimal(heightText);
  int32_t reference = platform::ParseInteger(referenceText);
  uint32_t mask = static_cast<uint32_t>(platform::ParseInteger(maskText));
  bool keepOpen = false;
  if (mask != 0) b.displayMask = mask;
  if (reference != b.referenceTile) {
    if (reference >= b.tileCount) {
      host_.services().dialogs.message(texts::kReferenceTooLarge, texts::kCaptionError,
                                       platform::Icon::Error);
      keepOpen = true;
    } else {
      b.referenceTile = reference;
      pattern_ = 0;
      slot(i).history.setHistoryLost();
    }
  }
  if ((newWidth != b.width || newHeight != b.height) && newWidth >= 1 && newHeight >= 1 &&
      b.isMap()) {
    std::vector<uint32_t> cells;
    bool allocated =
        static_cast<uint64_t>(newWidth) * static_cast<uint64_t>(newHeight) <= kMaxCells;
    if (allocated) {
      try {
        cells.assign(static_cast<size_t>(newWidth) * static_cast<size_t>(newHeight), 0u);
      } catch (const std::bad_alloc&) {
        allocated = false;
      }
    }
    if (!allocated) {
      host_.services().dialogs.message(texts::kMapTooLarge, texts::kCaptionArgh,
                                       platform::Icon::Error);
      return false;
    }
    int64_t dropped = DroppedCells(b, newWidth, newHeight);
    if (dropped > 0 && host_.services().dialogs.question(
                           texts::WithNumber(texts::kShrinkQuestion, dropped),
                           texts::kCaptionQuestion, platform::Buttons::YesNo, platform::Answer::No,
                           platform::Icon::Warning) != platform::Answer::Yes)
      return false;
    bool undoable = prepareShapeChange(i);
    int w = std::min(newWidth, b.width), h = std::min(newHeight, b.height);
    for (int y = 0; y < h; ++y)
      std::copy_n(&b.cell(0, y), w, &cells[static_cast<size_t>(y) * static_cast<size_t>(newWidth)]);
    b.cells = std::move(cells);
    b.width = newWidth;
    b.height = newHeight;
    finishShapeChange(i, undoable);
    clampScroll();
  }
  return !keepOpen;
}

bool MapEditor::prepareShapeChange(int i) {
  BackgroundSlot& s = slot(i);
  return s.history.replaceCurrent(ShapedSnapshot(s.background), budget_);
}

void MapEditor::finishShapeChange(int i, bool undoable) {
  // Without the shaped state before the change, undo could not cross it: the
  // history starts again from here.
  if (!undoable) {
    resetHistoryGroup(i, false);
    return;
  }
  for (int m : groupOf(i)) {
    if (m == i) {
      BackgroundSlot& s = slot(i);
      if (!s.history.push(ShapedSnapshot(s.background), budget_)) resetHistoryGroup(i, false);
    } else {
      pushUndo(m);
    }
  }
}

bool MapEditor::chooseBlockFormat(int width, int height) {
  platform::UserDialogs& d = host_.services().dialogs;
  if (width % 8 != 0 || height % 8 != 0) {
    d.message(texts::kBlocksNotMultipleOf8, texts::kCaptionOops, platform::Icon::Error);
    return false;
  }
  if (width < 8 || width > 64 || height < 8 || height > 64) {
    d.message(texts::kBlocksOutOfRange, texts::kCaptionOops, platform::Icon::Error);
    return false;
  }
  if (!EditableTileSide(width) || !EditableTileSide(height)) {
    if (d.question(texts::kBlocksNotEditable, texts::kCaptionOops, platform::Buttons::YesNo,
                   platform::Answer::No, platform::Icon::Warning) != platform::Answer::Yes)
      return false;
  }
  if (open_ && isOpenSlot(active_)) {
    const Background& a = activeBackground();
    if (width > a.tileWidth || height > a.tileHeight) {
      if (d.question(texts::kBlocksGrow, texts::kCaptionOops, platform::Buttons::YesNo,
                     platform::Answer::No, platform::Icon::Warning) != platform::Answer::Yes)
        return false;
    }
  }
  host_.setTileSize(width, height);
  return true;
}

bool MapEditor::convertActiveBlockFormat(int width, int height) {
  if (!isOpenSlot(active_) || !activeBackground().isMap()) return false;
  if (width % 8 != 0 || height % 8 != 0 || width < 8 || height < 8 || width > 64 || height > 64)
    return false;
  Background& b = activeBackground();
  if (width == b.tileWidth && height == b.tileHeight) return true;
  BlockFormatResult r = ConvertBlockFormat(b.cells, b.width, b.height, b.referenceTile, b.tileCount,
                                           b.tileWidth, b.tileHeight, width, height);
  int64_t lost = CountBlockFormatLosses(b.cells, b.referenceTile, b.tileCount);
  if (lost > 0 && host_.services().dialogs.question(
                      texts::WithNumber(texts::kBlockFormatLossQuestion, lost),
                      texts::kCaptionQuestion, platform::Buttons::YesNo, platform::Answer::No,
                      platform::Icon::Warning) != platform::Answer::Yes)
    return false;
  if (r.status == BlockFormatResult::NoMemoryForUnits) {
    host_.services().dialogs.message(texts::kNoMemoryForUnits, texts::kCaptionError,
                                     platform::Icon::Error);
    return false;
  }
  if (r.status == BlockFormatResult::NoMemoryForCells) {
    host_.services().dialogs.message(texts::kNoMemoryForCells, texts::kCaptionOops,
                                     platform::Icon::Error);
    return false;
  }
  bool undoable = prepareShapeChange(active_);
  b.cells = std::move(r.cells);
  b.width = r.width;
  b.height = r.height;
  b.tileCount = r.tileCount;
  b.tileWidth = width;
  b.tileHeight = height;
  // The new cells hold whole tile numbers, the reference tile included.
  b.referenceTile = 0;
  b.snapX = b.scrollStepX = width;
  b.snapY = b.scrollStepY = height;
  followHexMode();
  finishShapeChange(active_, undoable);
  clampScroll();
  return true;
}

}  // namespace mapeditor
