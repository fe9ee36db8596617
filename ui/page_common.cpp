#include "ui/page_common.h"

#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/dialogs.h"

namespace ui {

QLabel* LabelFor(QWidget* parent, const QString& text, QWidget* control) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(control);
  control->setAccessibleName(text);
  return label;
}

QLineEdit* AddFileRow(QGridLayout* grid, int row, const QString& label, bool save,
                      const QString& objectName, platform::UserDialogs& dialogs) {
  QWidget* parent = grid->parentWidget();
  auto* field = new QLineEdit(parent);
  field->setObjectName(objectName);
  grid->addWidget(LabelFor(parent, label, field), row, 0);
  auto* browse = new QPushButton(QStringLiteral("Parcourir..."), parent);
  browse->setAccessibleName(label + QStringLiteral(" - Parcourir..."));
  grid->addWidget(field, row, 1);
  grid->addWidget(browse, row, 2);
  QObject::connect(browse, &QPushButton::clicked, field, [field, save, label, &dialogs] {
    platform::FileChoice choice;
    choice.save = save;
    choice.title = ToUtf8(label);
    choice.initialName = ToUtf8(field->text());
    if (save)
      choice.filters = {{"Fichiers C (*.c)", "*.c"}, {"Tous les fichiers (*.*)", "*.*"}};
    else
      choice.filters = {{"Images", "*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.tif;*.tiff"},
                        {"Tous les fichiers (*.*)", "*.*"}};
    std::optional<std::string> chosen = dialogs.chooseFileName(choice);
    if (!chosen || chosen->empty()) return;
    QString name = Utf8(*chosen);
    // Files inside the project's directory are kept relative to it.
    QString relative = QDir::current().relativeFilePath(name);
    field->setText(relative.startsWith(QStringLiteral("..")) ? name : relative);
  });
  return field;
}

QWidget* TextPage(QWidget* parent, const QString& text) {
  auto* page = new QWidget(parent);
  auto* layout = new QVBoxLayout(page);
  auto* label = new QLabel(text, page);
  label->setObjectName(QStringLiteral("pageText"));
  label->setWordWrap(true);
  label->setFocusPolicy(Qt::StrongFocus);  // reachable by Tab, read by screen readers
  label->setAccessibleName(text);
  layout->addWidget(label);
  layout->addStretch(1);
  return page;
}

}  // namespace ui
