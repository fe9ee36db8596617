#pragma once

// Converting the loaded picture into a tileset, a palette and a map.
namespace convert {

struct ConversionJob;
struct ConversionContext;

// Reduces the colours (one palette, or sub-palettes when the mode has them and
// more colours than one holds are asked for), cuts the area, enlarged to whole
// tiles, into tiles, merges identical ones, fills the map and writes the map
// (when one is generated), the tileset and, for a palette mode, the palette,
// in that order. False when the conversion ends without output (its message
// was shown, or the user cancelled) or a writer failed.
bool ConvertTiles(const ConversionJob& job, const ConversionContext& context);

}  // namespace convert
