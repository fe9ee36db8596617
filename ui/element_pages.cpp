#include "ui/element_pages.h"

#include <QApplication>
#include <QClipboard>

#include "project/kinds.h"
#include "project/project.h"
#include "app/assistant_controls.h"
#include "app/workshop.h"
#include "ui/assistant_page.h"
#include "ui/conversion_options_page.h"
#include "ui/creation_pages.h"
#include "ui/page_common.h"
#include "ui/preview_page.h"

namespace ui {

namespace {

bool HasElement(const project::Project& project, uint32_t kind) {
  for (const project::EntryRecord& e : project.entries())
    if (!e.isFolder() && e.kindCode() == kind) return true;
  return false;
}

PreviewPage* AsPreview(QWidget* page) {
  if (!page) return nullptr;
  if (auto* p = qobject_cast<PreviewPage*>(page)) return p;
  return page->findChild<PreviewPage*>();
}

}  // namespace

QWidget* CreateCategoryPage(QWidget* parent, app::Workshop& workshop, PageHost& host,
                            int category) {
  if (category < 0 || static_cast<size_t>(category) >= project::kCategories.size()) return nullptr;
  switch (project::kCategories[static_cast<size_t>(category)].kind) {
    case project::kKindTileset:
      return new AssistantPage(parent, workshop, host, app::AssistantControl::TreeTilesets);
    case project::kKindMap:
      return new AssistantPage(parent, workshop, host, app::AssistantControl::TreeMaps);
    case project::kKindBitmap:
      return new AssistantPage(parent, workshop, host, app::AssistantControl::TreeBitmaps);
    case project::kKindList:
      if (!HasElement(workshop.project, project::kKindTileset))
        return TextPage(parent,
                        QString::fromUtf8("Il faut au moins un jeu de mosaïques pour cela!"));
      return new ListCreationPage(parent, workshop, host);
    case project::kKindPalette:
      return TextPage(
          parent, QString::fromUtf8("Les palettes sont générées avec les conversions d'images"));
    default:
      return nullptr;
  }
}

QWidget* CreateElementPage(QWidget* parent, app::Workshop& workshop, PageHost& host,
                           int entryIndex) {
  if (entryIndex < 0 || static_cast<size_t>(entryIndex) >= workshop.project.count()) return nullptr;
  const project::EntryRecord& e = workshop.project.entry(static_cast<size_t>(entryIndex));
  if (e.isFolder()) return nullptr;
  switch (e.kindCode()) {
    case project::kKindBitmap:
    case project::kKindTileset:
    case project::kKindPalette:
    case project::kKindMap:
      return new PreviewPage(parent, workshop, host, entryIndex);
    default:
      return nullptr;
  }
}

bool PageHasPreview(const QWidget* page) {
  auto* preview = AsPreview(const_cast<QWidget*>(page));
  return preview && preview->hasPreview();
}

bool CopyPagePreview(QWidget* page) {
  PreviewPage* preview = AsPreview(page);
  if (!preview || !preview->hasPreview()) return false;
  preview->copyToClipboard();
  return true;
}

bool ExportPagePreview(QWidget*, QWidget* page) {
  PreviewPage* preview = AsPreview(page);
  if (!preview || !preview->hasPreview()) return false;
  preview->exportToFile();
  return true;
}

QWidget* CreateConversionOptionsPage(QWidget* parent, app::Workshop& workshop) {
  return new ConversionOptionsPage(parent, workshop);
}

bool StoreConversionOptionsPage(QWidget* page) {
  auto* options = qobject_cast<ConversionOptionsPage*>(page);
  if (!options) return false;
  options->store();
  return true;
}

}  // namespace ui
