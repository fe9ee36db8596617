#include "convert/draw_tile.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "convert/colour_mode.h"
#include "convert/pixel_mix.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TESSEL_HAS_SHUFFLE_LOOKUP 1
#endif

namespace convert {

namespace {

constexpr int kSide = 8;

// Four pixels at a time for mixing and masking: GCC and Clang vector types,
// which become SSE2 on x86-64 and NEON on ARM.
typedef uint32_t U32x4 __attribute__((vector_size(16)));
typedef uint8_t U8x16 __attribute__((vector_size(16)));
typedef uint16_t U16x16 __attribute__((vector_size(32)));

U32x4 Load4(const uint32_t* p) {
  U32x4 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

void Store4(uint32_t* p, U32x4 v) { std::memcpy(p, &v, sizeof v); }

// (c × a + d × (256 − a)) >> 8 for each byte; the 16-bit lanes hold at most
// 255 × 256.
U32x4 Mix4(U32x4 c, U32x4 d, uint16_t a) {
  U16x16 cw = __builtin_convertvector(reinterpret_cast<U8x16>(c), U16x16);
  U16x16 dw = __builtin_convertvector(reinterpret_cast<U8x16>(d), U16x16);
  U16x16 mixed = (cw * a + dw * static_cast<uint16_t>(256 - a)) >> 8;
  return reinterpret_cast<U32x4>(__builtin_convertvector(mixed, U8x16));
}

U32x4 Reverse4(U32x4 v) { return __builtin_shufflevector(v, v, 3, 2, 1, 0); }

// Source of colours: the pixel itself, or a table lookup. `transparent4` gives
// all ones in the lanes that stay as they are.
struct DirectColours {
  uint32_t colour(uint32_t v) const { return v; }
  bool transparent(uint32_t v) const { return v < 0x1000000u; }
  U32x4 transparent4(U32x4 v) const { return reinterpret_cast<U32x4>(v < 0x1000000u); }
};

// `colours` already points at the sub-palette, and mask + start stays within
// the table, so no wrap is needed (the usual case).
struct PaletteColours {
  const uint32_t* colours;
  uint32_t mask;
  uint32_t colour(uint32_t v) const { return colours[v & mask]; }
  bool transparent(uint32_t v) const { return (v & mask) == 0; }
  U32x4 transparent4(U32x4 v) const { return reinterpret_cast<U32x4>((v & mask) == 0); }
};

// Any other start and mask: wrap around the 256 entries.
struct WrappedPaletteColours {
  const uint32_t* colours;
  uint32_t start;
  uint32_t mask;
  uint32_t colour(uint32_t v) const { return colours[(start + (v & mask)) & 255u]; }
  bool transparent(uint32_t v) const { return (v & mask) == 0; }
  U32x4 transparent4(U32x4 v) const { return reinterpret_cast<U32x4>((v & mask) == 0); }
};

// One pixel, for the clipped edges of the surface.
template <class Source, bool kKeyed, bool kBlend>
void PutPixel(const Source& source, uint32_t opacity, uint32_t& d, uint32_t v) {
  if constexpr (kKeyed) {
    if (source.transparent(v)) return;
  }
  uint32_t c = source.colour(v);
  if constexpr (kBlend)
    d = MixPixels(c, d, opacity, 256u - opacity);
  else
    d = c;
}

// Where the block lands: the first destination row and column visible, and
// the visible range of block rows and columns.
struct Placement {
  uint32_t* bits;
  size_t stride;
  int surfaceHeight;
  int x, y;
  int c0, c1, r0, r1;
  bool full;
};

uint32_t* DestinationRow(const Placement& p, int r) {
  return p.bits + static_cast<size_t>(p.surfaceHeight - 1 - (p.y + r)) * p.stride + (p.x + p.c0);
}

// A fully visible block: fixed loops, no clipping. `top` is the block's top
// left pixel; rows go down the bottom-up surface by `stride` words. Everything
// arrives by value, so the compiler need not reload it after each store to the
// surface.
template <class Source, bool kKeyed, bool kBlend, bool kMirrorX>
void DrawFull(Source source, uint32_t opacity, uint32_t* top, size_t stride, const uint32_t* block,
              bool mirrorY) {
  const uint32_t* src = block + (mirrorY ? kSide * (kSide - 1) : 0);
  ptrdiff_t srcStep = mirrorY ? -kSide : kSide;
  for (int r = 0; r < kSide; ++r, src += srcStep) {
    uint32_t* dst = top - static_cast<ptrdiff_t>(static_cast<size_t>(r) * stride);
    // Blocks are usually drawn left to right: ask early for the surface
    // memory the next ones will write (a prefetch never faults, wherever it
    // points).
    __builtin_prefetch(
        reinterpret_cast<const void*>(reinterpret_cast<uintptr_t>(dst) + 2 * kSide * sizeof *dst),
        1);
    if constexpr (!kKeyed && !kBlend) {
      // Two pixels per load and per store.
      for (int c = 0; c < kSide; c += 2) {
        uint64_t two;
        std::memcpy(&two, src + (kMirrorX ? kSide - 2 - c : c), sizeof two);
        uint64_t first = source.colour(static_cast<uint32_t>(kMirrorX ? two >> 32 : two));
        uint64_t second = source.colour(static_cast<uint32_t>(kMirrorX ? two : two >> 32));
        uint64_t out = first | (second << 32);
        std::memcpy(dst + c, &out, sizeof out);
      }
    } else {
      for (int h = 0; h < kSide; h += 4) {
        const uint32_t* s = src + (kMirrorX ? kSide - 4 - h : h);
        U32x4 colours;
        if constexpr (kMirrorX)
          colours = U32x4{source.colour(s[3]), source.colour(s[2]), source.colour(s[1]),
                          source.colour(s[0])};
        else
          colours = U32x4{source.colour(s[0]), source.colour(s[1]), source.colour(s[2]),
                          source.colour(s[3])};
        U32x4 old = Load4(dst + h);
        U32x4 out = colours;
        if constexpr (kBlend) out = Mix4(colours, old, static_cast<uint16_t>(opacity));
        if constexpr (kKeyed) {
          U32x4 values = kMirrorX ? Reverse4(Load4(s)) : Load4(s);
          U32x4 keep = source.transparent4(values);
          out = (keep & old) | (~keep & out);
        }
        Store4(dst + h, out);
      }
    }
  }
}

#ifdef TESSEL_HAS_SHUFFLE_LOOKUP
// Sub-palettes of up to 16 colours (4-bit tiles, the console's text maps):
// the 16 colours are split into four planes of bytes, and one byte shuffle
// per plane looks up 16 pixels at once. The shuffle needs SSSE3, which is
// checked at run time; other processors take the portable path.
#define TESSEL_SSSE3 __attribute__((target("ssse3")))

TESSEL_SSSE3 __m128i LoadVector(const uint32_t* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

TESSEL_SSSE3 void StoreVector(uint32_t* p, __m128i v) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}

TESSEL_SSSE3 __m128i MixVector(__m128i c, __m128i d, __m128i a, __m128i na) {
  const __m128i zero = _mm_setzero_si128();
  __m128i lo = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(c, zero), a),
                             _mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), na));
  __m128i hi = _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(c, zero), a),
                             _mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), na));
  return _mm_packus_epi16(_mm_srli_epi16(lo, 8), _mm_srli_epi16(hi, 8));
}

