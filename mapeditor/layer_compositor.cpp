#include "mapeditor/layer_compositor.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <optional>
#include <vector>

#include "convert/colour_mode.h"
#include "convert/map_format.h"
#include "mapeditor/background.h"
#include "mapeditor/band_workers.h"
#include "mapeditor/cell_tile.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TESSEL_LAYER_AVX2 1
#endif

namespace mapeditor {

namespace {

constexpr int kSide = 8;
constexpr int kHalf = 32;  // pixels of half a block: four rows

enum BlockFlags : uint8_t { kDraw = 1, kMirrorX = 2, kMirrorY = 4 };
constexpr int kMirrorXShift = 1;
constexpr int kMirrorYShift = 2;

// Which block of a layer covers one 8 × 8 square of the canvas.
struct BlockRef {
  uint32_t block = 0;   // index of the 8 × 8 block in the tileset
  uint8_t palette = 0;  // sub-palette
  uint8_t flags = 0;
};

enum class Source : uint8_t {
  Sixteen,  // sixteen-colour windows of the palette: table lookups in registers
  Palette,  // any other palette window
  Direct,   // the pixels are colours
};

// What stays the same over a whole frame for one layer.
struct LayerInfo {
  Source source = Source::Direct;
  const uint8_t* indices = nullptr;   // block indices (palette modes)
  const uint32_t* pixels = nullptr;   // tile pixels (direct modes)
  const uint32_t* colours = nullptr;  // 256 display colours
  int paletteSize = 0;                // colours per sub-palette (0: one palette)
  int opacity = 256;
  bool keyed = false;
  // Sixteen: for each sub-palette the blue, green and red bytes of its 16
  // colours, 48 bytes, broadcast to every 128-bit lane when loaded. Kept
  // small on purpose: the tables of twenty layers must stay in the first
  // level cache.
  std::vector<uint8_t> tables;
};

uint8_t Channel(uint32_t colour, int c) { return static_cast<uint8_t>(colour >> (8 * c)); }

// Sixteen-colour windows keep two indices per byte, the left pixel in the low
// nibble, as the console stores 4-bit tiles: twenty tilesets of a thousand
// tiles then stay within the second level cache.
bool PacksNibbles(const convert::ColourMode& mode) {
  return mode.paletteKind == convert::PaletteKind::SubPalettes && mode.coloursPerSubPalette == 16;
}

constexpr size_t kPackedBlockBytes = 32;

// The palette entry of an index, as the tile drawer finds it.
uint32_t PaletteColour(const LayerInfo& l, uint8_t palette, uint8_t index) {
  uint32_t start =
      l.paletteSize > 0 ? static_cast<uint32_t>(palette) * static_cast<uint32_t>(l.paletteSize) : 0;
  return l.colours[(start + index) & 255u];
}

// The 32 source pixels of half a block (destination rows 4h .. 4h + 3) as
// blue, green and red bytes and a "leave the canvas" flag, mirrors applied.
void SourceHalf(const LayerInfo& l, const BlockRef& r, int h, uint8_t (&ch)[3][kHalf],
                uint8_t (&keep)[kHalf]) {
  const bool mx = r.flags & kMirrorX, my = r.flags & kMirrorY;
  for (int t = 0; t < 4; ++t) {
    int row = my ? kSide - 1 - (4 * h + t) : 4 * h + t;
    for (int x = 0; x < kSide; ++x) {
      int col = mx ? kSide - 1 - x : x;
      size_t at = static_cast<size_t>(r.block) * 64 + static_cast<size_t>(row * kSide + col);
      int p = t * kSide + x;
      uint32_t colour;
      bool transparent;
      if (l.source == Source::Direct) {
        colour = l.pixels[at];
        transparent = colour < 0x1000000u;
      } else {
        uint8_t index = l.indices[at];
        colour = PaletteColour(l, r.palette, index);
        transparent = index == 0;
      }
      keep[p] = (l.keyed && transparent) ? 0xFF : 0;
      for (int c = 0; c < 3; ++c) ch[c][p] = Channel(colour, c);
    }
  }
}

// --- Portable composition --------------------------------------------------------
// Sixteen pixels per vector with the compiler's vector types (SSE2, NEON, or
// plain code where there is neither); colours are looked up one by one.

typedef uint16_t U16x16 __attribute__((vector_size(32)));
typedef uint32_t U32x16 __attribute__((vector_size(64)));

// Where destination pixel p of a square comes from in its block, for each
// combination of the mirror flags (bit 0: horizontal, bit 1: vertical).
struct SourceOrders {
  uint8_t at[4][64];
  constexpr SourceOrders() : at() {
    for (int m = 0; m < 4; ++m)
      for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
          int sx = (m & 1) ? kSide - 1 - x : x, sy = (m & 2) ? kSide - 1 - y : y;
          at[m][y * kSide + x] = static_cast<uint8_t>(sy * kSide + sx);
        }
  }
};
constexpr SourceOrders kSourceOrders;

void GatherSquare(const LayerInfo& l, const BlockRef& r, uint32_t (&colour)[64],
                  uint16_t (&keep)[64]) {
  const uint8_t* order = kSourceOrders.at[(r.flags >> kMirrorXShift) & 3];
  const uint16_t keyed = l.keyed ? 0xFFFF : 0;
  if (l.source == Source::Direct) {
    const uint32_t* px = l.pixels + static_cast<size_t>(r.block) * 64;
    for (int p = 0; p < 64; ++p) {
      uint32_t c = px[order[p]];
      colour[p] = c;
      keep[p] = c < 0x1000000u ? keyed : 0;
    }
    return;
  }
  const uint32_t start =
      l.paletteSize > 0 ? static_cast<uint32_t>(r.palette) * static_cast<uint32_t>(l.paletteSize)
                        : 0;
  if (l.source == Source::Sixteen) {
    const uint8_t* packed = l.indices + static_cast<size_t>(r.block) * kPackedBlockBytes;
    for (int p = 0; p < 64; ++p) {
      uint32_t at = order[p];
      uint32_t i = (packed[at >> 1] >> ((at & 1) * 4)) & 15u;
      colour[p] = l.colours[(start + i) & 255u];
      keep[p] = i == 0 ? keyed : 0;
    }
    return;
  }
  const uint8_t* idx = l.indices + static_cast<size_t>(r.block) * 64;
  for (int p = 0; p < 64; ++p) {
    uint32_t i = idx[order[p]];
    colour[p] = l.colours[(start + i) & 255u];
    keep[p] = i == 0 ? keyed : 0;
  }
}

// One 8 × 8 square: `top` is its top-left pixel, `rowStep` the distance in
// words from one row to the next below it.
void ComposeSquarePortable(uint32_t* top, ptrdiff_t rowStep, const LayerInfo* layers,
                           const BlockRef* refs, size_t layerCount) {
  // Four vectors of 16 pixels (two rows each) per channel.
  U16x16 acc[3][4];
  for (int q = 0; q < 4; ++q) {
    uint32_t rows[16];
    std::memcpy(rows, top + (2 * q) * rowStep, 32);
    std::memcpy(rows + 8, top + (2 * q + 1) * rowStep, 32);
    U32x16 v;
    std::memcpy(&v, rows, sizeof v);
    for (int c = 0; c < 3; ++c) acc[c][q] = __builtin_convertvector((v >> (8 * c)) & 255u, U16x16);
  }
  for (size_t i = 0; i < layerCount; ++i) {
    const BlockRef& r = refs[i];
    if (!(r.flags & kDraw)) continue;
    const LayerInfo& l = layers[i];
    uint32_t colour[64];
    uint16_t keep[64];
    GatherSquare(l, r, colour, keep);
    const uint16_t a = static_cast<uint16_t>(l.opacity);
    const uint16_t rest = static_cast<uint16_t>(256 - l.opacity);
    for (int q = 0; q < 4; ++q) {
      U32x16 v;
      std::memcpy(&v, colour + 16 * q, sizeof v);
      U16x16 k;
      std::memcpy(&k, keep + 16 * q, sizeof k);
      for (int c = 0; c < 3; ++c) {
        U16x16 src = __builtin_convertvector((v >> (8 * c)) & 255u, U16x16);
        U16x16 d = acc[c][q];
        U16x16 mixed = l.opacity >= 256 ? src : static_cast<U16x16>((src * a + d * rest) >> 8);
        acc[c][q] = (mixed & ~k) | (d & k);
      }
    }
  }
  for (int q = 0; q < 4; ++q) {
    U32x16 px = __builtin_convertvector(acc[0][q], U32x16) |
                (__builtin_convertvector(acc[1][q], U32x16) << 8) |
                (__builtin_convertvector(acc[2][q], U32x16) << 16) | 0xFF000000u;
    uint32_t rows[16];
    std::memcpy(rows, &px, sizeof rows);
    std::memcpy(top + (2 * q) * rowStep, rows, 32);
    std::memcpy(top + (2 * q + 1) * rowStep, rows + 8, 32);
  }
}

#ifdef TESSEL_LAYER_AVX2
// --- AVX2 composition ------------------------------------------------------------
// The canvas square is kept as one byte per channel and pixel. With an even
// opacity a, (src × a + acc × (256 − a)) >> 8 equals
// (src × a/2 + acc × (128 − a/2)) >> 7, which one multiply-add of byte pairs
// gives exactly; odd opacities go through 16-bit lanes.
#define TESSEL_AVX2 __attribute__((target("avx2")))

TESSEL_AVX2 inline __m256i Load32(const void* p) {
  return _mm256_loadu_si256(static_cast<const __m256i*>(p));
}

// Four rows of 8 pixels (rows `rowStep` words apart) as 32 bytes per channel,
// row by row.
TESSEL_AVX2 inline void LoadHalf(const uint32_t* top, ptrdiff_t rowStep, __m256i (&acc)[3]) {
  const __m256i byteMask = _mm256_set1_epi32(0xFF);
  const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
  __m256i rows[4];
  for (int r = 0; r < 4; ++r) rows[r] = Load32(top + r * rowStep);
  for (int c = 0; c < 3; ++c) {
    __m256i ch[4];
    for (int r = 0; r < 4; ++r)
      ch[r] = _mm256_and_si256(_mm256_srli_epi32(rows[r], 8 * c), byteMask);
    __m256i bytes =
        _mm256_packus_epi16(_mm256_packus_epi32(ch[0], ch[1]), _mm256_packus_epi32(ch[2], ch[3]));
    acc[c] = _mm256_permutevar8x32_epi32(bytes, order);
  }
}

TESSEL_AVX2 inline void StoreHalf(uint32_t* top, ptrdiff_t rowStep, const __m256i (&acc)[3]) {
  const __m256i opaque = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
  for (int r = 0; r < 4; ++r) {
    __m256i px = opaque;
    for (int c = 0; c < 3; ++c) {
      __m128i lane = (r < 2) ? _mm256_castsi256_si128(acc[c]) : _mm256_extracti128_si256(acc[c], 1);
      if (r & 1) lane = _mm_srli_si128(lane, 8);
      px = _mm256_or_si256(px, _mm256_slli_epi32(_mm256_cvtepu8_epi32(lane), 8 * c));
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(top + r * rowStep), px);
  }
}

// The 32 indices of half a block, mirrors applied, in destination order.
// The mirrors are applied as permutations chosen from tables rather than by
// branching on random flags.
alignas(32) constexpr int32_t kRowOrders[2][8] = {{0, 1, 2, 3, 4, 5, 6, 7},
                                                  {6, 7, 4, 5, 2, 3, 0, 1}};
alignas(32) constexpr int8_t kPixelOrders[2][32] = {
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15,
     0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
    {7, 6, 5, 4, 3, 2, 1, 0, 15, 14, 13, 12, 11, 10, 9, 8,
     7, 6, 5, 4, 3, 2, 1, 0, 15, 14, 13, 12, 11, 10, 9, 8}};

TESSEL_AVX2 inline __m256i HalfIndices(const uint8_t* packed, int h, uint8_t flags) {
  const int my = (flags >> kMirrorYShift) & 1, mx = (flags >> kMirrorXShift) & 1;
  // 16 bytes hold 32 indices, low nibble first.
  const __m128i nibble = _mm_set1_epi8(0x0F);
  __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(packed + 16 * (h ^ my)));
  __m128i lo = _mm_and_si128(v, nibble);
  __m128i hi = _mm_and_si128(_mm_srli_epi16(v, 4), nibble);
  __m256i idx = _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_unpacklo_epi8(lo, hi)),
                                        _mm_unpackhi_epi8(lo, hi), 1);
  idx = _mm256_permutevar8x32_epi32(idx, Load32(kRowOrders[my]));
  return _mm256_shuffle_epi8(idx, Load32(kPixelOrders[mx]));
}

