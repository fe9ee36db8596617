#include "app/gba_platform.h"

#include <string>

#include "convert/gba_modes.h"
#include "formats/format_library.h"
#include "platform/value_syntax.h"
#include "app/element_slots.h"
#include "app/entry_makers.h"
#include "script/identifier_lookup.h"
#include "app/workshop.h"
#include "app/language.h"

namespace app {

namespace {

constexpr uint32_t kPaletteField = 0xF000u;
constexpr int kPaletteShift = 12;
constexpr uint32_t kMirrorXField = 0x400u;
constexpr int kMirrorXShift = 10;
constexpr uint32_t kMirrorYField = 0x800u;
constexpr int kMirrorYShift = 11;
constexpr int32_t kAlignOn = 4;

GbaOptions& Options(Workshop& w) { return w.platforms.gba; }

bool GbaIsCurrent(const Workshop& w) {
  return w.platforms.current >= 0 && w.platforms.current == w.platforms.gba.recordIndex;
}

void PaletteMaskCommand(Workshop& w, std::string_view value) {
  Options(w).paletteMask = platform::ParseInteger(value) != 0;
  RecomputeGbaMapMasks(w);
}

void MirrorMaskCommand(Workshop& w, std::string_view value) {
  Options(w).mirrorMask = platform::ParseInteger(value) != 0;
  RecomputeGbaMapMasks(w);
}

// Alignment belongs to the exports of this platform: it is only taken while
// the platform is current.
void AlignCommand(Workshop& w, std::string_view value) {
  if (!GbaIsCurrent(w)) return;
  Options(w).align = platform::ParseInteger(value) != 0 ? kAlignOn : 0;
}

constexpr Entry kGbaRows[] = {
    Named("palettemask", CommandEntry<PaletteMaskCommand>()),
    Named("mirrormask", CommandEntry<MirrorMaskCommand>()),
    Named("align", CommandEntry<AlignCommand>()),
};
constexpr ObjectTable kGbaObject{kGbaRows};

void SetAlignmentText(Workshop& w, std::string_view text) {
  formats::SetFormatUserText(w.formats.current, 2, text);
}

void GbaEvent(Workshop& w, int recordIndex, PlatformEvent event) {
  switch (event) {
    case PlatformEvent::Startup:
      RegisterIdentifier(w, "gba", ObjectEntry(&kGbaObject));
      Options(w) = GbaOptions{};
      Options(w).recordIndex = recordIndex;
      RecomputeGbaMapMasks(w);
      break;
    case PlatformEvent::Selected:
      break;
    case PlatformEvent::Deselected:
      SetAlignmentText(w, {});
      break;
  }
}

void GbaExportHook(Workshop& w) {
  SetAlignmentText(w, Options(w).align != 0 ? kGbaAlignText : std::string_view());
}

void WriteGbaOptions(const Workshop& w, std::string& session) {
  const GbaOptions& o = w.platforms.gba;
  auto line = [&session](std::string_view key, std::string_view value) {
    session.append("  GBA.").append(key).append(" = ").append(value).append("\n");
  };
  line("paletteMask", o.paletteMask ? "vrai" : "faux");
  line("mirrorMask", o.mirrorMask ? "vrai" : "faux");
  line("align", std::to_string(o.align));
}

}  // namespace

void ApplyGbaMasks(convert::MapFormat& f, bool paletteMask, bool mirrorMask) {
  f.paletteMask = paletteMask ? kPaletteField : 0;
  f.paletteShift = paletteMask ? kPaletteShift : 0;
  if (mirrorMask) {
    f.mirrorXMask = kMirrorXField;
    f.mirrorXShift = kMirrorXShift;
    f.mirrorYMask = kMirrorYField;
    f.mirrorYShift = kMirrorYShift;
    f.indexMask = 0x3FFu;
  } else {
    f.mirrorXMask = f.mirrorYMask = 0;
    f.mirrorXShift = f.mirrorYShift = 0;
    f.indexMask = paletteMask ? 0xFFFu : 0xFFFFu;
  }
}

void RecomputeGbaMapMasks(Workshop& w) {
  const GbaOptions& o = w.platforms.gba;
  if (o.recordIndex < 0 || static_cast<size_t>(o.recordIndex) >= w.platforms.records.size()) return;
  PlatformRecord& record = w.platforms.records[static_cast<size_t>(o.recordIndex)];
  ApplyGbaMasks(record.mapFormats[kGbaTextMapFormat], o.paletteMask, o.mirrorMask);
}

OptionsPanel OpenGbaOptionsPanel(const Workshop& w, bool forMap) {
  const GbaOptions& o = w.platforms.gba;
  OptionsPanel panel;
  panel.width = kGbaPanelWidth;
  panel.height = forMap ? kGbaPanelHeightMap : kGbaPanelHeightTileset;
  panel.boxes.push_back({kGbaAlignCaption, o.align != 0});
  if (forMap) {
    panel.boxes.push_back({kGbaMirrorCaption, o.mirrorMask});
    panel.boxes.push_back({kGbaPaletteCaption, o.paletteMask});
  }
  return panel;
}

void CloseGbaOptionsPanel(Workshop& w, bool forMap, std::span<const bool> states) {
  GbaOptions& o = Options(w);
  if (!states.empty()) o.align = states[0] ? kAlignOn : 0;
  if (forMap && states.size() >= 3) {
    o.mirrorMask = states[1];
    o.paletteMask = states[2];
  }
  RecomputeGbaMapMasks(w);
}

PlatformRecord MakeGbaPlatform() {
  PlatformRecord p;
  p.name = kGbaPlatformName;
  p.flag = 1;
  p.defaultColourMode = convert::kGbaDefaultColourMode;
  p.colourModes = convert::kGbaColourModes;
  p.maxPaletteEntries = convert::kGbaMaxPaletteEntries;
  p.mapFormats = convert::kGbaMapFormats;
  p.mapCellBits = {8, 16, 32};
  p.event = GbaEvent;
  p.openOptionsPanel = OpenGbaOptionsPanel;
  p.closeOptionsPanel = CloseGbaOptionsPanel;
  p.ioSlots = ElementFileSlots();
  p.ioSlots.writeOptions = WriteGbaOptions;
  p.ioSlots.exportHook = GbaExportHook;
  return p;
}

}  // namespace app
