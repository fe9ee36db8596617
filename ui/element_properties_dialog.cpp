#include "ui/element_properties_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>
#include <filesystem>

#include "formats/format_library.h"
#include "platform/paths.h"
#include "project/kinds.h"
#include "project/project_messages.h"
#include "app/workshop.h"
#include "ui/qt_text.h"

namespace ui {

namespace {

// Kinds 0 and 2 have no element of their own to turn into.
constexpr std::array<uint32_t, 6> kOfferedKinds = {project::kKindMap,     project::kKindTileset,
                                                   project::kKindBitmap,  project::kKindBad,
                                                   project::kKindPalette, project::kKindList};

constexpr std::array<formats::SectionType, 5> kElementSections = {
    formats::SectionType::Bitmap, formats::SectionType::Palette, formats::SectionType::Tileset,
    formats::SectionType::Map, formats::SectionType::List};

std::string CurrentDirectory() {
  std::error_code ec;
  return std::filesystem::current_path(ec).generic_string();
}

// A browse button beside a field, named after the field for screen readers.
QPushButton* BrowseButton(const QString& field, QWidget* parent) {
  auto* b = new QPushButton("...", parent);
  b->setAccessibleName(QString::fromUtf8("Parcourir: ") + field);
  b->setAutoDefault(false);
  b->setMaximumWidth(32);
  return b;
}

QWidget* WithButton(QWidget* field, QPushButton* button, QWidget* parent) {
  auto* row = new QWidget(parent);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(field, 1);
  layout->addWidget(button);
  return row;
}

}  // namespace

bool MoveFileToTrash(const std::string& path) {
  return QFile::moveToTrash(ToQString(platform::ToNative(path)));
}

ElementPropertiesDialog::ElementPropertiesDialog(app::Workshop& workshop, int entryIndex,
                                                 QWidget* parent, project::TrashFile trash)
    : QDialog(parent), w_(workshop), index_(entryIndex), trash_(std::move(trash)) {
  const project::Project& p = w_.project;
  project::ElementProperties current =
      project::CurrentProperties(p, static_cast<size_t>(std::max(entryIndex, 0)));
  setWindowTitle(QString::fromUtf8("Propriétés de ") + ToQString(current.name));

  auto* form = new QFormLayout;
  auto addRow = [&](const char* label, QWidget* field, QWidget* shown = nullptr) {
    QString text = QString::fromUtf8(label);
    field->setAccessibleName(text);
    auto* l = new QLabel(text, this);
    l->setBuddy(field);
    form->addRow(l, shown ? shown : field);
  };

  file_ = new QLineEdit(ToQString(current.file), this);
  file_->setMaxLength(static_cast<int>(project::kFileChars));
  chooseFile_ = BrowseButton(QString::fromUtf8("Nom de fichier"), this);
  addRow("Nom de fichier", file_, WithButton(file_, chooseFile_, this));

  baseFile_ = new QLineEdit(ToQString(current.baseFile), this);
  baseFile_->setMaxLength(static_cast<int>(project::kBaseFileChars));
  chooseBaseFile_ = BrowseButton(QString::fromUtf8("Fichier de base"), this);
  addRow("Fichier de base", baseFile_, WithButton(baseFile_, chooseBaseFile_, this));

  name_ = new QLineEdit(ToQString(current.name), this);
  name_->setMaxLength(static_cast<int>(project::kNameChars));
  addRow("Nom court", name_);

  folder_ = new QComboBox(this);
  folder_->addItem(QString::fromUtf8("(Aucun)"));
  for (const project::EntryRecord& e : p.entries())
    if (e.isFolder()) folder_->addItem(ToQString(e.name));
  int folderRow = current.folder.empty() ? 0 : folder_->findText(ToQString(current.folder));
  folder_->setCurrentIndex(std::max(folderRow, 0));
  addRow("Dossier", folder_);

  kind_ = new QComboBox(this);
  for (uint32_t code : kOfferedKinds) {
    kind_->addItem(ToQString(project::KindKeyword(code)), static_cast<int>(code));
    if (static_cast<int>(code) == current.kindCode) kind_->setCurrentIndex(kind_->count() - 1);
  }
  if (kind_->findData(current.kindCode) < 0) kind_->setCurrentIndex(-1);
  kind_->setEnabled(false);
  unlockKind_ = new QPushButton("+", this);
  unlockKind_->setAccessibleName(QString::fromUtf8("Modifier le type d'élément"));
  unlockKind_->setAutoDefault(false);
  unlockKind_->setMaximumWidth(32);
  addRow("Type d'élément", kind_, WithButton(kind_, unlockKind_, this));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  setMinimumWidth(440);

  connect(buttons, &QDialogButtonBox::accepted, this, &ElementPropertiesDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(chooseFile_, &QPushButton::clicked, this, &ElementPropertiesDialog::chooseFile);
  connect(chooseBaseFile_, &QPushButton::clicked, this, &ElementPropertiesDialog::chooseBaseFile);
  connect(unlockKind_, &QPushButton::clicked, this, &ElementPropertiesDialog::unlockKind);
}

void ElementPropertiesDialog::chooseFile() {
  std::string patterns;
  for (formats::SectionType t : kElementSections) {
    if (!patterns.empty()) patterns += ";";
    patterns += "*" + w_.formats.current.section(t).ext;
  }
  platform::FileChoice choice;
  choice.save = true;
  choice.title = "Sauver un fichier";
  choice.filters = {{"Fichiers Tessel Works", patterns}};
  if (auto name = w_.services.dialogs.chooseFileName(choice))
    file_->setText(ToQString(platform::RelativeTo(*name, CurrentDirectory())));
}

void ElementPropertiesDialog::chooseBaseFile() {
  platform::FileChoice choice;
  choice.title = "Charger un fichier";
  choice.filters = {{"Tous les fichiers", "*.*"}};
  if (auto name = w_.services.dialogs.chooseFileName(choice))
    baseFile_->setText(ToQString(platform::RelativeTo(*name, CurrentDirectory())));
}

void ElementPropertiesDialog::unlockKind() {
  if (project::Ask(w_.services.dialogs, project::prompts::kChangeKind) != platform::Answer::Ok)
    return;
  kind_->setEnabled(true);
  unlockKind_->setEnabled(false);
  kind_->setFocus();
}

void ElementPropertiesDialog::accept() {
  if (index_ < 0 || static_cast<size_t>(index_) >= w_.project.count()) {
    QDialog::reject();
    return;
  }
  project::ElementProperties edit;
  edit.file = ToStdString(file_->text());
  edit.baseFile = ToStdString(baseFile_->text());
  edit.name = ToStdString(name_->text());
  if (folder_->currentIndex() > 0) edit.folder = ToStdString(folder_->currentText());
  edit.kindCode = kind_->currentIndex() >= 0 ? kind_->currentData().toInt() : -1;
  if (project::ApplyElementProperties(w_.project, static_cast<size_t>(index_), edit, trash_) ==
      project::PropertiesOutcome::Applied)
    QDialog::accept();
}

}  // namespace ui
