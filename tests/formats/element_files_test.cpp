// Element files written with the built-in format against golden files, and
// the rules every reader and writer shares: grouping, limits, failures.
#include "formats/element_files.h"

#include <cstdlib>
#include <filesystem>

#include "convert/converted_pixel.h"
#include "element_fixture.h"

using namespace formats;
using namespace formatstest;
using testsupport::DataPath;
using testsupport::ReadFile;

namespace {

// Golden files of tests/data/elements/; TESSEL_UPDATE_GOLDEN=1 rewrites them.
void ExpectGolden(const std::string& actual, std::string_view name) {
  std::string path = DataPath("elements/" + std::string(name));
  if (testsupport::UpdatingGoldenFiles()) testsupport::WriteFile(path, actual);
  EXPECT_EQ(actual, ReadFile(path)) << name;
}

std::vector<uint32_t> SixteenColours() {
  std::vector<uint32_t> colours;
  colours.push_back(0);  // the reserved, transparent zero colour
  for (uint32_t i = 1; i < 16; ++i) colours.push_back(convert::MakePixel(i, 31 - i, i * 2));
  return colours;
}

// A header as the built-in format writes it.
std::string StandardHeader(std::string_view file, std::string_view kindLine,
                           std::string_view sizeLine, std::string_view declaration) {
  std::string h = "//";
  h.append(file).append("\r\n//Converti avec Tessel Works par Velmar\r\n");
  h.append(kindLine).append("\r\n").append(sizeLine).append("\r\n//M\xE9moire: 0 octets\r\n");
  h.append(declaration);
  return h;
}

bool EndsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

}  // namespace

TEST_F(ElementFiles, SixteenColourPaletteIsTwoLinesOfEightAndTheFooterErasesTheLastSeparator) {
  auto entry = this->entry("hero.pal.c", "hero", "hero.png");
  auto c = context();
  ASSERT_TRUE(WritePalette(c, {entry}, SixteenColours()));
  std::string text = read(entry);
  ExpectGolden(text, "hero.pal.c");
  EXPECT_NE(text.find("//Taille: 16\r\n//M\xE9moire: 32 octets\r\n"), std::string::npos);
  EXPECT_NE(text.find("{\r\n0x8000, 0x0bc1, "),
            std::string::npos);  // zero colour: bit 15
  // Eight values a line; the footer's backspaces take back the last ", ".
  EXPECT_NE(text.find(", 0x3b07,\r\n0x42e8, "), std::string::npos);
  EXPECT_TRUE(EndsWith(text, ", 0x7a0f};\r\n"));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 9);

  PaletteData back;
  ASSERT_TRUE(ReadPalette(c, entry.file, back));
  ASSERT_EQ(back.count, 16);
  EXPECT_EQ(back.colourMode, convert::kGbaDefaultColourMode);
  auto colours = SixteenColours();
  // The 8-bit mode reserves index 0: entry 0 reads back cleared.
  EXPECT_EQ(back.colours[0], 0u);
  for (size_t i = 1; i < 16; ++i) EXPECT_EQ(back.colours[i], colours[i]) << i;
  EXPECT_TRUE(messages().empty());
}

TEST_F(ElementFiles, OneFourBitTileIsThirtyTwoValuesAndThirtyTwoBytesOfMemory) {
  auto tileset = entry("tiles.til.c", "tiles", "tiles.png");
  auto palette = entry("tiles.pal.c", "tiles");
  palette.file = "tiles.pal.c";
  std::vector<uint32_t> pixels(64);
  for (size_t i = 0; i < 64; ++i) pixels[i] = (i + 1) % 16;
  auto c = context();
  ASSERT_TRUE(WriteTileset(c, {tileset}, Mode(kMode4), pixels, 1, 8, 8, &palette));
  std::string text = read(tileset);
  ExpectGolden(text, "tiles.til.c");
  EXPECT_NE(text.find("//Tileset 4 bits (\"tiles.pal.c\")\r\n//Taille: 8*8*1\r\n"
                      "//M\xE9moire: 32 octets\r\n\r\nconst unsigned char "
                      "tiles_tiles[32]=\t{\r\n"
                      "0x21, 0x43, 0x65, 0x87, "),
            std::string::npos);
  size_t values = 0;
  for (size_t p = text.find("0x"); p != std::string::npos; p = text.find("0x", p + 1)) ++values;
  EXPECT_EQ(values, 32u);
}

