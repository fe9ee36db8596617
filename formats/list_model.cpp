#include "formats/list_model.h"

#include <algorithm>
#include <cstring>

#include "platform/text_encoding.h"
#include "platform/value_syntax.h"

namespace formats {

int32_t ListModel::objectSize() const {
  int32_t size = kObjectHeaderSize;
  for (const auto& f : fields) size += f.size;
  return size;
}

int32_t ListModel::fieldOffset(size_t j) const {
  int32_t offset = kObjectHeaderSize;
  for (size_t k = 0; k < j && k < fields.size(); ++k) offset += fields[k].size;
  return offset;
}

int ListModel::findField(std::string_view fieldName) const {
  for (size_t j = 0; j < fields.size(); ++j)
    if (fields[j].name == fieldName) return static_cast<int>(j);
  return -1;
}

std::string_view FieldKindLabel(int32_t kind) { return kind == kFieldRaw ? "Brut" : "Entier"; }

ModelField MakeField(int32_t kind, int32_t size, std::string_view name,
                     std::string_view defaultValue) {
  ModelField f;
  f.kind = kind;
  f.size = std::clamp<int32_t>(size, 0, kMaxFieldSize);
  f.name = platform::Utf8Prefix(name, kMaxFieldNameChars);
  f.defaultValue = platform::Utf8Prefix(defaultValue, kMaxFieldDefaultChars);
  return f;
}

bool AddModelField(ListModel& model, std::string_view name, int32_t kind, int32_t size) {
  if (name.empty()) return false;
  ModelField f = MakeField(kind, size == 0 ? 4 : size, name, "");
  int existing = model.findField(f.name);
  if (existing >= 0) {
    model.fields[static_cast<size_t>(existing)] = std::move(f);
    return true;
  }
  if (model.fields.size() >= kMaxModelFields) return false;
  model.fields.push_back(std::move(f));
  return true;
}

namespace {

bool Fits(size_t objectSize, size_t offset, size_t size) {
  return offset <= objectSize && size <= objectSize - offset;
}

}  // namespace

int32_t ReadObjectWord(std::span<const uint8_t> object, size_t offset, size_t size) {
  size = std::min<size_t>(size, 4);
  if (size == 0 || !Fits(object.size(), offset, size)) return 0;
  uint32_t v = 0;
  for (size_t k = 0; k < size; ++k) v |= static_cast<uint32_t>(object[offset + k]) << (8 * k);
  int shift = static_cast<int>(32 - 8 * size);
  return shift ? static_cast<int32_t>(v << shift) >> shift : static_cast<int32_t>(v);
}

void WriteObjectWord(std::span<uint8_t> object, size_t offset, int32_t value, size_t size) {
  size = std::min<size_t>(size, 4);
  if (!Fits(object.size(), offset, size)) return;
  auto v = static_cast<uint32_t>(value);
  for (size_t k = 0; k < size; ++k) object[offset + k] = static_cast<uint8_t>(v >> (8 * k));
}

std::string_view ReadObjectText(std::span<const uint8_t> object, size_t offset, size_t size) {
  if (!Fits(object.size(), offset, size)) return {};
  const char* p = reinterpret_cast<const char*>(object.data() + offset);
  size_t n = 0;
  while (n < size && p[n] != '\0') ++n;
  return std::string_view(p, n);
}

void WriteObjectText(std::span<uint8_t> object, size_t offset, size_t size,
                     std::string_view bytes) {
  if (size == 0 || !Fits(object.size(), offset, size)) return;
  size_t n = std::min(bytes.size(), size - 1);  // room for the NUL
  std::memset(object.data() + offset, 0, size);
  if (n) std::memcpy(object.data() + offset, bytes.data(), n);
}

int32_t ParseObjectInteger(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = i < text.size() && text[i] == '-';
  if (negative) ++i;
  auto v = static_cast<uint32_t>(platform::ParseInteger(text.substr(i)));
  return static_cast<int32_t>(negative ? 0u - v : v);
}

void SetObjectDefaults(const ListModel& model, std::span<uint8_t> object) {
  for (size_t j = 0; j < model.fields.size(); ++j) {
    const ModelField& f = model.fields[j];
    auto offset = static_cast<size_t>(model.fieldOffset(j));
    auto size = static_cast<size_t>(f.size);
    if (f.kind == kFieldRaw)
      WriteObjectText(object, offset, size, platform::Utf8ToCp1252(f.defaultValue));
    else
      WriteObjectWord(object, offset, ParseObjectInteger(f.defaultValue), size);
  }
}

}  // namespace formats
