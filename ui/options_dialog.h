#pragma once

#include <QDialog>

#include <memory>

#include "formats/model_table_edit.h"

class QPushButton;
class QTabWidget;

namespace app {
struct Workshop;
}

namespace ui {

class GeneralOptionsPage;
class ModelsOptionsPage;

// "Options": the General, Conversion and Modèles pages. OK asks every page
// to store its controls; Annuler leaves every setting as it was. The
// Conversion page comes from CreateConversionOptionsPage; OK calls its
// invokable storeSettings() when it has one (it must not store on its own).
class OptionsDialog : public QDialog {
  Q_OBJECT

 public:
  enum Page { General = 0, Conversion = 1, Models = 2 };

  OptionsDialog(app::Workshop& workshop, int page = General, QWidget* parent = nullptr);
  ~OptionsDialog() override;

  QTabWidget* tabs() const { return tabs_; }
  GeneralOptionsPage* generalPage() const { return general_; }
  ModelsOptionsPage* modelsPage() const { return models_; }
  QWidget* conversionPage() const { return conversion_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

  void accept() override;

 private:
  void tabChosen(int index);

  app::Workshop& w_;
  formats::ModelTableEdit modelEdit_;
  QTabWidget* tabs_ = nullptr;
  GeneralOptionsPage* general_ = nullptr;
  QWidget* conversion_ = nullptr;
  ModelsOptionsPage* models_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  int shownTab_ = General;
};

}  // namespace ui
