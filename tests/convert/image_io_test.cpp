#include <gtest/gtest.h>

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
  LoadSurfaces Use(Surface* destination) { return {loading, work, drawing, destination}; }
};

std::string Write(const testsupport::TempDir& dir, const std::string& name, const ImageToEncode& image) {
  std::string bytes;
  EXPECT_TRUE(EncodeBmp(image, bytes));
  testsupport::WriteFile(dir.file(name), bytes);
  return dir.file(name);
}

DecodedImage Reload(const std::string& path) {
  const std::string bytes = testsupport::ReadFile(path);
  DecodedImage image;
  EXPECT_TRUE(DecodeImage({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, image)) << path;
  return image;
}

}  // namespace

TEST(ImageLoading, FillsTheSurfacesAndTheSourcePalette) {
  Surfaces s;
  LoadRequest request{testsupport::DataPath("engine/images/wizard8.bmp"), &kGbaColourModes[1]};
  LoadSurfaces surfaces = s.Use(&s.work);
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
  EXPECT_EQ(s.work.At(10, 20), s.loading.At(10, 20));
  EXPECT_EQ(s.loading.At(10, 20) >> 24, 255u);
}

TEST(ImageLoading, CountsOnlyThePaletteEntriesThePixelsUse) {
  testsupport::TempDir dir;
  std::vector<uint32_t> palette(256);
  for (size_t i = 0; i < palette.size(); ++i) palette[i] = static_cast<uint32_t>(i * 0x010203);
  std::vector<uint32_t> indices = {0, 1, 2, 3, 4, 4, 0, 2};
  const std::string file = Write(dir, "five.bmp", {4, 2, indices, palette});
  Surfaces s;
  LoadSurfaces surfaces = s.Use(nullptr);
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
  LoadSurfaces surfaces = s.Use(&s.work);
  LoadedImage loaded;
  ASSERT_TRUE(LoadImage({file, &kGbaColourModes[1]}, surfaces, s.dialogs, loaded));
  EXPECT_TRUE(loaded.palette.colours.empty());
  EXPECT_EQ(s.loading.At(0, 0), 0u);
  EXPECT_EQ(s.loading.At(1, 0), 0xFF000000u);  // black stays a colour
  EXPECT_EQ(s.loading.At(2, 0), 0xFFFF00FFu);
  EXPECT_EQ(s.work.At(0, 0), 0u);
  // Another mask colour.
  LoadRequest request{file, &kGbaColourModes[1], {0x10, 0x20, 0x30}};
  ASSERT_TRUE(LoadImage(request, surfaces, s.dialogs, loaded));
  EXPECT_EQ(s.loading.At(0, 0), 0xFFFF00FEu);
  EXPECT_EQ(s.loading.At(3, 0), 0u);
  // The 32-bit mode has no mask transparency.
  ASSERT_TRUE(LoadImage({file, &kGbaColourModes[3]}, surfaces, s.dialogs, loaded));
  EXPECT_EQ(s.loading.At(0, 0), 0xFFFF00FEu);
}

TEST(ImageLoading, AHalftonePreviewLeavesTheDestinationAlone) {
  Surfaces s;
  ASSERT_TRUE(ResizeSurface(s.editor, 48, 64, true, 0, s.dialogs));
  s.editor.At(0, 0) = 0x12345678;
  LoadRequest request{testsupport::DataPath("engine/images/wizard8.bmp"), &kGbaColourModes[1]};
  request.halftonePreview = true;
  LoadSurfaces surfaces = s.Use(&s.editor);
  LoadedImage loaded;
  ASSERT_TRUE(LoadImage(request, surfaces, s.dialogs, loaded));
  EXPECT_EQ(s.editor.At(0, 0), 0x12345678u);
  EXPECT_EQ(s.drawing.surface, &s.loading);
  request.halftonePreview = false;
  ASSERT_TRUE(LoadImage(request, surfaces, s.dialogs, loaded));
  EXPECT_EQ(s.editor.At(0, 0), s.loading.At(0, 0));
  EXPECT_EQ(s.drawing.surface, &s.editor);
}

TEST(ImageLoading, AFileThatCannotBeDecodedFailsAndLeavesTheSurfaces) {
  testsupport::TempDir dir;
  testsupport::WriteFile(dir.file("bad.png"), std::string("\x89PNG\r\n\x1a\nbroken", 14));
  Surfaces s;
  ASSERT_TRUE(ResizeSurface(s.loading, 5, 5, true, 0, s.dialogs));
  s.loading.At(1, 1) = 7;
  LoadSurfaces surfaces = s.Use(&s.work);
  LoadedImage loaded;
  EXPECT_FALSE(LoadImage({dir.file("bad.png"), &kGbaColourModes[1]}, surfaces, s.dialogs, loaded));
  EXPECT_FALSE(LoadImage({dir.file("missing.png"), &kGbaColourModes[1]}, surfaces, s.dialogs, loaded));
  EXPECT_EQ(s.loading.visibleWidth, 5);
  EXPECT_EQ(s.loading.At(1, 1), 7u);
  EXPECT_TRUE(s.dialogs.entries().empty());
  EXPECT_EQ(kImageLoadFailedText, "Impossible de charger le fichier bitmap spécifié");
}

TEST(ImageLoading, TheMemoryLimitShrinksOnlyTheLoadingSurface) {
  Surfaces s;
  LoadRequest request{testsupport::DataPath("engine/images/wizard8.bmp"), &kGbaColourModes[1]};
  request.memoryLimit = 32 * 32 * 4;
  LoadSurfaces surfaces = s.Use(&s.work);
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
    for (int x = 0; x < 3; ++x) surface.At(x, y) = static_cast<uint32_t>(x + 3 * y);
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
  EXPECT_EQ(small.At(9, 9) >> 24, 255u);
  EXPECT_TRUE(DrawImageFile(file, nullptr));
  EXPECT_FALSE(DrawImageFile(testsupport::DataPath("engine/images/none.png"), &small));
}
