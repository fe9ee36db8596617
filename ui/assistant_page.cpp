#include "ui/assistant_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "project/destination_check.h"
#include "project/project.h"
#include "app/conv_items.h"
#include "app/element_conversion.h"
#include "app/platforms.h"
#include "app/workshop.h"
#include "ui/before_after_view.h"
#include "ui/conversion_progress_view.h"
#include "ui/element_pages.h"
#include "ui/page_common.h"

namespace ui {

using app::AssistantControl;

namespace {

constexpr int kConversionOptionsTab = 1;

const char* Title(app::AssistantPage page) {
  switch (page) {
    case app::AssistantPage::Tilesets:
      return "Récupérer les mosaïques";
    case app::AssistantPage::Bitmaps:
      return "Créer une image simple";
    case app::AssistantPage::Maps:
      return "Créer un nouveau tableau à utiliser comme carte géante";
    case app::AssistantPage::None:
      break;
  }
  return "";
}

Qt::CheckState ToCheckState(int32_t state) {
  return state == app::kExistingAppended ? Qt::PartiallyChecked
                                         : (state != 0 ? Qt::Checked : Qt::Unchecked);
}

int32_t FromCheckState(Qt::CheckState state) {
  return state == Qt::PartiallyChecked ? app::kExistingAppended : (state == Qt::Checked ? 1 : 0);
}

bool HasElement(const project::Project& project, uint32_t kind) {
  for (const project::EntryRecord& e : project.entries())
    if (!e.isFolder() && e.kindCode() == kind) return true;
  return false;
}

}  // namespace

AssistantPage::AssistantPage(QWidget* parent, app::Workshop& workshop, PageHost& host,
                             AssistantControl item)
    : QWidget(parent), w_(workshop), host_(host), model_(workshop) {
  setObjectName(QStringLiteral("assistantPage"));
  layout_ = new QVBoxLayout(this);
  model_.openFromTree(item);
  build();
}

AssistantPage::~AssistantPage() { registerAssistant(false); }

void AssistantPage::registerAssistant(bool on) {
  if (on)
    w_.assistant = this;
  else if (w_.assistant == this)
    w_.assistant = nullptr;
}

void AssistantPage::showEvent(QShowEvent* event) {
  registerAssistant(true);
  QWidget::showEvent(event);
}

void AssistantPage::hideEvent(QHideEvent* event) {
  // A conversion in progress keeps its page even if the window hides it.
  if (!running_) registerAssistant(false);
  QWidget::hideEvent(event);
}

void AssistantPage::build() {
  if (form_) {
    layout_->removeWidget(form_);
    delete form_;
  }
  fields_ = {};
  usePalette_ = useTileset_ = generateMap_ = optimise_ = nullptr;
  palettes_ = tilesets_ = mapSize_ = tileSize_ = colourMode_ = mapType_ = nullptr;
  progress_ = nullptr;
  beforeAfter_ = nullptr;
  form_ = new QWidget(this);
  layout_->addWidget(form_);
  switch (model_.page()) {
    case app::AssistantPage::Tilesets:
      buildTilesets(form_);
      break;
    case app::AssistantPage::Bitmaps:
      buildBitmaps(form_);
      break;
    case app::AssistantPage::Maps:
      buildMaps(form_);
      break;
    case app::AssistantPage::None:
      break;
  }
  syncFromModel();
}

QLineEdit* AssistantPage::addField(AssistantControl field, const QString& objectName) {
  (void)objectName;
  size_t i =
      static_cast<size_t>(static_cast<int>(field) - static_cast<int>(AssistantControl::Field1));
  QLineEdit* edit = fields_[i];
  connect(edit, &QLineEdit::textChanged, this, [this, field](const QString& text) {
    if (!syncing_) model_.setText(field, ToUtf8(text));
  });
  return edit;
}

QComboBox* AssistantPage::addList(AssistantControl list) {
  auto* combo = new QComboBox(form_);
  for (const std::string& entry : model_.listEntries(list)) combo->addItem(Utf8(entry));
  connect(combo, &QComboBox::currentIndexChanged, this, [this, list](int index) {
    if (!syncing_ && index >= 0) model_.selectEntry(list, static_cast<size_t>(index));
  });
  return combo;
}

QCheckBox* AssistantPage::addExistingRow(QGridLayout* grid, int row, const QString& text,
                                         AssistantControl box, AssistantControl list) {
  auto* check = new QCheckBox(text, form_);
  check->setTristate(true);
  check->setAccessibleName(text);
  QComboBox* combo = addList(list);
  combo->setAccessibleName(text + QStringLiteral(" - liste"));
  (list == AssistantControl::ComboPalette ? palettes_ : tilesets_) = combo;
  connect(check, &QCheckBox::stateChanged, this, [this, box, combo](int state) {
    auto s = static_cast<Qt::CheckState>(state);
    combo->setEnabled(s != Qt::Unchecked);
    if (!syncing_) model_.setChecked(box, FromCheckState(s));
  });
  grid->addWidget(check, row, 0);
  grid->addWidget(combo, row, 1, 1, 2);
  return check;
}

void AssistantPage::addColourRow(QGridLayout* grid, int row) {
  fields_[4] = new QLineEdit(form_);
  fields_[4]->setObjectName(QStringLiteral("colourCount"));
  addField(AssistantControl::Field5, {});
  colourMode_ = new QComboBox(form_);
  colourMode_->setObjectName(QStringLiteral("colourMode"));
  colourMode_->setAccessibleName(QString::fromUtf8("Mode de couleurs"));
  for (const convert::ColourMode& mode : app::CurrentPlatform(w_).colourModes)
    colourMode_->addItem(Utf8(mode.name));
  colourMode_->setCurrentIndex(w_.colourMode);
  connect(colourMode_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (syncing_ || index < 0) return;
    app::SelectColourMode(w_, index);
    // The count follows the mode, as a new page would propose it.
    fields_[4]->setText(QString::number(app::DefaultColourCount(w_, index)));
  });
  grid->addWidget(LabelFor(form_, QStringLiteral("Couleurs / max."), fields_[4]), row, 0);
  grid->addWidget(fields_[4], row, 1);
  grid->addWidget(colourMode_, row, 2);
}

