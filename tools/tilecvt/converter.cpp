#include "tools/tilecvt/converter.h"

#include <algorithm>
#include <vector>

#include "tools/tilecvt/array_text.h"
#include "tools/tilecvt/base_name.h"
#include "tools/tilecvt/image_reader.h"
#include "tools/tilecvt/options.h"
#include "tools/tilecvt/output_file.h"
#include "tools/tilecvt/output_format.h"
#include "tools/tilecvt/output_writers.h"
#include "tools/tilecvt/palette.h"
#include "tools/tilecvt/report.h"
#include "tools/tilecvt/tile_map.h"
#include "tools/tilecvt/tiles.h"
#include "tools/tilecvt/usage.h"

namespace tilecvt {
namespace {

constexpr const char* kTitle = "tilecvt Converter v0.14";
constexpr const char* kAuthors = "by the Tessel Works developers";

struct InputFile {
  std::string argument;
  std::string baseName;
  IndexedImage image;
  PaletteRecord palette;
};

// Everything one run owns: the settings, the master palette shared by all
// images, the images with their own palettes, and the report.
struct Run {
  Settings settings;
  Report& report;
  PaletteRecord master;
  std::vector<InputFile> files;
  int coloursBefore = 0;
};

struct TileLimit {
  int count;
  const char* tooMany;
  const char* offsetTooLarge;
};

constexpr TileLimit kTextLimit = {1024, "\n%snumber of tiles (%d) exceeds 1024!\n",
                                  "\n%sadding offset %d will exceed max tile index of 1024!\n"};
constexpr TileLimit kRotateScaleLimit = {
    256, "\n%snumber of tiles (%d) exceeds 256!\n",
    "\n%sadding offset %d will exceed max tile index of 256!\n"};

std::string WithForwardSlashes(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::string OutputPath(const Settings& settings, const std::string& baseName,
                       const std::string& suffix) {
  return settings.outputDirectory + baseName + suffix + FormatOf(settings.format).extension;
}

void FinishLine(Run& run, int result, const std::string& path) {
  run.report.progress(" ... %s\n", result == 0 ? "ok" : "FAILED!");
  if (result == 0) return;
  run.report.markFailed();
  // Quiet mode hides the progress line, never a file that is missing.
  if (run.report.quiet()) run.report.error("%scouldn't write %s\n", kErrorPrefix, path.c_str());
}

// Tiles, maps and an image's own palette exist only as arrays or raw data.
int RefuseFormat(Run& run, const char* unknownText) {
  const FormatInfo& info = FormatOf(run.settings.format);
  if (run.settings.format == OutputFormat::Object)
    run.report.error("%snot (yet) supported output format: %s\n", kErrorPrefix, info.name);
  else
    run.report.error(unknownText, kErrorPrefix, static_cast<int>(run.settings.format));
  return -1;
}

bool ReadImage(Run& run, InputFile& file) {
  const Settings& settings = run.settings;
  Report& report = run.report;
  report.progress("Reading: %-24s ", file.argument.c_str());
  ImageError error = LoadImage(file.argument, file.image);
  if (error != ImageError::None) {
    report.error("\n%s%s\n", kErrorPrefix, ImageErrorText(error));
    return false;
  }
  IndexedImage& image = file.image;
  report.progress("(%3dx%3d pixel, %3d colors)\n", image.width, image.height, image.colours);

  PaletteRecord& palette = file.palette;
  PreparePalette(palette);
  LoadFilePalette(palette, image);
  if (settings.transparentColour != 0)
    ApplyTransparentColour(image, palette, settings.transparentColour);
  const bool trueColour = settings.colourCount == kTrueColour;
  if (!trueColour && !settings.noMerge) {
    int used = MarkUsed(palette, image);
    run.coloursBefore += used;
    if (used > settings.colourCount) {
      report.error("\n%simage has %d unique colors, but max. color count is %d!\n\n", kErrorPrefix,
                   used, settings.colourCount);
      return false;
    }
    if (!MergePalette(palette, run.master, report)) return false;
    if (CountUsed(run.master) > settings.colourCount) {
      report.error("\n%smaster palette exceeds max. color count of %d!\n\n", kErrorPrefix,
                   settings.colourCount);
      return false;
    }
    RemapPixels(image, palette);
  }
  // True colour looks every pixel up in the file palette: an offset would
  // only pick other colours.
  if (settings.colourOffset != 0 && !trueColour)
    AddColourOffset(image, settings.colourOffset, settings.forceColourOffset);
  ClearUnsetColours(palette);
  return true;
}

void WriteWithMap(Run& run, InputFile& file, size_t columns, size_t rows) {
  const Settings& settings = run.settings;
  Report& report = run.report;
  IndexedImage& image = file.image;
  const auto size = static_cast<size_t>(settings.tileSize);
  const size_t tileBytes = size * size;
  const size_t tileCount = image.pixelCount() / tileBytes;

  TileMap map = BuildMap(image.pixels.data(), tileCount, settings.tileSize, columns, rows,
                         {settings.optimiseMap, settings.blankTilesOnly, settings.checkFlipped});
  if (settings.tilesAsColumns) KeptTilesAsColumns(map);
  ComposeEntries(map);
  report.progress("Number of tiles before optimization: %04d\n", static_cast<int>(map.tileCount()));
  report.progress("Number of tiles after  optimization: %04d\n", static_cast<int>(map.keptCount()));

  const TileLimit& limit = settings.rotateScale ? kRotateScaleLimit : kTextLimit;
  const auto kept = static_cast<long long>(map.keptCount());
  if (kept > limit.count)
    report.warning(limit.tooMany, kWarningPrefix, static_cast<int>(kept));
  else if (kept + settings.vramOffset > limit.count)
    report.warning(limit.offsetTooLarge, kWarningPrefix, settings.vramOffset);

  if (settings.vramOffset != 0) AddVramOffset(map, settings.vramOffset);
  if (settings.bank != 0) SetBank(map, settings.bank);
  if (settings.mapColumnOrder) MapColumnOrder(map);
  if (settings.metatiledMap && !MapInBlocks(map))
    report.warning("\n%seither height or width is not a multiple of 256!\n", kWarningPrefix);

  const ArrayForm form = FormatOf(settings.format).form;
  if (settings.saveTiles) {
    BlockOutput output{OutputPath(settings, file.baseName, settings.tileSuffix),
                       ArrayName(file.baseName, "_Tiles"),
                       {},
                       settings.compressTiles};
    report.progress("Saving tiled raw bitmap data to: %s", output.path.c_str());
    int result;
    if (form == ArrayForm::None) {
      result = RefuseFormat(run, "%sunknown outputformat (ID=%d)?!\n\n");
    } else {
      DataBlock block = PixelBlock(KeptTilePixels(map, image.pixels, tileBytes),
                                   settings.colourCount, file.palette);
      output.header = DataHeader(form, file.baseName, block.bytes.size());
      result = WriteBlock(output, block, form, settings, report);
    }
    FinishLine(run, result, output.path);
  }
  if (settings.saveMap) {
    BlockOutput output{OutputPath(settings, file.baseName, settings.mapSuffix),
                       ArrayName(file.baseName, "_Map"), MapHeader(form, map.columns, map.rows),
                       settings.compressMap};
    report.progress("Saving map data to: %s", output.path.c_str());
    int result = form == ArrayForm::None ? RefuseFormat(run, "%sunknown outputformat (ID=%d)?!\n\n")
                                         : WriteBlock(output, MapBlock(map, settings.rotateScale),
                                                      form, settings, report);
    FinishLine(run, result, output.path);
  }
}

void WriteBitmap(Run& run, InputFile& file, size_t columns, size_t rows) {
  const Settings& settings = run.settings;
  Report& report = run.report;
  IndexedImage& image = file.image;
  const auto size = static_cast<size_t>(settings.tileSize);
  if (settings.tilesAsColumns) BlocksAsColumns(image.pixels, size * size, columns, rows);
  if (!settings.saveTiles) return;

  BlockOutput output{OutputPath(settings, file.baseName, settings.tileSuffix),
                     ArrayName(file.baseName, "_Bitmap"),
                     {},
                     settings.compressTiles};
  report.progress(size >= 2 ? "Saving tiled bitmap data to: %s" : "Saving bitmap data to: %s",
                  output.path.c_str());
  const ArrayForm form = FormatOf(settings.format).form;
  int result = -1;
  if (settings.format == OutputFormat::Tim) {
    // TIM holds 8-bit pixels with their colour table; anything else has no TIM form.
    if (settings.colourCount != 256) {
      report.error("%snot (yet) supported output format: %s\n", kErrorPrefix,
                   FormatOf(settings.format).name);
    } else {
      // A compressed table or image would no longer be a TIM.
      if (settings.compressTiles)
        report.warning("%scouldn't compress %s, saving normal!", kWarningPrefix,
                       output.arrayName.c_str());
      PaletteRecord& table = settings.noMerge ? file.palette : run.master;
      result = WriteOutputFile(output.path, TimFile(image, table)) ? 0 : -1;
    }
  } else if (form == ArrayForm::None) {
    result = RefuseFormat(run, "%sunknown outputformat (ID=%d)?!\n\n");
  } else {
    // The pixels are written once and not needed afterwards: no copy.
    DataBlock block = PixelBlock(std::move(image.pixels), settings.colourCount, file.palette);
    output.header = DataHeader(form, file.baseName, block.bytes.size());
    result = WriteBlock(output, block, form, settings, report);
  }
  FinishLine(run, result, output.path);
}

void WriteOwnPalette(Run& run, InputFile& file) {
  const Settings& settings = run.settings;
  BlockOutput output{OutputPath(settings, file.baseName, settings.paletteSuffix),
                     ArrayName(file.baseName, "_Palette"),
                     {},
                     settings.compressPalette};
  run.report.progress("Saving palette data to: %s", output.path.c_str());
  const ArrayForm form = FormatOf(settings.format).form;
  int result = form == ArrayForm::None
                   ? RefuseFormat(run, "\n%sunknown outputformat (ID=%d)?!\n\n")
                   : WriteBlock(output, PaletteBlock(file.palette, settings.colourCount), form,
                                settings, run.report);
  FinishLine(run, result, output.path);
}

void WriteMasterPalette(Run& run) {
  const Settings& settings = run.settings;
  Report& report = run.report;
  const std::string name = WithForwardSlashes(settings.masterPaletteName);
  const bool tim = settings.format == OutputFormat::Tim;
  BlockOutput output{
      settings.outputDirectory + name + (tim ? ".clut" : FormatOf(settings.format).extension),
      ArrayName(name, "_Palette"),
      {},
      settings.compressPalette};
  report.progress("\nSaving masterpalette to..: %s", output.path.c_str());
  const ArrayForm form = FormatOf(settings.format).form;
  if (tim) {
    FinishLine(run,
               WriteBlock(output, ClutBlock(run.master, settings.colourCount), ArrayForm::Raw,
                          settings, report),
               output.path);
  } else if (form == ArrayForm::None) {
    report.progress("NOT SAVED!\n");
    report.error("%snot (yet) supported output format: %s\n", kErrorPrefix,
                 FormatOf(settings.format).name);
  } else {
    FinishLine(
        run,
        WriteBlock(output, PaletteBlock(run.master, settings.colourCount), form, settings, report),
        output.path);
  }
}

void ConvertImage(Run& run, InputFile& file) {
  const Settings& settings = run.settings;
  IndexedImage& image = file.image;
  if (image.sourceType == SourceType::Bmp) FlipVertically(image);
  const int size = settings.tileSize;
  // The map's size is the image's size in tiles before cutting.
  const auto columns = static_cast<size_t>(image.width / size);
  const auto rows = static_cast<size_t>(image.height / size);
  if (size >= 2) {
    const char* warning = "\n%seither height or width is not a multiple of tilesize %d!\n";
    if (settings.metatileSize >= 2 && !CutIntoTiles(image, settings.metatileSize))
      run.report.warning(warning, kWarningPrefix, settings.metatileSize);
    if (!CutIntoTiles(image, size)) run.report.warning(warning, kWarningPrefix, size);
  }
  if (settings.generateMap)
    WriteWithMap(run, file, columns, rows);
  else
    WriteBitmap(run, file, columns, rows);
  if (settings.noMerge && settings.savePalette && settings.colourCount != kTrueColour)
    WriteOwnPalette(run, file);
}

void PrintBanner(Report& report) {
  if (report.quiet())
    report.print("%s %s\n", kTitle, kAuthors);
  else
    report.print(
        "\n=======================\n%s\n-----------------------\n%s\n=======================\n\n",
        kTitle, kAuthors);
}

}  // namespace

int RunTilecvt(std::span<const std::string> arguments, std::string_view programName,
               Console& console) {
  Report report(console);
  Run run{Settings{}, report, {}, {}, 0};
  Settings& settings = run.settings;
  CommandLine commandLine = ParseOptions(arguments, programName, settings, report);
  if (!commandLine.proceed) return 1;
  report.setQuiet(settings.quiet);
  PrintBanner(report);
  if (commandLine.firstFile >= arguments.size()) {
    report.printErr(UsageText(programName));
    return 1;
  }
  if (settings.tileSize == 0) settings.tileSize = 1;
  PrepareMasterPalette(run.master, settings.colourCount);

  for (size_t i = commandLine.firstFile; i < arguments.size(); ++i)
    run.files.push_back({arguments[i], MakeBaseName(arguments[i]), {}, {}});
  for (InputFile& file : run.files)
    if (!ReadImage(run, file)) return 1;

  ClearUnsetColours(run.master);
  run.master.colours[0] = run.files.back().palette.colours[0];

  for (InputFile& file : run.files) ConvertImage(run, file);

  const bool masterPalette = !settings.noMerge && settings.colourCount != kTrueColour;
  if (settings.savePalette && masterPalette) WriteMasterPalette(run);

  const int fileCount = static_cast<int>(run.files.size());
  run.files.clear();
  report.print("\nTotal files read & converted.: %3d\n", fileCount);
  if (masterPalette) {
    const int after = CountUsed(run.master);
    report.progress(
        "Colors used before converting: %3d\nColors used after converting.: %3d\n"
        "Colors saved.................: %3d\n",
        run.coloursBefore, after, run.coloursBefore - after);
  }
  return report.exitStatus();
}

}  // namespace tilecvt