template <bool kKeyed, bool kBlend>
TESSEL_SSSE3 void DrawFullSixteen(const uint32_t* colours, uint32_t mask, uint32_t opacity,
                                  uint32_t* top, size_t stride, const uint32_t* block, bool mirrorX,
                                  bool mirrorY) {
  // Byte k of colour i goes to byte i of plane k.
  const __m128i group = _mm_setr_epi8(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15);
  __m128i q0 = _mm_shuffle_epi8(LoadVector(colours), group);
  __m128i q1 = _mm_shuffle_epi8(LoadVector(colours + 4), group);
  __m128i q2 = _mm_shuffle_epi8(LoadVector(colours + 8), group);
  __m128i q3 = _mm_shuffle_epi8(LoadVector(colours + 12), group);
  __m128i t0 = _mm_unpacklo_epi32(q0, q1);
  __m128i t1 = _mm_unpackhi_epi32(q0, q1);
  __m128i t2 = _mm_unpacklo_epi32(q2, q3);
  __m128i t3 = _mm_unpackhi_epi32(q2, q3);
  const __m128i blue = _mm_unpacklo_epi64(t0, t2);
  const __m128i green = _mm_unpackhi_epi64(t0, t2);
  const __m128i red = _mm_unpacklo_epi64(t1, t3);
  const __m128i alpha = _mm_unpackhi_epi64(t1, t3);

  const __m128i m = _mm_set1_epi32(static_cast<int>(mask));
  const __m128i order = mirrorX
                            ? _mm_setr_epi8(7, 6, 5, 4, 3, 2, 1, 0, 15, 14, 13, 12, 11, 10, 9, 8)
                            : _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  const __m128i a = _mm_set1_epi16(static_cast<short>(opacity));
  const __m128i na = _mm_set1_epi16(static_cast<short>(256 - opacity));
  const uint32_t* src = block + (mirrorY ? kSide * (kSide - 1) : 0);
  ptrdiff_t srcStep = mirrorY ? -kSide : kSide;
  // Two rows at a time: 16 indices, one byte each (they are at most 15).
  for (int r = 0; r < kSide; r += 2, src += 2 * srcStep) {
    const uint32_t* next = src + srcStep;
    __m128i first =
        _mm_packs_epi32(_mm_and_si128(LoadVector(src), m), _mm_and_si128(LoadVector(src + 4), m));
    __m128i second =
        _mm_packs_epi32(_mm_and_si128(LoadVector(next), m), _mm_and_si128(LoadVector(next + 4), m));
    __m128i index = _mm_shuffle_epi8(_mm_packus_epi16(first, second), order);
    __m128i b = _mm_shuffle_epi8(blue, index);
    __m128i g = _mm_shuffle_epi8(green, index);
    __m128i rd = _mm_shuffle_epi8(red, index);
    __m128i al = _mm_shuffle_epi8(alpha, index);
    __m128i bgLow = _mm_unpacklo_epi8(b, g), bgHigh = _mm_unpackhi_epi8(b, g);
    __m128i raLow = _mm_unpacklo_epi8(rd, al), raHigh = _mm_unpackhi_epi8(rd, al);
    __m128i out[4] = {_mm_unpacklo_epi16(bgLow, raLow), _mm_unpackhi_epi16(bgLow, raLow),
                      _mm_unpacklo_epi16(bgHigh, raHigh), _mm_unpackhi_epi16(bgHigh, raHigh)};
    uint32_t* row0 = top - static_cast<ptrdiff_t>(static_cast<size_t>(r) * stride);
    uint32_t* row1 = row0 - static_cast<ptrdiff_t>(stride);
    uint32_t* dst[4] = {row0, row0 + 4, row1, row1 + 4};
    __builtin_prefetch(
        reinterpret_cast<const void*>(reinterpret_cast<uintptr_t>(row0) + 2 * kSide * 4), 1);
    __builtin_prefetch(
        reinterpret_cast<const void*>(reinterpret_cast<uintptr_t>(row1) + 2 * kSide * 4), 1);
    if constexpr (!kKeyed && !kBlend) {
      for (int k = 0; k < 4; ++k) StoreVector(dst[k], out[k]);
    } else {
      __m128i keep[4];
      if constexpr (kKeyed) {
        __m128i zero = _mm_cmpeq_epi8(index, _mm_setzero_si128());
        __m128i low = _mm_unpacklo_epi8(zero, zero), high = _mm_unpackhi_epi8(zero, zero);
        keep[0] = _mm_unpacklo_epi16(low, low);
        keep[1] = _mm_unpackhi_epi16(low, low);
        keep[2] = _mm_unpacklo_epi16(high, high);
        keep[3] = _mm_unpackhi_epi16(high, high);
      }
      for (int k = 0; k < 4; ++k) {
        __m128i old = LoadVector(dst[k]);
        __m128i v = out[k];
        if constexpr (kBlend) v = MixVector(v, old, a, na);
        if constexpr (kKeyed)
          v = _mm_or_si128(_mm_and_si128(keep[k], old), _mm_andnot_si128(keep[k], v));
        StoreVector(dst[k], v);
      }
    }
  }
}

