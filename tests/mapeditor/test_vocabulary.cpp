#include "test_vocabulary.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/value_syntax.h"
#include "script/editor_access.h"
#include "script/entry_makers.h"
#include "script/identifier_lookup.h"
#include "script/workshop.h"

namespace mapeditortest {

namespace {

using namespace script;

// The integers and reals of a command's value, separated by commas or blanks.
std::vector<std::string_view> Arguments(std::string_view value) {
  std::vector<std::string_view> out;
  size_t pos = 0;
  while (pos < value.size()) {
    size_t next = platform::SkipArgument(value, pos);
    out.push_back(value.substr(pos, next - pos));
    if (next <= pos) break;
    pos = next;
  }
  return out;
}

int32_t Int(const std::vector<std::string_view>& a, size_t i) {
  return i < a.size() ? platform::ParseInteger(a[i]) : 0;
}

EditorAccess* Editor(Workshop& w) { return w.openEditor; }
int32_t Index(Workshop& w) { return w.interpreter.currentIndex; }

void Ajoute(Workshop& w, std::string_view value) {
  size_t end = 0;
  auto name = platform::ParseString(value, &end);
  if (!name || !Editor(w)) return;
  size_t pos = platform::SkipArgument(value, end);
  Editor(w)->addBackgroundByName(
      *name, pos < value.size() ? platform::ParseInteger(value.substr(pos)) : 0);
}

void VitesseDefil(Workshop& w, std::string_view value) {
  auto a = Arguments(value);
  if (Editor(w) && a.size() >= 2)
    Editor(w)->setScrollRate(Index(w), platform::ParseReal(a[0]), platform::ParseReal(a[1]));
}

void Grille(Workshop& w, std::string_view value) {
  auto a = Arguments(value);
  if (Editor(w)) Editor(w)->setSnapGrid(Index(w), Int(a, 0), Int(a, 1));
}

void AjCondition(Workshop& w, std::string_view value) {
  auto a = Arguments(value);
  bool exact = !value.empty() && value.find('=') != std::string_view::npos;
  if (Editor(w))
    Editor(w)->addCondition(Index(w), static_cast<uint32_t>(Int(a, 0)),
                            static_cast<uint32_t>(Int(a, 1)), static_cast<uint32_t>(Int(a, 2)),
                            exact);
}

void EmulGba(Workshop& w, std::string_view value) {
  if (Editor(w)) Editor(w)->setGbaEmulation(Index(w), platform::ParseInteger(value) != 0);
}

void LieMap(Workshop& w, std::string_view value) {
  std::vector<int32_t> numbers;
  for (std::string_view a : Arguments(value)) numbers.push_back(platform::ParseInteger(a));
  if (Editor(w)) Editor(w)->linkBackgrounds(numbers);
}

void TexteBit(Workshop& w, std::string_view value) {
  size_t pos = platform::SkipArgument(value, 0);
  auto name = platform::ParseString(value.substr(pos));
  if (Editor(w) && name) Editor(w)->setBitName(Index(w), platform::ParseInteger(value), *name);
}

void BitActif(Workshop& w, std::string_view value) {
  auto a = Arguments(value);
  if (Editor(w)) Editor(w)->setBitActive(Index(w), Int(a, 0), Int(a, 1) != 0);
}

void BitsAffiche(Workshop& w, std::string_view) {
  if (Editor(w)) Editor(w)->showBitGrid();
}

void BitsDeplace(Workshop& w, std::string_view value) {
  auto a = Arguments(value);
  if (Editor(w)) Editor(w)->moveBitGrid(Int(a, 0), Int(a, 1));
}

void EditeurDeplace(Workshop& w, std::string_view value) {
  auto a = Arguments(value);
  if (Editor(w))
    Editor(w)->placeEditor(Int(a, 0), Int(a, 1), Int(a, 2), Int(a, 3), a.size() >= 4,
                           Int(a, 4) != 0);
}

void Zoom(Workshop& w, std::string_view value) {
  if (Editor(w)) Editor(w)->setZoom(platform::ParseReal(value));
}

void AjouteMap(Workshop& w, std::string_view value) {
  if (Editor(w)) Editor(w)->addSpecimenMap(platform::ParseInteger(value));
}

void SpecimenDeplace(Workshop& w, std::string_view value) {
  auto a = Arguments(value);
  if (Editor(w))
    Editor(w)->placeSpecimen(Int(a, 0), Int(a, 1), Int(a, 2), Int(a, 3), a.size() >= 4);
}

void SpecimenAffiche(Workshop& w, std::string_view value) {
  if (Editor(w)) Editor(w)->showSpecimen(platform::ParseInteger(value) != 0);
}

constexpr ArrayDesc kVisible{
    20, EntryKind::Integer,
    [](Workshop& w, int i) -> int32_t& { return w.editor.visible[static_cast<size_t>(i)]; },
    nullptr, nullptr};

const Entry kFonds[] = {
    Named("ajoute", CommandEntry(Ajoute)),
    Named("visible", ArrayEntry(&kVisible)),
    Named("vitessedefil", CommandEntry(VitesseDefil)),
    Named("grille", CommandEntry(Grille)),
    Named("ajcondition", CommandEntry(AjCondition)),
    Named("emulgba", CommandEntry(EmulGba)),
    Named("liemap", CommandEntry(LieMap)),
    Named("transparence",
          IntegerEntry([](Workshop& w) -> int32_t& { return w.editor.transparency; })),
    Named("alphapremplan",
          IntegerEntry([](Workshop& w) -> int32_t& { return w.editor.foregroundOpacity; })),
    Named("alphagfx",
          IntegerEntry([](Workshop& w) -> int32_t& { return w.editor.backgroundOpacity; })),
    Named("alphahex", IntegerEntry([](Workshop& w) -> int32_t& { return w.editor.hexOpacity; })),
};
const ObjectTable kFondsTable{kFonds};

const Entry kBits[] = {
    Named("textebit", CommandEntry(TexteBit)),
    Named("bitactif", CommandEntry(BitActif)),
    Named("affiche", CommandEntry(BitsAffiche)),
    Named("deplace", CommandEntry(BitsDeplace)),
};
const ObjectTable kBitsTable{kBits};

const Entry kModeHexa[] = {
    Named("actif", IntegerEntry([](Workshop& w) -> int32_t& { return w.editor.hexMode; })),
    Named("fondactif",
          IntegerEntry([](Workshop& w) -> int32_t& { return w.editor.hexGraphicsBehind; })),
    Named("comblezeros",
          IntegerEntry([](Workshop& w) -> int32_t& { return w.editor.hexFillZeros; })),
};
const ObjectTable kModeHexaTable{kModeHexa};

const Entry kEditeur[] = {
    Named("grille", IntegerEntry([](Workshop& w) -> int32_t& { return w.editor.grid; })),
    Named("couleurgrille",
          IntegerEntry([](Workshop& w) -> int32_t& { return w.editor.gridColour; })),
    Named("alphagrille",
          IntegerEntry([](Workshop& w) -> int32_t& { return w.editor.gridOpacity; })),
    Named("zoomprecis", IntegerEntry([](Workshop& w) -> int32_t& { return w.editor.preciseZoom; })),
    Named("zoom", CommandEntry(Zoom)),
    Named("deplace", CommandEntry(EditeurDeplace)),
};
const ObjectTable kEditeurTable{kEditeur};

const Entry kSpecimen[] = {
    Named("ajoutemap", CommandEntry(AjouteMap)),
    Named("deplace", CommandEntry(SpecimenDeplace)),
    Named("affiche", CommandEntry(SpecimenAffiche)),
};
const ObjectTable kSpecimenTable{kSpecimen};

}  // namespace

void RegisterEditorVocabulary(Workshop& w) {
  RegisterIdentifier(w, "fonds", ObjectEntry(&kFondsTable));
  RegisterIdentifier(w, "bits", ObjectEntry(&kBitsTable));
  RegisterIdentifier(w, "modehexa", ObjectEntry(&kModeHexaTable));
  RegisterIdentifier(w, "editeur", ObjectEntry(&kEditeurTable));
  RegisterIdentifier(w, "specimen", ObjectEntry(&kSpecimenTable));
}

}  // namespace mapeditortest
