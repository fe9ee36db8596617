#include "ui/preview_page.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

#include "convert/converted_pixel.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "project/project.h"
#include "app/platforms.h"
#include "app/workshop.h"
#include "ui/element_pages.h"
#include "ui/page_common.h"

namespace ui {

namespace {

constexpr int kTilesetColumns = 16;
constexpr int kFitWidth = 420;
constexpr int kFitHeight = 280;
constexpr int kMaxZoom = 8;
constexpr int kConversionOptionsTab = 1;
constexpr int kGeneralOptionsTab = 0;
// Copies and exports stop at this size, as the screen buffers they come from.
constexpr int kMaxCopyWidth = 1280;
constexpr int kMaxCopyHeight = 1024;

const convert::ColourMode& ModeAt(const app::Workshop& w, int index) {
  const app::PlatformRecord& p = app::CurrentPlatform(w);
  if (index < 0 || index >= p.colourModeCount()) index = p.defaultColourMode;
  return p.colourModes[static_cast<size_t>(index)];
}

// The file of the tileset a map links to: maps name its file, older ones the
// element's name.
std::string LinkedTilesetFile(const app::Workshop& w, const std::string& link) {
  for (size_t i = 0; i < w.project.count(); ++i) {
    const project::EntryRecord& e = w.project.entry(i);
    if (!e.isFolder() && e.kindCode() == project::kKindTileset && e.name == link) return e.file;
  }
  return link;
}

}  // namespace

uint32_t MaskBackground(const app::Workshop& w) {
  const convert::Rgb& m = w.conversion.maskColour;
  return convert::MakePixel(m.red, m.green, m.blue);
}

QImage ToQImage(const formats::PreviewImage& image) {
  if (image.width <= 0 || image.height <= 0) return {};
  QImage out(image.width, image.height, QImage::Format_RGB32);
  for (int y = 0; y < image.height; ++y)
    std::copy_n(image.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(image.width),
                image.width, reinterpret_cast<uint32_t*>(out.scanLine(y)));
  return out;
}

formats::PreviewImage FromQImage(const QImage& source) {
  formats::PreviewImage out;
  if (source.isNull()) return out;
  QImage image = source.convertToFormat(QImage::Format_RGB32);
  out.width = image.width();
  out.height = out.fullHeight = image.height();
  out.pixels.resize(static_cast<size_t>(out.width) * static_cast<size_t>(out.height));
  for (int y = 0; y < out.height; ++y)
    std::copy_n(reinterpret_cast<const uint32_t*>(image.constScanLine(y)), out.width,
                out.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(out.width));
  return out;
}

bool BuildElementPreview(app::Workshop& w, int entryIndex, uint32_t background,
                         uint64_t memoryLimit, ElementPreview& out) {
  if (entryIndex < 0 || static_cast<size_t>(entryIndex) >= w.project.count()) return false;
  const project::EntryRecord entry = w.project.entry(static_cast<size_t>(entryIndex));
  const app::PlatformSlots& io = app::CurrentPlatform(w).ioSlots;
  out.kind = entry.kindCode();
  switch (out.kind) {
    case project::kKindBitmap: {
      formats::BitmapData bitmap;
      if (!io.readBitmap || !io.readBitmap(w, entry.file, bitmap, {true, false})) return false;
      auto colours = formats::PreviewColours(bitmap.palette, 8);
      out.image = formats::RenderBitmapPreview(bitmap, ModeAt(w, bitmap.colourMode), colours,
                                               background, memoryLimit);
      out.info = QStringLiteral("Taille: %1x%2").arg(bitmap.width).arg(bitmap.height);
      return true;
    }
    case project::kKindTileset: {
      formats::TilesetData tileset;
      if (!io.readTileset || !io.readTileset(w, entry.file, tileset, {true, false})) return false;
      auto colours = formats::PreviewColours(tileset.palette, 8);
      out.image = formats::RenderTilesetPreview(tileset, ModeAt(w, tileset.colourMode), colours,
                                                kTilesetColumns, background, memoryLimit);
      int blocksPerTile =
          std::max(1, (tileset.header.tileWidth / 8) * (tileset.header.tileHeight / 8));
      out.info = QString::fromUtf8("%1 mosaïques").arg(tileset.blocks / blocksPerTile);
      return true;
    }
    case project::kKindPalette: {
      formats::PaletteData palette;
      if (!io.readPalette || !io.readPalette(w, entry.file, palette)) return false;
      out.image = formats::RenderPalettePreview(palette, 5);
      out.info = QStringLiteral("%1 couleurs").arg(palette.count);
      return true;
    }
    case project::kKindMap: {
      int savedFormat = w.mapFormat;
      bool read = io.readMap && io.readMap(w, entry.file, out.map);
      w.mapFormat = savedFormat;  // showing a map does not change the current format
      if (!read) return false;
      out.info = QStringLiteral("Taille: %1x%2 blocs").arg(out.map.width).arg(out.map.height);
      out.tileWidth = out.map.header.tileWidth;
      out.tileHeight = out.map.header.tileHeight;
      const app::PlatformRecord& p = app::CurrentPlatform(w);
      out.mapFormat = std::max(0, app::MapFormatForCellBits(p, out.map.cellBits));
      formats::TilesetData tileset;
      std::string linked = LinkedTilesetFile(w, out.map.header.link);
      if (!linked.empty() && io.readTileset(w, linked, tileset, {true, false})) {
        auto colours = formats::PreviewColours(tileset.palette, 8);
        out.image = formats::RenderMapPreview(out.map, tileset, ModeAt(w, tileset.colourMode),
                                              p.mapFormats[static_cast<size_t>(out.mapFormat)],
                                              colours, background, memoryLimit);
      }
      return true;
    }
    default:
      return false;
  }
}

PreviewPage::PreviewPage(QWidget* parent, app::Workshop& workshop, PageHost& host, int entryIndex)
    : QWidget(parent), w_(workshop), host_(host), entryIndex_(entryIndex) {
  setObjectName(QStringLiteral("previewPage"));
  // The page itself takes the focus with Tab, as the window's other pages do.
  setFocusPolicy(Qt::TabFocus);
  setAccessibleName(QStringLiteral("Aperçu de l'élément"));
  BuildElementPreview(w_, entryIndex_, kPreviewBackground, w_.system.maxPreviewMemory, preview_);
  auto* layout = new QVBoxLayout(this);
  auto* info = new QLabel(preview_.info, this);
  info->setObjectName(QStringLiteral("previewInfo"));
  info->setFocusPolicy(Qt::StrongFocus);
  info->setAccessibleName(preview_.info.isEmpty() ? QStringLiteral("Informations de l'élément")
                                                  : preview_.info);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(info, 1);
  auto addButton = [&](const QString& text, auto slot) {
    auto* b = new QPushButton(text, this);
    b->setAccessibleName(text);
    connect(b, &QPushButton::clicked, this, slot);
    buttons->addWidget(b);
  };
  switch (preview_.kind) {
    case project::kKindBitmap:
      addButton(QStringLiteral("Options"), [this] { host_.showOptions(kConversionOptionsTab); });
      break;
    case project::kKindMap:
      addButton(QString::fromUtf8("Éditer"), [this] { host_.openMapEditor(entryIndex_); });
      addButton(QStringLiteral("Config."), [this] { host_.showOptions(kGeneralOptionsTab); });
      break;
    default:
      break;
  }
  layout->addLayout(buttons);
  auto* scroll = new QScrollArea(this);
  scroll->setAccessibleName(QString::fromUtf8("Aperçu"));
  scroll->setBackgroundRole(QPalette::Dark);
  auto* picture = new QLabel(scroll);
  picture->setObjectName(QStringLiteral("previewImage"));
  // Small elements are enlarged by a whole factor, so every console pixel
  // stays a sharp square.
  QImage image = ToQImage(preview_.image);
  if (!image.isNull()) {
    int zoom =
        std::clamp(std::min(kFitWidth / image.width(), kFitHeight / image.height()), 1, kMaxZoom);
    image = image.scaled(image.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  }
  picture->setPixmap(QPixmap::fromImage(image));
  picture->adjustSize();
  picture->setAccessibleName(QString::fromUtf8("Aperçu: ") + preview_.info);
  scroll->setWidget(picture);
  layout->addWidget(scroll, 1);
}

QImage PreviewPage::exportImage(bool* cancelled) {
  *cancelled = false;
  ElementPreview whole;
  if (!BuildElementPreview(w_, entryIndex_, MaskBackground(w_), 0, whole)) return {};
  uint64_t needed = formats::PreviewBytes(whole.image.width, whole.image.height);
  uint64_t limit = w_.system.maxPreviewMemory;
  if (limit != 0 && needed > limit) {
    std::string text =
        "L'image ne peut pas être sauvegardée complètement car la mémoire allouée est "
        "insuffisante. Si vous voulez copier l'image entière, veuillez augmenter dans les "
        "options la mémoire disponible pour les aperçus (au moins " +
        std::to_string(needed / (1024 * 1024) + 1) + " Mo sont requis).";
    if (w_.services.dialogs.question(text, "Avertissement", platform::Buttons::OkCancel,
                                     platform::Answer::Ok,
                                     platform::Icon::Warning) == platform::Answer::Cancel) {
      *cancelled = true;
      return {};
    }
    BuildElementPreview(w_, entryIndex_, MaskBackground(w_), limit, whole);
  }
  formats::PreviewImage cut = formats::CropPreview(whole.image, kMaxCopyWidth, kMaxCopyHeight);
  return ToQImage(cut);
}

bool PreviewPage::copyToClipboard() {
  bool cancelled = false;
  QImage image = exportImage(&cancelled);
  if (cancelled || image.isNull()) return false;
  QGuiApplication::clipboard()->setImage(image);
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen && screen->depth() < 24)
    w_.services.dialogs.message(
        "Pour un résultat optimal, vous devriez paramétrer les couleurs de votre écran en 24 ou 32 "
        "bits. Le mode actuel n'est pas assez précis pour stocker l'image et des informations "
        "comme la couleur transparente ont été perdues.\nSi cela ne fonctionne toujours pas, "
        "utilisez la fonction exporter l'image.",
        "Attention", platform::Icon::Warning);
  return true;
}

bool PreviewPage::exportToFile() {
  bool cancelled = false;
  QImage image = exportImage(&cancelled);
  if (cancelled || image.isNull()) return false;
  platform::FileChoice choice;
  choice.save = true;
  choice.title = "Exporter (image)";
  choice.filters = {{"Images PNG (*.png)", "*.png"},
                    {"Images BMP (*.bmp)", "*.bmp"},
                    {"Images TIFF (*.tif)", "*.tif"}};
  std::optional<std::string> name = w_.services.dialogs.chooseFileName(choice);
  if (!name || name->empty()) return false;
  std::string file = *name;
  // A name without extension is written as PNG.
  if (platform::LastComponent(file).find('.') == std::string_view::npos) file += ".png";
  if (image.save(Utf8(file))) return true;
  w_.services.dialogs.message("Impossible d'enregistrer l'image " + file, "Erreur",
                              platform::Icon::Error);
  return false;
}

}  // namespace ui