// True when the block was drawn here.
bool DrawSixteen(const uint32_t* colours, uint32_t mask, uint32_t opacity, bool keyed,
                 const Placement& p, const uint32_t* block, const TileStyle& style) {
  if (!__builtin_cpu_supports("ssse3")) return false;
  uint32_t* top = DestinationRow(p, 0);
  bool blend = opacity < kOpaque;
  if (keyed) {
    if (blend)
      DrawFullSixteen<true, true>(colours, mask, opacity, top, p.stride, block, style.mirrorX,
                                  style.mirrorY);
    else
      DrawFullSixteen<true, false>(colours, mask, opacity, top, p.stride, block, style.mirrorX,
                                   style.mirrorY);
  } else {
    if (blend)
      DrawFullSixteen<false, true>(colours, mask, opacity, top, p.stride, block, style.mirrorX,
                                   style.mirrorY);
    else
      DrawFullSixteen<false, false>(colours, mask, opacity, top, p.stride, block, style.mirrorX,
                                    style.mirrorY);
  }
  return true;
}
#endif

template <class Source, bool kKeyed, bool kBlend, bool kMirrorX>
void DrawClipped(const Source& source, uint32_t opacity, const Placement& p, const uint32_t* block,
                 bool mirrorY) {
  for (int r = p.r0; r < p.r1; ++r) {
    uint32_t* dst = DestinationRow(p, r);
    const uint32_t* src = block + (mirrorY ? kSide - 1 - r : r) * kSide;
    for (int c = p.c0; c < p.c1; ++c)
      PutPixel<Source, kKeyed, kBlend>(source, opacity, dst[c - p.c0],
                                       src[kMirrorX ? kSide - 1 - c : c]);
  }
}

