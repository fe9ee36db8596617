#pragma once

#include <string>

namespace mapeditor {

// A parallax speed as the property page shows it: the percentage with at
// most three decimals and no trailing zeros ("50", "33.333", "12.5").
std::string PercentText(double speed);

}  // namespace mapeditor
