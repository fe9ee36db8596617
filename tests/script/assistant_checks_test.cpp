// What the assistant says, without a window, when a script gives it a tile
// size it cannot use, and the tile size the size question names.
#include "batch_fixture.h"
#include "convert/image_saver.h"
#include "platform/text_lines.h"
#include "script/interpreter.h"
#include "app/vocabulary_messages.h"

namespace {

struct CheckCase {
  const char* what;
  const char* statements;
  std::string firstText;
  size_t entries;
};

class AssistantChecks : public scripttest::BatchFixture,
                        public ::testing::WithParamInterface<CheckCase> {};

TEST_P(AssistantChecks, ReportTheUsersMistakeInItsOwnWords) {
  const CheckCase& c = GetParam();
  Run("projet.tpj", "fin");
  // 40 × 24: a multiple of 8 only.
  std::vector<uint32_t> pixels(40 * 24, 0x808080);
  for (size_t i = 0; i < pixels.size(); i += 7) pixels[i] = 0xF80000;
  ASSERT_TRUE(convert::SaveImage({40, 24, pixels, {}}, dir.file("image.png")));
  dialogs.clear();
  platform::TextLines lines(std::string("arbre-mosaiques\ntexte-source \"image.png\"\n"
                                        "texte-dest \"a.til.c\"\ntexte-palette \"a.pal.c\"\n"
                                        "texte-map \"a.map.c\"\n") +
                            c.statements);
  script::ExecuteScript(*w, lines);
  ASSERT_FALSE(dialogs.entries().empty()) << c.what;
  EXPECT_EQ(dialogs.entries().front().text, c.firstText) << c.what;
  EXPECT_EQ(w->project.count(), c.entries) << c.what;
}

const std::string kQuestion16 =
    "Les dimensions de la bitmap (hauteur et largeur) devraient être multiples de 16.\nLes bords "
    "seront complétés par la couleur 0...";
const std::string kQuestion16x8 =
    "Les dimensions de la bitmap (hauteur et largeur) devraient être multiples de 16 (largeur) et "
    "8 (hauteur).\nLes bords seront complétés par la couleur 0...";

INSTANTIATE_TEST_SUITE_P(
    Cases, AssistantChecks,
    ::testing::Values(
        CheckCase{"tile width 12", "combo-tiles \"Perso...\"\nconvert.tilex = 12\nok\n",
                  std::string(app::text::kConvTileSize), 0},
        CheckCase{"tile height 0", "combo-tiles \"Perso...\"\nconvert.tiley = 0\nok\n",
                  std::string(app::text::kConvTileSize), 0},
        CheckCase{"16 × 16 tiles", "combo-tiles \"16x16\"\nok\n", kQuestion16, 3},
        CheckCase{"16 × 8 tiles",
                  "combo-tiles \"Perso...\"\nconvert.tilex = 16\nconvert.tiley = 8\nok\n",
                  kQuestion16x8, 3}));

}  // namespace
