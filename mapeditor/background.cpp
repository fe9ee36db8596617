#include "mapeditor/background.h"

#include <cstring>

namespace mapeditor {

namespace {

constexpr size_t kListHeaderBytes = 12;

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

bool RestoreSnapshot(Background& b, std::span<const uint8_t> snapshot) {
  if (b.isMap()) {
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
