#include "mapeditor/background.h"

#include <cstring>

namespace mapeditor {

namespace {

constexpr size_t kListHeaderBytes = 12;
// The shape trailer of a map snapshot: eleven words, the last a marker.
constexpr size_t kShapeWords = 11;
constexpr size_t kShapeBytes = kShapeWords * 4;
constexpr int32_t kShapeMarker = 0x50414853;  // "SHAP"

void PutWord(uint8_t* p, int32_t v) { std::memcpy(p, &v, 4); }
int32_t GetWord(const uint8_t* p) {
  int32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

}  // namespace

std::vector<uint8_t> BackgroundSnapshot(const Background& b) {
  std::vector<uint8_t> out;
  if (b.isMap()) {
    out.resize(b.cells.size() * 4);
    if (!b.cells.empty()) std::memcpy(out.data(), b.cells.data(), out.size());
    return out;
  }
  out.resize(kListHeaderBytes + b.elements.size());
  PutWord(out.data(), b.elementSize);
  PutWord(out.data() + 4, 0);
  PutWord(out.data() + 8, b.elementCount);
  if (!b.elements.empty())
    std::memcpy(out.data() + kListHeaderBytes, b.elements.data(), b.elements.size());
  return out;
}

std::vector<uint8_t> ShapedSnapshot(const Background& b) {
  std::vector<uint8_t> out = BackgroundSnapshot(b);
  if (!b.isMap()) return out;
  const int32_t words[kShapeWords] = {b.width,       b.height,        b.tileWidth, b.tileHeight,
                                      b.tileCount,   b.referenceTile, b.snapX,     b.snapY,
                                      b.scrollStepX, b.scrollStepY,   kShapeMarker};
  size_t at = out.size();
  out.resize(at + kShapeBytes);
  for (size_t k = 0; k < kShapeWords; ++k) PutWord(out.data() + at + k * 4, words[k]);
  return out;
}

namespace {

bool RestoreShaped(Background& b, std::span<const uint8_t> snapshot) {
  if (snapshot.size() < kShapeBytes) return false;
  const uint8_t* t = snapshot.data() + snapshot.size() - kShapeBytes;
  int32_t w[kShapeWords];
  for (size_t k = 0; k < kShapeWords; ++k) w[k] = GetWord(t + k * 4);
  if (w[10] != kShapeMarker || w[0] < 0 || w[1] < 0) return false;
  size_t cellBytes = snapshot.size() - kShapeBytes;
  if (static_cast<uint64_t>(w[0]) * static_cast<uint64_t>(w[1]) * 4 != cellBytes) return false;
  if (!EditableTileSide(w[2]) || !EditableTileSide(w[3]) || w[4] < 0) return false;
  b.cells.assign(cellBytes / 4, 0u);
  if (cellBytes != 0) std::memcpy(b.cells.data(), snapshot.data(), cellBytes);
  b.width = w[0];
  b.height = w[1];
  b.tileWidth = w[2];
  b.tileHeight = w[3];
  b.tileCount = w[4];
  b.referenceTile = w[5];
  b.snapX = w[6];
  b.snapY = w[7];
  b.scrollStepX = w[8];
  b.scrollStepY = w[9];
  return true;
}

}  // namespace

bool RestoreSnapshot(Background& b, std::span<const uint8_t> snapshot) {
  if (b.isMap()) {
    if (RestoreShaped(b, snapshot)) return true;
    if (snapshot.size() != b.cells.size() * 4) return false;
    if (!snapshot.empty()) std::memcpy(b.cells.data(), snapshot.data(), snapshot.size());
    return true;
  }
  if (snapshot.size() < kListHeaderBytes) return false;
  int32_t size = GetWord(snapshot.data());
  int32_t count = GetWord(snapshot.data() + 8);
  size_t storage = snapshot.size() - kListHeaderBytes;
  if (size <= 0 || count < 0 ||
      static_cast<uint64_t>(count) * static_cast<uint64_t>(size) > storage)
    return false;
  // The list keeps its own storage; only its contents come back.
  b.elements.assign(snapshot.begin() + kListHeaderBytes, snapshot.end());
  b.elementSize = size;
  b.elementCount = count;
  return true;
}

}  // namespace mapeditor