// acc + ((src − acc) × a) >> 8 in 16-bit lanes: (src − acc) << 7 times 2a
// keeps the product's high half exact.
TESSEL_AVX2 inline __m256i Mix16(__m256i acc, __m256i src, __m256i twiceOpacity) {
  __m256i diff = _mm256_slli_epi16(_mm256_sub_epi16(src, acc), 7);
  return _mm256_add_epi16(acc, _mm256_mulhi_epi16(diff, twiceOpacity));
}

// The blend of one channel's 32 bytes; `keep` marks the bytes left alone.
TESSEL_AVX2 inline __m256i Blend(__m256i acc, __m256i src, __m256i keep, const LayerInfo& l) {
  __m256i mixed = src;
  if (l.opacity < 256) {
    if ((l.opacity & 1) == 0) {
      const int half = l.opacity / 2;
      const __m256i weights = _mm256_set1_epi16(static_cast<short>(((128 - half) << 8) | half));
      __m256i lo =
          _mm256_srli_epi16(_mm256_maddubs_epi16(_mm256_unpacklo_epi8(src, acc), weights), 7);
      __m256i hi =
          _mm256_srli_epi16(_mm256_maddubs_epi16(_mm256_unpackhi_epi8(src, acc), weights), 7);
      mixed = _mm256_packus_epi16(lo, hi);
    } else {
      const __m256i zero = _mm256_setzero_si256();
      const __m256i twice = _mm256_set1_epi16(static_cast<short>(2 * l.opacity));
      __m256i lo = Mix16(_mm256_unpacklo_epi8(acc, zero), _mm256_unpacklo_epi8(src, zero), twice);
      __m256i hi = Mix16(_mm256_unpackhi_epi8(acc, zero), _mm256_unpackhi_epi8(src, zero), twice);
      mixed = _mm256_packus_epi16(lo, hi);
    }
  }
  return l.keyed ? _mm256_blendv_epi8(mixed, acc, keep) : mixed;
}

