#include "convert/reduction_method.h"

namespace convert {

std::optional<ReductionMethod> ParseReductionMethod(std::string_view text) {
  for (const ReductionMethodName& row : kReductionMethodScriptNames)
    if (text == row.french || text == row.english || text == row.digit) return row.method;
  return std::nullopt;
}

}  // namespace convert