TEST_F(ElementFiles, TwoByTwoMapMatchesTheBuiltInLayout) {
  auto map = entry("lvl.map.c", "lvl", "lvl.png");
  auto tileset = entry("tiles.til.c", "tiles");
  tileset.file = "gfx/tiles.til.c";
  const uint32_t cells[] = {1, 2, 3, 4};
  auto c = context();
  ASSERT_TRUE(WriteMap(c, {map}, 16, cells, 2, 2, &tileset));
  std::string text = read(map);
  ExpectGolden(text, "lvl.map.c");
  const std::string header = "const unsigned short lvl_map[2][2]=\t{\r\n\t{";
  size_t at = text.find(header);
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(text.substr(at + header.size()), "0x0001, 0x0002},\r\n\t{0x0003, 0x0004}\r\n};\r\n");
  EXPECT_NE(text.find("//Map (\"\",\"gfx/tiles.til.c\",0,ffffffff)\r\n"), std::string::npos);
  EXPECT_NE(text.find("//M\xE9moire: 8 octets\r\n\r\nconst"), std::string::npos);
}

TEST_F(ElementFiles, GroupsRunAcrossRowsOnlyWhenTheLineTextIsEmpty) {
  // One format per case: a map section with groups of three and the given
  // `line`.
  auto define = [&](std::string_view name, std::string_view line) {
    std::string lines =
        "map {\n"
        "  declaration = \"%name%[%sizey%][%sizex%]={\\n\"\n"
        "  n_every = 3\n"
        "  every_x = \"\\n\"\n"
        "  element = \"%i,\"\n"
        "  line = \"" +
        std::string(line) +
        "\"\n"
        "  end = \"\\b};\\n\"\n"
        "  ext = \".grp.c\"\n"
        "}\n}\n";
    this->define(name, lines);
  };
  const uint32_t cells[] = {1, 2, 3, 4, 5, 6, 7, 8};
  const std::vector<uint32_t> expected(std::begin(cells), std::end(cells));
  auto c = context();
  c.autoFormatSelection = false;
  lastTilesetBlocks = 16;

  define("Groupes", "");
  auto running = entry("running.grp.c", "running");
  ASSERT_TRUE(WriteMap(c, {running}, 16, cells, 4, 2, nullptr));
  ExpectGolden(read(running), "running.grp.c");
  EXPECT_EQ(read(running), "running[2][4]={\r\n1,2,3,\r\n4,5,6,\r\n7,8};\r\n");
  MapData back;
  ASSERT_TRUE(ReadMap(c, running.file, back));
  EXPECT_EQ(back.cells, expected);

  define("Lignes", "/");
  auto perRow = entry("rows.grp.c", "rows");
  ASSERT_TRUE(WriteMap(c, {perRow}, 16, cells, 4, 2, nullptr));
  EXPECT_EQ(read(perRow), "rows[2][4]={\r\n1,2,3,\r\n4,/5,6,7,\r\n8,};\r\n");
  ASSERT_TRUE(ReadMap(c, perRow.file, back));
  EXPECT_EQ(back.cells, expected);
}

TEST_F(ElementFiles, PaletteReadingStopsAfter256Colours) {
  // Value i of the file is i × 97 modulo 0x8000.
  auto c = context();
  c.currentColourMode = kMode15;  // keeps entry 0
  PaletteData back;
  ASSERT_TRUE(ReadPalette(c, DataPath("elements/pal300.pal.c"), back));
  EXPECT_EQ(back.count, 256);
  for (uint32_t i : {0u, 1u, 8u, 255u})
    EXPECT_EQ(back.colours[i], convert::PixelFromConsoleColour(static_cast<uint16_t>(i * 97)));
  EXPECT_TRUE(messages().empty());
}