TESSEL_AVX2 void ComposeSquareAvx2(uint32_t* top, ptrdiff_t rowStep, const LayerInfo* layers,
                                   const BlockRef* refs, size_t layerCount) {
  for (int h = 0; h < 2; ++h) {
    __m256i acc[3];
    LoadHalf(top + 4 * h * rowStep, rowStep, acc);
    for (size_t i = 0; i < layerCount; ++i) {
      const BlockRef& r = refs[i];
      if (!(r.flags & kDraw)) continue;
      const LayerInfo& l = layers[i];
      __m256i src[3], keep;
      if (l.source == Source::Sixteen) {
        __m256i idx =
            HalfIndices(l.indices + static_cast<size_t>(r.block) * kPackedBlockBytes, h, r.flags);
        const uint8_t* t = l.tables.data() + static_cast<size_t>(r.palette & 15) * 48;
        for (int c = 0; c < 3; ++c)
          src[c] = _mm256_shuffle_epi8(_mm256_broadcastsi128_si256(_mm_loadu_si128(
                                           reinterpret_cast<const __m128i*>(t + 16 * c))),
                                       idx);
        keep = _mm256_cmpeq_epi8(idx, _mm256_setzero_si256());
      } else {
        alignas(32) uint8_t ch[3][kHalf];
        alignas(32) uint8_t k[kHalf];
        SourceHalf(l, r, h, ch, k);
        for (int c = 0; c < 3; ++c) src[c] = Load32(ch[c]);
        keep = Load32(k);
      }
      for (int c = 0; c < 3; ++c) acc[c] = Blend(acc[c], src[c], keep, l);
    }
    StoreHalf(top + 4 * h * rowStep, rowStep, acc);
  }
}

