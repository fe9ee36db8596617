#include "ui/models_options_page.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "formats/list_model.h"
#include "formats/model_table_edit.h"
#include "ui/qt_text.h"

namespace ui {

namespace {

QString Utf8(const char* text) { return QString::fromUtf8(text); }

QPushButton* Button(const char* text, QWidget* parent) {
  auto* b = new QPushButton(Utf8(text), parent);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

ModelsOptionsPage::ModelsOptionsPage(formats::ModelTableEdit& models,
                                     platform::UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent), models_(models), dialogs_(dialogs) {
  parameters_ = new QTreeWidget(this);
  parameters_->setRootIsDecorated(false);
  parameters_->setHeaderLabels({Utf8("Nom du paramètre"), "Type", "Taille", Utf8("Val. défaut")});
  parameters_->setAccessibleName(Utf8("Paramètres"));
  parameters_->header()->setStretchLastSection(true);
  parameters_->setColumnWidth(0, 160);

  auto* fields = new QFormLayout;
  auto addRow = [&](const char* label, QWidget* field) {
    auto* l = new QLabel(Utf8(label), this);
    l->setBuddy(field);
    field->setAccessibleName(Utf8(label));
    fields->addRow(l, field);
  };
  name_ = new QLineEdit(this);
  name_->setMaxLength(static_cast<int>(formats::kMaxFieldNameChars));
  addRow("Nom du paramètre", name_);
  type_ = new QComboBox(this);
  type_->addItem(ToQString(formats::FieldKindLabel(formats::kFieldInteger)),
                 formats::kFieldInteger);
  type_->addItem(ToQString(formats::FieldKindLabel(formats::kFieldRaw)), formats::kFieldRaw);
  addRow("Type", type_);
  size_ = new QLineEdit("4", this);
  size_->setMaxLength(6);
  addRow("Taille", size_);
  default_ = new QLineEdit(this);
  default_->setMaxLength(static_cast<int>(formats::kMaxFieldDefaultChars));
  addRow("Val. défaut", default_);

  add_ = Button("Ajouter", this);
  remove_ = Button("Supprimer", this);
  remove_->setAccessibleName(Utf8("Supprimer le paramètre"));
  auto* parameterButtons = new QHBoxLayout;
  parameterButtons->addWidget(add_);
  parameterButtons->addWidget(remove_);
  parameterButtons->addStretch(1);

  auto* modelBox = new QGroupBox(Utf8("Modèles"), this);
  model_ = new QComboBox(modelBox);
  model_->setEditable(true);
  model_->setInsertPolicy(QComboBox::NoInsert);
  model_->setAccessibleName(Utf8("Modèles"));
  save_ = Button("Sauver", modelBox);
  load_ = Button("Charger", modelBox);
  deleteModel_ = Button("Supprimer", modelBox);
  deleteModel_->setAccessibleName(Utf8("Supprimer le modèle"));
  auto* modelLayout = new QHBoxLayout(modelBox);
  modelLayout->addWidget(model_, 1);
  modelLayout->addWidget(save_);
  modelLayout->addWidget(load_);
  modelLayout->addWidget(deleteModel_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(parameters_, 1);
  layout->addLayout(fields);
  layout->addLayout(parameterButtons);
  layout->addWidget(modelBox);

  connect(parameters_, &QTreeWidget::itemSelectionChanged, this,
          &ModelsOptionsPage::parameterSelected);
  connect(add_, &QPushButton::clicked, this, &ModelsOptionsPage::putParameter);
  connect(remove_, &QPushButton::clicked, this, &ModelsOptionsPage::removeParameter);
  connect(save_, &QPushButton::clicked, this, &ModelsOptionsPage::saveModel);
  connect(load_, &QPushButton::clicked, this, &ModelsOptionsPage::loadModel);
  connect(deleteModel_, &QPushButton::clicked, this, &ModelsOptionsPage::deleteModel);

  showParameters();
  showModels(models_.editedModel());
}

void ModelsOptionsPage::showParameters() {
  QSignalBlocker block(parameters_);
  parameters_->clear();
  for (const formats::ModelField& f : models_.parameters())
    parameters_->addTopLevelItem(
        new QTreeWidgetItem({ToQString(f.name), ToQString(formats::FieldKindLabel(f.kind)),
                             QString::number(f.size), ToQString(f.defaultValue)}));
  parameterSelected();
}

void ModelsOptionsPage::showModels(int select) {
  model_->clear();
  for (const formats::ListModel& m : models_.models()) model_->addItem(ToQString(m.name));
  model_->setCurrentIndex(select);
}

void ModelsOptionsPage::parameterSelected() {
  QList<QTreeWidgetItem*> selected = parameters_->selectedItems();
  add_->setText(Utf8(selected.isEmpty() ? "Ajouter" : "Mettre à jour"));
  remove_->setEnabled(!selected.isEmpty());
  if (selected.isEmpty()) return;
  int row = parameters_->indexOfTopLevelItem(selected.front());
  const formats::ModelField& f = models_.parameters()[static_cast<size_t>(row)];
  name_->setText(ToQString(f.name));
  type_->setCurrentIndex(
      type_->findData(f.kind == formats::kFieldRaw ? formats::kFieldRaw : formats::kFieldInteger));
  size_->setText(QString::number(f.size));
  default_->setText(ToQString(f.defaultValue));
}

void ModelsOptionsPage::putParameter() {
  QList<QTreeWidgetItem*> selected = parameters_->selectedItems();
  int row = selected.isEmpty() ? -1 : parameters_->indexOfTopLevelItem(selected.front());
  bool ok = false;
  int size = size_->text().trimmed().toInt(&ok);
  if (!ok) size = 0;
  if (models_.putParameter(row, ToStdString(name_->text()), type_->currentData().toInt(), size,
                           ToStdString(default_->text()), dialogs_))
    showParameters();
}

void ModelsOptionsPage::removeParameter() {
  QList<QTreeWidgetItem*> selected = parameters_->selectedItems();
  if (selected.isEmpty()) return;
  if (models_.removeParameter(parameters_->indexOfTopLevelItem(selected.front()))) showParameters();
}

void ModelsOptionsPage::saveModel() {
  int index = models_.saveModel(ToStdString(model_->currentText().trimmed()), dialogs_);
  if (index < 0) return;
  showModels(index);
  emit modelsChanged();
}

void ModelsOptionsPage::loadModel() {
  if (!models_.loadModel(models_.findModel(ToStdString(model_->currentText())))) return;
  showParameters();
}

void ModelsOptionsPage::deleteModel() {
  if (!models_.deleteModel(models_.findModel(ToStdString(model_->currentText())), dialogs_)) return;
  showModels(models_.editedModel());
  showParameters();
  emit modelsChanged();
}

}  // namespace ui
