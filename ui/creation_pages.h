#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;

namespace app {
struct Workshop;
}

namespace ui {

class PageHost;

// "Créer une nouvelle liste d'objets": an empty list of the chosen model,
// linked to the chosen tileset.
class ListCreationPage : public QWidget {
  Q_OBJECT

 public:
  ListCreationPage(QWidget* parent, app::Workshop& workshop, PageHost& host);

  // "Ok!": true when the list was written and added.
  bool create();

  QLineEdit* fileField() const { return file_; }
  QComboBox* tilesetList() const { return tilesets_; }
  QComboBox* modelList() const { return models_; }
  QComboBox* tileSizeList() const { return tileSize_; }

 private:
  app::Workshop& w_;
  PageHost& host_;
  QLineEdit* file_ = nullptr;
  QComboBox* tilesets_ = nullptr;
  QComboBox* models_ = nullptr;
  QComboBox* tileSize_ = nullptr;
};

}  // namespace ui
