#include "ui/editor_background_dialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include "mapeditor/editor_texts.h"
#include "mapeditor/map_editor.h"
#include "mapeditor/parallax.h"
#include "project/entry_record.h"
#include "ui/editor_widgets.h"

namespace ui {

namespace {

QString Hex(uint32_t v) { return QStringLiteral("0x%1").arg(v, 0, 16); }

QGroupBox* Group(const QString& title, QLayout* layout) {
  auto* g = new QGroupBox(title);
  g->setLayout(layout);
  return g;
}

}  // namespace

EditorBackgroundDialog::EditorBackgroundDialog(mapeditor::MapEditor& editor, int background,
                                               QWidget* parent)
    : QDialog(parent), editor_(editor), index_(background) {
  const mapeditor::BackgroundSlot& slot = editor_.slot(index_);
  setWindowTitle(Q(mapeditor::texts::WithText("Propriétés du fond %s",
                                              project::DisplayName(slot.element.name))));
  ranges_ = slot.background.ranges;
  bits_ = slot.bits;
  tabs_ = Named(new QTabWidget, QStringLiteral("Pages"));
  tabs_->addTab(generalPage(), QStringLiteral("Général"));
  tabs_->addTab(propertiesPage(), QStringLiteral("Propriétés"));
  tabs_->addTab(advancedPage(), QStringLiteral("Avancé"));
  tabs_->addTab(conditionsPage(), QStringLiteral("Conditions"));
  tabs_->addTab(bitsPage(), QStringLiteral("Bits"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  AddOkCancel(this, layout);
}

QWidget* EditorBackgroundDialog::generalPage() {
  const mapeditor::Background& b = editor_.background(index_);
  auto* page = new QWidget;
  auto* manage = new QVBoxLayout;
  visible_ = NewCheck(QStringLiteral("Afficher le fond"), editor_.visible(index_));
  notNextTime_ =
      NewCheck(QStringLiteral("Ne pas ouvrir la prochaine fois"), !editor_.slot(index_).used);
  manage->addWidget(visible_);
  manage->addWidget(notNextTime_);
  auto* parallax = new QGridLayout;
  speedX_ = AddField(parallax, 0, QStringLiteral("Vitesse horizontale"),
                     Q(mapeditor::PercentText(b.parallaxX)));
  speedY_ = AddField(parallax, 1, QStringLiteral("Vitesse verticale"),
                     Q(mapeditor::PercentText(b.parallaxY)));
  parallax->addWidget(new QLabel(QStringLiteral("100% représente la vitesse normale.")), 2, 0, 1,
                      2);
  auto* snap = new QGridLayout;
  snapX_ = AddField(snap, 0, QStringLiteral("Espacement horizontal"), QString::number(b.snapX));
  snapY_ = AddField(snap, 1, QStringLiteral("Espacement vertical"), QString::number(b.snapY));
  snap->addWidget(
      new QLabel(QStringLiteral("Dans l'éditeur, appuyez sur + et - pour modifier la grille.")), 2,
      0, 1, 2);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(Group(QStringLiteral("Gestion du fond"), manage));
  layout->addWidget(Group(QStringLiteral("Scrolling parallaxe"), parallax));
  layout->addWidget(Group(QStringLiteral("Grille d'accrochage"), snap));
  layout->addStretch();
  return page;
}

QWidget* EditorBackgroundDialog::propertiesPage() {
  const mapeditor::Background& b = editor_.background(index_);
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  width_ = AddField(grid, 0, QStringLiteral("Largeur en blocs"), QString::number(b.width));
  height_ = AddField(grid, 1, QStringLiteral("Hauteur en blocs"), QString::number(b.height));
  reference_ =
      AddField(grid, 2, QStringLiteral("Mosaïque de référence"), QString::number(b.referenceTile));
  mask_ = AddField(grid, 3, QStringLiteral("Masque d'affichage"), Hex(b.displayMask));
  grid->setRowStretch(4, 1);
  return page;
}

QWidget* EditorBackgroundDialog::advancedPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  emulation_ =
      NewCheck(QStringLiteral("Emulation bits GBA"), editor_.background(index_).gbaEmulation);
  layout->addWidget(emulation_);
  layout->addStretch();
  return page;
}

QWidget* EditorBackgroundDialog::conditionsPage() {
  auto* page = new QWidget;
  rangeList_ = Named(new QListWidget, QStringLiteral("Conditions"));
  rangeList_->installEventFilter(this);
  auto* fields = new QGridLayout;
  auto* between = new QLabel(QStringLiteral("Valeurs entre ... et ..."));
  lowest_ = Named(new QLineEdit, QStringLiteral("Valeurs entre ..."));
  highest_ = Named(new QLineEdit, QStringLiteral("et ..."));
  between->setBuddy(lowest_);
  fields->addWidget(between, 0, 0);
  fields->addWidget(lowest_, 0, 1);
  fields->addWidget(highest_, 0, 2);
  auto* replace = new QLabel(QStringLiteral("Remplacer par ..."));
  target_ = Named(new QLineEdit, QStringLiteral("Remplacer par ..."));
  replace->setBuddy(target_);
  fields->addWidget(replace, 1, 0);
  fields->addWidget(target_, 1, 1);
  noIncrement_ = NewCheck(QStringLiteral("Ne pas incrémenter"), false);
  fields->addWidget(noIncrement_, 1, 2);
  auto* add = NewButton(QStringLiteral("Ajouter"));
  modify_ = NewButton(QStringLiteral("Modifier"));
  remove_ = NewButton(QStringLiteral("Supprimer"));
  modify_->setEnabled(false);
  remove_->setEnabled(false);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(add);
  buttons->addWidget(modify_);
  buttons->addWidget(remove_);
  connect(rangeList_, &QListWidget::currentRowChanged, this,
          &EditorBackgroundDialog::rangeSelected);
  connect(add, &QPushButton::clicked, this, &EditorBackgroundDialog::addRange);
  connect(modify_, &QPushButton::clicked, this, &EditorBackgroundDialog::modifyRange);
  connect(remove_, &QPushButton::clicked, this, &EditorBackgroundDialog::deleteRange);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(rangeList_);
  layout->addLayout(fields);
  layout->addLayout(buttons);
  fillRanges();
  return page;
}

QWidget* EditorBackgroundDialog::bitsPage() {
  auto* page = new QWidget;
  bitList_ = Named(new QListWidget, QStringLiteral("Bits"));
  auto* grid = new QGridLayout;
  bitName_ = AddField(grid, 0, QStringLiteral("Nom du champ"), {});
  bitName_->setMaxLength(static_cast<int>(mapeditor::kMaxBitNameChars));
  bitActive_ = NewCheck(QStringLiteral("Actif"), false);
  grid->addWidget(bitActive_, 1, 1);
  auto* update = NewButton(QStringLiteral("Mettre à jour"));
  grid->addWidget(update, 2, 1);
  connect(bitList_, &QListWidget::currentRowChanged, this, &EditorBackgroundDialog::bitSelected);
  connect(update, &QPushButton::clicked, this, &EditorBackgroundDialog::updateBit);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(bitList_);
  layout->addLayout(grid);
  fillBits();
  return page;
}

void EditorBackgroundDialog::fillRanges() {
  rangeList_->clear();
  for (const mapeditor::ValueRange& r : ranges_)
    rangeList_->addItem(Q(mapeditor::ValueRangeLine(r)));
  modify_->setEnabled(false);
  remove_->setEnabled(false);
}

void EditorBackgroundDialog::rangeSelected(int row) {
  bool valid = row >= 0 && static_cast<size_t>(row) < ranges_.size();
  modify_->setEnabled(valid);
  remove_->setEnabled(valid);
  if (!valid) return;
  const mapeditor::ValueRange& r = ranges_[static_cast<size_t>(row)];
  lowest_->setText(Hex(r.lowest));
  highest_->setText(Hex(r.highest));
  target_->setText(Hex(r.target()));
  noIncrement_->setChecked(r.noIncrement);
}

void EditorBackgroundDialog::addRange() {
  auto r =
      mapeditor::ValueRangeFromFields(ToStdString(lowest_->text()), ToStdString(highest_->text()),
                                      ToStdString(target_->text()), noIncrement_->isChecked());
  if (r && mapeditor::AddValueRange(ranges_, *r)) fillRanges();
}

void EditorBackgroundDialog::modifyRange() {
  int row = rangeList_->currentRow();
  if (row < 0) return;
  auto r =
      mapeditor::ValueRangeFromFields(ToStdString(lowest_->text()), ToStdString(highest_->text()),
                                      ToStdString(target_->text()), noIncrement_->isChecked());
  if (r && mapeditor::ReplaceValueRange(ranges_, static_cast<size_t>(row), *r)) {
    fillRanges();
    rangeList_->setCurrentRow(row);
  }
}

void EditorBackgroundDialog::deleteRange() {
  int row = rangeList_->currentRow();
  if (row >= 0 && mapeditor::RemoveValueRange(ranges_, static_cast<size_t>(row))) fillRanges();
}

bool EditorBackgroundDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == rangeList_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
    deleteRange();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void EditorBackgroundDialog::fillBits() {
  int row = bitList_->currentRow();
  bitList_->clear();
  for (int bit = 0; bit < mapeditor::kCellBits; ++bit)
    bitList_->addItem(Q(mapeditor::BitListLine(bits_, bit)));
  if (row >= 0) bitList_->setCurrentRow(row);
}

void EditorBackgroundDialog::bitSelected(int row) {
  if (row < 0 || row >= mapeditor::kCellBits) return;
  bitName_->setText(Q(bits_.names[static_cast<size_t>(row)]));
  bitActive_->setChecked(bits_.active[static_cast<size_t>(row)]);
}

void EditorBackgroundDialog::updateBit() {
  int row = bitList_->currentRow();
  if (row < 0) return;
  mapeditor::SetBitName(bits_, row, ToStdString(bitName_->text()));
  mapeditor::SetBitActive(bits_, row, bitActive_->isChecked());
  fillBits();
}

bool EditorBackgroundDialog::apply() {
  // Texts that are not numbers read as 0, which leaves a speed unchanged.
  double px = speedX_->text().trimmed().toDouble();
  double py = speedY_->text().trimmed().toDouble();
  if (!editor_.applyParallaxPercent(index_, px, py)) return false;
  // The speeds are taken now: should a later page keep the sheet open, a
  // second OK must not rescale the other backgrounds again.
  const mapeditor::Background& b = editor_.background(index_);
  speedX_->setText(Q(mapeditor::PercentText(b.parallaxX)));
  speedY_->setText(Q(mapeditor::PercentText(b.parallaxY)));
  if (!editor_.applySizeAndReference(index_, ToStdString(width_->text()),
                                     ToStdString(height_->text()), ToStdString(reference_->text()),
                                     ToStdString(mask_->text())))
    return false;
  editor_.setVisible(index_, visible_->isChecked());
  editor_.slot(index_).used = !notNextTime_->isChecked();
  editor_.setSnapGridOf(index_, snapX_->text().trimmed().toInt(), snapY_->text().trimmed().toInt());
  editor_.setGbaEmulation(index_, emulation_->isChecked());
  editor_.background(index_).ranges = ranges_;
  mapeditor::BackgroundSlot& slot = editor_.slot(index_);
  if (slot.bits.names != bits_.names || slot.bits.active != bits_.active) {
    slot.bits = bits_;
    editor_.host().noteBitNamesChanged();
  }
  return true;
}

}  // namespace ui
