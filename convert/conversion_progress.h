#pragma once

#include <cstdio>
#include <span>
#include <string_view>

#include "convert/converted_pixel.h"

// How a long conversion shows what it does: the desktop program draws the
// sub-palettes as swatches and the tiles as they are assigned; batch mode
// prints a few lines. Every notification has an empty default, so a
// listener implements only what it shows.
namespace convert {

class ConversionProgress {
 public:
  enum class Stage { Seeding, Assignment, PostProcessing, Output };

  virtual ~ConversionProgress() = default;

  // The multi-palette conversion starts on `tiles` tiles, for `subPalettes`
  // sub-palettes of `coloursPerSubPalette` colours.
  virtual void started(int tiles, int subPalettes, int coloursPerSubPalette) {
    (void)tiles, (void)subPalettes, (void)coloursPerSubPalette;
  }
  virtual void stageStarted(Stage stage) { (void)stage; }
  // The colours of a sub-palette changed; entry 0 is its transparent entry.
  virtual void subPaletteChanged(int subPalette, std::span<const ConvertedPixel> colours) {
    (void)subPalette, (void)colours;
  }
  // Tile `tile` went to `subPalette`; `pixels` are its converted pixels, in
  // 8 × 8 blocks, `done` tiles are assigned so far.
  virtual void tileAssigned(int tile, int subPalette, std::span<const ConvertedPixel> pixels,
                            int done) {
    (void)tile, (void)subPalette, (void)pixels, (void)done;
  }
  virtual void finished(bool succeeded) { (void)succeeded; }
  // The algorithm's diagnostic lines (each ends with a line break); the
  // program sends them to standard output.
  virtual void diagnostic(std::string_view line) { (void)line; }
};

// Batch mode: a line per stage and per tenth of the tiles assigned on
// `out`, the diagnostic lines on `diagnostics` (either may be null).
class PrintedProgress : public ConversionProgress {
 public:
  PrintedProgress(std::FILE* out, std::FILE* diagnostics) : out_(out), diagnostics_(diagnostics) {}

  void started(int tiles, int subPalettes, int coloursPerSubPalette) override;
  void stageStarted(Stage stage) override;
  void tileAssigned(int tile, int subPalette, std::span<const ConvertedPixel> pixels,
                    int done) override;
  void finished(bool succeeded) override;
  void diagnostic(std::string_view line) override;

 private:
  std::FILE* out_;
  std::FILE* diagnostics_;
  int tiles_ = 0;
  int lastTenth_ = 0;
};

}  // namespace convert
