#include "ui/map_editor_choosers.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "project/project.h"
#include "script/script_prompt.h"

namespace ui {

std::optional<int> ChooseBackgroundElement(QWidget* parent, const project::Project& project) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QString::fromUtf8("Choisir une map de fond..."));
  auto* list = new QListWidget(&dialog);
  list->setAccessibleName(QString::fromUtf8("Maps du projet"));
  for (size_t i = 0; i < project.count(); ++i) {
    const project::EntryRecord& e = project.entry(i);
    if (e.isFolder()) continue;
    if (e.kindCode() != project::kKindMap && e.kindCode() != project::kKindList) continue;
    std::string_view name = project::DisplayName(e.name);
    auto* item = new QListWidgetItem(QString::fromUtf8(name.data(), qsizetype(name.size())), list);
    item->setData(Qt::UserRole, static_cast<int>(i));
  }
  if (list->count() > 0) list->setCurrentRow(0);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(list);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted || !list->currentItem()) return std::nullopt;
  return list->currentItem()->data(Qt::UserRole).toInt();
}

std::optional<std::string> AskScriptStatements(QWidget* parent, const std::string& lastText) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QString::fromUtf8("Exécuter (script)"));
  auto* edit = new QPlainTextEdit(&dialog);
  edit->setAccessibleName(QString::fromUtf8("Instructions"));
  edit->setPlainText(QString::fromUtf8(lastText.data(), qsizetype(lastText.size())));
  edit->selectAll();
  // Tab moves on to the buttons rather than typing a tab into the script.
  edit->setTabChangesFocus(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(edit);
  layout->addWidget(buttons);
  dialog.resize(420, 240);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  QString text = edit->toPlainText().left(static_cast<qsizetype>(script::kMaxPromptChars));
  return text.toStdString();
}

}  // namespace ui
