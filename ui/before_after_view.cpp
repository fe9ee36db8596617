#include "ui/before_after_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

#include "formats/element_preview.h"
#include "app/platforms.h"
#include "app/workshop.h"
#include "ui/page_common.h"
#include "ui/preview_page.h"

namespace ui {

namespace {

constexpr int kZooms[] = {1, 2, 3, 4, 8};

QImage ToTranslucentImage(const formats::PreviewImage& image) {
  if (image.width <= 0 || image.height <= 0) return {};
  QImage out(image.width, image.height, QImage::Format_ARGB32);
  for (int y = 0; y < image.height; ++y)
    std::copy_n(image.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(image.width),
                image.width, reinterpret_cast<uint32_t*>(out.scanLine(y)));
  return out;
}

QScrollArea* Scrolled(QWidget* parent, QLabel* label, const QString& name) {
  auto* area = new QScrollArea(parent);
  area->setWidget(label);
  area->setAccessibleName(name);
  area->setMinimumSize(160, 120);
  return area;
}

}  // namespace

BeforeAfterView::BeforeAfterView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("beforeAfter"));
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  zoom_ = new QComboBox(this);
  for (int z : kZooms) zoom_->addItem(QStringLiteral("%1x").arg(z));
  showOverlay_ = new QCheckBox(QStringLiteral("Afficher les sous-palettes"), this);
  showOverlay_->setAccessibleName(showOverlay_->text());
  error_ = new QLabel(this);
  error_->setObjectName(QStringLiteral("meanError"));
  error_->setFocusPolicy(Qt::StrongFocus);
  auto* bar = new QHBoxLayout;
  bar->addWidget(LabelFor(this, QStringLiteral("Zoom"), zoom_));
  bar->addWidget(zoom_);
  bar->addWidget(showOverlay_);
  bar->addWidget(error_, 1);
  grid->addLayout(bar, 0, 0, 1, 2);
  before_ = new QLabel;
  before_->setObjectName(QStringLiteral("beforeImage"));
  after_ = new QLabel;
  after_->setObjectName(QStringLiteral("afterImage"));
  QScrollArea* left = Scrolled(this, before_, QStringLiteral("Image source"));
  QScrollArea* right = Scrolled(this, after_, QStringLiteral("Résultat sur la console"));
  // Both sides scroll together so the same place is always compared.
  connect(left->horizontalScrollBar(), &QScrollBar::valueChanged, right->horizontalScrollBar(),
          &QScrollBar::setValue);
  connect(left->verticalScrollBar(), &QScrollBar::valueChanged, right->verticalScrollBar(),
          &QScrollBar::setValue);
  connect(right->horizontalScrollBar(), &QScrollBar::valueChanged, left->horizontalScrollBar(),
          &QScrollBar::setValue);
  connect(right->verticalScrollBar(), &QScrollBar::valueChanged, left->verticalScrollBar(),
          &QScrollBar::setValue);
  grid->addWidget(left, 1, 0);
  grid->addWidget(right, 1, 1);
  connect(zoom_, &QComboBox::currentIndexChanged, this, [this] { present(); });
  connect(showOverlay_, &QCheckBox::toggled, this, [this] { present(); });
}

bool BeforeAfterView::showConversion(app::Workshop& w, const std::string& source, int mapEntry) {
  ElementPreview result;
  if (!BuildElementPreview(w, mapEntry, kPreviewBackground, w.system.maxPreviewMemory, result) ||
      result.image.pixels.empty())
    return false;
  QImage picture(QString::fromUtf8(source.c_str()));
  if (picture.isNull()) return false;
  formats::PreviewImage before =
      formats::CropPreview(FromQImage(picture), result.image.width, result.image.height);
  formats::PreviewImage after = formats::CropPreview(result.image, before.width, before.height);
  meanError_ = formats::MeanColourError(before, after);
  source_ = ToQImage(before);
  result_ = ToQImage(after);
  const app::PlatformRecord& p = app::CurrentPlatform(w);
  const convert::MapFormat& format = p.mapFormats[static_cast<size_t>(result.mapFormat)];
  bool subPalettes = false;
  for (uint32_t cell : result.map.cells)
    if (convert::CellSubPalette(format, cell) != 0) subPalettes = true;
  overlay_ =
      subPalettes
          ? ToTranslucentImage(formats::CropPreview(
                formats::RenderSubPaletteOverlay(result.map, format, result.tileWidth,
                                                 result.tileHeight, w.system.maxPreviewMemory),
                before.width, before.height))
          : QImage();
  showOverlay_->setEnabled(subPalettes);
  showOverlay_->setChecked(subPalettes);
  error_->setText(QStringLiteral("Erreur moyenne: %1").arg(meanError_, 0, 'f', 2));
  error_->setAccessibleName(error_->text());
  present();
  return true;
}

void BeforeAfterView::present() {
  int zoom = kZooms[std::clamp(zoom_->currentIndex(), 0, static_cast<int>(std::size(kZooms)) - 1)];
  QImage after = result_;
  if (showOverlay_->isChecked() && !overlay_.isNull()) {
    QPainter painter(&after);
    painter.drawImage(0, 0, overlay_);
  }
  auto scaled = [zoom](const QImage& image) {
    return QPixmap::fromImage(
        image.scaled(image.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation));
  };
  before_->setPixmap(scaled(source_));
  before_->adjustSize();
  after_->setPixmap(scaled(after));
  after_->adjustSize();
}

}  // namespace ui
