#include "tools/tilecvt/options.h"

#include <array>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <system_error>

#include "tools/tilecvt/usage.h"

namespace tilecvt {
namespace {

enum class Match : uint8_t {
  Exact,   // the whole argument is the spelling
  Value,   // the spelling, then a value in the same or the next argument
  Prefix,  // anything starting with the spelling, no value
};

enum class Action : uint8_t {
  None,
  Usage,
  MasterPalette,
  OutputDirectory,
  Format,
  Section,
  PaletteSuffix,
  MapSuffix,
  TileSuffix,
  TileSize,
  MetatileSize,
  ColourCount,
  ColourOffset,
  TransparentColour,
  VramOffset,
  Bank,
  MapTileSize,  // a map needs tiles: 8 pixels unless a size was given
  Aplib,
  AplibSafe,
};

struct FlagEffect {
  bool Settings::*flag = nullptr;
  bool value = false;
};

struct OptionEntry {
  std::string_view spelling;
  Match match;
  Action action;
  std::array<FlagEffect, 3> flags;
};

// Searched from the top: a longer spelling comes before the shorter one it
// starts with ("-aps" before "-ap" before "-a").
constexpr OptionEntry kOptions[] = {
    {"-?", Match::Prefix, Action::Usage, {}},
    {"-h", Match::Prefix, Action::Usage, {}},
    {"-H", Match::Prefix, Action::Usage, {}},
    {"-p", Match::Value, Action::MasterPalette, {}},
    {"-o", Match::Value, Action::OutputDirectory, {}},
    {"-O", Match::Value, Action::OutputDirectory, {}},
    {"-f", Match::Value, Action::Format, {}},
    {"-Sp", Match::Value, Action::PaletteSuffix, {}},
    {"-Sm", Match::Value, Action::MapSuffix, {}},
    {"-St", Match::Value, Action::TileSuffix, {}},
    {"-s", Match::Value, Action::Section, {}},
    {"-tc", Match::Exact, Action::None, {{{&Settings::tilesAsColumns, true}}}},
    {"-t", Match::Value, Action::TileSize, {}},
    {"-T", Match::Value, Action::MetatileSize, {}},
    {"-c", Match::Value, Action::ColourCount, {}},
    {"-C", Match::Value, Action::ColourOffset, {}},
    {"-A", Match::Exact, Action::None, {{{&Settings::forceColourOffset, true}}}},
    {"-aps", Match::Exact, Action::AplibSafe, {}},
    {"-ap", Match::Exact, Action::Aplib, {}},
    {"-align", Match::Exact, Action::None, {{{&Settings::align, true}}}},
    {"-a", Match::Value, Action::TransparentColour, {}},
    {"-v", Match::Value, Action::VramOffset, {}},
    {"-V", Match::Value, Action::VramOffset, {}},
    {"-b", Match::Value, Action::Bank, {}},
    {"-mm",
     Match::Exact,
     Action::MapTileSize,
     {{{&Settings::generateMap, true},
       {&Settings::optimiseMap, true},
       {&Settings::metatiledMap, true}}}},
    {"-mc", Match::Exact, Action::None, {{{&Settings::mapColumnOrder, true}}}},
    {"-m",
     Match::Exact,
     Action::MapTileSize,
     {{{&Settings::generateMap, true}, {&Settings::optimiseMap, true}}}},
    {"-MM",
     Match::Exact,
     Action::MapTileSize,
     {{{&Settings::generateMap, true},
       {&Settings::optimiseMap, false},
       {&Settings::metatiledMap, true}}}},
    {"-M",
     Match::Exact,
     Action::MapTileSize,
     {{{&Settings::generateMap, true}, {&Settings::optimiseMap, false}}}},
    {"-rs", Match::Exact, Action::None, {{{&Settings::rotateScale, true}}}},
    {"-Rs", Match::Exact, Action::None, {{{&Settings::rotateScale, true}}}},
    {"-F", Match::Exact, Action::None, {{{&Settings::checkFlipped, false}}}},
    {"-B", Match::Exact, Action::None, {{{&Settings::blankTilesOnly, true}}}},
    {"-x", Match::Exact, Action::None, {{{&Settings::noMerge, true}}}},
    {"-extern", Match::Exact, Action::None, {{{&Settings::addExtern, true}}}},
    {"-e", Match::Prefix, Action::None, {{{&Settings::noMerge, true}}}},
    {"-P", Match::Exact, Action::None, {{{&Settings::savePalette, false}}}},
    {"-G", Match::Exact, Action::None, {{{&Settings::saveTiles, false}}}},
    {"-D", Match::Exact, Action::None, {{{&Settings::saveMap, false}}}},
    {"-X",
     Match::Exact,
     Action::None,
     {{{&Settings::savePalette, false},
       {&Settings::saveTiles, false},
       {&Settings::saveMap, false}}}},
    {"-Z",
     Match::Exact,
     Action::None,
     {{{&Settings::compressMap, true},
       {&Settings::compressPalette, true},
       {&Settings::compressTiles, true}}}},
    {"-zt", Match::Exact, Action::None, {{{&Settings::compressTiles, true}}}},
    {"-zp", Match::Exact, Action::None, {{{&Settings::compressPalette, true}}}},
    {"-zm", Match::Exact, Action::None, {{{&Settings::compressMap, true}}}},
    {"-q", Match::Exact, Action::None, {{{&Settings::quiet, true}}}},
    {"-W", Match::Exact, Action::None, {{{&Settings::lz77VramSafe, true}}}},
    {"-L", Match::Exact, Action::None, {{{&Settings::lz77Smallest, true}}}},
    {"-Q", Match::Exact, Action::None, {{{&Settings::quiet, true}}}},
};

template <typename T>
struct Keyword {
  std::string_view text;
  T value;
};

constexpr Keyword<int> kTileSizes[] = {{"1", 1}, {"8", 8}, {"16", 16}, {"32", 32}, {"64", 64}};
constexpr Keyword<int> kColourCounts[] = {{"16", 16}, {"256", 256}, {"32k", kTrueColour}};
constexpr Keyword<OutputFormat> kFormats[] = {
    {"raw", OutputFormat::Raw},    {"obj", OutputFormat::Object}, {"src", OutputFormat::CSource},
    {"asm", OutputFormat::GccAsm}, {"arm", OutputFormat::ArmAsm}, {"psx", OutputFormat::Tim},
};

template <typename T, size_t N>
bool FindKeyword(const Keyword<T> (&table)[N], std::string_view text, T& value) {
  for (const Keyword<T>& keyword : table) {
    if (keyword.text == text) {
      value = keyword.value;
      return true;
    }
  }
  return false;
}

// As "%d" reads: leading blanks, a sign, then digits up to the first other
// character. No digits at all reads as 0.
int ReadNumber(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  long long value = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    value = value * 10 + (text[at] - '0');
    if (value > INT_MAX) value = static_cast<long long>(INT_MAX) + 1;  // stays out of every range
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

// "/" also starts an option, but here it starts every absolute path too: an
// argument naming an existing file is that file.
bool StartsOption(const std::string& argument) {
  if (argument.empty()) return false;
  if (argument[0] == '-') return true;
  if (argument[0] != '/') return false;
  std::error_code error;
  return !std::filesystem::is_regular_file(argument, error);
}

bool Matches(const OptionEntry& entry, std::string_view option) {
  if (entry.match == Match::Exact) return option == entry.spelling;
  return option.substr(0, entry.spelling.size()) == entry.spelling;
}

enum class Outcome { Done, Usage, Invalid };

// Numbers outside their range warn on the standard output and fall back to 0.
int RangedNumber(std::string_view value, int max, const char* warning, Report& report) {
  int number = ReadNumber(value);
  if (number < 0 || number > max) {
    report.print(warning, kWarningPrefix);
    return 0;
  }
  return number;
}

Outcome Apply(Action action, std::string_view value, Settings& settings, Report& report) {
  switch (action) {
    case Action::None:
      return Outcome::Done;
    case Action::Usage:
      return Outcome::Usage;
    case Action::MasterPalette:
      settings.masterPaletteName = std::string(value);
      return Outcome::Done;
    case Action::OutputDirectory:
      settings.outputDirectory = NormaliseDirectory(value);
      return Outcome::Done;
    case Action::Format:
      if (!FindKeyword(kFormats, value, settings.format)) return Outcome::Invalid;
      if (settings.format == OutputFormat::Object) {
        report.print("\n%sobj output not yet supported!\n", kWarningPrefix);
        settings.format = OutputFormat::Raw;
      }
      return Outcome::Done;
    case Action::Section:
      settings.sectionName = std::string(value);
      return Outcome::Done;
    case Action::PaletteSuffix:
      settings.paletteSuffix = std::string(value);
      return Outcome::Done;
    case Action::MapSuffix:
      settings.mapSuffix = std::string(value);
      return Outcome::Done;
    case Action::TileSuffix:
      settings.tileSuffix = std::string(value);
      return Outcome::Done;
    case Action::TileSize:
      return FindKeyword(kTileSizes, value, settings.tileSize) ? Outcome::Done : Outcome::Invalid;
    case Action::MetatileSize:
      return FindKeyword(kTileSizes, value, settings.metatileSize) ? Outcome::Done
                                                                   : Outcome::Invalid;
    case Action::ColourCount:
      if (!FindKeyword(kColourCounts, value, settings.colourCount)) return Outcome::Invalid;
      if (settings.colourCount == kTrueColour)
        report.print("%sTrueColor mode activated, ignoring all palette options!\n\n",
                     kWarningPrefix);
      return Outcome::Done;
    case Action::ColourOffset:
      settings.colourOffset =
          RangedNumber(value, 255, "\n%scolor offset must be 0-255, using default (0)!\n", report);
      return Outcome::Done;
    case Action::TransparentColour:
      settings.transparentColour =
          RangedNumber(value, 255, "\n%scolor must be 0-255, using default (0)!\n", report);
      return Outcome::Done;
    case Action::VramOffset:
      settings.vramOffset = ReadNumber(value);
      return Outcome::Done;
    case Action::Bank:
      settings.bank =
          RangedNumber(value, 15, "\n%scolor bank must be 0-15, using default (0)!\n", report);
      return Outcome::Done;
    case Action::MapTileSize:
      if (settings.tileSize == 0) settings.tileSize = 8;
      return Outcome::Done;
    case Action::Aplib:
      settings.compressor = Compressor::Aplib;
      return Outcome::Done;
    case Action::AplibSafe:
      settings.compressor = Compressor::AplibSafe;
      return Outcome::Done;
  }
  return Outcome::Done;
}

}  // namespace

std::string NormaliseDirectory(std::string_view value) {
  std::string directory(value);
  for (char& c : directory)
    if (c == '\\') c = '/';
  if (!directory.empty() && directory.back() != '/') directory += '/';
  return directory;
}

CommandLine ParseOptions(std::span<const std::string> arguments, std::string_view programName,
                         Settings& settings, Report& report) {
  CommandLine result;
  size_t index = 0;
  for (; index < arguments.size(); ++index) {
    const std::string& argument = arguments[index];
    if (!StartsOption(argument)) break;
    std::string option = argument;
    option[0] = '-';  // "/t8" is "-t8"

    const OptionEntry* entry = nullptr;
    for (const OptionEntry& candidate : kOptions) {
      if (Matches(candidate, option)) {
        entry = &candidate;
        break;
      }
    }
    if (entry == nullptr) {
      report.printErr(Format("unknown option %s\n\n", argument.c_str()));
      report.printErr(UsageText(programName));
      return result;
    }

    std::string_view value;
    std::string shown = argument;  // what "invalid option" quotes
    if (entry->match == Match::Value) {
      value = std::string_view(argument).substr(entry->spelling.size());
      if (value.empty()) {
        if (index + 1 >= arguments.size()) {
          report.printErr(Format("invalid option %s\n\n", argument.c_str()));
          report.printErr(UsageText(programName));
          return result;
        }
        value = arguments[++index];
        shown += ' ';
        shown += value;
      }
    }
    for (const FlagEffect& effect : entry->flags)
      if (effect.flag != nullptr) settings.*effect.flag = effect.value;

    Outcome outcome = Apply(entry->action, value, settings, report);
    if (outcome == Outcome::Invalid)
      report.printErr(Format("invalid option %s\n\n", shown.c_str()));
    if (outcome != Outcome::Done) {
      report.printErr(UsageText(programName));
      return result;
    }
  }
  result.proceed = true;
  result.firstFile = index;
  return result;
}

}  // namespace tilecvt
