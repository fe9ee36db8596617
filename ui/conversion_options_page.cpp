#include "ui/conversion_options_page.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "convert/colour_tables.h"
#include "platform/value_syntax.h"
#include "app/platforms.h"
#include "app/workshop.h"
#include "ui/page_common.h"

namespace ui {

namespace {

constexpr convert::SliderRange kColorisationRange{1, 2500};
constexpr int kDefaultPrecision = 512;

const char* kColorisationInfo =
    "Tessel Works inclut un algorithme capable de créer une série de palettes optimisées à "
    "partir d'une image, et chaque bloc de map est associé à l'une de ces palettes. Ce curseur "
    "contrôle les différences entre chacune des palettes générées. Plus il est sur la gauche, "
    "plus les palettes seront proches les unes des autres, et plus il est sur la droite, plus "
    "elles seront colorées et différentes, ce qui peut entraîner un effet de \"bloc\" lorsque "
    "les différences entre deux tiles utilisant des palettes différentes sont trop importantes "
    "pour que l'image paraisse lisse et uniforme.";
const char* kFillPalettesTip =
    "Par exemple, si la conversion produit 10 couleurs et que vous travaillez avec des palettes "
    "de 16, les 6 couleurs restantes seront automatiquement ajoutées afin de la remplir.";
const char* kPrecisionTip =
    "Vous pouvez réduire cette valeur pour accélerer les conversions ou l'augmenter si vous "
    "n'arrivez pas à convertir votre bitmap car elle contient trop de couleurs différentes.";

QSlider* NewSlider(QWidget* parent, convert::SliderRange range, const QString& name) {
  auto* slider = new QSlider(Qt::Horizontal, parent);
  slider->setRange(range.minimum, range.maximum);
  slider->setAccessibleName(name);
  slider->setFocusPolicy(Qt::StrongFocus);
  return slider;
}

QCheckBox* NewCheck(QWidget* parent, const char* text) {
  auto* box = new QCheckBox(QString::fromUtf8(text), parent);
  box->setAccessibleName(box->text());
  return box;
}

// A slider and its field: moving the slider writes the field; leaving the
// field moves the slider, as the core reads the field.
template <typename ToText, typename FromText>
void Couple(QSlider* slider, QLineEdit* field, ToText toText, FromText fromText) {
  QObject::connect(slider, &QSlider::valueChanged, field,
                   [field, toText](int v) { field->setText(Utf8(toText(v))); });
  QObject::connect(field, &QLineEdit::editingFinished, slider, [slider, field, fromText] {
    QSignalBlocker block(slider);
    slider->setValue(fromText(ToUtf8(field->text()), slider));
  });
}

}  // namespace

ConversionOptionsPage::ConversionOptionsPage(QWidget* parent, app::Workshop& workshop)
    : QWidget(parent), w_(workshop), mask_(workshop.conversion.maskColour) {
  setObjectName(QStringLiteral("conversionOptions"));
  auto* layout = new QVBoxLayout(this);
  pages_ = new QStackedWidget(this);
  pages_->addWidget(buildEffects());
  pages_->addWidget(buildAdvanced());
  layout->addWidget(pages_);
  showForm(convert::FillColourEffectsForm(w_.conversion));
}

QWidget* ConversionOptionsPage::buildEffects() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  int row = 0;
  maskButton_ = new QPushButton(page);
  maskButton_->setObjectName(QStringLiteral("maskColour"));
  maskButton_->setMinimumWidth(60);
  grid->addWidget(LabelFor(page, QStringLiteral("Couleur transparente:"), maskButton_), row, 0);
  grid->addWidget(maskButton_, row++, 1);
  connect(maskButton_, &QPushButton::clicked, this, [this] {
    QColor chosen = QColorDialog::getColor(QColor(mask_.red, mask_.green, mask_.blue), this);
    if (!chosen.isValid()) return;
    mask_ = {static_cast<uint8_t>(chosen.red()), static_cast<uint8_t>(chosen.green()),
             static_cast<uint8_t>(chosen.blue())};
    setMaskButtonColour();
  });