QPushButton* AssistantPage::addButtons(QGridLayout* grid, int row) {
  auto* more = new QPushButton(QStringLiteral("Plus..."), form_);
  more->setObjectName(QStringLiteral("more"));
  connect(more, &QPushButton::clicked, this, [this] { host_.showOptions(kConversionOptionsTab); });
  auto* ok = new QPushButton(QStringLiteral("Ok!"), form_);
  ok->setObjectName(QStringLiteral("ok"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] { pressOk(); });
  grid->addWidget(more, row, 1);
  grid->addWidget(ok, row, 2);
  return ok;
}

void AssistantPage::buildTilesets(QWidget* form) {
  auto* grid = new QGridLayout(form);
  auto* title = new QLabel(QString::fromUtf8(Title(model_.page())), form);
  title->setObjectName(QStringLiteral("pageTitle"));
  grid->addWidget(title, 0, 0, 1, 3);
  int row = 1;
  fields_[0] = AddFileRow(grid, row++, QStringLiteral("Fichier source"), false, "source",
                          w_.services.dialogs);
  fields_[1] = AddFileRow(grid, row++, QString::fromUtf8("Destination pour les mosaïques"), true,
                          "tilesetFile", w_.services.dialogs);
  fields_[2] = AddFileRow(grid, row++, QStringLiteral("Destination pour la palette"), true,
                          "paletteFile", w_.services.dialogs);
  fields_[3] = AddFileRow(grid, row++, QStringLiteral("Destination pour la map"), true, "mapFile",
                          w_.services.dialogs);
  for (int i = 0; i < 4; ++i)
    addField(static_cast<AssistantControl>(static_cast<int>(AssistantControl::Field1) + i), {});

  mapType_ = new QComboBox(form);
  mapType_->setObjectName(QStringLiteral("mapType"));
  for (const convert::MapFormat& f : app::CurrentPlatform(w_).mapFormats)
    mapType_->addItem(Utf8(f.name));
  mapType_->setCurrentIndex(w_.mapFormat);
  connect(mapType_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (i >= 0) w_.mapFormat = i;
  });
  grid->addWidget(LabelFor(form, QStringLiteral("Type de map"), mapType_), row, 0);
  grid->addWidget(mapType_, row++, 1, 1, 2);

  usePalette_ = addExistingRow(grid, row++, QStringLiteral("Palette existante"),
                               AssistantControl::CheckPalette, AssistantControl::ComboPalette);
  useTileset_ = addExistingRow(grid, row++, QStringLiteral("Tileset existant"),
                               AssistantControl::CheckTileset, AssistantControl::ComboTileset);
  generateMap_ = new QCheckBox(QString::fromUtf8("Générer une map"), form);
  connect(generateMap_, &QCheckBox::stateChanged, this, [this](int state) {
    auto s = static_cast<Qt::CheckState>(state);
    if (!syncing_) model_.setChecked(AssistantControl::CheckMap, s == Qt::Checked ? 1 : 0);
  });
  grid->addWidget(generateMap_, row++, 0, 1, 3);
  addColourRow(grid, row++);

  mapSize_ = addList(AssistantControl::ComboSize);
  mapSize_->setObjectName(QStringLiteral("mapSize"));
  grid->addWidget(LabelFor(form, QStringLiteral("Taille de la map"), mapSize_), row, 0);
  grid->addWidget(mapSize_, row++, 1, 1, 2);

  optimise_ = new QCheckBox(QString::fromUtf8("Tileset optimisé"), form);
  connect(optimise_, &QCheckBox::stateChanged, this, [this](int state) {
    auto s = static_cast<Qt::CheckState>(state);
    if (!syncing_) model_.setChecked(AssistantControl::CheckOptimise, s == Qt::Checked ? 1 : 0);
  });
  tileSize_ = addList(AssistantControl::ComboTiles);
  tileSize_->setObjectName(QStringLiteral("tileSize"));
  tileSize_->setAccessibleName(QStringLiteral("Taille des blocs"));
  grid->addWidget(optimise_, row, 0);
  grid->addWidget(tileSize_, row++, 1, 1, 2);
  addButtons(grid, row++);

  progress_ = new ConversionProgressView(form);
  progress_->hide();
  grid->addWidget(progress_, row++, 0, 1, 3);
  beforeAfter_ = new BeforeAfterView(form);
  beforeAfter_->hide();
  grid->setRowStretch(row, 1);  // the comparison takes the room left
  grid->addWidget(beforeAfter_, row++, 0, 1, 3);
}

