#include "formats/list_model.h"

#include <gtest/gtest.h>

#include "formats/format_library.h"
#include "formats/model_definition.h"
#include "platform/recording_platform.h"
#include "platform/text_lines.h"

using namespace formats;

namespace {

struct Fixture {
  FormatLibrary lib;
  platform::RecordingDialogs dialogs;

  bool define(std::string_view argument, std::string body) {
    platform::TextLines lines(std::move(body));
    return DefineModel(lib, argument, lines, dialogs);
  }
  const ListModel& model(std::string_view name) {
    return lib.models.at(static_cast<size_t>(FindModel(lib, name)));
  }
};

}  // namespace

TEST(ListModel, FieldsLieAfterTheTwelveByteHeader) {
  Fixture f;
  ASSERT_TRUE(
      f.define("\"Ennemi\"\t\t{", "  \t1, 4, \"a\", \"-3\"\n  \t2, 8, \"b\", \"boss\"\n  }\n"));
  const ListModel& m = f.model("Ennemi");
  ASSERT_EQ(m.fields.size(), 2u);
  EXPECT_EQ(m.objectSize(), 24);
  EXPECT_EQ(m.fieldOffset(0), 12);
  EXPECT_EQ(m.fieldOffset(1), 16);
  EXPECT_EQ(m.fields[0].kind, kFieldInteger);
  EXPECT_EQ(m.fields[1].kind, kFieldRaw);
  EXPECT_EQ(FieldKindLabel(m.fields[0].kind), "Entier");
  EXPECT_EQ(FieldKindLabel(m.fields[1].kind), "Brut");
  EXPECT_EQ(m.fields[1].name, "b");
  EXPECT_EQ(m.fields[1].defaultValue, "boss");
  // Defaults fill an object's fields; x, y and type are left alone.
  std::vector<uint8_t> object(24, 0xAA);
  SetObjectDefaults(m, object);
  EXPECT_EQ(ReadObjectWord(object, 12), -3);
  EXPECT_EQ(ReadObjectText(object, 16, 8), "boss");
  EXPECT_EQ(object[0], 0xAA);
  EXPECT_TRUE(f.dialogs.entries().empty());
}

TEST(ListModel, TheProjectFileBlockRoundTrips) {
  ListModel model;
  model.name = "Nom \"cité\" \\ n";
  model.fields = {MakeField(kFieldRaw, 12, "p<q>r", "a\"b\\"),
                  MakeField(kFieldInteger, 4, "v", "-1")};
  std::string block = ModelDefinitionText(model);
  EXPECT_EQ(block,
            "  DefModele \"Nom \\\"cité\\\" \\\\ n\"\t\t{\n"
            "  \t2, 12, \"p<q>r\", \"a\\\"b\\\\\"\n"
            "  \t1, 4, \"v\", \"-1\"\n"
            "  }\n");
  // The statement's argument is what follows "DefModele"; the lines after it
  // are the block's.
  size_t lineEnd = block.find('\n');
  Fixture f;
  ASSERT_TRUE(f.define(block.substr(12, lineEnd - 12), block.substr(lineEnd + 1)));
  const ListModel& m = f.model(model.name);
  ASSERT_EQ(m.fields.size(), 2u);
  EXPECT_EQ(m.fields[0].name, "p<q>r");
  EXPECT_EQ(m.fields[0].defaultValue, "a\"b\\");
  EXPECT_EQ(m.fields[0].size, 12);
  EXPECT_EQ(m.fields[1].defaultValue, "-1");
  EXPECT_EQ(ModelDefinitionText(m), block);
}

TEST(ListModel, RedefiningKeepsThePlaceInTheModelOrder) {
  Fixture f;
  ASSERT_TRUE(f.define("un {", "1, 4, \"a\", \"0\"\n1, 4, \"b\", \"0\"\n}\n"));
  ASSERT_TRUE(f.define("deux {", "1, 4, \"c\", \"0\"\n}\n"));
  ASSERT_TRUE(SelectModel(f.lib, "un", f.dialogs));
  ASSERT_TRUE(f.define("un {", "{\n\n   2, 2, \"z\", \"\"\n }\n"));
  ASSERT_EQ(f.lib.models.size(), 3u);
  EXPECT_EQ(f.lib.models[1].name, "un");
  EXPECT_EQ(f.lib.models[2].name, "deux");
  ASSERT_EQ(f.lib.models[1].fields.size(), 1u);
  EXPECT_EQ(f.lib.models[1].fields[0].name, "z");
  EXPECT_EQ(f.lib.models[1].objectSize(), 14);
  EXPECT_EQ(CurrentModel(f.lib).name, "un");
}

