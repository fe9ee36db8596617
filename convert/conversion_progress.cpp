#include "convert/conversion_progress.h"

#include <array>

namespace convert {

namespace {

constexpr std::array<const char*, 4> kStageNames{"choix des sous-palettes", "attribution des tiles",
                                                 "remplissage des palettes", "écriture des tiles"};

}  // namespace

void PrintedProgress::started(int tiles, int subPalettes, int coloursPerSubPalette) {
  tiles_ = tiles;
  lastTenth_ = 0;
  if (out_)
    std::fprintf(out_, "Conversion par palettes: %d tiles, %d palettes de %d couleurs\n", tiles,
                 subPalettes, coloursPerSubPalette);
}

void PrintedProgress::stageStarted(Stage stage) {
  if (out_) std::fprintf(out_, "  %s\n", kStageNames[static_cast<size_t>(stage)]);
}

void PrintedProgress::tileAssigned(int, int, std::span<const ConvertedPixel>, int done) {
  if (!out_ || tiles_ <= 0) return;
  int tenth = static_cast<int>(int64_t{done} * 10 / tiles_);
  if (tenth <= lastTenth_) return;
  lastTenth_ = tenth;
  std::fprintf(out_, "  %d%%\n", tenth * 10);
}

void PrintedProgress::finished(bool succeeded) {
  if (out_) std::fprintf(out_, "  %s\n", succeeded ? "terminé" : "échec");
}

void PrintedProgress::diagnostic(std::string_view line) {
  if (diagnostics_) std::fwrite(line.data(), 1, line.size(), diagnostics_);
}

}  // namespace convert
