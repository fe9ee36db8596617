#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QWidget>
#include <vector>

#include "convert/conversion_progress.h"

namespace ui {

// The window's side of a long conversion: the sub-palettes as rows of
// swatches and the tiles as they are assigned, repainted while the
// conversion runs on the program's only thread. Events are processed from
// the callbacks at a bounded rate, so the window keeps repainting without
// the conversion spending its time in the event loop.
class ConversionProgressView : public QWidget, public convert::ConversionProgress {
  Q_OBJECT

 public:
  explicit ConversionProgressView(QWidget* parent = nullptr);

  void started(int tiles, int subPalettes, int coloursPerSubPalette) override;
  void stageStarted(Stage stage) override;
  void subPaletteChanged(int subPalette, std::span<const convert::ConvertedPixel> colours) override;
  void tileAssigned(int tile, int subPalette, std::span<const convert::ConvertedPixel> pixels,
                    int done) override;
  void finished(bool succeeded) override;

  // The longest time between two repaints during the last conversion, in
  // milliseconds, and how many repaints there were.
  qint64 longestRepaintGap() const { return longestGap_; }
  int repaints() const { return repaints_; }

  QSize sizeHint() const override { return {320, 140}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void pump(bool force);

  int tiles_ = 0;
  int done_ = 0;
  int coloursPerSubPalette_ = 16;
  std::vector<std::vector<QRgb>> subPalettes_;
  QImage tileMosaic_;  // one 8 × 8 block per tile, 32 a row
  QElapsedTimer sincePump_;
  QElapsedTimer sinceRepaint_;
  qint64 longestGap_ = 0;
  int repaints_ = 0;
  bool running_ = false;
};

}  // namespace ui