TEST_F(ElementFiles, FifteenBitTilesReadRawOrWithLevelsTimesEight) {
  auto tileset = entry("t15.til.c", "t15");
  std::vector<uint32_t> pixels(64, convert::MakePixel(31, 1, 2));
  pixels[1] = convert::MakePixel(3, 4, 5, 0);  // transparent
  auto c = context();
  ASSERT_TRUE(WriteTileset(c, {tileset}, Mode(kMode15), pixels, 1, 8, 8, nullptr));
  EXPECT_NE(read(tileset).find("const unsigned short t15_tiles[64]=\t{\r\n0x083f, 0x9483, "),
            std::string::npos);

  TilesetData raw;
  ASSERT_TRUE(ReadTileset(c, tileset.file, raw, {.raw = true}));
  EXPECT_EQ(raw.colourMode, kMode15);
  ASSERT_EQ(raw.blocks, 1);
  EXPECT_EQ(raw.pixels[0], 0x083Fu);
  EXPECT_EQ(raw.pixels[1], 0x9483u);

  TilesetData expanded;
  ASSERT_TRUE(ReadTileset(c, tileset.file, expanded));
  EXPECT_EQ(expanded.pixels[0], convert::MakePixel(248, 8, 16, 255));
  EXPECT_EQ(expanded.pixels[1], convert::MakePixel(24, 32, 40, 0));
}

TEST_F(ElementFiles, ATilesetMayHold8193BlocksButNotOneMore) {
  auto write = [&](int blocks) {
    std::string text = StandardHeader("t.til.c", "//Tileset 8 bits (\"\")",
                                      "//Taille: 8*8*" + std::to_string(blocks),
                                      "\r\nconst unsigned char t_tiles[1]=\t{\r\n");
    text.reserve(text.size() + static_cast<size_t>(blocks) * 64 * 6);
    for (int i = 0; i < blocks * 64; ++i) {
      if (i > 0 && i % 12 == 0) {
        text.pop_back();
        text += "\r\n";
      }
      text += "0x07, ";
    }
    text += "};\r\n";
    std::string path = dir.file("t.til.c");
    testsupport::WriteFile(path, text);
    return path;
  };
  auto c = context();
  TilesetData back;
  ASSERT_TRUE(ReadTileset(c, write(kMaxTilesetBlocks), back));
  EXPECT_EQ(back.blocks, kMaxTilesetBlocks);
  EXPECT_EQ(back.pixels.back(), 7u);
  EXPECT_EQ(lastTilesetBlocks, kMaxTilesetBlocks);
  EXPECT_TRUE(messages().empty());

  std::string path = write(kMaxTilesetBlocks + 1);
  EXPECT_FALSE(ReadTileset(c, path, back));
  EXPECT_EQ(back.blocks, 0);
  EXPECT_EQ(lastTilesetBlocks, 0);
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_EQ(dialogs.entries()[0].text,
            "Le nombre de tiles est supérieur à la "
            "mémoire. Le format serait-il faux?");
  EXPECT_EQ(dialogs.entries()[0].caption, path);
  EXPECT_EQ(dialogs.entries()[0].icon, platform::Icon::Error);

  // A header that announces a huge tileset, with few values, reads what is
  // there.
  dialogs.clear();
  testsupport::WriteFile(
      path, StandardHeader("t.til.c", "//Tileset 8 bits (\"\")", "//Taille: 8*8*2000000000",
                           "\r\nconst unsigned char t_tiles[1]=\t{\r\n") +
                "0x01, 0x02");
  ASSERT_TRUE(ReadTileset(c, path, back));
  EXPECT_EQ(back.blocks, 0);
  EXPECT_EQ(back.pixels[1], 2u);
}

TEST_F(ElementFiles, TextBeyondEightMegabytesIsNotSeen) {
  // 32-bit pixels take 12 bytes each: 1024 × 1024 of them need 12 MB.
  const int side = 1024;
  std::vector<uint32_t> pixels(static_cast<size_t>(side) * side, 0x01020304u);
  auto bitmap = entry("big.bmp.c", "big");
  auto c = context();
  ASSERT_TRUE(WriteBitmap(c, {bitmap}, Mode(kMode32), pixels, side, side, nullptr));
  ASSERT_GT(std::filesystem::file_size(bitmap.file), kElementReadLimit);
  BitmapData back;
  ASSERT_TRUE(ReadBitmap(c, bitmap.file, back));
  ASSERT_EQ(back.pixels.size(), pixels.size());
  size_t read =
      static_cast<size_t>(std::count(back.pixels.begin(), back.pixels.end(), 0x01020304u));
  // A little over 12 bytes a value with the group breaks.
  EXPECT_GT(read, kElementReadLimit / 13);
  EXPECT_LT(read, kElementReadLimit / 12);
  EXPECT_EQ(back.pixels.back(), 0u);
}

