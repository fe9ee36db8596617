#pragma once

#include <QWidget>

#include "convert/colour_effects_form.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSlider;
class QStackedWidget;

namespace app {
struct Workshop;
}

namespace ui {

// The Conversion tab of the Options dialog: the colour effects and, behind
// "Avancé >>", the conversion's advanced settings. The controls change
// nothing until store() (the dialog's OK); what each one means and how the
// fields are read lives in the core's ColourEffectsForm.
class ConversionOptionsPage : public QWidget {
  Q_OBJECT

 public:
  ConversionOptionsPage(QWidget* parent, app::Workshop& workshop);

  // The form as the controls show it now.
  convert::ColourEffectsForm form() const;

 public slots:
  void store();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* buildEffects();
  QWidget* buildAdvanced();
  void showForm(const convert::ColourEffectsForm& form);
  void setMaskButtonColour();
  void resetAdvanced();

  app::Workshop& w_;
  convert::Rgb mask_;
  QStackedWidget* pages_ = nullptr;
  QPushButton* maskButton_ = nullptr;
  QSlider* gammaSlider_ = nullptr;
  QLineEdit* gammaField_ = nullptr;
  QSlider* additionSlider_ = nullptr;
  QLineEdit* additionField_ = nullptr;
  QSlider* towardsWhiteSlider_ = nullptr;
  QLineEdit* towardsWhiteField_ = nullptr;
  QSlider* shadesSlider_ = nullptr;
  QLineEdit* shadesField_ = nullptr;
  QCheckBox* shadesBefore_ = nullptr;
  QComboBox* method_ = nullptr;
  // Advanced page.
  QCheckBox* shadesBeforeAdvanced_ = nullptr;
  QCheckBox* truncate_ = nullptr;
  QCheckBox* useMaxColours_ = nullptr;
  QCheckBox* emulGba_ = nullptr;
  QCheckBox* firstTileEmpty_ = nullptr;
  QLineEdit* precision_ = nullptr;
  QSlider* colorisationSlider_ = nullptr;
  QLineEdit* colorisationField_ = nullptr;
  QCheckBox* fastReduction_ = nullptr;
  QCheckBox* postProcessing_ = nullptr;
  bool connectedToDialog_ = false;
  bool stored_ = false;
};

}  // namespace ui
