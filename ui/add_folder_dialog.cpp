#include "ui/add_folder_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "project/kinds.h"
#include "app/workshop.h"
#include "ui/qt_text.h"

namespace ui {

AddFolderDialog::AddFolderDialog(app::Workshop& workshop, QWidget* parent)
    : QDialog(parent), w_(workshop) {
  setWindowTitle("Ajouter un dossier");
  name_ = new QLineEdit(this);
  name_->setMaxLength(static_cast<int>(project::kNameChars));
  name_->setAccessibleName("Nom:");
  place_ = new QComboBox(this);
  place_->setAccessibleName("Placer dans:");
  for (const project::FolderFieldName& f : project::kFolderFieldNames)
    place_->addItem(ToQString(f.french));
  for (const project::EntryRecord& e : w_.project.entries())
    if (e.isFolder()) place_->addItem(ToQString(e.name));
  place_->setCurrentIndex(0);  // "racine"

  auto* form = new QFormLayout;
  auto* nameLabel = new QLabel("Nom:", this);
  nameLabel->setBuddy(name_);
  auto* placeLabel = new QLabel("Placer dans:", this);
  placeLabel->setBuddy(place_);
  form->addRow(nameLabel, name_);
  form->addRow(placeLabel, place_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  setMinimumWidth(300);
  connect(buttons, &QDialogButtonBox::accepted, this, &AddFolderDialog::accept);
}

void AddFolderDialog::accept() {
  added_ = w_.project.addFolder(ToStdString(name_->text()), ToStdString(place_->currentText()));
  if (added_ >= 0) QDialog::accept();
}

}  // namespace ui
