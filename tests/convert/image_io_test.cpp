#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "convert/drawing_state.h"
#include "convert/gba_modes.h"
#include "convert/image_codecs.h"
#include "convert/image_loader.h"
#include "convert/image_saver.h"
#include "convert/surface.h"
#include "platform/recording_platform.h"
#include "test_support/temp_dir.h"

using namespace convert;

namespace {

struct Surfaces {
  Surface loading, work, editor;
  DrawingState drawing;
  platform::RecordingDialogs dialogs;
  LoadSurfaces use(Surface* destination) { return {loading, work, drawing, destination}; }
};

std::string Write(const testsupport::TempDir& dir, const std::string& name,
                  const ImageToEncode& image) {
  std::string bytes;
  EXPECT_TRUE(EncodeBmp(image, bytes));
  testsupport::WriteFile(dir.file(name), bytes);
  return dir.file(name);
}

DecodedImage Reload(const std::string& path) {
  const std::string bytes = testsupport::ReadFile(path);
  DecodedImage image;
  EXPECT_TRUE(DecodeImage({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, image))
      << path;
  return image;
}

}  // namespace

TEST(ImageLoading, FillsTheSurfacesAndTheSourcePalette) {
  Surfaces s;
  LoadRequest request{testsupport::DataPath("engine/images/wizard8.bmp"), &kGbaColourModes[1]};
  LoadSurfaces surfaces = s.use(&s.work);
  LoadedImage loaded;
  ASSERT_TRUE(LoadImage(request, surfaces, s.dialogs, loaded));
  EXPECT_EQ(loaded.width, 48);
  EXPECT_EQ(loaded.height, 64);
  EXPECT_EQ(s.loading.visibleWidth, 48);
  EXPECT_EQ(s.loading.bitCount, 32);
  EXPECT_EQ(s.work.visibleHeight, 64);
  EXPECT_TRUE(s.work.keepSize);
  EXPECT_EQ(s.drawing.surface, &s.work);
  ASSERT_EQ(loaded.palette.colours.size(), 256u);
  EXPECT_GT(loaded.palette.usedEntries, 200);
  EXPECT_LE(loaded.palette.usedEntries, 256);
  // The work surface holds the loaded pixels.
  EXPECT_EQ(s.work.at(10, 20), s.loading.at(10, 20));
  EXPECT_EQ(s.loading.at(10, 20) >> 24, 255u);
}

TEST(ImageLoading, CountsOnlyThePaletteEntriesThePixelsUse) {
  testsupport::TempDir dir;
  std::vector<uint32_t> palette(256);
  for (size_t i = 0; i < palette.size(); ++i) palette[i] = static_cast<uint32_t>(i * 0x010203);
  std::vector<uint32_t> indices = {0, 1, 2, 3, 4, 4, 0, 2};
  const std::string file = Write(dir, "five.bmp", {4, 2, indices, palette});
  Surfaces s;
  LoadSurfaces surfaces = s.use(nullptr);
  LoadedImage loaded;
  ASSERT_TRUE(LoadImage({file, &kGbaColourModes[1]}, surfaces, s.dialogs, loaded));
  EXPECT_EQ(loaded.palette.colours.size(), 256u);
  EXPECT_EQ(loaded.palette.usedEntries, 5);
  EXPECT_EQ(s.drawing.surface, &s.loading);
  // The first entry of a colour counts: a palette that repeats black.
  std::vector<uint32_t> repeated = {0x123456, 0, 0};
  const std::vector<uint32_t> pixels = {0xFF000000u};
  EXPECT_EQ(CountUsedPaletteEntries(repeated, pixels.data(), 1), 2);
  EXPECT_EQ(CountUsedPaletteEntries(repeated, nullptr, 0), 0);
}

TEST(ImageLoading, TheMaskColourBecomesTransparentAndEveryOtherColourOpaque) {
  testsupport::TempDir dir;
  const std::vector<uint32_t> pixels = {0xFF00FE, 0x000000, 0xFF00FF, 0x102030};
  const std::string file = Write(dir, "mask.bmp", {4, 1, pixels, {}});
  Surfaces s;
  LoadSurfaces surfaces = s.use(&s.work);
  LoadedImage loaded;
  ASSERT_TRUE(LoadImage({file, &kGbaColourModes[1]}, surfaces, s.dialogs, loaded));
  EXPECT_TRUE(loaded.palette.colours.empty());
  EXPECT_EQ(s.loading.at(0, 0), 0u);
  EXPECT_EQ(s.loading.at(1, 0), 0xFF000000u);  // black stays a colour
  EXPECT_EQ(s.loading.at(2, 0), 0xFFFF00FFu);
  EXPECT_EQ(s.work.at(0, 0), 0u);
  // Another mask colour.
  LoadRequest request{file, &kGbaColourModes[1], {0x10, 0x20, 0x30}};
  ASSERT_TRUE(LoadImage(request, surfaces, s.dialogs, loaded));
  EXPECT_EQ(s.loading.at(0, 0), 0xFFFF00FEu);
  EXPECT_EQ(s.loading.at(3, 0), 0u);
  // The 32-bit mode has no mask transparency.
  ASSERT_TRUE(LoadImage({file, &kGbaColourModes[3]}, surfaces, s.dialogs, loaded));
  EXPECT_EQ(s.loading.at(0, 0), 0xFFFF00FEu);
}

TEST(ImageLoading, AHalftonePreviewLeavesTheDestinationAlone) {
  Surfaces s;
  ASSERT_TRUE(ResizeSurface(s.editor, 48, 64, true, 0, s.dialogs));
  s.editor.at(0, 0) = 0x12345678;
  LoadRequest request{testsupport::DataPath("engine/images/wizard8.bmp"), &kGbaColourModes[1]};
  request.halftonePreview = true;
  LoadSurfaces surfaces = s.use(&s.editor);
  LoadedImage loaded;
  ASSERT_TRUE(LoadImage(request, surfaces, s.dialogs, loaded));
  EXPECT_EQ(s.editor.at(0, 0), 0x12345678u);
  EXPECT_EQ(s.drawing.surface, &s.loading);
  request.halftonePreview = false;
  ASSERT_TRUE(LoadImage(request, surfaces, s.dialogs, loaded));
  EXPECT_EQ(s.editor.at(0, 0), s.loading.at(0, 0));
  EXPECT_EQ(s.drawing.surface, &s.editor);
}

TEST(ImageLoading, AFileThatCannotBeDecodedFailsAndLeavesTheSurfaces) {
  testsupport::TempDir dir;
  testsupport::WriteFile(dir.file("bad.png"), std::string("\x89PNG\r\n\x1a\nbroken", 14));
  Surfaces s;
  ASSERT_TRUE(ResizeSurface(s.loading, 5, 5, true, 0, s.dialogs));
  s.loading.at(1, 1) = 7;
  LoadSurfaces surfaces = s.use(&s.work);
  LoadedImage loaded;
  EXPECT_FALSE(LoadImage({dir.file("bad.png"), &kGbaColourModes[1]}, surfaces, s.dialogs, loaded));
  EXPECT_FALSE(
      LoadImage({dir.file("missing.png"), &kGbaColourModes[1]}, surfaces, s.dialogs, loaded));
  EXPECT_EQ(s.loading.visibleWidth, 5);
  EXPECT_EQ(s.loading.at(1, 1), 7u);
  EXPECT_TRUE(s.dialogs.entries().empty());
  EXPECT_EQ(kImageLoadFailedText, "Impossible de charger le fichier bitmap spécifié");
}

TEST(ImageLoading, TheMemoryLimitShrinksOnlyTheLoadingSurface) {
  Surfaces s;
  LoadRequest request{testsupport::DataPath("engine/images/wizard8.bmp"), &kGbaColourModes[1]};
  request.memoryLimit = 32 * 32 * 4;
  LoadSurfaces surfaces = s.use(&s.work);
  LoadedImage loaded;
  ASSERT_TRUE(LoadImage(request, surfaces, s.dialogs, loaded));
  EXPECT_EQ(loaded.width, 48);
  EXPECT_LT(s.loading.visibleWidth, 48);
  EXPECT_EQ(s.work.visibleWidth, 48);
}

TEST(ImageSaving, TheExtensionChoosesTheEncoderExactly) {
  EXPECT_EQ(EncoderMimeType("png"), "image/png");
  EXPECT_EQ(EncoderMimeType("jpg"), "image/jpeg");
  EXPECT_EQ(EncoderMimeType("jpeg"), "image/jpeg");
  EXPECT_EQ(EncoderMimeType("bmp"), "image/bmp");
  EXPECT_EQ(EncoderMimeType("gif"), "image/gif");
  EXPECT_EQ(EncoderMimeType("tiff"), "image/tiff");
  EXPECT_EQ(EncoderMimeType("PNG"), "");
  EXPECT_EQ(EncoderMimeType("tif"), "");
  EXPECT_EQ(SavedImageFileName("a.png"), "a.png");
  EXPECT_EQ(SavedImageFileName("a.PNG"), "a.PNG.bmp");
  EXPECT_EQ(SavedImageFileName("a.tif"), "a.tif.bmp");
  EXPECT_EQ(SavedImageFileName("noext"), "noext.bmp");
  EXPECT_EQ(SavedImageFileName("dir.d/file"), "dir.d/file.bmp");
}

TEST(ImageSaving, WritesEachFormatUnderTheNameItChose) {
  testsupport::TempDir dir;
  const std::vector<uint32_t> pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  const ImageToEncode image{2, 2, pixels, {}};
  ASSERT_TRUE(SaveImage(image, dir.file("upper.PNG")));
  EXPECT_EQ(testsupport::ReadFile(dir.file("upper.PNG.bmp")).substr(0, 2), "BM");
  EXPECT_FALSE(std::filesystem::exists(dir.file("upper.PNG")));
  ASSERT_TRUE(SaveImage(image, dir.file("three.tif")));
  EXPECT_EQ(testsupport::ReadFile(dir.file("three.tif.bmp")).substr(0, 2), "BM");
  ASSERT_TRUE(SaveImage(image, dir.file("four.tiff")));
  EXPECT_EQ(testsupport::ReadFile(dir.file("four.tiff")).substr(0, 2), "II");
  ASSERT_TRUE(SaveImage(image, dir.file("p.png")));
  EXPECT_EQ(Reload(dir.file("p.png")).pixels[3], 0xFFFFFFFFu);
  ASSERT_TRUE(SaveImage(image, dir.file("j.jpeg")));
  EXPECT_EQ(testsupport::ReadFile(dir.file("j.jpeg")).substr(0, 2), "\xFF\xD8");
  ASSERT_TRUE(SaveImage(image, dir.file("g.gif")));
  EXPECT_EQ(Reload(dir.file("g.gif")).pixels[0], 0xFFFF0000u);
  // A file that cannot be written is a failure, not a crash.
  EXPECT_FALSE(SaveImage(image, dir.file("no/such/dir/x.png")));
}

TEST(ImageSaving, AnIndexedSurfaceKeepsItsPalette) {
  testsupport::TempDir dir;
  platform::RecordingDialogs dialogs;
  Surface surface;
  ASSERT_TRUE(ResizeSurface(surface, 3, 2, true, 0, dialogs));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) surface.at(x, y) = static_cast<uint32_t>(x + 3 * y);
  // Only four colours for six indices: the missing ones are saved as black.
  const std::vector<uint32_t> palette = {0x112233, 0x445566, 0x778899, 0xAABBCC};
  ASSERT_TRUE(SaveSurfaceImage(surface, palette, dir.file("s.png")));
  DecodedImage back = Reload(dir.file("s.png"));
  ASSERT_EQ(back.width, 3);
  ASSERT_GE(back.palette.size(), 6u);
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(back.palette[i] & 0xFFFFFF, palette[i]);
  EXPECT_EQ(back.pixels[1], 0xFF445566u);
  EXPECT_EQ(back.pixels[5], 0xFF000000u);
}

