#include "convert/lighting_argument.h"

#include <algorithm>
#include <array>
#include <string>

#include "convert/colour_tables.h"
#include "convert/conversion_settings.h"
#include "platform/dialogs.h"
#include "platform/value_syntax.h"

namespace convert {

namespace {

constexpr std::string_view kScriptErrorCaption = "Erreur d'exécution du script";
constexpr std::string_view kUnknownSetting =
    "Dans la fonction de convert.luminosite: le paramètre à régler n'est pas connu.\n"
    "Exemple: convert.luminosite GAMMA=RGB(1.0,1.3,1.0)";
constexpr std::string_view kColourErrorPrefix = "Erreur du système de couleurs, analysant: ";

using ChannelValues = std::array<double, 3>;

struct LightingSetting {
  std::string_view keyword;  // recognised by these first letters
  ChannelValues ConversionSettings::*field;
  bool reciprocal;  // gamma is kept as the exponent 1 / gamma
};

// Tried in this order.
constexpr std::array<LightingSetting, 3> kLightingSettings{{
    {"gamma", &ConversionSettings::gammaExponent, true},
    {"add", &ConversionSettings::addition, false},
    {"alpha", &ConversionSettings::towardsWhite, false},
}};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

size_t SkipBlanks(std::string_view t, size_t pos) {
  while (pos < t.size() && IsBlank(t[pos])) ++pos;
  return pos;
}

bool StartsWithWord(std::string_view t, size_t pos, std::string_view word) {
  if (t.size() - pos < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if (Lower(t[pos + i]) != word[i]) return false;
  return true;
}

// A number starts with a digit, or a point or a sign before one (so that
// "alpha=-40" reads like "alpha=rgb(-40,-40,-40)").
bool StartsNumber(std::string_view t, size_t pos) {
  if (pos < t.size() && (t[pos] == '+' || t[pos] == '-')) ++pos;
  if (pos < t.size() && t[pos] == '.') ++pos;
  return pos < t.size() && IsDigit(t[pos]);
}

// A real up to the next blank, tab, comma or closing parenthesis; a '%' in it
// makes it a percentage of 255.
double ReadNumber(std::string_view t, size_t& pos) {
  double value = platform::ParseReal(t.substr(pos));
  size_t end = pos;
  bool percent = false;
  while (end < t.size() && !IsBlank(t[end]) && t[end] != ',' && t[end] != ')') {
    if (t[end] == '%') percent = true;
    ++end;
  }
  pos = end;
  return percent ? value * 255.0 / 100.0 : value;
}

// A single real for the three channels, or "rgb" and three reals in optional
// parentheses, separated by commas or blanks.
bool ReadColour(std::string_view t, size_t& pos, ChannelValues& out) {
  if (StartsNumber(t, pos)) {
    double v = ReadNumber(t, pos);
    out = {v, v, v};
    return true;
  }
  if (!StartsWithWord(t, pos, "rgb")) return false;
  size_t p = SkipBlanks(t, pos + 3);
  bool parenthesis = p < t.size() && t[p] == '(';
  if (parenthesis) p = SkipBlanks(t, p + 1);
  for (size_t i = 0; i < out.size(); ++i) {
    if (!StartsNumber(t, p)) return false;
    out[i] = ReadNumber(t, p);
    p = SkipBlanks(t, p);
    if (i + 1 < out.size() && p < t.size() && t[p] == ',') p = SkipBlanks(t, p + 1);
  }
  if (parenthesis && p < t.size() && t[p] == ')') ++p;
  pos = p;
  return true;
}

const LightingSetting* FindSetting(std::string_view t, size_t pos) {
  for (const LightingSetting& s : kLightingSettings)
    if (StartsWithWord(t, pos, s.keyword)) return &s;
  return nullptr;
}

// The project file writes the effects back with a fixed number of decimals
// (three for gamma): values are kept where it can write them, and where the
// tables have long saturated (1e308 would be written as "inf", a gamma of
// 0.0001 as 0.000, which reads back as "keep the gamma").
constexpr double kLargestEffect = 1e6;
constexpr double kSmallestGamma = 0.001;

void Store(const LightingSetting& s, const ChannelValues& values, ConversionSettings& settings) {
  ChannelValues& field = settings.*(s.field);
  for (size_t c = 0; c < field.size(); ++c) {
    const double v = std::clamp(values[c], -kLargestEffect, kLargestEffect);
    if (!s.reciprocal) {
      field[c] = v;
    } else if (v > 0) {
      // A gamma of 0 or below has no meaning (and no reciprocal): that
      // channel keeps its gamma, as in the colour-effects dialog.
      field[c] = 1.0 / std::max(v, kSmallestGamma);
    }
  }
}

bool ReadAssignments(std::string_view t, ConversionSettings& settings,
                     platform::UserDialogs& dialogs) {
  size_t pos = SkipBlanks(t, 0);
  while (pos < t.size()) {
    const LightingSetting* setting = FindSetting(t, pos);
    if (!setting) {
      dialogs.message(kUnknownSetting, kScriptErrorCaption, platform::Icon::Error);
      return false;
    }
    pos += setting->keyword.size();
    while (pos < t.size() && IsLetter(t[pos])) ++pos;  // the rest of a longer word
    pos = SkipBlanks(t, pos);
    if (pos < t.size() && t[pos] == '=') pos = SkipBlanks(t, pos + 1);
    size_t colourStart = pos;
    ChannelValues values{};
    if (!ReadColour(t, pos, values)) {
      std::string text(kColourErrorPrefix);
      text += t.substr(colourStart);
      dialogs.message(text, kScriptErrorCaption, platform::Icon::Error);
      return false;
    }
    Store(*setting, values, settings);
    pos = SkipBlanks(t, pos);
  }
  return true;
}

}  // namespace

bool SetLighting(std::string_view argument, ConversionSettings& settings, const ColourMode* mode,
                 ColourTables& tables, platform::UserDialogs& dialogs) {
  bool ok = ReadAssignments(argument, settings, dialogs);
  RebuildColourTables(settings, mode, tables);
  return ok;
}

}  // namespace convert
