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

}  // namespace mapeditor
