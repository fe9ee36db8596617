#pragma once

#include <string>

namespace tilecvt {

// Numbers as the tool reports them ("unknown outputformat (ID=%d)").
enum class OutputFormat : int {
  Raw = 0,
  Object = 1,  // named by "-f obj" but never produced
  CSource = 2,
  GccAsm = 3,
  ArmAsm = 4,
  Tim = 5,
};

enum class Compressor : int { Lz77 = 1, Aplib = 2, AplibSafe = 3 };

inline constexpr int kTrueColour = 32768;

// Everything the command line can change, filled with the defaults before the
// options are read and left unchanged during the conversion.
struct Settings {
  std::string masterPaletteName = "master.pal";
  std::string outputDirectory;  // empty, or ends with a separator
  std::string tileSuffix = ".raw";
  std::string paletteSuffix = ".pal";
  std::string mapSuffix = ".map";
  std::string sectionName = ".rodata";
  OutputFormat format = OutputFormat::Raw;
  int colourCount = 256;  // 16, 256 or kTrueColour
  int transparentColour = 0;
  int vramOffset = 0;
  int tileSize = 0;  // 0 until set; 1 means no tiling
  int metatileSize = 0;
  int bank = 0;
  int colourOffset = 0;
  bool blankTilesOnly = false;
  bool forceColourOffset = false;
  bool rotateScale = false;
  bool optimiseMap = true;
  bool generateMap = false;
  bool metatiledMap = false;
  bool mapColumnOrder = false;
  bool tilesAsColumns = false;
  bool checkFlipped = true;
  bool noMerge = false;
  bool savePalette = true;
  bool saveTiles = true;
  bool saveMap = true;
  bool compressMap = false;
  bool compressPalette = false;
  bool compressTiles = false;
  bool quiet = false;
  bool addExtern = false;
  bool align = false;
  Compressor compressor = Compressor::Lz77;
  bool lz77VramSafe = false;  // no distance-1 references: SWI 0x12 decompresses it
  bool lz77Smallest = false;  // an optimal parse instead of the longest match each step
};

}  // namespace tilecvt