void AssistantPage::buildBitmaps(QWidget* form) {
  auto* grid = new QGridLayout(form);
  auto* title = new QLabel(QString::fromUtf8(Title(model_.page())), form);
  title->setObjectName(QStringLiteral("pageTitle"));
  grid->addWidget(title, 0, 0, 1, 3);
  int row = 1;
  fields_[0] = AddFileRow(grid, row++, QStringLiteral("Fichier source"), false, "source",
                          w_.services.dialogs);
  fields_[1] = AddFileRow(grid, row++, QStringLiteral("Destination pour la bitmap"), true,
                          "bitmapFile", w_.services.dialogs);
  fields_[2] = AddFileRow(grid, row++, QStringLiteral("Destination pour la palette"), true,
                          "paletteFile", w_.services.dialogs);
  for (int i = 0; i < 3; ++i)
    addField(static_cast<AssistantControl>(static_cast<int>(AssistantControl::Field1) + i), {});
  addColourRow(grid, row++);
  usePalette_ = addExistingRow(grid, row++, QStringLiteral("Palette existante"),
                               AssistantControl::CheckPalette, AssistantControl::ComboPalette);
  addButtons(grid, row++);
  grid->setRowStretch(row, 1);
}

void AssistantPage::buildMaps(QWidget* form) {
  if (!HasElement(w_.project, project::kKindTileset) ||
      !HasElement(w_.project, project::kKindPalette)) {
    auto* layout = new QVBoxLayout(form);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TextPage(
        form, QString::fromUtf8("Il faut au moins un jeu de mosaïques et une palette pour cela!")));
    return;
  }
  auto* grid = new QGridLayout(form);
  auto* title = new QLabel(QString::fromUtf8(Title(model_.page())), form);
  title->setObjectName(QStringLiteral("pageTitle"));
  grid->addWidget(title, 0, 0, 1, 3);
  int row = 1;
  fields_[0] = AddFileRow(grid, row++, QString::fromUtf8("Fichier à créer"), true, "mapFile",
                          w_.services.dialogs);
  fields_[1] = new QLineEdit(form);
  fields_[1]->setObjectName(QStringLiteral("mapWidth"));
  fields_[2] = new QLineEdit(form);
  fields_[2]->setObjectName(QStringLiteral("mapHeight"));
  for (int i = 0; i < 3; ++i)
    addField(static_cast<AssistantControl>(static_cast<int>(AssistantControl::Field1) + i), {});
  grid->addWidget(LabelFor(form, QStringLiteral("Taille du tableau (l,h [blocs])"), fields_[1]),
                  row, 0);
  fields_[2]->setAccessibleName(QStringLiteral("Taille du tableau (hauteur)"));
  grid->addWidget(fields_[1], row, 1);
  grid->addWidget(fields_[2], row++, 2);
  tilesets_ = addList(AssistantControl::ComboTileset);
  tilesets_->setObjectName(QStringLiteral("tilesets"));
  grid->addWidget(LabelFor(form, QString::fromUtf8("Tileset à utiliser"), tilesets_), row, 0);
  grid->addWidget(tilesets_, row++, 1, 1, 2);
  palettes_ = addList(AssistantControl::ComboPalette);
  palettes_->setObjectName(QStringLiteral("palettes"));
  grid->addWidget(LabelFor(form, QString::fromUtf8("Palette à utiliser"), palettes_), row, 0);
  grid->addWidget(palettes_, row++, 1, 1, 2);
  tileSize_ = addList(AssistantControl::ComboTiles);
  tileSize_->setObjectName(QStringLiteral("tileSize"));
  grid->addWidget(LabelFor(form, QStringLiteral("Taille des blocs"), tileSize_), row, 0);
  grid->addWidget(tileSize_, row++, 1, 1, 2);
  mapType_ = new QComboBox(form);
  mapType_->setObjectName(QStringLiteral("mapType"));
  for (const convert::MapFormat& f : app::CurrentPlatform(w_).mapFormats)
    mapType_->addItem(Utf8(f.name));
  mapType_->setCurrentIndex(w_.mapFormat);
  grid->addWidget(LabelFor(form, QStringLiteral("Type de map"), mapType_), row, 0);
  grid->addWidget(mapType_, row++, 1, 1, 2);
  addButtons(grid, row++);
  grid->setRowStretch(row, 1);
}