TEST(ListModel, AnEleventhModelIsRefused) {
  Fixture f;
  for (int i = 1; i < 10; ++i) ASSERT_TRUE(f.define("m" + std::to_string(i) + " {", "}\n"));
  ASSERT_EQ(f.lib.models.size(), kMaxModels);
  platform::TextLines lines("1, 4, \"a\", \"0\"\n}\nnext\n");
  EXPECT_FALSE(DefineModel(f.lib, "m10 {", lines, f.dialogs));
  EXPECT_EQ(f.lib.models.size(), kMaxModels);
  ASSERT_EQ(f.dialogs.entries().size(), 1u);
  EXPECT_EQ(f.dialogs.entries()[0].text,
            "Impossible de définir le modèle m10: 10 modèles au plus.");
  EXPECT_EQ(f.dialogs.entries()[0].caption, "Erreur d'exécution du script");
  EXPECT_EQ(f.dialogs.entries()[0].icon, platform::Icon::Error);
  std::string rest;
  ASSERT_TRUE(lines.readLine(rest));
  EXPECT_EQ(rest, "next");
  // Redefining one of the ten still works.
  EXPECT_TRUE(f.define("m3 {", "1, 4, \"a\", \"0\"\n}\n"));
}

TEST(ListModel, FieldsBeyondTheHundredthAreDropped) {
  Fixture f;
  std::string body;
  for (int i = 0; i < 105; ++i) body += "1, 4, \"f" + std::to_string(i) + "\", \"0\"\n";
  body += "}\n";
  ASSERT_TRUE(f.define("grand {", body));
  const ListModel& m = f.model("grand");
  ASSERT_EQ(m.fields.size(), kMaxModelFields);
  EXPECT_EQ(m.fields.back().name, "f99");
  EXPECT_EQ(m.objectSize(), 12 + 400);
  ASSERT_EQ(f.dialogs.entries().size(), 1u);
  EXPECT_EQ(f.dialogs.entries()[0].text,
            "Le modèle grand a plus de 100 paramètres: les suivants sont ignorés.");
  ListModel& g = f.lib.models.back();
  EXPECT_FALSE(AddModelField(g, "new", kFieldInteger, 4));
  EXPECT_TRUE(AddModelField(g, "f5", kFieldRaw, 0));  // replacing is still possible
  EXPECT_EQ(g.fields[5].size, 4);
  EXPECT_EQ(g.fields[5].kind, kFieldRaw);
}

TEST(ListModel, DefinitionWidthsAndSizesAreBounded) {
  Fixture f;
  ASSERT_TRUE(f.define("bornes {", "1, 4, \"" + std::string(40, 'n') + "\", \"" +
                                       std::string(20, 'd') + "\"\n2, 99999, \"big\", \"\"\n}\n"));
  const ListModel& m = f.model("bornes");
  EXPECT_EQ(m.fields[0].name, std::string(31, 'n'));
  EXPECT_EQ(m.fields[0].defaultValue, std::string(15, 'd'));
  EXPECT_EQ(m.fields[1].size, kMaxFieldSize);
}

TEST(ListModel, SelectingAnUnknownModelKeepsTheCurrentOne) {
  Fixture f;
  EXPECT_FALSE(SelectModel(f.lib, "nulle part", f.dialogs));
  EXPECT_EQ(CurrentModel(f.lib).name, "Default");
  ASSERT_EQ(f.dialogs.entries().size(), 1u);
  EXPECT_EQ(f.dialogs.entries()[0].text, "Modèle nulle part non-trouvé");
  platform::TextLines lines("}\n");
  EXPECT_FALSE(DefineModel(f.lib, "", lines, f.dialogs));
  EXPECT_EQ(f.dialogs.entries().back().text,
            "Vous avez oublié le { d'ouverture du format (sur la même ligne).");
}

TEST(ListModel, NarrowIntegerFieldsStayInsideTheirBytes) {
  std::vector<uint8_t> object(14, 0);
  WriteObjectWord(object, 12, -2, 2);
  EXPECT_EQ(ReadObjectWord(object, 12, 2), -2);
  WriteObjectWord(object, 12, 5, 4);  // would leave the object: nothing written
  EXPECT_EQ(ReadObjectWord(object, 12, 4), 0);
  EXPECT_EQ(ReadObjectWord(object, 12, 2), -2);
  WriteObjectText(object, 12, 2, "abc");
  EXPECT_EQ(ReadObjectText(object, 12, 2), "a");
  EXPECT_EQ(ParseObjectInteger(" -0x10"), -16);
  EXPECT_EQ(ParseObjectInteger("42}"), 42);
}
