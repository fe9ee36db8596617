#pragma once

#include <QImage>
#include <QWidget>

#include "formats/element_preview.h"

namespace app {
struct Workshop;
}

namespace ui {

class PageHost;

// What the preview of an element shows, rendered by the core.
struct ElementPreview {
  uint32_t kind = 0;
  formats::PreviewImage image;
  QString info;  // "Taille: %ix%i", "%i mosaïques", "%i couleurs", "Taille: %ix%i blocs"
  // Maps: the cells and the tile size, for the sub-palette overlay.
  formats::MapData map;
  int tileWidth = 8;
  int tileHeight = 8;
  int mapFormat = 1;
};

// Reads the element through the platform's readers and renders it; a
// transparent or empty place shows `background`. False when the element
// cannot be read (the reader reported why).
bool BuildElementPreview(app::Workshop& w, int entryIndex, uint32_t background,
                         uint64_t memoryLimit, ElementPreview& out);

QImage ToQImage(const formats::PreviewImage& image);
formats::PreviewImage FromQImage(const QImage& image);

// The screen background of previews, and the mask colour that replaces it
// when a preview leaves the program (clipboard, image file).
inline constexpr uint32_t kPreviewBackground = 0xFF303030u;
uint32_t MaskBackground(const app::Workshop& w);

// The page of an element: its preview (scrollable), its information line and
// its buttons.
class PreviewPage : public QWidget {
  Q_OBJECT

 public:
  PreviewPage(QWidget* parent, app::Workshop& workshop, PageHost& host, int entryIndex);

  bool hasPreview() const { return !preview_.image.pixels.empty(); }
  const ElementPreview& preview() const { return preview_; }
  QImage shownImage() const { return ToQImage(preview_.image); }
  // The preview as it leaves the program: the whole element within the
  // memory setting, the mask colour as background. Asks first when the
  // memory setting cuts it; null when the user cancels.
  QImage exportImage(bool* cancelled);

  // Copy preview: the export image to the clipboard, with a warning when the
  // screen cannot keep the mask colour exactly. False when nothing was copied.
  bool copyToClipboard();
  // Export preview: asks for an image file and writes the preview there.
  // False when nothing was written (cancelled or failed, reported).
  bool exportToFile();

  int entryIndex() const { return entryIndex_; }

 private:
  app::Workshop& w_;
  PageHost& host_;
  int entryIndex_;
  ElementPreview preview_;
};

}  // namespace ui
