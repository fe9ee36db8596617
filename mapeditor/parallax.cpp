#include "mapeditor/parallax.h"

#include <cstdio>

namespace mapeditor {

std::string PercentText(double speed) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", speed * 100.0);
  std::string s = text;
  if (s.find('.') != std::string::npos) {
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
  }
  if (s == "-0") s = "0";
  return s;
}

int ParallaxSteps(int scroll, double speed, double activeSpeed, int step) {
  if (step <= 0) return 0;
  double v = scroll * (speed / activeSpeed) / step;
  if (!(v == v)) return 0;  // NaN
  // Callers multiply by the step and add view coordinates: keeping the
  // offset within 2^30 pixels keeps those sums within int (a background
  // that far away is off every map anyway).
  const double limit = static_cast<double>(kMaxParallaxOffset / step);
  if (v >= limit) return static_cast<int>(limit);
  if (v <= -limit) return -static_cast<int>(limit);
  return static_cast<int>(v);
}

}  // namespace mapeditor
