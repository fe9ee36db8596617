#include "tools/tilecvt/usage.h"

#include <array>

#include "tools/tilecvt/report.h"

namespace tilecvt {
namespace {

struct UsageLine {
  const char* left;
  const char* right;
};

constexpr std::array<UsageLine, 20> kUsageLines = {{
    {"-pPalettename", "-m generate map (optimized)"},
    {"-oOutputdir", "-M generate map (not optimized)"},
    {"-fOutput format", "-mm generate metatiled map (optimized)"},
    {"-sSection", "-MM generate metatiled map (not optimized)"},
    {"-SpSuffix for palette", "-bBank for map"},
    {"-SmSuffix for map", "-mc save map in column order"},
    {"-StSuffix for tiledata", "-F turn off check for flipped tiles"},
    {"-TMetatilesize", "-rs output a rotate/scale BG screen map"},
    {"-tTilesize", "-P don't save palette data"},
    {"-tc save tiles as columns", "-G don't save tile/image data"},
    {"-cColordepth", "-D don't save map data"},
    {"-CColor-Offset", "-X don't save anything"},
    {"-A force color offset add", "-Z compress everything"},
    {"-aTransparent color", "-zt compress tile/bitmap data"},
    {"-vVRAM-Offset", "-zp compress palette data"},
    {"-x don't merge palettes", "-zm compress map data"},
    {"-q quiet mode", "-ap use aPLib as compressor"},
    {"-B only optimize blank tiles", "-aps use aPLib (safe) as compressor"},
    {"-extern add extern to arrays", "-align add alignment info for GCC"},
    {"-L smallest LZ77 (slower)", "-W LZ77 safe for VRAM (SWI 12h)"},
}};

}  // namespace

std::string UsageText(std::string_view programName) {
  std::string text =
      Format("Usage: %s [options] bmp/pcx/tga/tim/spr/png files ...\n\nOptions are:\n\n",
             std::string(programName).c_str());
  for (const UsageLine& line : kUsageLines) text += Format(" %-30s %s\n", line.left, line.right);
  return text;
}

}  // namespace tilecvt
