#include "formats/placeholders.h"

#include "platform/text_encoding.h"

namespace formats {

namespace {

using K = PlaceholderKind;

constexpr std::array<PlaceholderInfo, kPlaceholderCount> kPlaceholders = {{
    {"file", K::Text},
    {"sizex", K::IntegerByReference},
    {"sizey", K::IntegerByReference},
    {"size", K::Integer},
    {"memory", K::Integer},
    {"name", K::Text},
    {"link", K::Text},
    {"tilex", K::IntegerByReference},
    {"tiley", K::IntegerByReference},
    {"depth", K::Integer},
    {"type", K::Text},
    {"null", K::Text},
    {"bits", K::Text},
    {"gfxmask", K::IntegerByReference},
    {"tilebase", K::IntegerByReference},
    {"model", K::Text},
}};

std::string CutUserText(std::string_view bytes) {
  return std::string(bytes.substr(0, kUserTextCapacity));
}

}  // namespace

const PlaceholderInfo& PlaceholderInfoOf(Placeholder p) {
  return kPlaceholders[static_cast<size_t>(p)];
}

std::optional<Placeholder> FindPlaceholder(std::string_view name) {
  for (size_t i = 0; i < kPlaceholders.size(); ++i)
    if (kPlaceholders[i].name == name) return static_cast<Placeholder>(i);
  return std::nullopt;
}

void TemplateValues::reset(const ReferenceDefaults& d) {
  numbers_.fill(0);
  for (auto& t : texts_) t.reset();
  numbers_[index(Placeholder::SizeX)] = d.imageWidth;
  numbers_[index(Placeholder::SizeY)] = d.imageHeight;
  numbers_[index(Placeholder::TileX)] = d.tileWidth;
  numbers_[index(Placeholder::TileY)] = d.tileHeight;
  numbers_[index(Placeholder::TileBase)] = d.tileBase;
  numbers_[index(Placeholder::GfxMask)] = -1;
}

void TemplateValues::setText(Placeholder p, std::string_view utf8) {
  setTextBytes(p, platform::Utf8ToCp1252(utf8));
}

void TemplateValues::setTextBytes(Placeholder p, std::string_view bytes) {
  if (p == Placeholder::Null) return;
  texts_[index(p)] = std::string(bytes);
}

std::string TemplateValues::textUtf8(Placeholder p) const {
  return platform::Cp1252ToUtf8(textBytes(p));
}

std::string_view TemplateValues::textBytes(Placeholder p) const {
  const auto& t = texts_[index(p)];
  return t ? std::string_view(*t) : std::string_view();
}

std::string_view TemplateValues::userText(int number) const {
  if (number < 1 || number > kUserTextCount) return {};
  return user_[static_cast<size_t>(number - 1)];
}

void TemplateValues::setUserTextBytes(int number, std::string_view bytes) {
  if (number < 1 || number > kUserTextCount) return;
  user_[static_cast<size_t>(number - 1)] = CutUserText(bytes);
}

void TemplateValues::setUserText(int number, std::string_view utf8) {
  setUserTextBytes(number, platform::Utf8ToCp1252(utf8));
}

std::string TemplateValues::userTextUtf8(int number) const {
  return platform::Cp1252ToUtf8(userText(number));
}

void TemplateValues::loadUserTexts(const OutputFormat& format) {
  for (int i = 1; i <= kUserTextCount; ++i)
    setUserTextBytes(i, format.user[static_cast<size_t>(i - 1)]);
}

}  // namespace formats
