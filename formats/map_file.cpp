// Map files: the cells row by row, each row followed by `line`.
#include "formats/debug_message.h"
#include "formats/element_common.h"
#include "formats/element_files.h"
#include "formats/element_messages.h"
#include "formats/format_library.h"
#include "formats/output_sink.h"
#include "formats/template_expansion.h"

namespace formats {

using namespace element_detail;

namespace {

// The value format of a cell width: `element2` holds the 8-bit cells of the
// rotation maps, `element` the 16-bit text cells, `element3` the 32-bit ones.
const std::string& CellValueFormat(const FormatSection& s, int cellBits) {
  if (cellBits == 8) return s.element2;
  if (cellBits == 32) return s.element3;
  return s.element;
}

// The cell width a header gives: its `depth`, or when it has none its type
// name compared with the format's.
int CellBitsOfHeader(const TemplateValues& v, const ReadText& r) {
  int32_t depth = v.number(Placeholder::Depth);
  if (depth == 32) return 32;
  if (depth == 8) return 8;
  if (depth != 0) return 16;
  std::string_view type = v.textBytes(Placeholder::Type);
  if (type == r.type32) return 32;
  if (type == r.type8) return 8;
  return 16;
}

bool ReadMapText(ElementContext& c, std::string_view path, MapData& out) {
  ReadText r;
  if (!BeginRead(c, path, SectionType::Map, element_text::kMapMissing,
                 {Placeholder::Name, Placeholder::Link, Placeholder::Type}, r))
    return false;
  out.header = CapturedHeader(c.lib.values);
  out.userTexts = SaveUserTexts(c.lib.values);
  out.cellBits = CellBitsOfHeader(c.lib.values, r);
  const HeaderValues& h = out.header;
  if (h.sizeX < 0 || h.sizeY < 0 || int64_t{h.sizeX} * int64_t{h.sizeY} > kMaxElementCells) {
    ShowDebugMessage(c.dialogs, element_text::kFormatMismatch);
    return false;
  }

  // The tile count of the tileset, in tiles of the map's tile size.
  int64_t blocks = 0;
  if (!h.link.empty()) {
    TilesetData tileset;
    if (!ReadTileset(c, h.link, tileset)) return false;
    blocks = tileset.blocks;
  } else if (c.lastTilesetBlocks) {
    blocks = *c.lastTilesetBlocks;
  }
  const int64_t blocksPerTile = int64_t{h.tileWidth} * int64_t{h.tileHeight} / 64;
  if (blocks <= 0 || blocksPerTile <= 0) return false;
  out.tileCount = static_cast<int>(blocks / blocksPerTile);

  out.width = h.sizeX;
  out.height = h.sizeY;
  out.cells.assign(static_cast<size_t>(out.width) * static_cast<size_t>(out.height), 0);
  ReadRows(c, r, CellValueFormat(r.section, out.cellBits), out.cells, out.width, out.height);
  return true;
}

}  // namespace

bool WriteMap(ElementContext& c, const ElementTarget& t, int cellBits,
              std::span<const uint32_t> cells, int width, int height,
              const project::EntryRecord* tileset) {
  if ((cellBits != 8 && cellBits != 16 && cellBits != 32) || width < 0 || height < 0 ||
      static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > cells.size()) {
    ReportBrokenCondition(c, "sizex * sizey <= taille du tampon");
    return false;
  }
  OutputSink out;
  if (!OpenForWriting(c, t, out, element_text::kWriteFailed)) return false;
  PrepareWrite(c, t);
  const OutputFormat& f = c.lib.current;
  const FormatSection& s = f.section(SectionType::Map);
  TemplateValues& v = c.lib.values;
  v.setNumber(Placeholder::Memory, static_cast<int32_t>(int64_t{width} * height * (cellBits / 8)));
  v.setText(Placeholder::Link, LinkedFile(tileset));
  v.setNumber(Placeholder::SizeX, width);
  v.setNumber(Placeholder::SizeY, height);
  v.setNumber(Placeholder::Depth, cellBits);
  v.setTextBytes(Placeholder::Type, TypeForBits(f, cellBits));
  Expand(s.declaration, out, v, c.dialogs);
  WriteRows(c, s, CellValueFormat(s, cellBits), cells, width, height, out);
  Expand(s.end, out, v, c.dialogs);
  return FinishWriting(c, t, out, element_text::kWriteFailed);
}

bool ReadMap(ElementContext& c, std::string_view path, MapData& out) {
  out = MapData{};
  // The map's own user texts are handed back in `out`; the buffers get back
  // what they held before.
  const UserTexts before = SaveUserTexts(c.lib.values);
  bool ok = ReadMapText(c, path, out);
  RestoreUserTexts(c.lib.values, before);
  return ok;
}

}  // namespace formats