TEST_F(ElementFiles, WritersThatCannotWriteSayWhyAndLeaveTheOldFile) {
  auto c = context();
  const uint32_t cells[] = {1};
  auto noDir = entry("absent/x.map.c", "x");
  EXPECT_FALSE(WriteMap(c, {noDir}, 16, cells, 1, 1, nullptr));
  auto noDirTiles = entry("absent/x.til.c", "x");
  std::vector<uint32_t> tile(64);
  EXPECT_FALSE(WriteTileset(c, {noDirTiles}, Mode(kMode8), tile, 1, 8, 8, nullptr));
  ASSERT_EQ(dialogs.entries().size(), 2u);
  EXPECT_EQ(dialogs.entries()[0].text,
            "Impossible d'ouvrir le fichier en écriture.\nLe nom est "
            "probablement faux.");
  EXPECT_EQ(dialogs.entries()[0].caption, noDir.file);
  EXPECT_EQ(dialogs.entries()[1].text,
            "Impossible d'ouvrir le fichier en écriture.\nLe nom est "
            "probablement faux ou vous "
            "n'avez pas les autorisations d'accès dans ce répertoire "
            "(seriez-vous à l'école?).");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "absent"));

  // A directory in the file's place: the directory stays, nothing is left
  // behind.
  auto blocked = entry("blocked.pal.c", "blocked");
  std::filesystem::create_directory(blocked.file);
  dialogs.clear();
  EXPECT_FALSE(WritePalette(c, {blocked}, SixteenColours()));
  EXPECT_TRUE(std::filesystem::is_directory(blocked.file));
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(ElementFiles, ReadersNameTheMissingFileInTheirCaption) {
  auto c = context();
  PaletteData palette;
  TilesetData tileset;
  MapData map;
  ListData list;
  BitmapData bitmap;
  std::string path = dir.file("absent.c");
  EXPECT_FALSE(ReadPalette(c, path, palette));
  EXPECT_FALSE(ReadTileset(c, path, tileset));
  EXPECT_FALSE(ReadMap(c, path, map));
  EXPECT_FALSE(ReadList(c, path, list));
  EXPECT_FALSE(ReadBitmap(c, path, bitmap));
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            "Le fichier palette spécifié n'existe pas.",
                            "Le fichier tileset spécifié n'existe pas",
                            "Le fichier map spécifié n'existe pas",
                            "Le fichier map spécifié n'existe pas",
                            "Le fichier bitmap spécifié n'existe pas",
                        }));
  for (const auto& e : dialogs.entries()) {
    EXPECT_EQ(e.caption, path);
    EXPECT_EQ(e.icon, platform::Icon::Error);
  }
}

TEST_F(ElementFiles, AHeaderThatDoesNotMatchFailsTheRead) {
  std::string path = dir.file("other.til.c");
  testsupport::WriteFile(path, "unsigned char something_else[] = { 1, 2, 3 };\n");
  auto c = context();
  TilesetData back;
  EXPECT_FALSE(ReadTileset(c, path, back));
  EXPECT_EQ(back.blocks, 0);
}

TEST_F(ElementFiles, HugeBitmapAndMapHeadersAreRefused) {
  auto c = context();
  std::string path = dir.file("huge.bmp.c");
  testsupport::WriteFile(
      path, StandardHeader("huge.bmp.c", "//Bitmap 8 bits (\"\")", "//Taille: 100000*100000",
                           "\r\nconst unsigned char huge_bitmap8[100000][100000]=\t{\r\n") +
                "0x01, ");
  BitmapData bitmap;
  EXPECT_FALSE(ReadBitmap(c, path, bitmap));
  EXPECT_TRUE(bitmap.pixels.empty());
  ASSERT_FALSE(dialogs.entries().empty());
  EXPECT_EQ(dialogs.entries().back().text,
            "Le format du fichier ne correspond pas avec celui attendu.");
  EXPECT_EQ(dialogs.entries().back().caption, "Débogage");
}