// --- AVX-512 composition ---------------------------------------------------------
// A whole square per register, and mask registers for colour 0.
#define TESSEL_AVX512 __attribute__((target("avx512f,avx512bw")))
// GCC 12's own AVX-512 headers trip its uninitialised-value warnings (their
// casts start from a deliberately undefined register).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

// Eight rows as 64 bytes per channel, row by row.
TESSEL_AVX512 inline void LoadSquare(const uint32_t* top, ptrdiff_t rowStep, __m512i (&acc)[3]) {
  __m512i pairs[4];
  for (int q = 0; q < 4; ++q)
    pairs[q] = _mm512_inserti64x4(_mm512_castsi256_si512(Load32(top + 2 * q * rowStep)),
                                  Load32(top + (2 * q + 1) * rowStep), 1);
  for (int c = 0; c < 3; ++c) {
    __m128i part[4];
    for (int q = 0; q < 4; ++q) part[q] = _mm512_cvtepi32_epi8(_mm512_srli_epi32(pairs[q], 8 * c));
    __m512i v = _mm512_castsi128_si512(part[0]);
    v = _mm512_inserti32x4(v, part[1], 1);
    v = _mm512_inserti32x4(v, part[2], 2);
    acc[c] = _mm512_inserti32x4(v, part[3], 3);
  }
}

