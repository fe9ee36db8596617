#include "ui/creation_pages.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "formats/element_files.h"
#include "formats/format_library.h"
#include "project/destination_check.h"
#include "project/project.h"
#include "app/assistant_model.h"
#include "app/element_lookup.h"
#include "app/platforms.h"
#include "app/workshop.h"
#include "ui/element_pages.h"
#include "ui/page_common.h"

namespace ui {

namespace {

constexpr int kConversionOptionsTab = 1;

// The n-th element of a kind in table order, as a list's entry stands for it.
int NthElement(const project::Project& project, uint32_t kind, int n) {
  if (n < 0) return -1;
  for (size_t i = 0; i < project.count(); ++i) {
    const project::EntryRecord& e = project.entry(i);
    if (!e.isFolder() && e.kindCode() == kind && n-- == 0) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

ListCreationPage::ListCreationPage(QWidget* parent, app::Workshop& workshop, PageHost& host)
    : QWidget(parent), w_(workshop), host_(host) {
  setObjectName(QStringLiteral("listPage"));
  auto* grid = new QGridLayout(this);
  auto* title = new QLabel(QString::fromUtf8("Créer une nouvelle liste d'objets"), this);
  title->setObjectName(QStringLiteral("pageTitle"));
  grid->addWidget(title, 0, 0, 1, 3);
  int row = 1;
  file_ = AddFileRow(grid, row++, QString::fromUtf8("Fichier à créer"), true, "listFile",
                     w_.services.dialogs);
  tilesets_ = new QComboBox(this);
  for (const project::EntryRecord& e : w_.project.entries())
    if (!e.isFolder() && e.kindCode() == project::kKindTileset) tilesets_->addItem(Utf8(e.name));
  grid->addWidget(LabelFor(this, QString::fromUtf8("Tileset à utiliser"), tilesets_), row, 0);
  grid->addWidget(tilesets_, row++, 1, 1, 2);
  models_ = new QComboBox(this);
  for (const formats::ListModel& m : w_.formats.models) models_->addItem(Utf8(m.name));
  models_->setCurrentIndex(w_.formats.currentModel);
  grid->addWidget(LabelFor(this, QString::fromUtf8("Modèle à utiliser"), models_), row, 0);
  grid->addWidget(models_, row++, 1, 1, 2);
  tileSize_ = new QComboBox(this);
  for (size_t i = 0; i < app::kTileSizeSides.size(); ++i)
    tileSize_->addItem(Utf8(app::kTileSizeEntries[i]));
  grid->addWidget(LabelFor(this, QStringLiteral("Taille des blocs"), tileSize_), row, 0);
  grid->addWidget(tileSize_, row++, 1, 1, 2);
  auto* more = new QPushButton(QStringLiteral("Plus..."), this);
  connect(more, &QPushButton::clicked, this, [this] { host_.showOptions(kConversionOptionsTab); });
  auto* ok = new QPushButton(QStringLiteral("Ok!"), this);
  ok->setObjectName(QStringLiteral("ok"));
  connect(ok, &QPushButton::clicked, this, [this] { create(); });
  grid->addWidget(more, row, 1);
  grid->addWidget(ok, row++, 2);
  grid->setRowStretch(row, 1);
}

bool ListCreationPage::create() {
  int tileset = NthElement(w_.project, project::kKindTileset, tilesets_->currentIndex());
  int model = models_->currentIndex();
  if (tileset < 0 || model < 0 || static_cast<size_t>(model) >= w_.formats.models.size())
    return false;
  std::string file = ToUtf8(file_->text());
  project::Destination destination{file, false};
  if (!project::CheckDestinations({&destination, 1}, w_.services.dialogs)) return false;
  const app::PlatformSlots& io = app::CurrentPlatform(w_).ioSlots;
  if (!io.writeList) return false;
  project::EntryRecord list;
  list.file = file;
  list.name = app::ElementNameFromFile(file);
  list.kind = project::kKindList;
  project::FitRecordFields(list);
  const project::EntryRecord linked = w_.project.entry(static_cast<size_t>(tileset));
  int side = app::kTileSizeSides[static_cast<size_t>(std::max(tileSize_->currentIndex(), 0))];
  // The list is written with the chosen model, which becomes the current one
  // as the list reader would select it.
  w_.formats.currentModel = model;
  formats::ListObjects objects;
  objects.objectSize = w_.formats.models[static_cast<size_t>(model)].objectSize();
  formats::ListWriteDetails details;
  details.modelName = w_.formats.models[static_cast<size_t>(model)].name;
  details.tileWidth = details.tileHeight = side;
  details.tileset = &linked;
  app::RunExportHook(w_);
  if (!io.writeList(w_, {list}, objects, details)) return false;
  int index = w_.project.addEntry(list);
  host_.refreshTree(index);
  return true;
}

}  // namespace ui