TEST_F(ElementFiles, ReadersChooseTheFormatByTheFileExtension) {
  define("Autre", "map {\n ext = \".autre.c\"\n}\n}\n");
  ASSERT_TRUE(SelectFormat(lib, "Standard", dialogs));
  auto c = context();
  auto map = entry("m.map.c", "m");
  const uint32_t cells[] = {5};
  lastTilesetBlocks = 1;
  ASSERT_TRUE(WriteMap(c, {map}, 16, cells, 1, 1, nullptr));
  ASSERT_TRUE(SelectFormat(lib, "Autre", dialogs));
  MapData back;
  ASSERT_TRUE(ReadMap(c, map.file, back));
  EXPECT_EQ(lib.current.name, "Standard");
  EXPECT_EQ(back.cells, (std::vector<uint32_t>{5}));

  // Switched off, the selected format reads.
  ASSERT_TRUE(SelectFormat(lib, "Autre", dialogs));
  c.autoFormatSelection = false;
  ASSERT_TRUE(ReadMap(c, map.file, back));
  EXPECT_EQ(lib.current.name, "Autre");
}

TEST_F(ElementFiles, MapsCountTheirTilesInTheLinkedTilesetAndNeedSome) {
  auto c = context();
  auto tileset = entry("t.til.c", "t");
  std::vector<uint32_t> pixels(64 * 4, 1);
  ASSERT_TRUE(WriteTileset(c, {tileset}, Mode(kMode8), pixels, 4, 8, 8, nullptr));
  auto map = entry("m.map.c", "m");
  const uint32_t cells[] = {0x0C03, 2};
  // 16 × 16 tiles: four blocks make one tile.
  c.defaults.tileWidth = 16;
  c.defaults.tileHeight = 16;
  ASSERT_TRUE(WriteMap(c, {map}, 16, cells, 2, 1, &tileset));
  c.defaults.tileWidth = 8;
  c.defaults.tileHeight = 8;
  MapData back;
  ASSERT_TRUE(ReadMap(c, map.file, back));
  EXPECT_EQ(back.tileCount, 1);
  EXPECT_EQ(back.header.tileWidth, 16);
  EXPECT_EQ(back.cellBits, 16);
  EXPECT_EQ(back.cells, (std::vector<uint32_t>{0x0C03, 2}));

  // Without a linked tileset the tileset read last counts; none read, no map.
  auto unlinked = entry("u.map.c", "u");
  ASSERT_TRUE(WriteMap(c, {unlinked}, 32, cells, 2, 1, nullptr));
  lastTilesetBlocks = 0;
  EXPECT_FALSE(ReadMap(c, unlinked.file, back));
  lastTilesetBlocks = 10;
  ASSERT_TRUE(ReadMap(c, unlinked.file, back));
  EXPECT_EQ(back.tileCount, 10);
  EXPECT_EQ(back.cellBits, 32);

  // A broken link fails the map.
  std::filesystem::remove(tileset.file);
  EXPECT_FALSE(ReadMap(c, map.file, back));
}

TEST_F(ElementFiles, AMapWithoutDepthTakesItsCellSizeFromTheTypeName) {
  auto c = context();
  lastTilesetBlocks = 1;
  for (auto [type, bits] : {std::pair{"char", 8}, {"long", 32}, {"short", 16}, {"int", 16}}) {
    std::string path = dir.file("m.map.c");
    testsupport::WriteFile(path,
                           StandardHeader("m.map.c", "//Map (\"\",\"\")", "//Taille: 8*8 * 2*1",
                                          "const unsigned " + std::string(type) +
                                              " m_map[1][2]=\t{\r\n\t{0x01, 0x02}\r\n};\r\n"));
    MapData back;
    ASSERT_TRUE(ReadMap(c, path, back)) << type;
    EXPECT_EQ(back.cellBits, bits) << type;
  }
}

TEST_F(ElementFiles, MapsHandBackTheirUserTextsAndRestoreTheBuffers) {
  define("Notes",
         "map {\n declaration = \"/*%user[3]%*/\\n%name%[%sizey%][%sizex%]={\"\n"
         " element = \"%i,\"\n line = \"\"\n end = \"};\"\n ext = "
         "\".notes.c\"\n}\n}\n");
  auto c = context();
  lib.values.setUserText(3, "avant");
  std::string path = dir.file("a.notes.c");
  testsupport::WriteFile(path, "/*libre*/\r\na[1][2]={7,8,};");
  lastTilesetBlocks = 1;
  MapData back;
  ASSERT_TRUE(ReadMap(c, path, back));
  EXPECT_EQ(back.userTexts[2], "libre");
  EXPECT_EQ(back.header.identifier, "a");
  EXPECT_EQ(back.cells, (std::vector<uint32_t>{7, 8}));
  EXPECT_EQ(lib.values.userText(3), "avant");
}