TESSEL_AVX512 inline void StoreSquare(uint32_t* top, ptrdiff_t rowStep, const __m512i (&acc)[3]) {
  const __m512i opaque = _mm512_set1_epi32(static_cast<int>(0xFF000000u));
  for (int q = 0; q < 4; ++q) {
    __m512i px = opaque;
    for (int c = 0; c < 3; ++c) {
      __m128i part = q == 0   ? _mm512_castsi512_si128(acc[c])
                     : q == 1 ? _mm512_extracti32x4_epi32(acc[c], 1)
                     : q == 2 ? _mm512_extracti32x4_epi32(acc[c], 2)
                              : _mm512_extracti32x4_epi32(acc[c], 3);
      px = _mm512_or_si512(px, _mm512_slli_epi32(_mm512_cvtepu8_epi32(part), 8 * c));
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(top + 2 * q * rowStep),
                        _mm512_castsi512_si256(px));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(top + (2 * q + 1) * rowStep),
                        _mm512_extracti64x4_epi64(px, 1));
  }
}

TESSEL_AVX512 inline __m512i Mix512(__m512i acc, __m512i src, __m512i twiceOpacity) {
  __m512i diff = _mm512_slli_epi16(_mm512_sub_epi16(src, acc), 7);
  return _mm512_add_epi16(acc, _mm512_mulhi_epi16(diff, twiceOpacity));
}

TESSEL_AVX512 inline __m512i Blend512(__m512i acc, __m512i src, __mmask64 draw,
                                      const LayerInfo& l) {
  __m512i mixed = src;
  if (l.opacity < 256) {
    if ((l.opacity & 1) == 0) {
      const int half = l.opacity / 2;
      const __m512i weights = _mm512_set1_epi16(static_cast<short>(((128 - half) << 8) | half));
      __m512i lo =
          _mm512_srli_epi16(_mm512_maddubs_epi16(_mm512_unpacklo_epi8(src, acc), weights), 7);
      __m512i hi =
          _mm512_srli_epi16(_mm512_maddubs_epi16(_mm512_unpackhi_epi8(src, acc), weights), 7);
      mixed = _mm512_packus_epi16(lo, hi);
    } else {
      const __m512i zero = _mm512_setzero_si512();
      const __m512i twice = _mm512_set1_epi16(static_cast<short>(2 * l.opacity));
      __m512i lo = Mix512(_mm512_unpacklo_epi8(acc, zero), _mm512_unpacklo_epi8(src, zero), twice);
      __m512i hi = Mix512(_mm512_unpackhi_epi8(acc, zero), _mm512_unpackhi_epi8(src, zero), twice);
      mixed = _mm512_packus_epi16(lo, hi);
    }
  }
  return _mm512_mask_mov_epi8(acc, draw, mixed);
}

