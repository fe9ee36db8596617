// The files of one conversion are replaced together or not at all, and a
// destination the project cannot hold is refused, never cut.
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "batch_fixture.h"
#include "convert/image_saver.h"
#include "platform/text_lines.h"
#include "script/interpreter.h"

namespace {

namespace fs = std::filesystem;
using scripttest::BatchFixture;

// A 32 × 32 picture of four different 16 × 16 tiles in four colours.
void WritePicture(const std::string& path, uint32_t shift) {
  std::vector<uint32_t> pixels(32 * 32);
  for (size_t i = 0; i < pixels.size(); ++i) {
    size_t x = i % 32, y = i / 32;
    pixels[i] = 0x101010u * static_cast<uint32_t>(((x / 16) + 2 * (y / 16) + shift) % 4 + 1);
  }
  ASSERT_TRUE(convert::SaveImage({32, 32, pixels, {}}, path));
}

class ConversionFiles : public BatchFixture {
 protected:
  ConversionFiles() { Run("projet.tpj", "fin"); }
  void statements(std::string text) {
    platform::TextLines lines(std::move(text));
    script::ExecuteScript(*w, lines);
  }
  std::string read(const char* name) { return testsupport::ReadFile(dir.path() / name); }
  bool leftovers() {
    for (const auto& e : fs::recursive_directory_iterator(dir.path()))
      if (e.path().filename().string().find(".~") != std::string::npos) return true;
    return false;
  }
};

struct Obstacle {
  const char* name;
  // Makes the next write of the tileset fail; false when it cannot here.
  bool (*set)(const fs::path& dir);
  void (*clear)(const fs::path& dir);
};

const Obstacle kObstacles[] = {
    {"ReadOnlyTileset",
     [](const fs::path& d) {
       fs::permissions(d / "out/hero.til.c", fs::perms::owner_read);
       return true;
     },
     [](const fs::path&) {}},
    {"FullDisk",
     [](const fs::path& d) {
       // The outputs move to a small file system with room for two more
       // small files: the new map and tileset fit, the palette does not.
       fs::path out = d / "out";
       std::vector<std::pair<std::string, std::string>> kept;
       for (const auto& e : fs::directory_iterator(out))
         kept.emplace_back(e.path().filename().string(), testsupport::ReadFile(e.path()));
       if (::mount("tmpfs", out.c_str(), "tmpfs", 0, "size=64k") != 0) return false;
       for (const auto& [name, bytes] : kept) testsupport::WriteFile(out / name, bytes);
       struct statvfs vfs {};
       ::statvfs(out.c_str(), &vfs);
       size_t page = vfs.f_bsize;
       size_t free = static_cast<size_t>(vfs.f_bavail) * page;
       testsupport::WriteFile(out / "filler", std::string(free - 2 * page, 'f'));
       return true;
     },
     [](const fs::path& d) { ::umount((d / "out").c_str()); }},
};

class ConversionObstacle : public ConversionFiles,
                           public ::testing::WithParamInterface<Obstacle> {};

TEST_P(ConversionObstacle, LeavesEveryFileOfTheConversionAsItWas) {
  fs::create_directory(dir.path() / "out");
  WritePicture(dir.file("hero.png"), 0);
  statements("conv tset src=hero.png dst=out/hero map=out/hero pal=out/hero col=16 tdim=16x16\n");
  ASSERT_TRUE(dialogs.entries().empty()) << dialogs.entries().front().text;
  std::string map = read("out/hero.map.c"), tiles = read("out/hero.til.c");
  std::string palette = read("out/hero.pal.c");

  if (!GetParam().set(dir.path())) GTEST_SKIP() << "no tmpfs can be mounted here";
  WritePicture(dir.file("hero.png"), 1);  // other tiles, another map
  statements("conv tset src=hero.png dst=out/hero map=out/hero pal=out/hero col=16 tdim=16x16\n");
  EXPECT_FALSE(dialogs.entries().empty());  // the failure is reported
  EXPECT_EQ(read("out/hero.map.c"), map);
  EXPECT_EQ(read("out/hero.til.c"), tiles);
  EXPECT_EQ(read("out/hero.pal.c"), palette);
  EXPECT_FALSE(leftovers());
  GetParam().clear(dir.path());
}

INSTANTIATE_TEST_SUITE_P(Conversion, ConversionObstacle, ::testing::ValuesIn(kObstacles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConversionFiles, ADestinationTooLongForTheProjectIsRefusedNotCut) {
  WritePicture(dir.file("hero.png"), 0);
  std::string longName(270, 'd');
  statements("conv tset src=hero.png dst=" + longName + " col=16 tdim=16x16\n");
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_NE(dialogs.entries()[0].text.find("259"), std::string::npos);
  EXPECT_EQ(w->project.count(), 0u);
  size_t files = 0;
  for (const auto& e : fs::directory_iterator(dir.path()))
    if (e.path().filename().string().starts_with("ddd")) ++files;
  EXPECT_EQ(files, 0u);
}

}  // namespace

namespace {

// A conversion that builds on an existing palette or tileset whose file holds
// nothing stops and says which element it was.
struct ExistingCase {
  const char* name;
  const char* emptied;  // the file emptied after the first conversion
  const char* items;    // what the second conversion builds on
};

class EmptyExisting : public ConversionFiles, public ::testing::WithParamInterface<ExistingCase> {};

TEST_P(EmptyExisting, StopsTheConversionWithAMessage) {
  const ExistingCase& c = GetParam();
  WritePicture(dir.file("hero.png"), 0);
  statements("conv tset src=hero.png col=16 tdim=16x16\n");
  ASSERT_TRUE(dialogs.entries().empty()) << dialogs.entries().front().text;
  testsupport::WriteFile(dir.path() / c.emptied, "");
  statements(std::string("conv tset src=hero.png dst=suite ") + c.items + " tdim=16x16\n");
  ASSERT_FALSE(dialogs.entries().empty());
  EXPECT_NE(dialogs.entries().back().text.find(c.emptied), std::string::npos)
      << dialogs.entries().back().text;
  EXPECT_FALSE(fs::exists(dir.path() / "suite.til.c"));
}

const ExistingCase kExistingCases[] = {
    {"Palette", "hero.pal.c", "!upal=hero"},
    {"Tileset", "hero.til.c", "!util=hero"},
};

INSTANTIATE_TEST_SUITE_P(Conversion, EmptyExisting, ::testing::ValuesIn(kExistingCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
