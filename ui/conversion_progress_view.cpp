#include "ui/conversion_progress_view.h"

#include <QCoreApplication>
#include <QPainter>
#include <algorithm>

namespace ui {

namespace {

// Often enough to look live, seldom enough to cost the conversion little.
constexpr qint64 kPumpIntervalMs = 25;
constexpr int kMosaicColumns = 32;

// Levels of the working pixels are the console's 5 bits.
QRgb Swatch(convert::ConvertedPixel p) {
  auto level = [](uint8_t l) { return std::min(255, l * 8 + 4); };
  return qRgb(level(convert::PixelRed(p)), level(convert::PixelGreen(p)),
              level(convert::PixelBlue(p)));
}

}  // namespace

ConversionProgressView::ConversionProgressView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("conversionProgress"));
  setAccessibleName(QString::fromUtf8("Progression de la conversion"));
  setMinimumHeight(60);
}

void ConversionProgressView::started(int tiles, int subPalettes, int coloursPerSubPalette) {
  tiles_ = std::max(tiles, 0);
  done_ = 0;
  coloursPerSubPalette_ = std::max(coloursPerSubPalette, 1);
  subPalettes_.assign(static_cast<size_t>(std::clamp(subPalettes, 0, 256)),
                      std::vector<QRgb>(static_cast<size_t>(coloursPerSubPalette_), qRgb(0, 0, 0)));
  int rows = (tiles_ + kMosaicColumns - 1) / kMosaicColumns;
  tileMosaic_ = QImage(kMosaicColumns * 8, std::max(rows, 1) * 8, QImage::Format_RGB32);
  tileMosaic_.fill(palette().color(QPalette::Window));
  running_ = true;
  longestGap_ = 0;
  repaints_ = 0;
  sinceRepaint_.start();
  sincePump_.start();
  show();
  pump(true);
}

void ConversionProgressView::stageStarted(Stage) { pump(true); }

void ConversionProgressView::subPaletteChanged(int subPalette,
                                               std::span<const convert::ConvertedPixel> colours) {
  if (subPalette < 0 || static_cast<size_t>(subPalette) >= subPalettes_.size()) return;
  std::vector<QRgb>& row = subPalettes_[static_cast<size_t>(subPalette)];
  for (size_t i = 0; i < row.size() && i < colours.size(); ++i) row[i] = Swatch(colours[i]);
  pump(false);
}

void ConversionProgressView::tileAssigned(int tile, int subPalette,
                                          std::span<const convert::ConvertedPixel> pixels,
                                          int done) {
  done_ = done;
  (void)subPalette;
  if (tile >= 0 && tile < tiles_ && pixels.size() >= 64) {
    int x0 = (tile % kMosaicColumns) * 8, y0 = (tile / kMosaicColumns) * 8;
    for (int y = 0; y < 8; ++y) {
      auto* line = reinterpret_cast<QRgb*>(tileMosaic_.scanLine(y0 + y));
      for (int x = 0; x < 8; ++x) line[x0 + x] = Swatch(pixels[static_cast<size_t>(y * 8 + x)]);
    }
  }
  pump(false);
}

void ConversionProgressView::finished(bool) {
  running_ = false;
  pump(true);
}

void ConversionProgressView::pump(bool force) {
  if (!force && sincePump_.isValid() && sincePump_.elapsed() < kPumpIntervalMs) return;
  sincePump_.restart();
  repaint();
  // The host's busy state keeps menus, tree and pages from taking commands
  // while the conversion runs inside this call.
  QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void ConversionProgressView::paintEvent(QPaintEvent*) {
  if (running_) {
    longestGap_ = std::max(longestGap_, sinceRepaint_.restart());
    ++repaints_;
  }
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  int y = 2;
  const int swatch = 6;
  for (const std::vector<QRgb>& row : subPalettes_) {
    if (y + swatch > height()) break;
    for (size_t i = 0; i < row.size(); ++i)
      painter.fillRect(2 + static_cast<int>(i) * swatch, y, swatch - 1, swatch - 1, QColor(row[i]));
    y += swatch;
  }
  int left = 2 + coloursPerSubPalette_ * swatch + 8;
  if (!tileMosaic_.isNull()) {
    QRect target(left, 2, width() - left - 2, height() - 20);
    QSize scaled = tileMosaic_.size().scaled(target.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(target.topLeft(), scaled), tileMosaic_);
  }
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(QRect(left, height() - 18, width() - left, 16), Qt::AlignLeft,
                   QString::fromUtf8("%1 / %2 mosaïques").arg(done_).arg(tiles_));
}

}  // namespace ui
