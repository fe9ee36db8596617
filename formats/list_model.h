#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// List object models: the record layout of the objects a list element holds.
// An object is x, y and type (three 32-bit signed words, little-endian), then
// the model's fields in order. Names and defaults are program text (UTF-8);
// the text of a raw field inside an object is file bytes (Windows-1252),
// NUL-terminated within the field.
namespace formats {

inline constexpr int kFieldInteger = 1;  // shown as "Entier"
inline constexpr int kFieldRaw = 2;      // shown as "Brut"

inline constexpr size_t kMaxModels = 10;
inline constexpr size_t kMaxModelFields = 100;
inline constexpr size_t kMaxModelNameChars = 511;
inline constexpr size_t kMaxFieldNameChars = 31;
inline constexpr size_t kMaxFieldDefaultChars = 15;
// A field larger than this is cut to it: objects are allocated by the
// thousand, and a hostile size must not make that allocation explode.
inline constexpr int32_t kMaxFieldSize = 256;
inline constexpr int32_t kObjectHeaderSize = 12;

struct ModelField {
  int32_t kind = kFieldInteger;  // anything but kFieldRaw is handled as an integer
  int32_t size = 4;
  std::string name;
  std::string defaultValue;
};

struct ListModel {
  std::string name;
  std::vector<ModelField> fields;

  // 12 + the sizes of all fields.
  int32_t objectSize() const;
  // Byte offset of field j within an object.
  int32_t fieldOffset(size_t j) const;
  // Index of the field of that exact name, or -1.
  int findField(std::string_view fieldName) const;
};

// "Entier" or "Brut".
std::string_view FieldKindLabel(int32_t kind);

// A field as a definition stores it: name and default cut to their widths,
// the size kept between 0 and kMaxFieldSize.
ModelField MakeField(int32_t kind, int32_t size, std::string_view name,
                     std::string_view defaultValue);

// Adds a field, or replaces the one of the same name; a size of 0 becomes 4
// and the default is empty. Nothing happens (false) when the name is empty or
// the model already holds 100 fields.
bool AddModelField(ListModel& model, std::string_view name, int32_t kind, int32_t size);

// The object's words and fields. Accesses that would leave the object's bytes
// read 0 and write nothing. An integer field narrower than 4 bytes keeps the
// low bytes of its value (read back sign-extended).
int32_t ReadObjectWord(std::span<const uint8_t> object, size_t offset, size_t size = 4);
void WriteObjectWord(std::span<uint8_t> object, size_t offset, int32_t value, size_t size = 4);
std::string_view ReadObjectText(std::span<const uint8_t> object, size_t offset, size_t size);
void WriteObjectText(std::span<uint8_t> object, size_t offset, size_t size, std::string_view bytes);

inline constexpr size_t kObjectX = 0;
inline constexpr size_t kObjectY = 4;
inline constexpr size_t kObjectType = 8;

// An integer value of an object as a file holds it: blanks, an optional minus
// sign, then the script's integer syntax (decimal, 0x.., 0b..).
int32_t ParseObjectInteger(std::string_view text);

// Every field of the object set to its default (integers parsed, texts
// copied); x, y and type are left alone.
void SetObjectDefaults(const ListModel& model, std::span<uint8_t> object);

}  // namespace formats
