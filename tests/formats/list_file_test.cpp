// List files: objects sorted on writing, the model named by the file, the
// object limit and the recovery of lists whose model changed.
#include "element_fixture.h"
#include "formats/element_files.h"
#include "formats/list_model.h"
#include "formats/model_definition.h"
#include "platform/text_lines.h"

using namespace formats;
using namespace formatstest;

namespace {

struct Object {
  int32_t x, y, type;
  int32_t life = 0;
  std::string name{};
};

class ListFiles : public ElementFiles {
 protected:
  void defineModel(std::string_view name, std::string_view fields) {
    platform::TextLines lines{std::string(fields) + "}\n"};
    ASSERT_TRUE(formats::DefineModel(lib, "\"" + std::string(name) + "\" {", lines, dialogs));
    ASSERT_TRUE(SelectModel(lib, name, dialogs));
  }

  // The objects laid out by the selected model (x, y, type, then `vie` and
  // `nom` when it has them).
  std::vector<uint8_t> pack(const std::vector<Object>& objects) {
    const ListModel& model = CurrentModel(lib);
    const auto size = static_cast<size_t>(model.objectSize());
    std::vector<uint8_t> bytes(objects.size() * size);
    for (size_t i = 0; i < objects.size(); ++i) {
      std::span<uint8_t> o(bytes.data() + i * size, size);
      WriteObjectWord(o, kObjectX, objects[i].x);
      WriteObjectWord(o, kObjectY, objects[i].y);
      WriteObjectWord(o, kObjectType, objects[i].type);
      if (int f = model.findField("vie"); f >= 0)
        WriteObjectWord(o, static_cast<size_t>(model.fieldOffset(static_cast<size_t>(f))),
                        objects[i].life);
      if (int f = model.findField("nom"); f >= 0)
        WriteObjectText(o, static_cast<size_t>(model.fieldOffset(static_cast<size_t>(f))),
                        static_cast<size_t>(model.fields[static_cast<size_t>(f)].size),
                        objects[i].name);
    }
    return bytes;
  }

  bool write(const project::EntryRecord& list, const std::vector<uint8_t>& bytes, int count,
             ListWriteDetails details = {}) {
    auto c = context();
    return WriteList(c, {list}, {CurrentModel(lib).objectSize(), bytes, count}, details);
  }
};

}  // namespace

TEST_F(ListFiles, DefaultModelListIsWrittenSortedWithACommaAfterEveryObject) {
  auto list = entry("obj.lst.c", "obj", "obj.map.c");
  // Out of order; (3, 1) twice: the later one comes first.
  std::vector<Object> objects = {{5, 0, 1}, {3, 1, 2}, {-2, 9, 3}, {3, 1, 4}, {3, 0, 5}};
  auto bytes = pack(objects);
  auto before = bytes;
  ASSERT_TRUE(write(list, bytes, 5));
  EXPECT_EQ(bytes, before);  // the objects keep their order in memory
  std::string text = read(list);
  EXPECT_EQ(text,
            "//obj.map.c\r\n//Converti avec Tessel Works par "
            "Velmar\r\n//Liste (\"\", \"Default\")\r\n"
            "//Taille: 8*8\r\n//M\xE9moire: 60 octets\r\n\r\n#include "
            "\"def.h\"\r\n\r\n"
            "const unsigned int obj_liste_nbEle=5;\r\n\r\nconst "
            "SPRITE_LISTE obj_liste[]=\t{"
            "\r\n\t{3,-2,9},\r\n\t{5,3,0},\r\n\t{4,3,1},\r\n\t{2,3,1},"
            "\r\n\t{1,5,0},\r\n};\r\n");

  auto c = context();
  ListData back;
  ASSERT_TRUE(ReadList(c, list.file, back));
  EXPECT_EQ(back.modelName, "Default");
  EXPECT_EQ(back.header.type, "SPRITE_LISTE");
  ASSERT_EQ(back.count, 5);
  EXPECT_EQ(back.objects, pack({{-2, 9, 3}, {3, 0, 5}, {3, 1, 4}, {3, 1, 2}, {5, 0, 1}}));
  EXPECT_EQ(back.userTexts[0], "#include \"def.h\"");
  EXPECT_TRUE(messages().empty());
}

