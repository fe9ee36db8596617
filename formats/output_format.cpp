#include "formats/output_format.h"

namespace formats {

namespace {

struct SectionName {
  std::string_view english;
  std::string_view french;
};

constexpr std::array<SectionName, kSectionCount> kSectionNames = {{
    {"empty", "vide"},
    {"bitmap", "bitmap"},
    {"palette", "palette"},
    {"tileset", "tileset"},
    {"map", "map"},
    {"list", "liste"},
}};

using S = FormatSection;
using F = OutputFormat;
constexpr FieldScope kSec = FieldScope::Section;
constexpr FieldScope kWide = FieldScope::FormatWide;

const std::array<FieldKeyword, kFieldKeywordCount> kFieldKeywords = {{
    {"declaration", "declaration", kSec, &S::declaration, nullptr},
    {"n_every", "n_chaque", kSec, nullptr, nullptr},
    {"every_x", "chaque_x", kSec, &S::every_x, nullptr},
    {"element", "element", kSec, &S::element, nullptr},
    {"element2", "element2", kSec, &S::element2, nullptr},
    {"element3", "element3", kSec, &S::element3, nullptr},
    {"line", "ligne", kSec, &S::line, nullptr},
    {"end", "fin", kSec, &S::end, nullptr},
    {"ext", "ext", kSec, &S::ext, nullptr},
    {"type8", "type8", kWide, nullptr, &F::type8},
    {"type16", "type16", kWide, nullptr, &F::type16},
    {"type32", "type32", kWide, nullptr, &F::type32},
    {"bits4", "bits4", kWide, nullptr, &F::bits4},
    {"bits8", "bits8", kWide, nullptr, &F::bits8},
    {"typesd", "typesd", kWide, nullptr, &F::typesd},
}};

}  // namespace

int FindSectionType(std::string_view name) {
  for (size_t i = 0; i < kSectionNames.size(); ++i)
    if (kSectionNames[i].english == name || kSectionNames[i].french == name)
      return static_cast<int>(i);
  return -1;
}

int FindFieldKeyword(std::string_view key) {
  for (size_t i = 0; i < kFieldKeywords.size(); ++i)
    if (kFieldKeywords[i].english == key || kFieldKeywords[i].french == key)
      return static_cast<int>(i);
  return -1;
}

const FieldKeyword& FieldKeywordAt(int index) { return kFieldKeywords[static_cast<size_t>(index)]; }

}  // namespace formats