  auto* light = new QGroupBox(QString::fromUtf8("Luminosité"), page);
  auto* lg = new QGridLayout(light);
  auto addSliderRow = [&](QGridLayout* g, int r, const QString& label, QSlider*& slider,
                          QLineEdit*& field, convert::SliderRange range, const char* name) {
    field = new QLineEdit(light);
    field->setObjectName(QString::fromUtf8(name));
    field->setMaximumWidth(70);
    slider = NewSlider(field->parentWidget(), range, label);
    g->addWidget(LabelFor(field->parentWidget(), label, field), r, 0);
    g->addWidget(slider, r, 1);
    g->addWidget(field, r, 2);
  };
  addSliderRow(lg, 0, QStringLiteral("Correction gamma:"), gammaSlider_, gammaField_,
               convert::GammaSliderRange(1.0), "gamma");
  addSliderRow(lg, 1, QStringLiteral("Addition (de blanc):"), additionSlider_, additionField_,
               convert::kEffectSliderRange, "addition");
  addSliderRow(lg, 2, QStringLiteral("Vers le blanc:"), towardsWhiteSlider_, towardsWhiteField_,
               convert::kEffectSliderRange, "towardsWhite");
  grid->addWidget(light, row++, 0, 1, 3);

  shadesField_ = new QLineEdit(page);
  shadesField_->setObjectName(QStringLiteral("shades"));
  shadesField_->setMaximumWidth(70);
  shadesSlider_ =
      NewSlider(page, convert::kShadesSliderRange, QStringLiteral("Nuances de couleurs:"));
  grid->addWidget(LabelFor(page, QStringLiteral("Nuances de couleurs:"), shadesField_), row, 0);
  grid->addWidget(shadesSlider_, row, 1);
  grid->addWidget(shadesField_, row++, 2);
  shadesBefore_ = NewCheck(page, "Appliquer l'effet nuances avant les autres");
  grid->addWidget(shadesBefore_, row++, 0, 1, 3);

  method_ = new QComboBox(page);
  method_->setObjectName(QStringLiteral("method"));
  for (std::string_view name : convert::kReductionMethodNames) method_->addItem(Utf8(name));
  grid->addWidget(LabelFor(page, QString::fromUtf8("Méthode de conversion:"), method_), row, 0);
  grid->addWidget(method_, row++, 1, 1, 2);

  auto* defaults = new QPushButton(QString::fromUtf8("Par défaut"), page);
  defaults->setObjectName(QStringLiteral("defaults"));
  auto* advanced = new QPushButton(QString::fromUtf8("Avancé >>"), page);
  advanced->setObjectName(QStringLiteral("advanced"));
  grid->addWidget(defaults, row, 1);
  grid->addWidget(advanced, row++, 2);
  grid->setRowStretch(row, 1);
  connect(defaults, &QPushButton::clicked, this, [this] {
    convert::ColourEffectsForm f = form();
    convert::ResetColourEffectsForm(f);
    showForm(f);
  });
  connect(advanced, &QPushButton::clicked, this, [this] { pages_->setCurrentIndex(1); });

  Couple(gammaSlider_, gammaField_, convert::GammaFieldText, [](const std::string& t, QSlider* s) {
    convert::SliderRange range{s->minimum(), s->maximum()};
    // Typing a gamma beyond 3.00 extends the slider, as the stored gamma does.
    if (auto v = convert::ReadFieldReal(t)) range = convert::GammaSliderRange(*v);
    range.maximum = std::max(range.maximum, s->maximum());
    s->setRange(range.minimum, range.maximum);
    return convert::GammaSliderPositionFromField(t, range);
  });
  auto integer = [](const std::string& t, QSlider* s) {
    return convert::IntegerSliderPositionFromField(t, {s->minimum(), s->maximum()});
  };
  Couple(additionSlider_, additionField_, convert::IntegerFieldText, integer);
  Couple(towardsWhiteSlider_, towardsWhiteField_, convert::IntegerFieldText, integer);
  Couple(shadesSlider_, shadesField_, convert::IntegerFieldText, integer);
  return page;
}

