#include "ui/options_dialog.h"

#include <QDialogButtonBox>
#include <QMetaObject>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "mapeditor/editor_access.h"
#include "app/workshop.h"
#include "ui/element_pages.h"
#include "ui/general_options_page.h"
#include "ui/models_options_page.h"

namespace ui {

OptionsDialog::OptionsDialog(app::Workshop& workshop, int page, QWidget* parent)
    : QDialog(parent), w_(workshop), modelEdit_(workshop.formats) {
  setWindowTitle("Options");
  tabs_ = new QTabWidget(this);
  general_ = new GeneralOptionsPage(w_, modelEdit_, tabs_);
  conversion_ = CreateConversionOptionsPage(tabs_, w_);
  models_ = new ModelsOptionsPage(modelEdit_, w_.services.dialogs, tabs_);
  tabs_->addTab(general_, "General");
  // Without a page of its own the tab stays, empty.
  tabs_->addTab(conversion_ ? conversion_ : new QWidget(tabs_), "Conversion");
  tabs_->addTab(models_, QString::fromUtf8("Modèles"));

  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
  cancel_ = buttons->addButton("Annuler", QDialogButtonBox::RejectRole);
  ok_->setDefault(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addWidget(buttons);
  resize(520, 460);

  connect(buttons, &QDialogButtonBox::accepted, this, &OptionsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(models_, &ModelsOptionsPage::modelsChanged, general_, &GeneralOptionsPage::refreshModels);
  connect(tabs_, &QTabWidget::currentChanged, this, &OptionsDialog::tabChosen);
  if (page >= 0 && page < tabs_->count()) tabs_->setCurrentIndex(page);
}

OptionsDialog::~OptionsDialog() = default;

void OptionsDialog::tabChosen(int index) {
  if (index == Models && w_.openEditor) {
    w_.services.dialogs.message(
        "Impossible de travailler sur les paramètres lorsque l'éditeur est ouvert. Veuillez "
        "d'abord le fermer.",
        "Erreur", platform::Icon::Warning);
    QSignalBlocker block(tabs_);
    tabs_->setCurrentIndex(shownTab_);
    return;
  }
  shownTab_ = index;
}

void OptionsDialog::accept() {
  general_->store();
  if (conversion_ && conversion_->metaObject()->indexOfMethod("storeSettings()") >= 0)
    QMetaObject::invokeMethod(conversion_, "storeSettings");
  // An open editor's lists were laid out for the models as they are.
  if (!w_.openEditor) {
    modelEdit_.confirmPendingEdits(w_.services.dialogs);
    modelEdit_.store(w_.formats);
  } else {
    w_.openEditor->settingsChanged();
  }
  QDialog::accept();
}

}  // namespace ui