TEST_F(ElementFiles, BrokenWriterArgumentsAreRefusedAsInternalErrors) {
  auto c = context();
  auto tileset = entry("bad.til.c", "bad");
  std::vector<uint32_t> pixels(64);
  EXPECT_FALSE(WriteTileset(c, {tileset}, Mode(kMode8), pixels, 2, 8, 8, nullptr));
  EXPECT_FALSE(WriteTileset(c, {tileset}, Mode(kMode8), pixels, 1, 12, 8, nullptr));
  auto map = entry("bad.map.c", "bad");
  EXPECT_FALSE(WriteMap(c, {map}, 16, pixels, 9, 9, nullptr));
  EXPECT_FALSE(WriteMap(c, {map}, 12, pixels, 1, 1, nullptr));
  ASSERT_EQ(dialogs.entries().size(), 4u);
  for (const auto& e : dialogs.entries()) {
    EXPECT_EQ(e.caption, "Erreur interne");
    EXPECT_EQ(e.text.rfind("Une erreur s'est produite car la condition suivante est fausse: ", 0),
              0u);
  }
  EXPECT_FALSE(std::filesystem::exists(tileset.file));
  EXPECT_FALSE(std::filesystem::exists(map.file));
}

TEST_F(ElementFiles, ExportIdentifierReplacesTheNameAndUserTextsCanBeKept) {
  auto c = context();
  auto palette = entry("p.pal.c", "nom");
  lib.current.user[1] = "ALIGNED ";
  ASSERT_TRUE(WritePalette(c, {palette, "ident"}, SixteenColours()));
  EXPECT_NE(read(palette).find("const unsigned short ALIGNED ident_palette[16]"),
            std::string::npos);
  lib.values.setUserText(2, "GARDE ");
  ASSERT_TRUE(WritePalette(c, {palette, {}, true}, SixteenColours()));
  EXPECT_NE(read(palette).find("const unsigned short GARDE nom_palette[16]"), std::string::npos);
  // The bitmap writer always takes the format's.
  auto bitmap = entry("b.bmp.c", "b");
  const uint32_t pixels[] = {1};
  ASSERT_TRUE(WriteBitmap(c, {bitmap, {}, true}, Mode(kMode8), pixels, 1, 1, nullptr));
  EXPECT_NE(read(bitmap).find("const unsigned char ALIGNED b_bitmap8[1][1]"), std::string::npos);
}

namespace {

// A bitmap deeper than 8 bits is declared with a type that holds its values
// (a compiler would cut them to bytes otherwise), under the same array name,
// and its "Mémoire" line counts the bytes of that type.
struct BitmapDepthCase {
  const char* name;
  int mode;
  const char* declaration;
  const char* memory;
};

class BitmapDepth : public ElementFiles, public ::testing::WithParamInterface<BitmapDepthCase> {};

TEST_P(BitmapDepth, DeclaresATypeThatHoldsItsValues) {
  const BitmapDepthCase& c = GetParam();
  auto bitmap = entry("b.bmp.c", "b");
  auto ctx = context();
  const uint32_t pixels[] = {1, 2, 3, 4, 5, 6};
  ASSERT_TRUE(WriteBitmap(ctx, {bitmap}, Mode(c.mode), pixels, 3, 2, nullptr));
  std::string text = read(bitmap);
  EXPECT_NE(text.find(c.declaration), std::string::npos) << text;
  EXPECT_NE(text.find(c.memory), std::string::npos) << text;
  BitmapData back;
  ASSERT_TRUE(ReadBitmap(ctx, bitmap.file, back));
  EXPECT_EQ(back.width, 3);
}

const BitmapDepthCase kBitmapDepthCases[] = {
    {"FourBits", kMode4, "const unsigned char b_bitmap8[2][3]=", "moire: 6 octets"},
    {"EightBits", kMode8, "const unsigned char b_bitmap8[2][3]=", "moire: 6 octets"},
    {"FifteenBits", kMode15, "const unsigned short b_bitmap8[2][3]=", "moire: 12 octets"},
    {"ThirtyTwoBits", kMode32, "const unsigned long b_bitmap8[2][3]=", "moire: 24 octets"},
};

INSTANTIATE_TEST_SUITE_P(ElementFiles, BitmapDepth, ::testing::ValuesIn(kBitmapDepthCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
