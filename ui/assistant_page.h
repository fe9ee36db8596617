#pragma once

#include <QDateTime>
#include <QWidget>
#include <array>

#include "app/assistant_model.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace app {
struct Workshop;
}

namespace ui {

class PageHost;
class BeforeAfterView;
class ConversionProgressView;

// The creation pages the import assistant drives ("Récupérer les mosaïques",
// "Créer une image simple", "Créer un nouveau tableau à utiliser comme carte
// géante"): the widgets show the state of a core AssistantModel, so the user's
// typing and the script's statements fill the same page, and "Ok!" converts
// exactly as the model does without a window. While shown, the page is the
// assistant scripts reach.
class AssistantPage : public QWidget, public app::AssistantControls {
  Q_OBJECT

 public:
  AssistantPage(QWidget* parent, app::Workshop& workshop, PageHost& host,
                app::AssistantControl item);
  ~AssistantPage() override;

  // app::AssistantControls
  void openFromTree(app::AssistantControl item) override;
  void setText(app::AssistantControl field, const std::string& text) override;
  void setChecked(app::AssistantControl box, int32_t state) override;
  std::vector<std::string> listEntries(app::AssistantControl list) override;
  void selectEntry(app::AssistantControl list, size_t index) override;
  void pressOk() override;

  const app::AssistantModel& model() const { return model_; }
  ConversionProgressView* progressView() const { return progress_; }
  BeforeAfterView* beforeAfterView() const { return beforeAfter_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void build();
  void buildTilesets(QWidget* form);
  void buildBitmaps(QWidget* form);
  void buildMaps(QWidget* form);
  void addColourRow(QGridLayout* grid, int row);
  QCheckBox* addExistingRow(QGridLayout* grid, int row, const QString& text,
                            app::AssistantControl box, app::AssistantControl list);
  QComboBox* addList(app::AssistantControl list);
  QLineEdit* addField(app::AssistantControl field, const QString& objectName);
  QPushButton* addButtons(QGridLayout* grid, int row);
  void syncFromModel();
  bool checkDestinations();
  void showResult(size_t countBefore);
  void registerAssistant(bool on);

  app::Workshop& w_;
  PageHost& host_;
  app::AssistantModel model_;
  QVBoxLayout* layout_ = nullptr;
  QWidget* form_ = nullptr;
  std::array<QLineEdit*, 5> fields_{};
  QCheckBox* usePalette_ = nullptr;
  QCheckBox* useTileset_ = nullptr;
  QCheckBox* generateMap_ = nullptr;
  QCheckBox* optimise_ = nullptr;
  QComboBox* palettes_ = nullptr;
  QComboBox* tilesets_ = nullptr;
  QComboBox* mapSize_ = nullptr;
  QComboBox* tileSize_ = nullptr;
  QComboBox* colourMode_ = nullptr;
  QComboBox* mapType_ = nullptr;
  ConversionProgressView* progress_ = nullptr;
  BeforeAfterView* beforeAfter_ = nullptr;
  QDateTime mapFileBefore_;  // when the map file was written before "Ok!" (null: none)
  bool syncing_ = false;
  bool running_ = false;
};

}  // namespace ui
