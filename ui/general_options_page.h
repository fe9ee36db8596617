#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace formats {
class ModelTableEdit;
}
namespace app {
struct Workshop;
}

namespace ui {

// The Options dialog's General page: list size, map settings files, default
// list model, editor timer, preview memory and the automatic format choice.
class GeneralOptionsPage : public QWidget {
  Q_OBJECT

 public:
  GeneralOptionsPage(app::Workshop& workshop, formats::ModelTableEdit& models,
                     QWidget* parent = nullptr);

  QLineEdit* maxObjectsEdit() const { return maxObjects_; }
  QCheckBox* saveMapSettingsBox() const { return saveMapSettings_; }
  QCheckBox* saveMapSettingsAutoBox() const { return saveMapSettingsAuto_; }
  QComboBox* modelList() const { return model_; }
  QLineEdit* timerEdit() const { return timer_; }
  QComboBox* memoryList() const { return memory_; }
  QCheckBox* autoFormatBox() const { return autoFormat_; }

  // The model table changed on the Modèles page.
  void refreshModels();
  // The controls into the settings (the model in use into the model table).
  void store();

 private:
  app::Workshop& w_;
  formats::ModelTableEdit& models_;
  QLineEdit* maxObjects_ = nullptr;
  QCheckBox* saveMapSettings_ = nullptr;
  QCheckBox* saveMapSettingsAuto_ = nullptr;
  QComboBox* model_ = nullptr;
  QLineEdit* timer_ = nullptr;
  QComboBox* memory_ = nullptr;
  QCheckBox* autoFormat_ = nullptr;
};

}  // namespace ui
