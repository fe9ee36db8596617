#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace formats {
class ModelTableEdit;
}
namespace platform {
class UserDialogs;
}

namespace ui {

// The Options dialog's Modèles page: the parameters of one list model and
// the table of models. It edits the dialog's copy of the table.
class ModelsOptionsPage : public QWidget {
  Q_OBJECT

 public:
  ModelsOptionsPage(formats::ModelTableEdit& models, platform::UserDialogs& dialogs,
                    QWidget* parent = nullptr);

  QTreeWidget* parameterList() const { return parameters_; }
  QLineEdit* nameEdit() const { return name_; }
  QComboBox* typeList() const { return type_; }
  QLineEdit* sizeEdit() const { return size_; }
  QLineEdit* defaultEdit() const { return default_; }
  QPushButton* addButton() const { return add_; }
  QPushButton* removeButton() const { return remove_; }
  QComboBox* modelList() const { return model_; }
  QPushButton* saveButton() const { return save_; }
  QPushButton* loadButton() const { return load_; }
  QPushButton* deleteModelButton() const { return deleteModel_; }

 signals:
  // Models were added, removed or the one in use changed.
  void modelsChanged();

 private:
  void showParameters();
  void showModels(int select);
  void parameterSelected();
  void putParameter();
  void removeParameter();
  void saveModel();
  void loadModel();
  void deleteModel();

  formats::ModelTableEdit& models_;
  platform::UserDialogs& dialogs_;
  QTreeWidget* parameters_ = nullptr;
  QLineEdit* name_ = nullptr;
  QComboBox* type_ = nullptr;
  QLineEdit* size_ = nullptr;
  QLineEdit* default_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* remove_ = nullptr;
  QComboBox* model_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* load_ = nullptr;
  QPushButton* deleteModel_ = nullptr;
};

}  // namespace ui
