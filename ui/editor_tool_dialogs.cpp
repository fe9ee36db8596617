#include "ui/editor_tool_dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

#include <string>

#include "mapeditor/editor_texts.h"
#include "mapeditor/map_editor.h"
#include "project/entry_record.h"
#include "ui/editor_widgets.h"

namespace ui {

namespace {

std::string Text(const QLineEdit* e) { return ToStdString(e->text()); }

// Decimal, as the block format dialog reads it: anything else is 0, which
// the checks refuse.
int Decimal(const QLineEdit* e) {
  bool ok = false;
  int v = e->text().trimmed().toInt(&ok);
  return ok ? v : 0;
}

QString BackgroundName(const mapeditor::MapEditor& editor, int i) {
  return Q(project::DisplayName(editor.slot(i).element.name));
}

}  // namespace

// --- Opérations sur la sélection ----------------------------------------------

EditorOperationsDialog::EditorOperationsDialog(mapeditor::MapEditor& editor, QWidget* parent)
    : QDialog(parent), editor_(editor) {
  setWindowTitle(QStringLiteral("Opérations sur la sélection"));
  auto* grid = new QGridLayout;
  operations_ = AddField(grid, 0, QStringLiteral("Opération (op nbre):"), {});
  condition_ = AddField(grid, 1, QStringLiteral("Condition (op nbre):"), {});
  onlyActive_ = NewCheck(QStringLiteral("Seulement sur le plan actif"), false);
  grid->addWidget(onlyActive_, 2, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  AddOkCancel(this, layout);
}

bool EditorOperationsDialog::apply() {
  return editor_.runOperations(Text(operations_), Text(condition_), onlyActive_->isChecked());
}

// --- Copie de blocs -----------------------------------------------------------

EditorBlockCopyDialog::EditorBlockCopyDialog(mapeditor::MapEditor& editor, QWidget* parent)
    : QDialog(parent), editor_(editor) {
  setWindowTitle(QStringLiteral("Copie de blocs"));
  auto* grid = new QGridLayout;
  const QString rows[3] = {QStringLiteral("Source (x,y)"), QStringLiteral("Taille (l,h)"),
                           QStringLiteral("Destination (x,y)")};
  const QString parts[3][2] = {{QStringLiteral("x"), QStringLiteral("y")},
                               {QStringLiteral("l"), QStringLiteral("h")},
                               {QStringLiteral("x"), QStringLiteral("y")}};
  for (int r = 0; r < 3; ++r) {
    auto* label = new QLabel(rows[r]);
    grid->addWidget(label, r, 0);
    for (int c = 0; c < 2; ++c) {
      auto* e = Named(new QLineEdit, rows[r] + QStringLiteral(": ") + parts[r][c]);
      if (c == 0) label->setBuddy(e);
      grid->addWidget(e, r, 1 + c);
      fields_.push_back(e);
    }
  }
  onlyActive_ = NewCheck(QStringLiteral("Seulement sur le plan actif"), false);
  grid->addWidget(onlyActive_, 3, 1, 1, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  AddOkCancel(this, layout);
}

bool EditorBlockCopyDialog::apply() {
  mapeditor::BlockCopyFields f;
  f.sourceX = Text(fields_[0]);
  f.sourceY = Text(fields_[1]);
  f.width = Text(fields_[2]);
  f.height = Text(fields_[3]);
  f.destinationX = Text(fields_[4]);
  f.destinationY = Text(fields_[5]);
  f.onlyActive = onlyActive_->isChecked();
  return editor_.blockCopy(f);
}

// --- Personnalisation de la taille des motifs ---------------------------------

EditorBlockFormatDialog::EditorBlockFormatDialog(mapeditor::MapEditor& editor, QWidget* parent)
    : QDialog(parent), editor_(editor) {
  setWindowTitle(QStringLiteral("Personnalisation de la taille des motifs"));
  int w = 8, h = 8;
  if (editor_.count() > 0) {
    w = editor_.activeBackground().tileWidth;
    h = editor_.activeBackground().tileHeight;
  }
  auto* grid = new QGridLayout;
  width_ = AddField(grid, 0, QStringLiteral("Largeur des blocs"), QString::number(w));
  height_ = AddField(grid, 1, QStringLiteral("Hauteur des blocs"), QString::number(h));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  AddOkCancel(this, layout);
}

bool EditorBlockFormatDialog::apply() {
  int w = Decimal(width_), h = Decimal(height_);
  if (!editor_.chooseBlockFormat(w, h)) return false;
  chosenWidth_ = w;
  chosenHeight_ = h;
  return true;
}

// --- Liaisons -----------------------------------------------------------------

EditorLinksDialog::EditorLinksDialog(mapeditor::MapEditor& editor, QWidget* parent)
    : QDialog(parent), editor_(editor) {
  setWindowTitle(QStringLiteral("Liaisons"));
  setMinimumWidth(380);
  auto* text = new QLabel(QStringLiteral(
      "Entrez les numéros de fonds avec lesquels vous voulez lier le fond actif. Les fonds "
      "apparaissent dans l'ordre dans le menu Fonds -> affichés.\nPar exemple: 1,2,3 liera les "
      "trois premiers fonds."));
  text->setWordWrap(true);
  numbers_ = Named(new QLineEdit(Q(editor_.activeGroupText())), QStringLiteral("Fonds liés"));
  text->setBuddy(numbers_);
  backgrounds_ = Named(new QComboBox, QStringLiteral("Fonds"));
  backgrounds_->addItem(QStringLiteral("(choisissez un fond)"));
  for (int i = 0; i < editor_.count(); ++i)
    backgrounds_->addItem(QStringLiteral("%1 = %2").arg(i + 1).arg(BackgroundName(editor_, i)),
                          i + 1);
  connect(backgrounds_, &QComboBox::activated, this, [this](int row) {
    if (row <= 0) return;
    int number = backgrounds_->itemData(row).toInt();
    QString t = numbers_->text();
    numbers_->setText(t.isEmpty() ? QString::number(number)
                                  : t + QStringLiteral(", %1").arg(number));
  });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addWidget(numbers_);
  layout->addWidget(backgrounds_);
  AddOkCancel(this, layout);
}

bool EditorLinksDialog::apply() {
  editor_.linkFromText(Text(numbers_));
  return true;
}

// --- Paramètres de l'objet ----------------------------------------------------

EditorObjectDialog::EditorObjectDialog(mapeditor::MapEditor& editor,
                                       const std::vector<std::string>& values, QWidget* parent)
    : QDialog(parent), editor_(editor) {
  setWindowTitle(QStringLiteral("Paramètres de l'objet"));
  setMinimumWidth(260);
  auto* grid = new QGridLayout;
  const auto& fields = editor_.activeBackground().model.fields;
  for (size_t j = 0; j < fields.size() && j < values.size(); ++j) {
    QString name = Q(mapeditor::texts::ObjectFieldLabel(fields[j].name));
    fields_.push_back(
        AddField(grid, static_cast<int>(j), QStringLiteral(" ") + name, Q(values[j]), name));
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  AddOkCancel(this, layout);
}

bool EditorObjectDialog::apply() {
  std::vector<std::string> texts;
  for (const QLineEdit* e : fields_) texts.push_back(Text(e));
  return editor_.setObjectFields(texts);
}

}  // namespace ui