TEST(ImageLoading, DrawsAPictureFileOntoASurfaceClippedToIt) {
  platform::RecordingDialogs dialogs;
  Surface small;
  ASSERT_TRUE(ResizeSurface(small, 10, 10, true, 0, dialogs));
  const std::string file = testsupport::DataPath("engine/images/rose.png");
  ASSERT_TRUE(DrawImageFile(file, &small));
  EXPECT_EQ(small.at(9, 9) >> 24, 255u);
  EXPECT_TRUE(DrawImageFile(file, nullptr));
  EXPECT_FALSE(DrawImageFile(testsupport::DataPath("engine/images/none.png"), &small));
}

namespace {

// A picture cut short still loads (what is missing is filled in), but the
// user is told which file it was.
struct CutCase {
  const char* name;
  const char* file;  // under tests/data/engine/images
  double kept;       // the part of the file kept
  bool warned;
};

class CutPicture : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutPicture, LoadsWithAWarningNamingTheFile) {
  const CutCase& c = GetParam();
  testsupport::TempDir dir;
  std::string bytes =
      testsupport::ReadFile(testsupport::DataPath(std::string("engine/images/") + c.file));
  std::string path = dir.file(std::string("cut_") + c.file);
  testsupport::WriteFile(path, bytes.substr(0, static_cast<size_t>(bytes.size() * c.kept)));
  Surfaces s;
  LoadSurfaces surfaces = s.use(&s.work);
  LoadedImage loaded;
  ASSERT_TRUE(LoadImage({path, &kGbaColourModes[1]}, surfaces, s.dialogs, loaded));
  if (!c.warned) {
    EXPECT_TRUE(s.dialogs.entries().empty());
    return;
  }
  ASSERT_EQ(s.dialogs.entries().size(), 1u);
  EXPECT_NE(s.dialogs.entries()[0].text.find(path), std::string::npos);
  EXPECT_EQ(s.dialogs.entries()[0].caption, "Attention");
}