TEST_F(ListFiles, IntegerAndRawFieldsComeBackAndTheFileSelectsItsModel) {
  defineModel("Ennemi", "1, 4, \"vie\", \"3\"\n2, 8, \"nom\", \"rien\"\n");
  auto tileset = entry("e.til.c", "e");
  std::vector<uint32_t> pixels(64);
  auto c = context();
  ASSERT_TRUE(WriteTileset(c, {tileset}, Mode(kMode8), pixels, 1, 8, 8, nullptr));
  auto list = entry("e.lst.c", "e");
  std::vector<Object> objects = {{40, 8, 1, 100, "boss"}, {8, 8, 2, -5, "rat"}};
  ListWriteDetails details;
  details.tileset = &tileset;
  details.typeName = "ENNEMI";
  details.tileWidth = 16;
  ASSERT_TRUE(write(list, pack(objects), 2, details));
  EXPECT_NE(read(list).find("//Liste (\"" + tileset.file +
                            "\", \"Ennemi\")\r\n//Taille: 16*8\r\n"
                            "//M\xE9moire: 48 octets"),
            std::string::npos);
  EXPECT_NE(read(list).find("const ENNEMI "
                            "e_liste[]=\t{\r\n\t{2,8,8,-5,rat},\r\n\t{1,40,8,100,boss},"),
            std::string::npos);

  ASSERT_TRUE(SelectModel(lib, "Default", dialogs));
  ListData back;
  ASSERT_TRUE(ReadList(c, list.file, back));
  EXPECT_EQ(CurrentModel(lib).name, "Ennemi");
  EXPECT_EQ(back.objectSize, 24);
  EXPECT_EQ(back.header.tileWidth, 16);
  EXPECT_EQ(back.header.type, "ENNEMI");
  ASSERT_EQ(back.count, 2);
  EXPECT_EQ(back.objects, pack({{8, 8, 2, -5, "rat"}, {40, 8, 1, 100, "boss"}}));
}

TEST_F(ListFiles, AnUnknownModelOrTooManyObjectsRefuseTheList) {
  defineModel("Bonus", "1, 4, \"valeur\", \"0\"\n");
  auto list = entry("b.lst.c", "b");
  ASSERT_TRUE(write(list, pack({{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}}), 4));
  lib.models.pop_back();
  lib.currentModel = 0;
  auto c = context();
  ListData back;
  EXPECT_FALSE(ReadList(c, list.file, back));
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_EQ(dialogs.entries()[0].text,
            "Impossible de spécifier le modèle de paramètres spécifié: Bonus");
  EXPECT_EQ(dialogs.entries()[0].icon, platform::Icon::Error);

  defineModel("Bonus", "1, 4, \"valeur\", \"0\"\n");
  dialogs.clear();
  c.maxObjects = 3;
  EXPECT_FALSE(ReadList(c, list.file, back));
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            "Impossible de charger la liste car elle contient plus d'éléments "
                            "qu'alloués. Modifiez le nombre maximal d'éléments par liste dans "
                            "les "
                            "options."}));
  c.maxObjects = 4;
  ASSERT_TRUE(ReadList(c, list.file, back));
  EXPECT_EQ(back.count, 4);
}

TEST_F(ListFiles, ObjectsOfAnOlderModelAreRecoveredWhenTheUserAgrees) {
  defineModel("Pnj", "1, 4, \"vie\", \"3\"\n");
  auto list = entry("p.lst.c", "p");
  ASSERT_TRUE(write(list, pack({{1, 2, 3, 50}, {4, 5, 6, 60}}), 2));
  // The model gained a field since.
  defineModel("Pnj", "1, 4, \"vie\", \"3\"\n1, 4, \"force\", \"7\"\n");
  const ListModel& model = CurrentModel(lib);
  ASSERT_EQ(model.objectSize(), 20);

  auto c = context();
  ListData back;
  dialogs.queueAnswer(platform::Answer::Cancel);
  EXPECT_FALSE(ReadList(c, list.file, back));
  const auto& question = dialogs.entries().back();
  EXPECT_TRUE(question.isQuestion);
  EXPECT_EQ(question.buttons, platform::Buttons::OkCancel);
  EXPECT_EQ(
      question.text.rfind("Le format de la liste est incorrect, un algorithme plus souple", 0), 0u);

  dialogs.clear();
  dialogs.queueAnswer(platform::Answer::Ok);
  ASSERT_TRUE(ReadList(c, list.file, back));
  EXPECT_TRUE(back.recovered);
  ASSERT_EQ(back.count, 2);
  std::span<const uint8_t> second(back.objects.data() + 20, 20);
  EXPECT_EQ(ReadObjectWord(second, kObjectX), 4);
  EXPECT_EQ(ReadObjectWord(second, kObjectY), 5);
  EXPECT_EQ(ReadObjectWord(second, kObjectType), 6);
  EXPECT_EQ(ReadObjectWord(second, 12), 60);
  EXPECT_EQ(ReadObjectWord(second, 16), 7);  // the new field's default
}

TEST_F(ListFiles, GroupsOfObjectsStartWithTheFirstObject) {
  define("Groupes",
         "list {\n n_every = 2\n every_x = \"/\"\n line = \";\"\n end = \"!\"\n"
         " declaration = \"[%size%]\"\n}\n}\n");
  auto list = entry("g.lst.c", "g");
  ASSERT_TRUE(write(list, pack({{1, 0, 0}, {2, 0, 0}, {3, 0, 0}}), 3));
  EXPECT_EQ(read(list), "[3]/\r\n\t{0,1,0},;\r\n\t{0,2,0},;/\r\n\t{0,3,0},;!");
  auto c = context();
  ListData back;
  ASSERT_TRUE(ReadList(c, list.file, back));
  EXPECT_EQ(back.count, 3);
  EXPECT_EQ(back.objects, pack({{1, 0, 0}, {2, 0, 0}, {3, 0, 0}}));
}
