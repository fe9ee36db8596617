#pragma once

#include <optional>
#include <string_view>

#include "convert/conversion_settings.h"

// The names the script setting of the reduction method accepts.
namespace convert {

struct ReductionMethodName {
  std::string_view french;
  std::string_view english;
  std::string_view digit;
  ReductionMethod method;
};

inline constexpr ReductionMethodName kReductionMethodScriptNames[] = {
    {"normal", "initial", "0", ReductionMethod::Standard},
    {"tramé", "halftone", "1", ReductionMethod::Halftone},
    {"meilleur", "optimal", "2", ReductionMethod::Optimal},
    {"affiné", "refined", "3", ReductionMethod::Refined},
};

// The method named by a (case-folded) script value, or nothing; the caller
// then shows kUnknownMethodText with the value and keeps the method.
std::optional<ReductionMethod> ParseReductionMethod(std::string_view text);

}  // namespace convert
