#include "ui/editor_options_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPixmap>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "mapeditor/editor_host.h"
#include "mapeditor/map_editor.h"
#include "project/entry_record.h"
#include "ui/editor_dialogs.h"
#include "ui/editor_widgets.h"

namespace ui {

namespace {

QString BackgroundName(const mapeditor::MapEditor& editor, int i) {
  return Q(project::DisplayName(editor.slot(i).element.name));
}

QString NumberedName(const mapeditor::MapEditor& editor, int i) {
  return QStringLiteral("%1: %2").arg(i + 1).arg(BackgroundName(editor, i));
}

QGroupBox* Group(const QString& title, QLayout* layout) {
  auto* g = new QGroupBox(title);
  g->setLayout(layout);
  return g;
}

// An opacity field: empty leaves the setting; values above 255 are 255.
void ReadOpacity(const QLineEdit* field, int32_t& setting) {
  QString t = field->text().trimmed();
  if (t.isEmpty()) return;
  bool ok = false;
  int v = t.toInt(&ok);
  if (!ok) return;
  setting = std::clamp(v, 0, 255);
}

}  // namespace

EditorOptionsDialog::EditorOptionsDialog(mapeditor::MapEditor& editor, QWidget* parent)
    : QDialog(parent), editor_(editor) {
  setWindowTitle(QStringLiteral("Options"));
  specimen_ = editor_.specimen().maps;
  tabs_ = Named(new QTabWidget, QStringLiteral("Pages"));
  tabs_->addTab(shortcutsPage(), QStringLiteral("Raccourcis"));
  tabs_->addTab(backgroundsPage(), QStringLiteral("Fonds"));
  tabs_->addTab(displayPage(), QStringLiteral("Affichage"));
  tabs_->addTab(specimenPage(), QStringLiteral("Spécimen"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  AddOkCancel(this, layout);
}

QWidget* EditorOptionsDialog::shortcutsPage() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  auto* label = new QLabel(QStringLiteral("Fond actif"));
  active_ = Named(new QComboBox, QStringLiteral("Fond actif"));
  label->setBuddy(active_);
  for (int i = 0; i < editor_.count(); ++i) active_->addItem(BackgroundName(editor_, i));
  active_->setCurrentIndex(editor_.active());
  connect(active_, &QComboBox::activated, this, [this](int i) {
    editor_.setActive(i);
    emit editorChanged();
  });
  auto* format = NewButton(QStringLiteral("Format des blocs"));
  connect(format, &QPushButton::clicked, this, [this] { done(kBlockFormatResult); });
  auto* properties = NewButton(QStringLiteral("Propriétés du fond actif"));
  connect(properties, &QPushButton::clicked, this, [this] {
    if (editor_.count() > 0 && ShowBackgroundProperties(this, editor_, editor_.active()))
      emit editorChanged();
  });
  grid->addWidget(label, 0, 0);
  grid->addWidget(active_, 0, 1);
  grid->addWidget(format, 1, 1);
  grid->addWidget(properties, 2, 1);
  grid->setRowStretch(3, 1);
  return page;
}

QWidget* EditorOptionsDialog::backgroundsPage() {
  const mapeditor::EditorSettings& s = editor_.host().settings();
  auto* page = new QWidget;
  auto* gridBox = new QGridLayout;
  grid_ = NewCheck(QStringLiteral("Afficher la grille"), s.grid != 0);
  gridBox->addWidget(grid_, 0, 0, 1, 2);
  gridColour_ = static_cast<uint32_t>(s.gridColour);
  colour_ = NewButton(QStringLiteral("Couleur"));
  connect(colour_, &QPushButton::clicked, this, &EditorOptionsDialog::chooseColour);
  showColour();
  gridBox->addWidget(colour_, 1, 1);
  gridOpacity_ = AddField(gridBox, 2, QStringLiteral("Opacité"), QString::number(s.gridOpacity));
  auto* alpha = new QGridLayout;
  foreground_ =
      AddField(alpha, 0, QStringLiteral("Avant-plan"), QString::number(s.foregroundOpacity));
  background_ =
      AddField(alpha, 1, QStringLiteral("Arrière-plans"), QString::number(s.backgroundOpacity));
  hex_ = AddField(alpha, 2, QStringLiteral("Plans hexa"), QString::number(s.hexOpacity));
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(Group(QStringLiteral("Grille"), gridBox));
  layout->addWidget(Group(QStringLiteral("Transparence"), alpha));
  layout->addStretch();
  return page;
}

void EditorOptionsDialog::chooseColour() {
  if (auto c = editor_.host().services().dialogs.chooseColour(gridColour_)) gridColour_ = *c;
  showColour();
}

void EditorOptionsDialog::showColour() {
  // The setting keeps red in the low byte.
  QPixmap swatch(16, 16);
  swatch.fill(QColor(static_cast<int>(gridColour_ & 0xFF),
                     static_cast<int>((gridColour_ >> 8) & 0xFF),
                     static_cast<int>((gridColour_ >> 16) & 0xFF)));
  colour_->setIcon(QIcon(swatch));
}

QWidget* EditorOptionsDialog::displayPage() {
  const mapeditor::EditorSettings& s = editor_.host().settings();
  auto* page = new QWidget;
  auto* zoom = new QGridLayout;
  zoom_ = AddField(zoom, 0, QStringLiteral("Zoom écran:"), QString::number(editor_.zoom()));
  preciseZoom_ = NewCheck(QStringLiteral("Zoom bilinéaire"), s.preciseZoom != 0);
  zoom->addWidget(preciseZoom_, 1, 1);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(Group(QStringLiteral("Zoom"), zoom));
  layout->addStretch();
  return page;
}

QWidget* EditorOptionsDialog::specimenPage() {
  auto* page = new QWidget;
  auto* usedLabel = new QLabel(QStringLiteral("Fonds utilisés pour le spécimen"));
  used_ = Named(new QListWidget, QStringLiteral("Fonds utilisés pour le spécimen"));
  usedLabel->setBuddy(used_);
  auto* remove = NewButton(QStringLiteral("Supprimer"));
  connect(remove, &QPushButton::clicked, this, [this] {
    int row = used_->currentRow();
    if (row < 0 || static_cast<size_t>(row) >= specimen_.size()) return;
    specimen_.erase(specimen_.begin() + row);
    fillSpecimen();
  });
  auto* addLabel = new QLabel(QStringLiteral("Choisissez un fond à ajouter"));
  candidates_ = Named(new QComboBox, QStringLiteral("Choisissez un fond à ajouter"));
  addLabel->setBuddy(candidates_);
  for (int i = 0; i < editor_.count(); ++i)
    if (editor_.background(i).isMap()) candidates_->addItem(NumberedName(editor_, i), i);
  auto* add = NewButton(QStringLiteral("Ajouter"));
  connect(add, &QPushButton::clicked, this, [this] {
    if (candidates_->currentIndex() < 0) return;
    int slot = candidates_->currentData().toInt();
    if (std::find(specimen_.begin(), specimen_.end(), slot) != specimen_.end()) return;
    specimen_.push_back(slot);
    fillSpecimen();
  });
  auto* note = new QLabel(QStringLiteral(
      "Vous pouvez composer la map spécimen avec un ou plusieurs des plans ouverts en ce moment "
      "dans l'éditeur. Leurs propriétés devraient être identiques"));
  note->setWordWrap(true);
  auto* grid = new QGridLayout(page);
  grid->addWidget(usedLabel, 0, 0, 1, 2);
  grid->addWidget(used_, 1, 0);
  grid->addWidget(remove, 1, 1, Qt::AlignTop);
  grid->addWidget(addLabel, 2, 0, 1, 2);
  grid->addWidget(candidates_, 3, 0);
  grid->addWidget(add, 3, 1);
  grid->addWidget(note, 4, 0, 1, 2);
  fillSpecimen();
  return page;
}

void EditorOptionsDialog::fillSpecimen() {
  used_->clear();
  for (int slot : specimen_) used_->addItem(NumberedName(editor_, slot));
}

bool EditorOptionsDialog::apply() {
  mapeditor::EditorSettings& s = editor_.host().settings();
  s.grid = grid_->isChecked() ? 1 : 0;
  s.gridColour = static_cast<int32_t>(gridColour_);
  ReadOpacity(gridOpacity_, s.gridOpacity);
  ReadOpacity(foreground_, s.foregroundOpacity);
  ReadOpacity(background_, s.backgroundOpacity);
  ReadOpacity(hex_, s.hexOpacity);
  bool ok = false;
  double z = zoom_->text().trimmed().toDouble(&ok);
  if (ok && z > 0) editor_.setZoom(z);
  s.preciseZoom = preciseZoom_->isChecked() ? 1 : 0;
  mapeditor::Specimen& specimen = editor_.specimen();
  specimen.maps.clear();
  for (int slot : specimen_) mapeditor::AddSpecimenMap(specimen, editor_, slot);
  return true;
}

}  // namespace ui
