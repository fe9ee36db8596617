#include "ui/formats_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "formats/format_library.h"
#include "app/workshop.h"
#include "ui/qt_text.h"

namespace ui {

FormatsDialog::FormatsDialog(app::Workshop& workshop, QWidget* parent)
    : QDialog(parent), w_(workshop) {
  setWindowTitle(QString::fromUtf8("Formats d'E/S"));
  auto* text = new QLabel(QString::fromUtf8("Sélectionnez l'un des formats disponibles:"), this);
  list_ = new QListWidget(this);
  list_->setAccessibleName(text->text());
  text->setBuddy(list_);
  for (const formats::OutputFormat& f : w_.formats.formats) list_->addItem(ToQString(f.name));
  list_->setCurrentRow(w_.formats.currentFormat);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &FormatsDialog::accept);
  connect(list_, &QListWidget::itemDoubleClicked, this, &FormatsDialog::accept);
}

void FormatsDialog::accept() {
  int row = list_->currentRow();
  if (row < 0 || list_->selectedItems().isEmpty()) return;
  // Chosen again, a format redefined since its selection takes effect.
  formats::SelectFormatAt(w_.formats, row);
  QDialog::accept();
}

}  // namespace ui
