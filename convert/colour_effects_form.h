#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "convert/conversion_settings.h"

// What the colour-effects page of the options does, apart from showing it:
// filling its fields from the settings, "Par défaut", the slider and field
// conversions, and storing on OK.
namespace convert {

struct ColourMode;
struct ColourTables;

// The entries of "Méthode de conversion:", in the order of ReductionMethod.
inline constexpr std::array<std::string_view, 4> kReductionMethodNames{"Standard", "Tramé",
                                                                       "Optimal", "Affiné"};

struct SliderRange {
  int minimum = 0;
  int maximum = 0;
};

inline constexpr SliderRange kEffectSliderRange{-255, 255};  // addition, towards white
inline constexpr SliderRange kShadesSliderRange{2, 256};

// The page's controls: the edit fields hold text as typed; the sliders follow
// the fields through the conversions below.
struct ColourEffectsForm {
  Rgb maskColour;
  std::string gamma;         // "Correction gamma:"
  std::string addition;      // "Addition (de blanc):"
  std::string towardsWhite;  // "Vers le blanc:"
  std::string shades;        // "Nuances de couleurs:"
  bool shadesBefore = false;
  int method = 0;  // index in kReductionMethodNames
};

// The page shows the green channel's effects.
ColourEffectsForm FillColourEffectsForm(const ConversionSettings& settings);

// "Par défaut": gamma 1.00, no addition, no move towards white, 256 shades
// and the standard method; the mask colour stays.
void ResetColourEffectsForm(ColourEffectsForm& form);

// OK: stores the mask colour; the gamma for all three channels when it is
// above 0; addition and towards white for all three channels when they lie in
// −255..255 (each field otherwise leaves its setting as it was); the shades
// when they lie in 2..256, otherwise 256; the shades-first box. Then rebuilds
// the colour tables and stores the method.
void StoreColourEffectsForm(const ColourEffectsForm& form, ConversionSettings& settings,
                            const ColourMode* mode, ColourTables& tables);

// Gamma slider: positions are 100 × gamma, up to 300 or further when the
// current gamma needs it; the field shows position / 100 as "%#.2f".
SliderRange GammaSliderRange(double gamma);
int GammaSliderPosition(double gamma);
std::string GammaFieldText(int position);
// Where the slider goes when the field loses the focus (clamped to `range`).
int GammaSliderPositionFromField(std::string_view fieldText, SliderRange range);

std::string IntegerFieldText(int position);
int IntegerSliderPositionFromField(std::string_view fieldText, SliderRange range);

// A field's number as the page reads it: blanks, an optional sign and digits
// (anything after them is ignored); nothing when there are no digits.
std::optional<int> ReadFieldInteger(std::string_view text);
std::optional<double> ReadFieldReal(std::string_view text);

}  // namespace convert
