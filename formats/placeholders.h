#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "formats/output_format.h"

// The values a template refers to: the 16 placeholders and the eight
// user-text buffers.
//
// Text boundary: texts are held as the bytes of the file (Windows-1252), the
// way they are written and captured. The program gives and takes UTF-8
// through setText()/textUtf8(); setTextBytes()/textBytes() are for texts that
// already are file bytes (the format's own type names, for instance).
namespace formats {

enum class Placeholder : uint8_t {
  File,
  SizeX,
  SizeY,
  Size,
  Memory,
  Name,
  Link,
  TileX,
  TileY,
  Depth,
  Type,
  Null,
  Bits,
  GfxMask,
  TileBase,
  Model,
};
inline constexpr int kPlaceholderCount = 16;

// "By reference" integers stand for settings of the program (the current
// image and tile size, the tile base): their default comes from the caller
// at each reset, and the caller takes captured values back from here.
enum class PlaceholderKind : uint8_t { Text, IntegerByReference, Integer };

struct PlaceholderInfo {
  std::string_view name;
  PlaceholderKind kind;
};

const PlaceholderInfo& PlaceholderInfoOf(Placeholder p);
// Exact name ("sizex"); nothing when no placeholder has that name.
std::optional<Placeholder> FindPlaceholder(std::string_view name);

// The settings the by-reference placeholders start from.
struct ReferenceDefaults {
  int32_t imageWidth = 0;
  int32_t imageHeight = 0;
  int32_t tileWidth = 8;
  int32_t tileHeight = 8;
  int32_t tileBase = 0;
};

// A user text holds at most 511 bytes (its buffer has 512).
inline constexpr size_t kUserTextCapacity = 511;

class TemplateValues {
 public:
  TemplateValues() { reset(ReferenceDefaults{}); }

  // Every placeholder back to its default: texts have no value (they write
  // and capture nothing), `size`, `memory` and `depth` are 0, `gfxmask` is
  // -1, the others come from `defaults`. User texts are left alone.
  void reset(const ReferenceDefaults& defaults);

  int32_t number(Placeholder p) const { return numbers_[index(p)]; }
  void setNumber(Placeholder p, int32_t v) { numbers_[index(p)] = v; }

  // A text placeholder with a value writes it and captures into it; give it
  // an empty text to let it capture. `null` never holds a value.
  bool hasText(Placeholder p) const { return texts_[index(p)].has_value(); }
  void setText(Placeholder p, std::string_view utf8);
  void setTextBytes(Placeholder p, std::string_view bytes);
  void clearText(Placeholder p) { texts_[index(p)].reset(); }
  std::string textUtf8(Placeholder p) const;
  std::string_view textBytes(Placeholder p) const;

  // user[1]..user[8] by their number 1..8 (file bytes, cut at 511).
  std::string_view userText(int number) const;
  void setUserTextBytes(int number, std::string_view bytes);
  void setUserText(int number, std::string_view utf8);
  std::string userTextUtf8(int number) const;
  // Copies the format's user[1]..user[8] into the buffers.
  void loadUserTexts(const OutputFormat& format);

 private:
  static size_t index(Placeholder p) { return static_cast<size_t>(p); }

  std::array<int32_t, kPlaceholderCount> numbers_{};
  std::array<std::optional<std::string>, kPlaceholderCount> texts_;
  std::array<std::string, kUserTextCount> user_;
};

}  // namespace formats
