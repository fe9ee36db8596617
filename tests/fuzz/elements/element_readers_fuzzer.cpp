// Input: the text of an element file. It is read as each of the five kinds
// with the built-in format (a tileset first, so that a map without a linked
// tileset has tiles to count). Checks that the readers stay within their
// buffers and hand back what they announce.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "convert/gba_modes.h"
#include "formats/element_files.h"
#include "formats/format_library.h"
#include "formats/model_definition.h"
#include "platform/dialogs.h"
#include "platform/text_lines.h"
#include "tests/fuzz/fuzz_scratch.h"

namespace {

class QuietDialogs : public platform::UserDialogs {
 public:
  void message(std::string_view, std::string_view, platform::Icon) override {}
  platform::Answer question(std::string_view, std::string_view, platform::Buttons,
                            platform::Answer defaultAnswer, platform::Icon) override {
    return defaultAnswer;
  }
  std::optional<std::string> chooseFileName(const platform::FileChoice&) override {
    return std::nullopt;
  }
  std::optional<uint32_t> chooseColour(uint32_t) override { return std::nullopt; }
};

const std::string& InputPath() {
  static const std::string path = (fuzztest::Directory("tessel-elements-fuzz") / "in.c").string();
  return path;
}

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = InputPath();
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    // An empty input comes with a null pointer, which fwrite may not be given.
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  QuietDialogs dialogs;
  formats::FormatLibrary lib;
  platform::TextLines fields{"1, 4, \"vie\", \"3\"\n2, 8, \"nom\", \"rien\"\n}\n"};
  formats::DefineModel(lib, "\"Pnj\" {", fields, dialogs);
  int32_t lastBlocks = 0;
  formats::ElementContext c{lib, dialogs};
  c.colourModes = convert::kGbaColourModes;
  c.defaultColourMode = convert::kGbaDefaultColourMode;
  c.currentColourMode = convert::kGbaDefaultColourMode;
  c.autoFormatSelection = false;
  c.maxObjects = 64;
  c.lastTilesetBlocks = &lastBlocks;

  formats::PaletteData palette;
  if (formats::ReadPalette(c, path, palette)) Check(palette.count <= formats::kMaxPaletteColours);

  formats::TilesetData tileset;
  if (formats::ReadTileset(c, path, tileset, {.withPalette = true, .raw = (size & 1) != 0})) {
    Check(tileset.blocks <= formats::kMaxTilesetBlocks);
    Check(static_cast<size_t>(tileset.blocks) * 64 <= tileset.pixels.size());
  }

  formats::BitmapData bitmap;
  if (formats::ReadBitmap(c, path, bitmap, {.withPalette = true}))
    Check(bitmap.pixels.size() ==
          static_cast<size_t>(bitmap.width) * static_cast<size_t>(bitmap.height));

  formats::MapData map;
  if (formats::ReadMap(c, path, map)) {
    Check(map.cells.size() == static_cast<size_t>(map.width) * static_cast<size_t>(map.height));
    Check(map.cellBits == 8 || map.cellBits == 16 || map.cellBits == 32);
  }

  formats::ListData list;
  if (formats::ReadList(c, path, list)) {
    Check(list.count <= c.maxObjects);
    Check(list.objects.size() ==
          static_cast<size_t>(list.count) * static_cast<size_t>(list.objectSize));
  }
  return 0;
}