const CutCase kCutCases[] = {
    {"WholeJpeg", "wizard.jpg", 1.0, false},
    {"JpegCutInItsScan", "wizard.jpg", 0.8, true},  // its first 3.5 kB are header
    {"WholeRleBmp", "wizard_rle8.bmp", 1.0, false},
    {"RleBmpCutInItsRows", "wizard_rle8.bmp", 0.3, true},
};

INSTANTIATE_TEST_SUITE_P(ImageLoading, CutPicture, ::testing::ValuesIn(kCutCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A 64-byte RLE bitmap that claims 16384 × 16384 pixels is refused before
// anything is decoded. The load runs in a child whose address space is held
// to 1 GB, as on a small machine.
TEST(ImageLoading, AHugeClaimedSizeIsRefusedBeforeDecoding) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer reserves more address space than the limit";
#else
  testsupport::TempDir dir;
  std::string bmp(64, '\0');
  auto put32 = [&](size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) bmp[at + k] = static_cast<char>(v >> (8 * k));
  };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put32(2, 64);
  put32(10, 62);     // pixels after a two-entry palette
  put32(14, 40);     // info header
  put32(18, 16384);  // width
  put32(22, 16384);  // height
  bmp[26] = 1;       // planes
  bmp[28] = 8;       // bits per pixel
  put32(30, 1);      // RLE8
  bmp[62] = 0;       // end of picture
  bmp[63] = 1;
  std::string path = dir.file("huge.bmp");
  testsupport::WriteFile(path, bmp);

  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    struct rlimit limit {
      1ull << 30, 1ull << 30
    };
    setrlimit(RLIMIT_AS, &limit);
    Surfaces s;
    LoadSurfaces surfaces = s.use(&s.work);
    LoadedImage loaded;
    LoadRequest request{path, &kGbaColourModes[1]};
    request.memoryLimit = 33554432;  // the default of system.memoiremax
    bool ok = LoadImage(request, surfaces, s.dialogs, loaded);
    _exit(ok ? 2 : 0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status)) << "the load died (signal " << WTERMSIG(status) << ")";
  EXPECT_EQ(WEXITSTATUS(status), 0);
#endif
}

}  // namespace
