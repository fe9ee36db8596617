#include "tools/tilecvt/compression.h"

#include "tools/tilecvt/aplib.h"
#include "tools/tilecvt/lz77.h"

namespace tilecvt {

std::vector<uint8_t> CompressBlock(std::span<const uint8_t> block, Compressor compressor,
                                   Lz77Options lz77) {
  std::vector<uint8_t> packed;
  switch (compressor) {
    case Compressor::Lz77:
      packed = CompressLz77(block, lz77);
      break;
    case Compressor::Aplib:
      packed = CompressAplib(block, false);
      break;
    case Compressor::AplibSafe:
      packed = CompressAplib(block, true);
      break;
  }
  if (packed.size() >= block.size()) packed.clear();
  return packed;
}

}  // namespace tilecvt
