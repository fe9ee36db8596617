#include "convert/colour_effects_form.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "convert/colour_tables.h"
#include "platform/value_syntax.h"

namespace convert {

namespace {

constexpr int kGammaSliderMaximum = 300;
constexpr int kDefaultShades = 256;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimLeft(std::string_view t) {
  while (!t.empty() && IsBlank(t.front())) t.remove_prefix(1);
  return t;
}

// Reals of any size become a slider position without overflowing an int.
int ToPosition(double v) {
  if (!(v > -1e9)) return -1000000000;
  if (v > 1e9) return 1000000000;
  return static_cast<int>(std::lround(v));
}

double GreenGamma(const ConversionSettings& s) {
  double exponent = s.gammaExponent[kGreen];
  return exponent > 0 ? 1.0 / exponent : 0.0;
}

int TruncatedChannel(double v) {
  if (!(v > -1e9)) return -1000000000;
  if (v > 1e9) return 1000000000;
  return static_cast<int>(v);
}

}  // namespace

std::optional<int> ReadFieldInteger(std::string_view text) {
  std::string_view t = TrimLeft(text);
  bool negative = false;
  if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
    negative = t.front() == '-';
    t.remove_prefix(1);
  }
  if (t.empty() || !IsDigit(t.front())) return std::nullopt;
  int64_t v = 0;
  for (char c : t) {
    if (!IsDigit(c)) break;
    v = std::min<int64_t>(v * 10 + (c - '0'), int64_t{1} << 32);  // saturates
  }
  v = negative ? -v : v;
  return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

std::optional<double> ReadFieldReal(std::string_view text) {
  std::string_view t = TrimLeft(text);
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  if (i < t.size() && t[i] == '.') ++i;
  if (i >= t.size() || !IsDigit(t[i])) return std::nullopt;
  return platform::ParseReal(t);
}

ColourEffectsForm FillColourEffectsForm(const ConversionSettings& s) {
  ColourEffectsForm form;
  form.maskColour = s.maskColour;
  form.gamma = GammaFieldText(GammaSliderPosition(GreenGamma(s)));
  form.addition = IntegerFieldText(TruncatedChannel(s.addition[kGreen]));
  form.towardsWhite = IntegerFieldText(TruncatedChannel(s.towardsWhite[kGreen]));
  form.shades = IntegerFieldText(s.shadesMinusOne + 1);
  form.shadesBefore = s.shadesBefore;
  form.method = static_cast<int>(s.method);
  return form;
}

void ResetColourEffectsForm(ColourEffectsForm& form) {
  form.gamma = GammaFieldText(100);
  form.addition = IntegerFieldText(0);
  form.towardsWhite = IntegerFieldText(0);
  form.shades = IntegerFieldText(kDefaultShades);
  form.method = static_cast<int>(ReductionMethod::Standard);
}

void StoreColourEffectsForm(const ColourEffectsForm& form, ConversionSettings& s,
                            const ColourMode* mode, ColourTables& tables) {
  s.maskColour = form.maskColour;
  std::optional<double> gamma = ReadFieldReal(form.gamma);
  if (gamma && *gamma > 0) s.gammaExponent.fill(1.0 / *gamma);
  std::optional<int> add = ReadFieldInteger(form.addition);
  if (add && *add >= -255 && *add <= 255) s.addition.fill(*add);
  std::optional<int> alpha = ReadFieldInteger(form.towardsWhite);
  if (alpha && *alpha >= -255 && *alpha <= 255) s.towardsWhite.fill(*alpha);
  std::optional<int> shades = ReadFieldInteger(form.shades);
  bool shadesValid =
      shades && *shades >= kShadesSliderRange.minimum && *shades <= kShadesSliderRange.maximum;
  s.shadesMinusOne = (shadesValid ? *shades : kDefaultShades) - 1;
  s.shadesBefore = form.shadesBefore;
  RebuildColourTables(s, mode, tables);
  if (form.method >= 0 && form.method < static_cast<int>(kReductionMethodNames.size()))
    s.method = static_cast<ReductionMethod>(form.method);
}

SliderRange GammaSliderRange(double gamma) {
  return {0, std::max(kGammaSliderMaximum, GammaSliderPosition(gamma))};
}

int GammaSliderPosition(double gamma) { return ToPosition(100.0 * gamma); }

// "%#.2f", but always with a point: the desktop program runs under the user's
// locale, and the field is read back with the script's number syntax.
std::string GammaFieldText(int position) {
  char text[64];
  auto result =
      std::to_chars(text, text + sizeof text, position / 100.0, std::chars_format::fixed, 2);
  return std::string(text, result.ptr);
}

int GammaSliderPositionFromField(std::string_view fieldText, SliderRange range) {
  std::optional<double> v = ReadFieldReal(fieldText);
  int position = v ? GammaSliderPosition(*v) : range.minimum;
  return std::clamp(position, range.minimum, range.maximum);
}

std::string IntegerFieldText(int position) { return std::to_string(position); }

int IntegerSliderPositionFromField(std::string_view fieldText, SliderRange range) {
  std::optional<int> v = ReadFieldInteger(fieldText);
  return std::clamp(v.value_or(range.minimum), range.minimum, range.maximum);
}

}  // namespace convert