template <class Source, bool kKeyed, bool kBlend>
void DrawPlaced(const Source& source, uint32_t opacity, const Placement& p, const uint32_t* block,
                bool mirrorX, bool mirrorY) {
  if (p.full) {
    uint32_t* top = DestinationRow(p, 0);
    if (mirrorX)
      DrawFull<Source, kKeyed, kBlend, true>(source, opacity, top, p.stride, block, mirrorY);
    else
      DrawFull<Source, kKeyed, kBlend, false>(source, opacity, top, p.stride, block, mirrorY);
  } else {
    if (mirrorX)
      DrawClipped<Source, kKeyed, kBlend, true>(source, opacity, p, block, mirrorY);
    else
      DrawClipped<Source, kKeyed, kBlend, false>(source, opacity, p, block, mirrorY);
  }
}

// An opaque, unmirrored block of direct pixels is eight row copies.
void CopyFullRows(const Placement& p, const uint32_t* block, bool mirrorY) {
  for (int r = 0; r < kSide; ++r)
    std::memcpy(DestinationRow(p, r), block + (mirrorY ? kSide - 1 - r : r) * kSide,
                kSide * sizeof(uint32_t));
}

// Finds where the block lands. The common case, a block wholly inside the
// drawable area, is decided on the area's edges directly.
inline bool Place(const DrawingState& state, int x, int y, Placement& p) {
  ClipRect area = DrawableArea(state);
  if (area.empty()) return false;
  const Surface& s = *state.surface;
  p.bits = s.bits.get();
  p.stride = static_cast<size_t>(s.stride);
  p.surfaceHeight = s.height;
  p.x = x;
  p.y = y;
  if (x >= area.left && y >= area.top && x <= area.right - kSide && y <= area.bottom - kSide) {
    p.full = true;
    p.c0 = 0;
    p.c1 = kSide;
    p.r0 = 0;
    p.r1 = kSide;
    return true;
  }
  ClipRect r = ClipToDrawable(state, x, y, kSide, kSide);
  if (r.empty()) return false;
  p.full = false;
  p.c0 = r.left - x;
  p.c1 = r.right - x;
  p.r0 = r.top - y;
  p.r1 = r.bottom - y;
  return true;
}