TESSEL_AVX512 void ComposeSquareAvx512(uint32_t* top, ptrdiff_t rowStep, const LayerInfo* layers,
                                       const BlockRef* refs, size_t layerCount) {
  __m512i acc[3];
  LoadSquare(top, rowStep, acc);
  // Unpacked, the quarters of a block arrive as rows 0-1, 4-5, 2-3, 6-7.
  const __m512i rowOrder[2] = {_mm512_setr_epi64(0, 1, 4, 5, 2, 3, 6, 7),
                               _mm512_setr_epi64(7, 6, 3, 2, 5, 4, 1, 0)};
  const __m256i nibble = _mm256_set1_epi8(0x0F);
  const __m512i pixelOrder[2] = {
      _mm512_broadcast_i32x4(_mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15)),
      _mm512_broadcast_i32x4(_mm_setr_epi8(7, 6, 5, 4, 3, 2, 1, 0, 15, 14, 13, 12, 11, 10, 9, 8))};
  for (size_t i = 0; i < layerCount; ++i) {
    const BlockRef& r = refs[i];
    if (!(r.flags & kDraw)) continue;
    const LayerInfo& l = layers[i];
    __m512i src[3];
    __mmask64 draw = ~__mmask64{0};
    if (l.source == Source::Sixteen) {
      // 32 bytes hold the 64 indices, low nibble first; unpacking works per
      // 128-bit lane, and the row order puts the lanes back in place.
      __m256i v = Load32(l.indices + static_cast<size_t>(r.block) * kPackedBlockBytes);
      __m256i lo = _mm256_and_si256(v, nibble);
      __m256i hi = _mm256_and_si256(_mm256_srli_epi16(v, 4), nibble);
      __m512i idx = _mm512_inserti64x4(_mm512_castsi256_si512(_mm256_unpacklo_epi8(lo, hi)),
                                       _mm256_unpackhi_epi8(lo, hi), 1);
      idx = _mm512_permutexvar_epi64(rowOrder[(r.flags >> kMirrorYShift) & 1], idx);
      idx = _mm512_shuffle_epi8(idx, pixelOrder[(r.flags >> kMirrorXShift) & 1]);
      const uint8_t* t = l.tables.data() + static_cast<size_t>(r.palette & 15) * 48;
      for (int c = 0; c < 3; ++c)
        src[c] = _mm512_shuffle_epi8(
            _mm512_broadcast_i32x4(_mm_loadu_si128(reinterpret_cast<const __m128i*>(t + 16 * c))),
            idx);
      if (l.keyed) draw = _mm512_test_epi8_mask(idx, idx);
    } else {
      alignas(64) uint8_t ch[3][64];
      alignas(64) uint8_t k[64];
      for (int h = 0; h < 2; ++h) {
        uint8_t halfCh[3][kHalf], halfKeep[kHalf];
        SourceHalf(l, r, h, halfCh, halfKeep);
        for (int c = 0; c < 3; ++c) std::memcpy(ch[c] + 32 * h, halfCh[c], kHalf);
        std::memcpy(k + 32 * h, halfKeep, kHalf);
      }
      for (int c = 0; c < 3; ++c) src[c] = _mm512_load_si512(ch[c]);
      if (l.keyed) draw = _mm512_testn_epi8_mask(_mm512_load_si512(k), _mm512_load_si512(k));
    }
    for (int c = 0; c < 3; ++c) acc[c] = Blend512(acc[c], src[c], draw, l);
  }
  StoreSquare(top, rowStep, acc);
}
#pragma GCC diagnostic pop
#endif

using SquareFn = void (*)(uint32_t*, ptrdiff_t, const LayerInfo*, const BlockRef*, size_t);

SquareFn ChooseSquareFn(CompositeKernel kernel) {
#ifdef TESSEL_LAYER_AVX2
  const bool avx512 = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
  const bool avx2 = __builtin_cpu_supports("avx2");
  switch (kernel) {
    case CompositeKernel::Best:
      if (avx512) return ComposeSquareAvx512;
      if (avx2) return ComposeSquareAvx2;
      break;
    case CompositeKernel::Avx512:
      if (avx512) return ComposeSquareAvx512;
      return nullptr;
    case CompositeKernel::Avx2:
      if (avx2) return ComposeSquareAvx2;
      return nullptr;
    case CompositeKernel::Portable:
      break;
  }
#else
  if (kernel == CompositeKernel::Avx2 || kernel == CompositeKernel::Avx512) return nullptr;
#endif
  return ComposeSquarePortable;
}

LayerInfo MakeLayerInfo(const CompositeLayer& c) {
  LayerInfo l;
  const Background& b = *c.background;
  const convert::ColourMode& mode = *c.mode;
  l.colours = c.colours;
  l.opacity = std::clamp(c.opacity, 0, 256);
  l.keyed = c.keyed;
  if (!mode.hasPalette()) {
    l.source = Source::Direct;
    l.pixels = b.tilePixels.data();
    return l;
  }
  l.indices = b.blockIndices.data();
  PaletteWindow w = PaletteWindowFor(mode, 0);
  l.paletteSize =
      mode.paletteKind == convert::PaletteKind::SubPalettes ? mode.coloursPerSubPalette : 0;
  if (PacksNibbles(mode) && w.indexMask == 15) {
    l.source = Source::Sixteen;
    l.tables.resize(16 * 48);
    for (int p = 0; p < 16; ++p)
      for (int c = 0; c < 3; ++c)
        for (int i = 0; i < 16; ++i)
          l.tables[static_cast<size_t>(p * 48 + c * 16 + i)] =
              Channel(PaletteColour(l, static_cast<uint8_t>(p), static_cast<uint8_t>(i)), c);
  } else {
    l.source = Source::Palette;
  }
  return l;
}

