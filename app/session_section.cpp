#include "app/session_section.h"

#include <array>
#include <charconv>
#include <filesystem>

#include "formats/model_definition.h"
#include "platform/text_lines.h"
#include "project/project_file.h"
#include "script/interpreter.h"
#include "app/memory_size.h"
#include "app/platforms.h"
#include "app/workshop.h"
#include "app/language.h"

namespace app {

namespace {

std::string CurrentDirectory() {
  std::error_code ec;
  auto dir = std::filesystem::current_path(ec);
  return ec ? std::string() : dir.string();
}

void AppendQuoted(std::string& out, std::string_view key, std::string_view value) {
  out += "  ";
  out += key;
  out += " = \"";
  out += value;
  out += "\"\n";
}

constexpr int32_t kDefaultMaxObjects = 1024;
constexpr int32_t kDefaultTiming = 10;
constexpr uint32_t kDefaultPreviewMemory = 33554432;
constexpr int32_t kDefaultShadesMinusOne = 255;
constexpr int32_t kDefaultPrecision = 512;

std::string_view Truth(bool on) { return on ? "vrai" : "faux"; }

// Reals with a '.' whatever the locale, as the reader parses them.
std::string Fixed(double value, int precision) {
  char buffer[64];
  auto r =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
  return r.ec == std::errc() ? std::string(buffer, r.ptr) : std::string("0");
}

std::string RgbReals(const std::array<double, 3>& v, int precision) {
  return "RGB(" + Fixed(v[0], precision) + "," + Fixed(v[1], precision) + "," +
         Fixed(v[2], precision) + ")";
}

void AppendSetting(std::string& out, std::string_view key, std::string_view value) {
  out.append("  ").append(key).append(" = ").append(value).append("\n");
}

// The colour effects (gamma as the user gave it: the reciprocal of the
// exponent kept), the mask colour and the reduction method.
void AppendConversionLines(const Workshop& w, std::string& out) {
  const convert::ConversionSettings& c = w.conversion;
  std::array<double, 3> gamma{};
  for (size_t i = 0; i < gamma.size(); ++i) gamma[i] = 1.0 / c.gammaExponent[i];
  out += "\n  convert.couleurMasque = RGB(" + std::to_string(c.maskColour.red) + "," +
         std::to_string(c.maskColour.green) + "," + std::to_string(c.maskColour.blue) + ")\n";
  out += "  convert.luminosite   GAMMA=" + RgbReals(gamma, 3) + "  ADD=" + RgbReals(c.addition, 1) +
         "  ALPHA=" + RgbReals(c.towardsWhite, 1) + "\n";
  out += "  convert.mode = " + std::to_string(static_cast<int32_t>(c.method)) + "\n\n";
}

// The settings written only when they differ from their start values (the
// automatic saving of map settings always).
void AppendChangedSettings(const Workshop& w, std::string& out) {
  const SystemSettings& s = w.system;
  const convert::ConversionSettings& c = w.conversion;
  if (!s.saveMapSettings) AppendSetting(out, "system.sauverParamsMaps", Truth(false));
  AppendSetting(out, "system.sauverParamsMapsAuto", Truth(s.saveMapSettingsAuto != 0));
  if (s.maxObjects != kDefaultMaxObjects)
    AppendSetting(out, "system.objetsMax", std::to_string(s.maxObjects));
  if (w.editor.timing != kDefaultTiming)
    AppendSetting(out, "editeur.Timing", std::to_string(w.editor.timing));
  if (s.maxPreviewMemory != kDefaultPreviewMemory)
    AppendSetting(out, "system.MemoireMax", FormatMemorySize(s.maxPreviewMemory));
  if (!s.autoFormatSelection) AppendSetting(out, "system.selectionFormatAuto", Truth(false));
  if (c.shadesMinusOne != kDefaultShadesMinusOne)
    AppendSetting(out, "convert.nuances",
                  std::to_string(static_cast<int64_t>(c.shadesMinusOne) + 1));
  if (c.shadesBefore) AppendSetting(out, "convert.nuancesAvant", Truth(true));
  if (c.truncate) AppendSetting(out, "convert.tronquer", Truth(true));
  if (c.useMaxColours) AppendSetting(out, "convert.utilMaxCoul", Truth(true));
  if (c.maxPrecision != kDefaultPrecision)
    AppendSetting(out, "convert.precisionMax", std::to_string(c.maxPrecision));
  if (s.emulGba) AppendSetting(out, "system.emulGBA", Truth(true));
  if (c.colorisation != 0)
    AppendSetting(out, "convert.colorisation", std::to_string(c.colorisation));
  if (c.fastPaletteReduction != 1)
    AppendSetting(out, "convert.reducPalRapide", Truth(c.fastPaletteReduction != 0));
  if (c.paletteReductionPost != 1)
    AppendSetting(out, "convert.reducPalPost", Truth(c.paletteReductionPost != 0));
  if (c.refinedDither) AppendSetting(out, "convert.tramageAffine", Truth(true));
}

// The selected format, every list model, the selected model, the platform and
// each platform's options.
void AppendFormatAndPlatformLines(const Workshop& w, std::string& out) {
  const formats::FormatLibrary& lib = w.formats;
  out += "  Format = \"";
  out += lib.formats[static_cast<size_t>(lib.currentFormat)].name;
  out += "\"\n\n";
  for (const formats::ListModel& model : lib.models) out += formats::ModelDefinitionText(model);
  out += "  Modele = \"";
  out += formats::CurrentModel(lib).name;
  out += "\"\n\n";
  out += "  Plateforme = \"";
  out += CurrentPlatform(w).name;
  out += "\"\n";
  WritePlatformOptions(w, out);
}

}  // namespace

void WriteInfosSection(Workshop& w, std::string& out) {
  AppendQuoted(out, "Répertoire", CurrentDirectory());
  AppendQuoted(out, "Script", w.paths.scriptPath);
  AppendQuoted(out, "AidePerso", w.paths.userHelpPath);
  AppendConversionLines(w, out);
  AppendChangedSettings(w, out);
  project::AppendDefaultFolderLines(w.project, out);
  AppendFormatAndPlatformLines(w, out);
}

void WorkshopSession::writeSession(std::string& out) { WriteInfosSection(w_, out); }

void WorkshopSession::runSection(project::ProjectSection, std::string_view utf8Text) {
  platform::TextLines lines{std::string(utf8Text)};
  bool outer = w_.interpreter.inProjectSection;
  w_.interpreter.inProjectSection = true;
  ExecuteScript(w_, lines);
  w_.interpreter.inProjectSection = outer;
}

}  // namespace app