void AssistantPage::syncFromModel() {
  syncing_ = true;
  for (size_t i = 0; i < fields_.size(); ++i)
    if (fields_[i]) {
      auto field = static_cast<AssistantControl>(static_cast<int>(AssistantControl::Field1) +
                                                 static_cast<int>(i));
      QString text = Utf8(model_.text(field));
      if (fields_[i]->text() != text) fields_[i]->setText(text);
    }
  auto box = [&](QCheckBox* check, AssistantControl control, QComboBox* list) {
    if (!check) return;
    check->setCheckState(ToCheckState(model_.checked(control)));
    if (list) list->setEnabled(check->checkState() != Qt::Unchecked);
  };
  box(usePalette_, AssistantControl::CheckPalette, palettes_);
  box(useTileset_, AssistantControl::CheckTileset, tilesets_);
  box(generateMap_, AssistantControl::CheckMap, nullptr);
  box(optimise_, AssistantControl::CheckOptimise, nullptr);
  auto list = [&](QComboBox* combo, AssistantControl control) {
    if (combo) combo->setCurrentIndex(model_.selected(control));
  };
  list(palettes_, AssistantControl::ComboPalette);
  list(tilesets_, AssistantControl::ComboTileset);
  list(mapSize_, AssistantControl::ComboSize);
  list(tileSize_, AssistantControl::ComboTiles);
  if (colourMode_) colourMode_->setCurrentIndex(w_.colourMode);
  syncing_ = false;
}