// The blocks one layer puts on a band of 8 canvas rows starting at y0:
// refs[k × stride] for square k.
void FillBand(const CompositeLayer& c, int y0, int squares, BlockRef* refs, size_t stride) {
  const Background& b = *c.background;
  const int j = y0 / b.cellHeight;
  int k = 0;
  const bool singleBlocks = b.tileWidth == kSide && b.tileHeight == kSide && b.ranges.empty();
  if (j < c.rows && singleBlocks) {
    // The common map of 8 × 8 tiles without value ranges: the tile rule
    // written out without branches, one square per cell.
    const uint32_t* row = b.cells.data() +
                          static_cast<size_t>(c.firstRow + j) * static_cast<size_t>(b.width) +
                          static_cast<size_t>(c.firstColumn);
    const uint32_t ref = static_cast<uint32_t>(b.referenceTile);
    const uint32_t mask = b.displayMask;
    const int64_t count = b.tileCount;
    const convert::MapFormat& f = *c.format;
    const bool hasPalette = f.paletteShift >= 0 && f.paletteShift < convert::kAbsentField;
    const uint32_t paletteMask = hasPalette ? f.paletteMask : 0;
    const int paletteShift = hasPalette ? f.paletteShift : 0;
    const int columns = std::min(c.columns, squares);
    for (; k < columns; ++k) {
      const uint32_t t = (row[k] + ref) & mask;
      BlockRef r;
      if (b.gbaEmulation) {
        const uint32_t low = t & 0xFFFFu;
        r.block = t & f.indexMask;
        r.palette = static_cast<uint8_t>((low & paletteMask) >> paletteShift);
        const bool drawn = static_cast<int32_t>(t) >= 0 && int64_t{t & kTextTileBits} < count &&
                           int64_t{r.block} < count;
        r.flags =
            static_cast<uint8_t>(drawn * (kDraw | (((low & f.mirrorXMask) != 0) << kMirrorXShift) |
                                          (((low & f.mirrorYMask) != 0) << kMirrorYShift)));
      } else {
        r.block = t;
        r.flags =
            static_cast<uint8_t>(kDraw * (static_cast<int32_t>(t) >= 0 && int64_t{t} < count));
      }
      refs[static_cast<size_t>(k) * stride] = r;
    }
  } else if (j < c.rows) {
    const int p = (y0 - j * b.cellHeight) / kSide;  // block row within the cell
    const int bw = b.tileWidth / kSide, bh = b.tileHeight / kSide;
    const uint32_t perTile = static_cast<uint32_t>(bw * bh);
    const uint32_t* row = b.cells.data() +
                          static_cast<size_t>(c.firstRow + j) * static_cast<size_t>(b.width) +
                          static_cast<size_t>(c.firstColumn);
    const uint32_t ref = static_cast<uint32_t>(b.referenceTile);
    const int columns = std::min(c.columns, (squares + bw - 1) / bw);
    for (int i = 0; i < columns; ++i) {
      CellTile t;
      if (!TileForValue(b, *c.format, row[i] + ref, t)) {
        for (int col = 0; col < bw && k < squares; ++col)
          refs[static_cast<size_t>(k++) * stride] = BlockRef{};
        continue;
      }
      // Mirror flags are as random as the map: selecting without branches
      // keeps the processor from guessing them.
      const int mx = t.mirrorX, my = t.mirrorY;
      const int blockRow = p + my * (bh - 1 - 2 * p);
      const uint8_t flags =
          static_cast<uint8_t>(kDraw | (mx << kMirrorXShift) | (my << kMirrorYShift));
      const uint32_t base = t.tile * perTile + static_cast<uint32_t>(blockRow * bw);
      for (int col = 0; col < bw && k < squares; ++col) {
        const int blockCol = col + mx * (bw - 1 - 2 * col);
        refs[static_cast<size_t>(k++) * stride] = BlockRef{
            base + static_cast<uint32_t>(blockCol), static_cast<uint8_t>(t.subPalette), flags};
      }
    }
  }
  for (; k < squares; ++k) refs[static_cast<size_t>(k) * stride] = BlockRef{};
}

}  // namespace

std::vector<uint8_t> BlockIndices(const std::vector<uint32_t>& tilePixels,
                                  const convert::ColourMode& mode) {
  std::vector<uint8_t> out;
  if (!mode.hasPalette()) return out;
  uint32_t mask = PaletteWindowFor(mode, 0).indexMask;
  if (mask > 255) return out;
  if (PacksNibbles(mode)) {
    out.resize(tilePixels.size() / 2);
    for (size_t i = 0; i < out.size(); ++i)
      out[i] =
          static_cast<uint8_t>((tilePixels[2 * i] & 15u) | ((tilePixels[2 * i + 1] & 15u) << 4));
    return out;
  }
  out.resize(tilePixels.size());
  for (size_t i = 0; i < tilePixels.size(); ++i)
    out[i] = static_cast<uint8_t>(tilePixels[i] & mask);
  return out;
}

