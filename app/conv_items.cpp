#include "app/conv_items.h"

#include <array>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"
#include "platform/value_syntax.h"
#include "app/platforms.h"
#include "script/script_line.h"
#include "script/script_messages.h"
#include "app/vocabulary_messages.h"
#include "app/workshop.h"
#include "app/language.h"

namespace app {

namespace {

constexpr size_t kMaxIdentifierChars = 100;
constexpr size_t kMaxValueChars = 500;

// Tried in this order when the source is named without an extension.
constexpr std::array<std::string_view, 5> kImageExtensions{".bmp", ".png", ".jpg", ".gif", ".tif"};

struct ConvItem {
  char prefix = 0;  // '+', '-', '!' or none
  std::string name;
  std::string value;
  bool hasValue = false;
};

struct ItemContext {
  Workshop& w;
  ConvParameters& p;
};

// The value a prefix gives a flag; -1 without a prefix.
int32_t PrefixValue(char prefix) {
  switch (prefix) {
    case '+':
      return 1;
    case '-':
      return 0;
    case '!':
      return 2;
    default:
      return -1;
  }
}

// The file names of each kind from one base name.
void DeriveFileNames(ConvParameters& p, const std::string& base) {
  switch (p.kind) {
    case ConvKind::Tileset:
      p.destination = base + std::string(kTilesetExtension);
      p.paletteFile = base + std::string(kPaletteExtension);
      p.mapFile = base + std::string(kMapExtension);
      break;
    case ConvKind::Bitmap:
      p.destination = base + std::string(kBitmapExtension);
      p.paletteFile = base + std::string(kPaletteExtension);
      break;
    default:
      break;
  }
}

// `src=file`: the picture, and the other files named after it for the kind
// chosen so far. A name without an extension takes the first image extension
// that names an existing file, ".bmp" when none does.
void SetSource(ItemContext& c, const std::string& file) {
  std::string_view last = platform::LastComponent(file);
  size_t dot = last.rfind('.');
  std::string base;
  if (dot == std::string_view::npos) {
    base = file;
    c.p.source = base + std::string(kImageExtensions.front());
    for (std::string_view ext : kImageExtensions) {
      std::string candidate = base + std::string(ext);
      if (platform::FileExists(platform::ToNative(candidate))) {
        c.p.source = candidate;
        break;
      }
    }
  } else {
    base = file.substr(0, file.size() - (last.size() - dot));
    c.p.source = file;
  }
  DeriveFileNames(c.p, base);
}

void TilesetKindItem(ItemContext& c, const ConvItem&) { c.p.kind = ConvKind::Tileset; }
void Bitmap8KindItem(ItemContext& c, const ConvItem&) { c.p.kind = ConvKind::Bitmap8; }
void Bitmap16KindItem(ItemContext& c, const ConvItem&) { c.p.kind = ConvKind::Bitmap16; }

// `bmp` chooses the kind; `bmp=file` names the source instead.
void BitmapItem(ItemContext& c, const ConvItem& item) {
  if (item.hasValue)
    SetSource(c, item.value);
  else
    c.p.kind = ConvKind::Bitmap;
}

void SourceItem(ItemContext& c, const ConvItem& item) { SetSource(c, item.value); }

// `dst=base` (and `til=base`): every destination of the kind from one base.
void DestinationItem(ItemContext& c, const ConvItem& item) {
  if (c.p.kind == ConvKind::Tileset || c.p.kind == ConvKind::Bitmap)
    DeriveFileNames(c.p, item.value);
  else
    c.p.destination = item.value;
}

void MapFileItem(ItemContext& c, const ConvItem& item) {
  c.p.mapFile = item.value;
  if (c.p.kind == ConvKind::Tileset) c.p.mapFile += kMapExtension;
}

void PaletteFileItem(ItemContext& c, const ConvItem& item) {
  c.p.paletteFile = item.value;
  if (c.p.kind != ConvKind::Bitmap8 && c.p.kind != ConvKind::Bitmap16)
    c.p.paletteFile += kPaletteExtension;
}

void AllNamesItem(ItemContext& c, const ConvItem& item) {
  c.p.tilesetName = c.p.bitmapName = c.p.paletteName = c.p.mapName = item.value;
}

template <std::string ConvParameters::*Member>
void TextItem(ItemContext& c, const ConvItem& item) {
  c.p.*Member = item.value;
}

template <int32_t ConvParameters::*Member>
void FlagItem(ItemContext& c, const ConvItem& item) {
  int32_t v = PrefixValue(item.prefix);
  if (v >= 0) c.p.*Member = v;
}

void ColourCountItem(ItemContext& c, const ConvItem& item) {
  c.p.colourCount = platform::ParseInteger(item.value);
  c.p.colourCountGiven = true;
}

// `upal=name` / `util=name`: the existing element, with the box's state from
// the prefix (`!`: greyed, `-`: unused, otherwise checked).
template <std::string ConvParameters::*Name, int32_t ConvParameters::*State>
void ExistingElementItem(ItemContext& c, const ConvItem& item) {
  c.p.*Name = item.value;
  int32_t v = PrefixValue(item.prefix);
  c.p.*State = v >= 0 ? v : kExistingReused;
}

int ColourModeWithBits(const PlatformRecord& platform, int bits) {
  for (int i = 0; i < platform.colourModeCount(); ++i)
    if (platform.colourModes[static_cast<size_t>(i)].bitsPerPixel == bits) return i;
  return platform.defaultColourMode;
}

// `+16c` the 4-bit colour mode, `-16c` the 8-bit one.
void SixteenColoursItem(ItemContext& c, const ConvItem& item) {
  int32_t v = PrefixValue(item.prefix);
  if (v < 0) return;
  c.p.sixteenColours = v;
  c.p.colourMode = ColourModeWithBits(CurrentPlatform(c.w), v != 0 ? 4 : 8);
  if (!c.p.colourCountGiven) c.p.colourCount = DefaultColourCount(c.w, c.p.colourMode);
}

struct ConvItemRow {
  std::string_view name;
  void (*apply)(ItemContext& c, const ConvItem& item);
};

// Searched in this order; the first row with the name wins.
constexpr ConvItemRow kConvItems[] = {
    {"tset", TilesetKindItem},
    {"bmp", BitmapItem},
    {"b8", Bitmap8KindItem},
    {"b16", Bitmap16KindItem},
    {"src", SourceItem},
    {"dst", DestinationItem},
    {"til", DestinationItem},
    {"map", MapFileItem},
    {"pal", PaletteFileItem},
    {"name", AllNamesItem},
    {"nametil", TextItem<&ConvParameters::tilesetName>},
    {"namebmp", TextItem<&ConvParameters::bitmapName>},
    {"namepal", TextItem<&ConvParameters::paletteName>},
    {"namemap", TextItem<&ConvParameters::mapName>},
    {"col", ColourCountItem},
    {"upal", ExistingElementItem<&ConvParameters::usePalette, &ConvParameters::usePaletteState>},
    {"util", ExistingElementItem<&ConvParameters::useTileset, &ConvParameters::useTilesetState>},
    {"txt", FlagItem<&ConvParameters::textMap>},
    {"16c", SixteenColoursItem},
    {"cmode", TextItem<&ConvParameters::colourModeName>},
    {"gmap", FlagItem<&ConvParameters::generateMap>},
    {"opt", FlagItem<&ConvParameters::optimise>},
    {"mapmode", TextItem<&ConvParameters::mapMode>},
    {"mdim", TextItem<&ConvParameters::mapSize>},
    {"tdim", TextItem<&ConvParameters::tileSize>},
};

const ConvItemRow* FindItem(std::string_view name) {
  for (const ConvItemRow& row : kConvItems)
    if (row.name == name) return &row;
  return nullptr;
}

// One item from `pos`: a prefix, an identifier, and `=value` (a string in
// double quotes, or the text up to the next blank).
ConvItem ReadItem(std::string_view text, size_t& pos) {
  ConvItem item;
  if (text[pos] == '+' || text[pos] == '-' || text[pos] == '!') item.prefix = text[pos++];
  size_t start = pos;
  while (pos < text.size() && !IsBlank(text[pos]) && text[pos] != '=') ++pos;
  item.name = platform::Utf8Prefix(text.substr(start, pos - start), kMaxIdentifierChars);
  if (pos >= text.size() || text[pos] != '=') return item;
  ++pos;
  item.hasValue = true;
  std::string_view value;
  if (pos < text.size() && text[pos] == '"') {
    size_t close = text.find('"', pos + 1);
    if (close == std::string_view::npos) close = text.size();
    value = text.substr(pos + 1, close - pos - 1);
    pos = close < text.size() ? close + 1 : close;
  } else {
    start = pos;
    while (pos < text.size() && !IsBlank(text[pos])) ++pos;
    value = text.substr(start, pos - start);
  }
  item.value = platform::Utf8Prefix(value, kMaxValueChars);
  return item;
}

}  // namespace

int32_t DefaultColourCount(const Workshop& w, int colourMode) {
  const PlatformRecord& platform = CurrentPlatform(w);
  if (colourMode < 0 || colourMode >= platform.colourModeCount()) return 0;
  const convert::ColourMode& mode = platform.colourModes[static_cast<size_t>(colourMode)];
  if (!mode.hasPalette()) return 0;
  return mode.paletteEntries - (mode.indexZeroReserved ? 1 : 0);
}

ConvParameters ResetConvParameters(const Workshop& w) {
  ConvParameters p;
  p.colourMode = CurrentPlatform(w).defaultColourMode;
  return p;
}

void ReadConvItems(Workshop& w, std::string_view text, ConvParameters& p) {
  ItemContext context{w, p};
  size_t pos = 0;
  for (;;) {
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    if (pos >= text.size()) return;
    ConvItem item = ReadItem(text, pos);
    if (const ConvItemRow* row = FindItem(item.name)) {
      row->apply(context, item);
    } else {
      w.services.dialogs.message(FormatText(text::kConvUnknownItem, {item.name}),
                                 text::kConvCaption, platform::Icon::None);
    }
  }
}

}  // namespace app
