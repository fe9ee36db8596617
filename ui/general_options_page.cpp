#include "ui/general_options_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

#include "formats/model_table_edit.h"
#include "app/memory_size.h"
#include "app/system_identifiers.h"
#include "app/workshop.h"
#include "ui/qt_text.h"

namespace ui {

namespace {

constexpr const char* kMemoryChoices[] = {"192 ko", "8 Mo",   "32 Mo", "64 Mo", "128 Mo",
                                          "256 Mo", "512 Mo", "1 Go",  "Max."};

constexpr int kMaxTiming = 1000;

QString Utf8(const char* text) { return QString::fromUtf8(text); }

}  // namespace

GeneralOptionsPage::GeneralOptionsPage(app::Workshop& workshop, formats::ModelTableEdit& models,
                                       QWidget* parent)
    : QWidget(parent), w_(workshop), models_(models) {
  auto* form = new QFormLayout;
  auto addRow = [&](const char* label, QWidget* field) {
    auto* l = new QLabel(Utf8(label), this);
    l->setBuddy(field);
    field->setAccessibleName(Utf8(label));
    form->addRow(l, field);
  };

  maxObjects_ = new QLineEdit(QString::number(w_.system.maxObjects), this);
  maxObjects_->setMaxLength(10);
  addRow("Nbre. élém. max. liste", maxObjects_);

  saveMapSettings_ = new QCheckBox(Utf8("Sauver les paramètres des maps"), this);
  saveMapSettings_->setChecked(w_.system.saveMapSettings != 0);
  saveMapSettings_->setToolTip(
      Utf8("Sauvegarde les paramètres modifiés dans l'éditeur de map pour la prochaine fois."));
  saveMapSettingsAuto_ = new QCheckBox(Utf8("Sauvegarde automatique"), this);
  saveMapSettingsAuto_->setChecked(w_.system.saveMapSettingsAuto != 0);
  saveMapSettingsAuto_->setEnabled(saveMapSettings_->isChecked());
  saveMapSettingsAuto_->setToolTip(
      Utf8("Si vous cochez cette case, les paramètres seront enregistrés lorsque l'éditeur est "
           "fermé, sinon ils ne le seront uniquement lorsque le fichier en question est "
           "sauvegardé."));
  form->addRow(saveMapSettings_);
  form->addRow(saveMapSettingsAuto_);

  model_ = new QComboBox(this);
  addRow("Modèle par défaut (listes d'objets)", model_);
  refreshModels();
  // The model table cannot change under an open editor's lists.
  model_->setEnabled(w_.openEditor == nullptr);

  timer_ = new QLineEdit(QString::number(w_.editor.timing), this);
  timer_->setMaxLength(10);
  timer_->setToolTip(Utf8(
      "Intervale de mise à jour de l'éditeur\nSi vous voulez réduire la consommation CPU, vous "
      "pouvez augmenter cette valeur, mais l'éditeur sera moins réactif et le rendu plus "
      "saccadé."));
  addRow("Timer éditeur", timer_);

  memory_ = new QComboBox(this);
  memory_->setEditable(true);
  memory_->setInsertPolicy(QComboBox::NoInsert);
  for (const char* choice : kMemoryChoices) memory_->addItem(Utf8(choice));
  memory_->setCurrentText(w_.system.maxPreviewMemory == 0
                              ? QString("Max.")
                              : ToQString(app::FormatMemorySize(w_.system.maxPreviewMemory)));
  addRow("Mémoire max. aperçus", memory_);

  autoFormat_ = new QCheckBox(Utf8("Déterminer le format de fichier automatiquement"), this);
  autoFormat_->setChecked(w_.system.autoFormatSelection != 0);
  autoFormat_->setToolTip(Utf8(
      "Détermine automatiquement le type de fichier en fonction de l'extension, et applique le "
      "format correspondant. Cela permet de mixer facilement plusieurs formats dans un seul "
      "projet."));
  form->addRow(autoFormat_);

  auto* note = new QLabel(
      Utf8("Note: si vous ne comprenez pas un élément, placez la souris au-dessus pour afficher "
           "une bulle d'informations (si disponible)."),
      this);
  note->setWordWrap(true);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addStretch(1);
  layout->addWidget(note);

  connect(saveMapSettings_, &QCheckBox::toggled, saveMapSettingsAuto_, &QWidget::setEnabled);
  connect(model_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0) models_.setCurrentModel(index);
  });
}

void GeneralOptionsPage::refreshModels() {
  QSignalBlocker block(model_);
  model_->clear();
  for (const formats::ListModel& m : models_.models()) model_->addItem(ToQString(m.name));
  model_->setCurrentIndex(models_.currentModel());
}

void GeneralOptionsPage::store() {
  bool ok = false;
  int value = maxObjects_->text().trimmed().toInt(&ok);
  if (ok && value >= 1 && value != w_.system.maxObjects) {
    if (w_.openEditor) {
      w_.services.dialogs.message(
          "Impossible de modifier le nombre d'éléments par liste lorsque l'éditeur est ouvert. "
          "Veuillez le fermer",
          "Erreur", platform::Icon::Error);
    } else {
      w_.system.maxObjects = app::BoundListObjects(value, w_.services.dialogs);
    }
  }
  maxObjects_->setText(QString::number(w_.system.maxObjects));

  w_.system.saveMapSettings = saveMapSettings_->isChecked() ? 1 : 0;
  w_.system.saveMapSettingsAuto = saveMapSettingsAuto_->isChecked() ? 1 : 0;

  // A number too large for an int reads as not a number; the timer takes
  // its upper limit then, as any other value above it would.
  QString timerText = timer_->text().trimmed();
  qlonglong timing = timerText.toLongLong(&ok);
  if (ok)
    w_.editor.timing = static_cast<int32_t>(std::clamp<qlonglong>(timing, 0, kMaxTiming));
  else if (!timerText.isEmpty() && timerText.front().isDigit())
    w_.editor.timing = kMaxTiming;

  // Text that is no size keeps the limit: read as a size it would mean none.
  QString memory = memory_->currentText().trimmed();
  if (memory == "Max.")
    w_.system.maxPreviewMemory = 0;
  else if (!memory.isEmpty() && memory.front().isDigit())
    w_.system.maxPreviewMemory = app::ParseMemorySize(ToStdString(memory));

  w_.system.autoFormatSelection = autoFormat_->isChecked() ? 1 : 0;
  if (model_->currentIndex() >= 0) models_.setCurrentModel(model_->currentIndex());
}

}  // namespace ui