QWidget* ConversionOptionsPage::buildAdvanced() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  int row = 0;
  shadesBeforeAdvanced_ = NewCheck(page, "Appliquer l'effet nuances avant les autres");
  truncate_ = NewCheck(page, "Tronquer les valeurs à l'entier (effets de couleur)");
  truncate_->setEnabled(false);
  useMaxColours_ = NewCheck(page, "Toujours remplir les palettes");
  useMaxColours_->setToolTip(QString::fromUtf8(kFillPalettesTip));
  emulGba_ = NewCheck(page, "Emulation bits GBA (global)");
  firstTileEmpty_ = NewCheck(page, "Première tile toujours transparente");
  for (QCheckBox* box :
       {shadesBeforeAdvanced_, truncate_, useMaxColours_, emulGba_, firstTileEmpty_})
    grid->addWidget(box, row++, 0, 1, 3);
  // The same setting on both pages: the boxes follow each other.
  connect(shadesBefore_, &QCheckBox::toggled, shadesBeforeAdvanced_, &QCheckBox::setChecked);
  connect(shadesBeforeAdvanced_, &QCheckBox::toggled, shadesBefore_, &QCheckBox::setChecked);

  precision_ = new QLineEdit(page);
  precision_->setObjectName(QStringLiteral("precision"));
  precision_->setToolTip(QString::fromUtf8(kPrecisionTip));
  QLabel* precisionLabel = LabelFor(page, QString::fromUtf8("Précision maximale:"), precision_);
  precisionLabel->setToolTip(QString::fromUtf8(kPrecisionTip));
  grid->addWidget(precisionLabel, row, 0);
  grid->addWidget(precision_, row++, 1);

  auto* palettes = new QGroupBox(QStringLiteral("Conversion par palettes"), page);
  auto* pg = new QGridLayout(palettes);
  colorisationField_ = new QLineEdit(palettes);
  colorisationField_->setObjectName(QStringLiteral("colorisation"));
  colorisationField_->setMaximumWidth(70);
  colorisationSlider_ = NewSlider(palettes, kColorisationRange, QStringLiteral("Colorisation:"));
  auto* info = new QPushButton(QStringLiteral("Infos"), palettes);
  info->setObjectName(QStringLiteral("infos"));
  pg->addWidget(LabelFor(palettes, QStringLiteral("Colorisation:"), colorisationField_), 0, 0);
  pg->addWidget(colorisationSlider_, 0, 1);
  pg->addWidget(colorisationField_, 0, 2);
  pg->addWidget(info, 0, 3);
  fastReduction_ = NewCheck(palettes, "Optimisation vitesse");
  postProcessing_ = NewCheck(palettes, "Post-processing");
  pg->addWidget(fastReduction_, 1, 0, 1, 4);
  pg->addWidget(postProcessing_, 2, 0, 1, 4);
  grid->addWidget(palettes, row++, 0, 1, 3);
  connect(info, &QPushButton::clicked, this, [this] {
    w_.services.dialogs.message(kColorisationInfo, "Infos sur la colorisation",
                                platform::Icon::Information);
  });
  connect(colorisationSlider_, &QSlider::valueChanged, colorisationField_,
          [this](int v) { colorisationField_->setText(QString::number(v)); });
  connect(colorisationField_, &QLineEdit::editingFinished, this, [this] {
    auto v = convert::ReadFieldInteger(ToUtf8(colorisationField_->text()));
    if (!v) return;
    QSignalBlocker block(colorisationSlider_);
    // A larger typed value stretches the slider rather than being cut.
    if (*v > colorisationSlider_->maximum()) colorisationSlider_->setMaximum(*v);
    colorisationSlider_->setValue(*v);
  });

  auto* defaults = new QPushButton(QString::fromUtf8("Par défaut"), page);
  defaults->setObjectName(QStringLiteral("advancedDefaults"));
  auto* back = new QPushButton(QString::fromUtf8("Avancé <<"), page);
  back->setObjectName(QStringLiteral("back"));
  grid->addWidget(defaults, row, 1);
  grid->addWidget(back, row++, 2);
  grid->setRowStretch(row, 1);
  connect(defaults, &QPushButton::clicked, this, [this] { resetAdvanced(); });
  connect(back, &QPushButton::clicked, this, [this] { pages_->setCurrentIndex(0); });

  const convert::ConversionSettings& s = w_.conversion;
  truncate_->setChecked(s.truncate);
  useMaxColours_->setChecked(s.useMaxColours != 0);
  emulGba_->setChecked(w_.system.emulGba != 0);
  firstTileEmpty_->setChecked(s.firstTileEmpty != 0);
  precision_->setText(QString::number(s.maxPrecision));
  if (s.colorisation > kColorisationRange.maximum) colorisationSlider_->setMaximum(s.colorisation);
  colorisationSlider_->setValue(s.colorisation);
  colorisationField_->setText(QString::number(s.colorisation));
  fastReduction_->setChecked(s.fastPaletteReduction != 0);
  postProcessing_->setChecked(s.paletteReductionPost != 0);
  return page;
}

