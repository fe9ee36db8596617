// The map settings file: a script written beside the map the editor was
// opened on ("niveau1.map.c" → "niveau1.map.spt"), which the editor runs when
// it opens the same map again.
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <set>

#include "mapeditor/editor_texts.h"
#include "mapeditor/map_editor.h"
#include "platform/files.h"
#include "platform/text_encoding.h"
#include "mapeditor/editor_host.h"
#include "project/project.h"

namespace mapeditor {

namespace {

const char* Truth(bool v) { return v ? "vrai" : "faux"; }

void Line(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Line(std::string& out, const char* format, ...) {
  char buffer[1200];
  va_list args;
  va_start(args, format);
  int n = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (n > 0) out.append(buffer, static_cast<size_t>(std::min<int>(n, sizeof buffer - 1)));
}

constexpr int32_t kDefaultGridColour = 64 | (64 << 8) | (64 << 16);

// A name as a script string. Strings have no escapes, but the reader takes
// ' and * as delimiters too: a name holding a double quote is written between
// one of those so that it reads back whole. A name holding all three loses
// its double quotes.
std::string ScriptString(std::string_view name) {
  for (char quote : {'"', '\'', '*'})
    if (name.find(quote) == std::string_view::npos) return quote + std::string(name) + quote;
  std::string kept;
  for (char c : name)
    if (c != '"') kept += c;
  return '"' + kept + '"';
}

}  // namespace

std::string MapEditor::mapSettingsText() const {
  std::string out;
  const mapeditor::EditorSettings& s = host_.settings();
  for (int i = 0; i < count_; ++i) {
    const BackgroundSlot& sl = slot(i);
    if (!sl.open || !sl.used) continue;
    const Background& b = sl.background;
    int n = i + 1;
    Line(out, "    Fonds.Ajoute %s, %i\n", ScriptString(sl.element.name).c_str(), n);
    if (!visible(i)) Line(out, "    Fonds[%i].Visible = faux\n", n);
    if (b.parallaxX != 1.0 || b.parallaxY != 1.0)
      Line(out, "    Fonds[%i].VitesseDefil %f, %f\n", n, b.parallaxX, b.parallaxY);
    if (b.snapX != b.tileWidth || b.snapY != b.tileHeight)
      Line(out, "    Fonds[%i].Grille %i, %i\n", n, b.snapX, b.snapY);
    for (const ValueRange& r : b.ranges)
      Line(out, "    Fonds[%i].AjCondition 0x%x,0x%x 0x%x%s\n", n, r.lowest, r.highest, r.target(),
           r.noIncrement ? "=" : "");
    Line(out, "    Fonds[%i].EmulGBA = %s\n", n, Truth(b.gbaEmulation));
  }
  if (s.transparency) Line(out, "    Fonds.Transparence = %s\n", Truth(true));
  if (bitGrid_.exists) {
    for (int i = 0; i < count_; ++i)
      for (int bit = 0; bit < kCellBits; ++bit) {
        const std::string& name = slot(i).bits.names[static_cast<size_t>(bit)];
        if (name != DefaultBitName(bit))
          Line(out, "    Bits[%i].TexteBit %i,%s\n", i + 1, bit, ScriptString(name).c_str());
      }
    for (int i = 0; i < count_; ++i)
      for (int bit = 0; bit < kCellBits; ++bit) {
        bool active = slot(i).bits.active[static_cast<size_t>(bit)];
        if (active != DefaultBitActive(bit))
          Line(out, "    Bits[%i].BitActif = %i,%s\n", i + 1, bit, Truth(active));
      }
    Line(out, "    Bits.Affiche\n");
  }
  if (s.hexMode) Line(out, "    ModeHexa.Actif = %s\n", Truth(true));
  // Written whatever its value: the editor turns it on when it opens, so a
  // file that only recorded "on" could never bring "off" back.
  Line(out, "    ModeHexa.FondActif = %s\n", Truth(s.hexGraphicsBehind != 0));
  if (s.hexFillZeros) Line(out, "    ModeHexa.CombleZeros = %s\n", Truth(true));
  if (s.grid) Line(out, "    Editeur.Grille = %s\n", Truth(true));
  if (s.gridColour != kDefaultGridColour)
    Line(out, "    Editeur.CouleurGrille = RGB(%i,%i,%i)\n", s.gridColour & 255,
         (s.gridColour >> 8) & 255, (s.gridColour >> 16) & 255);
  if (s.gridOpacity != 96) Line(out, "    Editeur.AlphaGrille = %i\n", s.gridOpacity);
  if (s.foregroundOpacity != 160) Line(out, "    Fonds.AlphaPremPlan = %i\n", s.foregroundOpacity);
  if (s.backgroundOpacity != 128) Line(out, "    Fonds.AlphaGfx = %i\n", s.backgroundOpacity);
  if (s.hexOpacity != 96) Line(out, "    Fonds.AlphaHex = %i\n", s.hexOpacity);
  if (s.zoom != 1.0) Line(out, "    Editeur.Zoom = %#.2f\n", s.zoom);
  if (s.preciseZoom) Line(out, "    Editeur.ZoomPrecis = %s\n", Truth(true));
  for (int m : specimen_.maps) Line(out, "    Specimen.AjouteMap %i\n", m + 1);
  const WindowPlacement& e = editorPlacement_;
  Line(out, "    Editeur.Deplace %i, %i, %i, %i, %s\n", e.width, e.height, e.left, e.top,
       Truth(e.maximised));
  if (specimen_.exists) {
    const WindowPlacement& p = specimen_.placement;
    Line(out, "    Specimen.Deplace %i, %i, %i, %i\n", p.width, p.height, p.left, p.top);
    Line(out, "    Specimen.Affiche %s\n", Truth(s.specimenShown != 0));
  }
  if (bitGrid_.visible)
    Line(out, "    Bits.Deplace %i, %i\n", bitGrid_.placement.left, bitGrid_.placement.top);
  std::set<LinkRow> written;
  for (int i = 0; i < count_; ++i) {
    const LinkRow& row = links_[static_cast<size_t>(i)];
    std::vector<int> members = LinkMembers(row);
    if (members.size() < 2 || !written.insert(row).second) continue;
    out += "    Fonds.LieMap ";
    for (size_t k = 0; k + 1 < members.size(); ++k) Line(out, "%i, ", members[k] + 1);
    Line(out, "%i\n", members.back() + 1);
  }
  out += "    Fin\n\n\n\n";
  return out;
}

bool MapEditor::writeMapSettings() {
  if (!host_.savesMapSettings() || openedRecord_.file.empty()) return false;
  if (platform::WriteFileAtomic(settingsFilePath(), platform::Utf8ToCp1252(mapSettingsText())))
    return true;
  // The map itself may have been saved: say which part was not, without a
  // box interrupting the work.
  std::string text = texts::WithText(texts::kSettingsNotWritten, settingsFilePath());
  status_.remove(text);
  status_.add(text);
  return false;
}

}  // namespace mapeditor
