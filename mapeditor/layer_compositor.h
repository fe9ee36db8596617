#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "convert/drawing_state.h"

namespace convert {
struct ColourMode;
struct MapFormat;
}  // namespace convert

// The fast path of frame composition: a run of map layers composed block by
// block, every layer of an 8 × 8 block of the canvas blended in registers
// before the block goes back to the surface. The pictures are those of the
// tile drawer, channel for channel.
namespace mapeditor {

struct Background;

struct CompositeLayer {
  const Background* background = nullptr;
  const uint32_t* colours = nullptr;  // 256 display colours
  const convert::ColourMode* mode = nullptr;
  const convert::MapFormat* format = nullptr;
  int opacity = 256;  // 1..256
  bool keyed = false;
  int firstColumn = 0;  // the first cell shown, and how many are drawn
  int firstRow = 0;
  int columns = 0;
  int rows = 0;
};

// The colour index of every tile pixel (AND the mode's index mask), one byte
// each, in the order of the tile pixels; empty for direct-colour modes and
// for masks wider than a byte.
std::vector<uint8_t> BlockIndices(const std::vector<uint32_t>& tilePixels,
                                  const convert::ColourMode& mode);

// True when the layer can go through ComposeMapLayers: its cells show at the
// tiles' own size and, with a palette, its block indices match its pixels.
bool Composable(const Background& b, const convert::ColourMode& mode);

// The instruction sets composition can use; Best picks the widest the
// processor has. All give the same pictures.
enum class CompositeKernel { Best, Portable, Avx2, Avx512 };
bool CompositeKernelAvailable(CompositeKernel kernel);

// Draws the layers, in order, over the drawable area. The colour channels are
// exactly those the tile drawer gives; the opacity byte of every pixel of the
// area becomes 0xFF (the canvas shows no transparency). With a start colour
// the layers are drawn over that colour instead of over the area's pixels (a
// frame's first layers spare the surface a fill of its own). An unavailable
// kernel draws nothing. The rows are shared out between `parts` threads
// (0: one per processor core); every split gives the same picture.
void ComposeMapLayers(const convert::DrawingState& state, std::span<const CompositeLayer> layers,
                      CompositeKernel kernel = CompositeKernel::Best,
                      std::optional<uint32_t> startColour = std::nullopt, int parts = 0);

}  // namespace mapeditor