void AssistantPage::openFromTree(AssistantControl item) {
  if (running_) return;
  model_.openFromTree(item);
  build();
}

void AssistantPage::setText(AssistantControl field, const std::string& text) {
  model_.setText(field, text);
  syncFromModel();
}

void AssistantPage::setChecked(AssistantControl box, int32_t state) {
  model_.setChecked(box, state);
  syncFromModel();
}

std::vector<std::string> AssistantPage::listEntries(AssistantControl list) {
  return model_.listEntries(list);
}

void AssistantPage::selectEntry(AssistantControl list, size_t index) {
  model_.selectEntry(list, index);
  syncFromModel();
}

bool AssistantPage::checkDestinations() {
  const convert::ColourMode& mode = app::CurrentColourMode(w_);
  auto text = [&](int i) {
    return model_.text(
        static_cast<AssistantControl>(static_cast<int>(AssistantControl::Field1) + i));
  };
  auto reused = [&](AssistantControl box, AssistantControl list) {
    return model_.checked(box) != 0 && model_.selected(list) >= 0;
  };
  std::vector<project::Destination> d;
  switch (model_.page()) {
    case app::AssistantPage::Tilesets:
      d.push_back(
          {text(1), reused(AssistantControl::CheckTileset, AssistantControl::ComboTileset)});
      if (mode.hasPalette())
        d.push_back(
            {text(2), reused(AssistantControl::CheckPalette, AssistantControl::ComboPalette)});
      if (model_.checked(AssistantControl::CheckMap)) d.push_back({text(3), false});
      break;
    case app::AssistantPage::Bitmaps:
      d.push_back({text(1), false});
      if (mode.hasPalette())
        d.push_back(
            {text(2), reused(AssistantControl::CheckPalette, AssistantControl::ComboPalette)});
      break;
    case app::AssistantPage::Maps:
      d.push_back({text(0), false});
      break;
    case app::AssistantPage::None:
      return false;
  }
  return project::CheckDestinations(d, w_.services.dialogs);
}

void AssistantPage::pressOk() {
  if (running_ || model_.page() == app::AssistantPage::None) return;
  if (model_.page() == app::AssistantPage::Maps) {
    if (!fields_[0]) return;  // the refusal is shown instead of the controls
    if (mapType_) w_.mapFormat = mapType_->currentIndex();
  }
  if (!checkDestinations()) return;
  size_t countBefore = w_.project.count();
  mapFileBefore_ = QFileInfo(Utf8(model_.text(AssistantControl::Field4))).lastModified();
  running_ = true;
  form_->setEnabled(false);
  host_.setBusy(true);
  convert::ConversionProgress* previous = w_.progress;
  if (progress_) {
    progress_->show();
    w_.progress = progress_;
  }
  model_.pressOk();
  w_.progress = previous;
  host_.setBusy(false);
  form_->setEnabled(true);
  running_ = false;
  if (progress_) progress_->hide();
  showResult(countBefore);
  // Last: the window may build its page again when it rebuilds the tree.
  if (w_.project.count() != countBefore || model_.page() != app::AssistantPage::Maps)
    host_.refreshTree();
}

void AssistantPage::showResult(size_t countBefore) {
  if (!beforeAfter_ || model_.page() != app::AssistantPage::Tilesets) return;
  beforeAfter_->hide();
  // The map written: an element added again moves to the end of the table,
  // so it is the last map of that file.
  const std::string& file = model_.text(AssistantControl::Field4);
  int map = -1;
  for (size_t i = 0; i < w_.project.count(); ++i) {
    const project::EntryRecord& e = w_.project.entry(i);
    if (!e.isFolder() && e.kindCode() == project::kKindMap && (e.file == file || i >= countBefore))
      map = static_cast<int>(i);
  }
  if (map < 0) return;
  // Nothing new to compare when the conversion stopped before writing the map.
  QFileInfo written(Utf8(file));
  if (!written.exists() || written.lastModified() == mapFileBefore_) return;
  if (beforeAfter_->showConversion(w_, model_.text(AssistantControl::Field1), map))
    beforeAfter_->show();
}

}  // namespace ui
