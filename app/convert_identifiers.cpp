#include "app/convert_identifiers.h"

#include <string>

#include "convert/colour_tables.h"
#include "convert/conversion_messages.h"
#include "convert/lighting_argument.h"
#include "convert/reduction_method.h"
#include "platform/value_syntax.h"
#include "app/entry_makers.h"
#include "app/platforms.h"
#include "app/root_table.h"
#include "script/script_line.h"
#include "script/script_messages.h"
#include "app/workshop.h"
#include "app/language.h"

namespace app {

namespace {

using convert::ConversionSettings;

template <int32_t ConversionSettings::*Member>
int32_t& Setting(Workshop& w) {
  return w.conversion.*Member;
}

void RebuildTables(Workshop& w) {
  convert::RebuildColourTables(w.conversion, &CurrentColourMode(w), w.colourTables);
}

bool Flag(std::string_view value) { return platform::ParseInteger(value) != 0; }

void MaskColourCommand(Workshop& w, std::string_view value) {
  w.conversion.maskColour =
      convert::RgbFromValue(static_cast<uint32_t>(platform::ParseInteger(value)));
}

// Entry 0 is kept as levels of the console's 5-bit channels.
void ZeroColourCommand(Workshop& w, std::string_view value) {
  convert::Rgb c = convert::RgbFromValue(static_cast<uint32_t>(platform::ParseInteger(value)));
  w.conversion.zeroColour = {static_cast<uint8_t>(c.red / 8), static_cast<uint8_t>(c.green / 8),
                             static_cast<uint8_t>(c.blue / 8)};
}

void ShadesCommand(Workshop& w, std::string_view value) {
  // Wrapping arithmetic: the tables treat any count below one as one shade.
  w.conversion.shadesMinusOne =
      static_cast<int32_t>(static_cast<uint32_t>(platform::ParseInteger(value)) - 1u);
  RebuildTables(w);
}

void ShadesBeforeCommand(Workshop& w, std::string_view value) {
  w.conversion.shadesBefore = Flag(value);
  RebuildTables(w);
}

void TruncateCommand(Workshop& w, std::string_view value) {
  w.conversion.truncate = Flag(value);
  RebuildTables(w);
}

// A digit 0 to 3 or a method's name, French or English; a string is taken
// as its text.
void MethodCommand(Workshop& w, std::string_view value) {
  std::string name;
  if (auto s = platform::ParseString(value)) {
    name = FoldCase(*s);
  } else {
    size_t end = 0;
    while (end < value.size() && !IsBlank(value[end])) ++end;
    name = std::string(value.substr(0, end));
  }
  if (auto method = convert::ParseReductionMethod(name)) {
    w.conversion.method = *method;
    return;
  }
  ReportScriptError(w, FormatText(convert::kUnknownMethodText, {name}));
}

constexpr TwinRow kConvertRows[] = {
    {"couleurmasque", "maskcolor", CommandEntry<MaskColourCommand>()},
    {"couleurzero", "zerocolor", CommandEntry<ZeroColourCommand>()},
    {"utilmaxcoul", "usemaxcolors", IntegerEntry<Setting<&ConversionSettings::useMaxColours>>()},
    {"luminosite", "lighting", CommandEntry<LightingCommand>()},
    {"nuances", "shades", CommandEntry<ShadesCommand>()},
    {"nuancesavant", "shadesbefore", CommandEntry<ShadesBeforeCommand>()},
    {"mode", "quantization", CommandEntry<MethodCommand>()},
    {"tronquer", "truncate", CommandEntry<TruncateCommand>()},
    {"precisionmax", "maxprecision", IntegerEntry<Setting<&ConversionSettings::maxPrecision>>()},
    {"colorisation", "colorization", IntegerEntry<Setting<&ConversionSettings::colorisation>>()},
    {"premtilevide", "firsttileempty",
     IntegerEntry<Setting<&ConversionSettings::firstTileEmpty>>()},
    {"reducpalrapide", "fastpalreduction",
     IntegerEntry<Setting<&ConversionSettings::fastPaletteReduction>>()},
    {"reducpalpost", "palreducpost",
     IntegerEntry<Setting<&ConversionSettings::paletteReductionPost>>()},
    {"tramageaffine", "refineddither", IntegerEntry<Setting<&ConversionSettings::refinedDither>>()},
};

constexpr Entry kConvertSingleRows[] = {
    Named("tilex", IntegerEntry<Setting<&ConversionSettings::tileWidth>>()),
    Named("tiley", IntegerEntry<Setting<&ConversionSettings::tileHeight>>()),
};

constexpr auto kConvertEntries = ExpandTwins(kConvertRows, kConvertSingleRows);

}  // namespace

const ObjectTable kConvertObject{kConvertEntries};

void LightingCommand(Workshop& w, std::string_view value) {
  convert::SetLighting(value, w.conversion, &CurrentColourMode(w), w.colourTables,
                       w.services.dialogs);
}

}  // namespace app
