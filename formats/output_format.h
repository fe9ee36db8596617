#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The output format record: how each element kind is spelled as text.
//
// Text boundary: every template and value-format text held here is in
// Windows-1252, the bytes written to (and matched against) element files, so
// that binary bytes, "\b" and accented letters (the é of "Mémoire" is the single
// byte 0xE9) pass through unchanged. Only the format's `name` is program text
// (UTF-8). Definitions convert their UTF-8 string values when they store them.
namespace formats {

enum class SectionType : uint8_t { Empty = 0, Bitmap, Palette, Tileset, Map, List };
inline constexpr int kSectionCount = 6;

// One section: the nine fields, in the order of their keywords.
struct FormatSection {
  std::string declaration;  // header template
  int32_t n_every = 0;      // values per group, 0 = no groups
  std::string every_x;      // written after each group
  std::string element;      // value formats
  std::string element2;
  std::string element3;
  std::string line;  // written after each row or block
  std::string end;   // footer template
  std::string ext;   // file extension with its leading dot
};

inline constexpr int kUserTextCount = 8;
inline constexpr size_t kMaxFormatNameChars = 99;

struct OutputFormat {
  std::string name;
  std::array<FormatSection, kSectionCount> sections;
  std::string type8, type16, type32;             // C type names of 8-, 16- and 32-bit arrays
  std::string bits4, bits8;                      // kept with the format; no writer uses them
  std::string typesd;                            // type name of list objects
  std::array<std::string, kUserTextCount> user;  // user[1] .. user[8]

  FormatSection& section(SectionType t) { return sections[static_cast<size_t>(t)]; }
  const FormatSection& section(SectionType t) const { return sections[static_cast<size_t>(t)]; }
};

// Section type by its English or French name ("list" or "liste"); -1 when
// unknown.
int FindSectionType(std::string_view name);

// The field keywords of a definition, both spellings at the same index.
enum class FieldScope : uint8_t { Section, FormatWide };
struct FieldKeyword {
  std::string_view english;
  std::string_view french;
  FieldScope scope;
  std::string FormatSection::*sectionText;  // text field of a section
  std::string OutputFormat::*formatText;    // format-wide text
  // n_every is the one integer field: both pointers are null for it.
};

// Keyword index 0..14 for either spelling, -1 when unknown.
int FindFieldKeyword(std::string_view key);
const FieldKeyword& FieldKeywordAt(int index);
inline constexpr int kFieldKeywordCount = 15;
inline constexpr int kIntegerFieldIndex = 1;  // n_every / n_chaque

}  // namespace formats
