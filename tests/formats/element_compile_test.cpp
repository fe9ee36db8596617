// The built-in format's files compile as C, and the compiled arrays hold the
// values written: a small program includes every file and prints its arrays.
#include <cstdio>
#include <cstdlib>
#include <random>

#include "test_support/commands.h"
#include "convert/converted_pixel.h"
#include "element_fixture.h"
#include "formats/element_files.h"
#include "formats/list_model.h"
#include "formats/model_definition.h"
#include "platform/text_lines.h"

using namespace formats;
using namespace formatstest;

namespace {

bool HaveGcc() { return testsupport::HaveProgram("gcc"); }
using testsupport::RunCommand;

std::string Line(std::string_view name, const std::vector<uint32_t>& values) {
  std::string line(name);
  for (uint32_t v : values) line += " " + std::to_string(v);
  return line + "\n";
}

}  // namespace

TEST_F(ElementFiles, BuiltInFormatFilesCompileAsCAndHoldTheValues) {
  if (!HaveGcc()) GTEST_SKIP() << "gcc is not installed";
  std::mt19937 rng(11);
  auto c = context();
  std::string program = "#include <stdio.h>\n";
  std::string expected;
  std::string body;
  auto include = [&](const project::EntryRecord& e) { program += "#include \"" + e.file + "\"\n"; };
  auto show = [&](std::string_view label, std::string_view array, std::string_view element,
                  const std::vector<uint32_t>& values) {
    body += "  { const " + std::string(element) + "* a = (const " + std::string(element) + "*)" +
            std::string(array) + "; printf(\"" + std::string(label) +
            "\"); for (size_t i = 0; i < " + std::to_string(values.size()) +
            "; ++i) printf(\" %lu\", (unsigned long)a[i]); " + "printf(\"\\n\"); }\n";
    expected += Line(label, values);
  };

  std::vector<uint32_t> colours(20);
  for (auto& colour : colours)
    colour = convert::MakePixel(rng() % 32, rng() % 32, rng() % 32, rng() % 8 ? 255 : 0);
  auto palette = entry("pal.pal.c", "pal");
  ASSERT_TRUE(WritePalette(c, {palette}, colours));
  include(palette);
  std::vector<uint32_t> consoleColours;
  for (uint32_t colour : colours) consoleColours.push_back(convert::ConsoleColour(colour));
  show("palette", "pal_palette", "unsigned short", consoleColours);

  struct TileCase {
    int mode;
    const char* name;
    const char* element;
  };
  for (TileCase t : {TileCase{kMode4, "t4", "unsigned char"},
                     {kMode8, "t8", "unsigned char"},
                     {kMode15, "t15", "unsigned short"},
                     {kMode32, "t32", "unsigned long"}}) {
    std::vector<uint32_t> pixels(64 * 3);
    for (auto& p : pixels)
      p = t.mode == kMode4    ? rng() % 16
          : t.mode == kMode8  ? rng() % 256
          : t.mode == kMode15 ? convert::MakePixel(rng() % 32, rng() % 32, rng() % 32)
                              : static_cast<uint32_t>(rng());
    auto tileset = entry(std::string(t.name) + ".til.c", t.name);
    ASSERT_TRUE(WriteTileset(c, {tileset}, Mode(t.mode), pixels, 3, 8, 8, &palette));
    include(tileset);
    std::vector<uint32_t> values;
    for (size_t i = 0; i < pixels.size(); ++i) {
      if (t.mode == kMode4) {
        if (i % 2 == 0) values.push_back(pixels[i] | (pixels[i + 1] << 4));
      } else {
        values.push_back(t.mode == kMode15 ? convert::ConsoleColour(pixels[i]) : pixels[i]);
      }
    }
    show(t.name, std::string(t.name) + "_tiles", t.element, values);
  }

  for (auto [bits, name, element] : {std::tuple{8, "m8", "unsigned char"},
                                     {16, "m16", "unsigned short"},
                                     {32, "m32", "unsigned long"}}) {
    std::vector<uint32_t> cells(5 * 3);
    for (auto& cell : cells) cell = static_cast<uint32_t>(rng() % (uint64_t{1} << bits));
    auto map = entry(std::string(name) + ".map.c", name);
    ASSERT_TRUE(WriteMap(c, {map}, bits, cells, 5, 3, nullptr));
    include(map);
    show(name, std::string(name) + "_map", element, cells);
  }

  std::vector<uint32_t> bitmapPixels(7 * 2);
  for (auto& p : bitmapPixels) p = rng() % 256;
  auto bitmap = entry("img.bmp.c", "img");
  ASSERT_TRUE(WriteBitmap(c, {bitmap}, Mode(kMode8), bitmapPixels, 7, 2, &palette));
  include(bitmap);
  show("bitmap", "img_bitmap8", "unsigned char", bitmapPixels);

  // A list with a one-line def.h declaring its objects.
  platform::TextLines fields{"1, 4, \"vie\", \"3\"\n}\n"};
  ASSERT_TRUE(DefineModel(lib, "\"Pnj\" {", fields, dialogs));
  ASSERT_TRUE(SelectModel(lib, "Pnj", dialogs));
  testsupport::WriteFile(dir.path() / "def.h",
                         "typedef struct { int type, x, y, vie; } SPRITE_LISTE;\n");
  std::vector<uint8_t> objects(16 * 3);
  const int32_t positions[3][2] = {{30, 1}, {-4, 7}, {30, 0}};
  for (int i = 0; i < 3; ++i) {
    std::span<uint8_t> o(objects.data() + i * 16, 16);
    WriteObjectWord(o, kObjectX, positions[i][0]);
    WriteObjectWord(o, kObjectY, positions[i][1]);
    WriteObjectWord(o, kObjectType, i + 1);
    WriteObjectWord(o, 12, 100 * (i + 1));
  }
  auto list = entry("pnj.lst.c", "pnj");
  ASSERT_TRUE(WriteList(c, {list}, {16, objects, 3}, {}));
  include(list);
  body +=
      "  printf(\"liste %u\", pnj_liste_nbEle); for (unsigned i = 0; i < "
      "pnj_liste_nbEle; ++i) "
      "printf(\" %d %d %d %d\", pnj_liste[i].type, pnj_liste[i].x, "
      "pnj_liste[i].y, "
      "pnj_liste[i].vie); printf(\"\\n\");\n";
  expected += "liste 3 2 -4 7 200 3 30 0 300 1 30 1 100\n";

  program += "int main(void) {\n" + body + "  return 0;\n}\n";
  std::string source = dir.file("main.c");
  testsupport::WriteFile(source, program);
  std::string exe = dir.file("show");
  // Bitmaps list their rows without inner braces, which C allows.
  std::string compile = "gcc -std=c99 -Wall -Wextra -Wno-missing-braces -Werror -o '" + exe +
                        "' '" + source + "' 2>&1";
  std::string diagnostics = RunCommand(compile);
  ASSERT_TRUE(diagnostics.empty()) << diagnostics;
  EXPECT_EQ(RunCommand("'" + exe + "'"), expected);
}
