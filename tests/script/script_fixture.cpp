#include "script_fixture.h"

#include "app/entry_makers.h"
#include "script/identifier_lookup.h"

namespace scripttest {

using namespace script;
using namespace app;

Store& TheStore() {
  static Store store;
  return store;
}

namespace {

constexpr ArrayDesc kEntiers{3, EntryKind::Integer,
                             [](Context&, int i) -> int32_t& { return TheStore().entiers[i]; },
                             nullptr, nullptr};
constexpr ArrayDesc kTextes{12, EntryKind::Text, nullptr,
                            [](Context&, int i) -> std::string& { return TheStore().textes[i]; },
                            nullptr};
constexpr ArrayDesc kReels{2, EntryKind::Real, nullptr, nullptr,
                           [](Context&, int i) -> double& { return TheStore().reels[i]; }};
constexpr ArrayDesc kMauvais{2, EntryKind::Command, nullptr, nullptr, nullptr};

constexpr Entry kEssaiRows[] = {
    Named("grille", IntegerEntry<[](Workshop&) -> int32_t& { return TheStore().grille; }>()),
    Named("nombre", IntegerEntry<[](Workshop&) -> int32_t& { return TheStore().nombre; }>()),
    Named("nom", TextEntry<[](Workshop&) -> std::string& { return TheStore().nom; }>()),
    Named("reel", RealEntry<[](Workshop&) -> double& { return TheStore().reel; }>()),
    Named("entiers", ArrayEntry(&kEntiers)),
    Named("textes", ArrayEntry(&kTextes)),
    Named("reels", ArrayEntry(&kReels)),
    Named("mauvais", ArrayEntry(&kMauvais)),
    Named("indice", CommandEntry<[](Workshop& w, std::string_view) {
            TheStore().indexes.push_back(w.interpreter.currentIndex);
          }>()),
    Named("bitnoms", CommandEntry<[](Workshop& w, std::string_view) {
            w.interpreter.bitNamesChanged = true;
          }>()),
};
constexpr ObjectTable kEssai{kEssaiRows};

}  // namespace

void RegisterTestIdentifiers(Workshop& w) {
  RegisterIdentifier(w, "essai", ObjectEntry(&kEssai));
  RegisterIdentifier(w, "tablo", ArrayEntry(&kEntiers));
  RegisterIdentifier(w, "trace", CommandEntry<[](Workshop&, std::string_view value) {
                       TheStore().traces.emplace_back(value);
                     }>());
}

ScriptFixture::ScriptFixture() {
  TheStore() = Store{};
  RegisterTestIdentifiers(w);
}

void ScriptFixture::runLines(std::string text, std::string_view startLabel) {
  platform::TextLines lines(std::move(text));
  ExecuteScript(w, lines, startLabel);
}

void ScriptFixture::runText(std::string_view text, std::string_view startLabel) {
  ExecuteScript(w, text, startLabel);
}

std::string ScriptFixture::writeScript(std::string_view name, std::string_view bytes) {
  std::string path = dir.file(name);
  testsupport::WriteFile(path, bytes);
  return path;
}

}  // namespace scripttest
