#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "tools/tilecvt/output_format.h"

namespace tilecvt {

struct ArrayStyle {
  bool addExtern = false;           // C: "extern " before the declaration
  bool align = false;               // C: GCC's 4-byte alignment attribute
  std::string section = ".rodata";  // assembler forms
};

// Appends `bytes` as an array of bytes or of 16-bit little-endian values
// (elementSize 1 or 2) in the C, GCC or ARM form, lines ending in "\n". The C
// declaration gives `declaredCount` elements (the count before compression).
void AppendArrayText(std::string& out, ArrayForm form, const ArrayStyle& style,
                     std::string_view name, std::span<const uint8_t> bytes, int elementSize,
                     size_t declaredCount);

// The comment before a bitmap or tile array: the base name and the size in
// bytes before compression.
std::string DataHeader(ArrayForm form, std::string_view baseName, size_t uncompressedBytes);

// The comment before a map array.
std::string MapHeader(ArrayForm form, size_t columns, size_t rows);

}  // namespace tilecvt
