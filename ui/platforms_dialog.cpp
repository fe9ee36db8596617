#include "ui/platforms_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/platforms.h"
#include "app/workshop.h"
#include "ui/platform_options_panel.h"
#include "ui/qt_text.h"

namespace ui {

PlatformsDialog::PlatformsDialog(app::Workshop& workshop, QWidget* parent)
    : QDialog(parent), w_(workshop) {
  setWindowTitle("Plate-formes");
  auto* text = new QLabel(
      QString::fromUtf8("Sélectionnez ci-dessous la machine avec laquelle vous voulez travailler:"),
      this);
  text->setWordWrap(true);
  list_ = new QListWidget(this);
  list_->setAccessibleName(text->text());
  text->setBuddy(list_);
  for (const app::PlatformRecord& p : w_.platforms.records) list_->addItem(ToQString(p.name));
  list_->setCurrentRow(w_.platforms.current);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  options_ = buttons->addButton("Options...", QDialogButtonBox::ActionRole);
  options_->setAutoDefault(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  setMinimumWidth(360);
  connect(buttons, &QDialogButtonBox::accepted, this, &PlatformsDialog::accept);
  connect(list_, &QListWidget::itemDoubleClicked, this, &PlatformsDialog::accept);
  connect(list_, &QListWidget::currentRowChanged, this, &PlatformsDialog::updateOptionsButton);
  connect(options_, &QPushButton::clicked, this, &PlatformsDialog::openOptions);
  updateOptionsButton();
}

void PlatformsDialog::updateOptionsButton() {
  int row = list_->currentRow();
  bool hasPanel = row >= 0 && static_cast<size_t>(row) < w_.platforms.records.size() &&
                  w_.platforms.records[static_cast<size_t>(row)].openOptionsPanel != nullptr;
  options_->setEnabled(hasPanel);
}

void PlatformsDialog::openOptions() {
  PlatformOptionsDialog dialog(w_, list_->currentRow(), this);
  dialog.exec();
}

void PlatformsDialog::accept() {
  int row = list_->currentRow();
  if (row < 0 || list_->selectedItems().isEmpty()) return;
  if (row != w_.platforms.current) changed_ = app::SelectPlatform(w_, row);
  QDialog::accept();
}

}  // namespace ui
