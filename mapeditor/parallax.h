#pragma once

#include <string>

namespace mapeditor {

// A parallax speed as the property page shows it: the percentage with at
// most three decimals and no trailing zeros ("50", "33.333", "12.5").
std::string PercentText(double speed);

// How far a background moving at `speed` has scrolled, in whole steps of
// `step` pixels, while the active background (moving at `activeSpeed`)
// scrolled `scroll` pixels: truncated towards zero, and at most
// kMaxParallaxOffset pixels either way. 0 for a step below 1.
constexpr int kMaxParallaxOffset = 1 << 30;
int ParallaxSteps(int scroll, double speed, double activeSpeed, int step);

}  // namespace mapeditor