template <class Source>
void DrawWith(const Source& source, const Placement& p, const uint32_t* block,
              const TileStyle& style, bool keyed, uint32_t opacity) {
  bool blend = opacity < kOpaque;
  bool mx = style.mirrorX, my = style.mirrorY;
  if (keyed) {
    if (blend)
      DrawPlaced<Source, true, true>(source, opacity, p, block, mx, my);
    else
      DrawPlaced<Source, true, false>(source, opacity, p, block, mx, my);
  } else {
    if (blend)
      DrawPlaced<Source, false, true>(source, opacity, p, block, mx, my);
    else
      DrawPlaced<Source, false, false>(source, opacity, p, block, mx, my);
  }
}

void DrawDirect(const DrawingState& state, int x, int y, const uint32_t* block,
                const TileStyle& style, bool keyed) {
  if (!block || style.opacity <= 0) return;
  Placement p;
  if (!Place(state, x, y, p)) return;
  uint32_t opacity = static_cast<uint32_t>(std::min(style.opacity, kOpaque));
  if (p.full && !keyed && opacity == kOpaque && !style.mirrorX)
    return CopyFullRows(p, block, style.mirrorY);
  DrawWith(DirectColours{}, p, block, style, keyed, opacity);
}

void DrawIndexed(const DrawingState& state, const ColourMode& mode, int x, int y,
                 const uint32_t* block, const TileStyle& style, bool keyed) {
  if (!mode.hasPalette()) return DrawDirect(state, x, y, block, style, keyed);
  if (!block || !style.colours || style.opacity <= 0) return;
  Placement p;
  if (!Place(state, x, y, p)) return;
  uint32_t opacity = static_cast<uint32_t>(std::min(style.opacity, kOpaque));
  uint32_t start = static_cast<uint32_t>(style.paletteStart) & 255u;
#ifdef TESSEL_HAS_SHUFFLE_LOOKUP
  if (p.full && style.indexMask <= 15u && start <= 240u &&
      DrawSixteen(style.colours + start, style.indexMask, opacity, keyed, p, block, style))
    return;
#endif
  if (style.indexMask <= 255u - start)
    DrawWith(PaletteColours{style.colours + start, style.indexMask}, p, block, style, keyed,
             opacity);
  else
    DrawWith(WrappedPaletteColours{style.colours, start, style.indexMask}, p, block, style, keyed,
             opacity);
}

}  // namespace

void DrawTile(const DrawingState& state, int x, int y, const uint32_t* block,
              const TileStyle& style) {
  DrawDirect(state, x, y, block, style, false);
}

void DrawTileIndexed(const DrawingState& state, const ColourMode& mode, int x, int y,
                     const uint32_t* block, const TileStyle& style) {
  DrawIndexed(state, mode, x, y, block, style, false);
}

void DrawTileTransparent(const DrawingState& state, int x, int y, const uint32_t* block,
                         const TileStyle& style) {
  DrawDirect(state, x, y, block, style, true);
}

void DrawTileTransparentIndexed(const DrawingState& state, const ColourMode& mode, int x, int y,
                                const uint32_t* block, const TileStyle& style) {
  DrawIndexed(state, mode, x, y, block, style, true);
}

}  // namespace convert
