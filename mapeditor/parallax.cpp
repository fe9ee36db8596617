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
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(v);
}

}  // namespace mapeditor