void ConversionOptionsPage::resetAdvanced() {
  shadesBeforeAdvanced_->setChecked(false);
  truncate_->setChecked(false);
  useMaxColours_->setChecked(false);
  emulGba_->setChecked(false);
  firstTileEmpty_->setChecked(false);
  precision_->setText(QString::number(kDefaultPrecision));
  fastReduction_->setChecked(true);
  postProcessing_->setChecked(true);
  // The colorisation stays as it is.
}

void ConversionOptionsPage::setMaskButtonColour() {
  QColor c(mask_.red, mask_.green, mask_.blue);
  maskButton_->setStyleSheet(QStringLiteral("background-color: %1").arg(c.name()));
  maskButton_->setAccessibleDescription(c.name());
}

void ConversionOptionsPage::showForm(const convert::ColourEffectsForm& f) {
  mask_ = f.maskColour;
  setMaskButtonColour();
  auto setPair = [](QSlider* slider, QLineEdit* field, const std::string& text, int position) {
    QSignalBlocker block(slider);
    if (position > slider->maximum()) slider->setMaximum(position);
    slider->setValue(position);
    field->setText(Utf8(text));
  };
  auto gamma = convert::ReadFieldReal(f.gamma).value_or(1.0);
  convert::SliderRange gr = convert::GammaSliderRange(gamma);
  gammaSlider_->setRange(gr.minimum, gr.maximum);
  setPair(gammaSlider_, gammaField_, f.gamma, convert::GammaSliderPosition(gamma));
  setPair(additionSlider_, additionField_, f.addition,
          convert::IntegerSliderPositionFromField(f.addition, convert::kEffectSliderRange));
  setPair(towardsWhiteSlider_, towardsWhiteField_, f.towardsWhite,
          convert::IntegerSliderPositionFromField(f.towardsWhite, convert::kEffectSliderRange));
  setPair(shadesSlider_, shadesField_, f.shades,
          convert::IntegerSliderPositionFromField(f.shades, convert::kShadesSliderRange));
  shadesBefore_->setChecked(f.shadesBefore);
  method_->setCurrentIndex(f.method);
}

convert::ColourEffectsForm ConversionOptionsPage::form() const {
  convert::ColourEffectsForm f;
  f.maskColour = mask_;
  f.gamma = ToUtf8(gammaField_->text());
  f.addition = ToUtf8(additionField_->text());
  f.towardsWhite = ToUtf8(towardsWhiteField_->text());
  f.shades = ToUtf8(shadesField_->text());
  f.shadesBefore = shadesBefore_->isChecked();
  f.method = std::max(method_->currentIndex(), 0);
  return f;
}

void ConversionOptionsPage::store() {
  convert::ConversionSettings& s = w_.conversion;
  s.truncate = truncate_->isChecked();
  s.useMaxColours = useMaxColours_->isChecked() ? 1 : 0;
  w_.system.emulGba = emulGba_->isChecked() ? 1 : 0;
  s.firstTileEmpty = firstTileEmpty_->isChecked() ? 1 : 0;
  if (auto v = convert::ReadFieldInteger(ToUtf8(precision_->text())); v && *v > 0)
    s.maxPrecision = *v;
  if (auto v = convert::ReadFieldInteger(ToUtf8(colorisationField_->text())); v && *v >= 0)
    s.colorisation = *v;
  s.fastPaletteReduction = fastReduction_->isChecked() ? 1 : 0;
  s.paletteReductionPost = postProcessing_->isChecked() ? 1 : 0;
  convert::StoreColourEffectsForm(form(), s, &app::CurrentColourMode(w_), w_.colourTables);
  stored_ = true;
}

void ConversionOptionsPage::showEvent(QShowEvent* event) {
  // The Options dialog's OK stores every page; a page it does not know about
  // by type still stores when the dialog is accepted.
  if (!connectedToDialog_) {
    if (auto* dialog = qobject_cast<QDialog*>(window())) {
      connect(dialog, &QDialog::accepted, this, &ConversionOptionsPage::store);
      connectedToDialog_ = true;
    }
  }
  QWidget::showEvent(event);
}

}  // namespace ui
