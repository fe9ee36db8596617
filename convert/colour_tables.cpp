#include "convert/colour_tables.h"

#include <cmath>

#include "convert/colour_mode.h"
#include "convert/conversion_settings.h"

namespace convert {

namespace {

// Levels are computed in reals; a value that is not a number (from extreme
// settings) counts as 0, and everything is clamped before it becomes a byte.
uint8_t ClampLevel(double level, int maxLevel) {
  if (!(level > 0)) return 0;
  if (level > maxLevel) return static_cast<uint8_t>(maxLevel);
  return static_cast<uint8_t>(level);
}

}  // namespace

void BuildChannelTable(const ConversionSettings& settings, int channel, int bits,
                       std::array<uint8_t, 256>& table) {
  int maxLevel = MaxLevel(bits);
  if (maxLevel == 0) {
    table.fill(0);
    return;
  }
  double div = static_cast<double>(255 / maxLevel);
  // Fewer than one shade means nothing; treat it as one.
  double shades = settings.shadesMinusOne < 0 ? 1.0 : settings.shadesMinusOne + 1.0;
  double step = 256.0 / shades;
  double k = (maxLevel + 1) / shades;
  double exponent = settings.gammaExponent[channel];
  double add = settings.addition[channel];
  double alpha = settings.towardsWhite[channel];
  double pos = alpha >= 0 ? alpha : 0.0;
  double abs = std::fabs(alpha);
  auto effect = [&](double v) {
    return (std::pow(v / 255.0, exponent) * 255.0 + add) * (255.0 - abs) / 255.0 + pos + 0.5;
  };
  for (int i = 0; i < 256; ++i) {
    double level;
    if (settings.shadesBefore) {
      double q = std::trunc(i / step);
      double v = std::trunc(q * div * k);
      level = std::trunc(effect(v) / div);
    } else {
      level = std::trunc(std::trunc(effect(i) / step) * k);
    }
    table[static_cast<size_t>(i)] = ClampLevel(level, maxLevel);
  }
}

bool RebuildColourTables(const ConversionSettings& settings, const ColourMode* mode,
                         ColourTables& tables) {
  if (!mode) return false;
  BuildChannelTable(settings, kRed, mode->channels.redBits, tables.red);
  BuildChannelTable(settings, kGreen, mode->channels.greenBits, tables.green);
  BuildChannelTable(settings, kBlue, mode->channels.blueBits, tables.blue);
  tables.built = true;
  return true;
}

ConvertedPixel ConvertColour(const ColourTables& tables, const ColourMode& mode, uint8_t red,
                             uint8_t green, uint8_t blue, uint8_t opacity) {
  uint8_t r = tables.red[red];
  uint8_t g = tables.green[green];
  uint8_t b = tables.blue[blue];
  if (mode.perColourHook) mode.perColourHook(r, g, b);
  return MakePixel(r, g, b, opacity);
}

}  // namespace convert