bool Composable(const Background& b, const convert::ColourMode& mode) {
  if (!b.isMap() || b.cellWidth != b.tileWidth || b.cellHeight != b.tileHeight) return false;
  if (b.tileWidth < kSide || b.tileHeight < kSide || b.tileWidth % kSide || b.tileHeight % kSide)
    return false;
  if (static_cast<uint64_t>(b.tileCount) * b.blocksPerTile() * 64 > b.tilePixels.size())
    return false;
  if (!mode.hasPalette()) return true;
  if (PaletteWindowFor(mode, 0).indexMask > 255) return false;
  size_t expected = PacksNibbles(mode) ? b.tilePixels.size() / 2 : b.tilePixels.size();
  return b.tilePixels.size() % 64 == 0 && b.blockIndices.size() == expected;
}

bool CompositeKernelAvailable(CompositeKernel kernel) { return ChooseSquareFn(kernel) != nullptr; }

void ComposeMapLayers(const convert::DrawingState& state, std::span<const CompositeLayer> layers,
                      CompositeKernel kernel, std::optional<uint32_t> startColour, int parts) {
  convert::ClipRect area = convert::DrawableArea(state);
  const SquareFn square = ChooseSquareFn(kernel);
  if (area.empty() || layers.empty() || !square) return;
  convert::Surface& s = *state.surface;
  std::vector<LayerInfo> infos;
  infos.reserve(layers.size());
  for (const CompositeLayer& c : layers) infos.push_back(MakeLayerInfo(c));
  // Squares lie on the canvas's 8-pixel grid, where every cell starts.
  const int firstSquare = area.left / kSide;
  const int squares = (area.right + kSide - 1) / kSide;
  const int firstBand = area.top / kSide;
  const int bands = (area.bottom + kSide - 1) / kSide - firstBand;
  // Each part takes a run of bands; left to choose, no part gets fewer than
  // a few bands, which would cost more to hand over than they save.
  constexpr int kMinBandsPerPart = 4;
  if (parts <= 0) parts = std::min(AvailableBandParts(), bands / kMinBandsPerPart);
  parts = std::clamp(std::min(parts, bands), 1, kMaxBandParts);
  const size_t n = layers.size();
  const ptrdiff_t down = -static_cast<ptrdiff_t>(s.stride);

  auto composeBands = [&](int part) {
    // The layers of one square lie side by side.
    std::vector<BlockRef> refs(n * static_cast<size_t>(squares));
    const int from = firstBand + bands * part / parts;
    const int to = firstBand + bands * (part + 1) / parts;
    for (int y0 = from * kSide; y0 < to * kSide; y0 += kSide) {
      for (size_t i = 0; i < n; ++i) FillBand(layers[i], y0, squares, refs.data() + i, n);
      for (int k = firstSquare; k < squares; ++k) {
        const int x0 = k * kSide;
        const BlockRef* column = refs.data() + static_cast<size_t>(k) * n;
        const bool whole = x0 >= area.left && y0 >= area.top && x0 + kSide <= area.right &&
                           y0 + kSide <= area.bottom;
        if (whole) {
          if (startColour)
            for (int y = y0; y < y0 + kSide; ++y) std::fill_n(s.row(y) + x0, kSide, *startColour);
          square(s.row(y0) + x0, down, infos.data(), column, n);
          continue;
        }
        // A square cut by the edge of the area goes through a copy.
        uint32_t copy[64] = {};
        const int x1 = std::max(x0, area.left), x2 = std::min(x0 + kSide, area.right);
        const int y1 = std::max(y0, area.top), y2 = std::min(y0 + kSide, area.bottom);
        if (startColour)
          std::fill_n(copy, 64, *startColour);
        else
          for (int y = y1; y < y2; ++y)
            std::memcpy(copy + (y - y0) * kSide + (x1 - x0), s.row(y) + x1,
                        static_cast<size_t>(x2 - x1) * 4);
        square(copy, kSide, infos.data(), column, n);
        for (int y = y1; y < y2; ++y)
          std::memcpy(s.row(y) + x1, copy + (y - y0) * kSide + (x1 - x0),
                      static_cast<size_t>(x2 - x1) * 4);
      }
    }
  };
  RunBandParts(parts, composeBands);
}

}  // namespace mapeditor
