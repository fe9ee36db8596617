#include "ui/script_prompt_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextCursor>
#include <QVBoxLayout>

#include "script/script_prompt.h"
#include "ui/window_texts.h"
#include "ui/workshop_commands.h"

namespace ui {

namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

ScriptPromptDialog::ScriptPromptDialog(const QString& lastText, QWidget* parent) : QDialog(parent) {
  setWindowTitle(Text(texts::kPromptTitle));
  setObjectName(QStringLiteral("scriptPrompt"));
  setAccessibleName(Text(texts::kPromptTitle));
  auto* layout = new QVBoxLayout(this);
  label_ = new QLabel(Text(texts::kPromptLabel), this);
  editor_ = new QPlainTextEdit(this);
  editor_->setObjectName(QStringLiteral("scriptText"));
  editor_->setAccessibleName(QStringLiteral("Commandes de script"));
  editor_->setAccessibleDescription(
      QStringLiteral("Tab passe aux boutons; Ctrl+Entrée exécute les commandes."));
  editor_->setFont(FixedFont());
  editor_->setTabChangesFocus(true);
  editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
  editor_->setPlainText(lastText);
  editor_->selectAll();
  label_->setBuddy(editor_);
  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons_->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  buttons_->button(QDialogButtonBox::Ok)->setAccessibleName(QStringLiteral("OK"));
  buttons_->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
  buttons_->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Annuler"));
  layout->addWidget(label_);
  layout->addWidget(editor_, 1);
  layout->addWidget(buttons_);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(editor_, &QPlainTextEdit::textChanged, this, &ScriptPromptDialog::limitLength);
  for (const char* key : {"Ctrl+Return", "Ctrl+Enter"})
    connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, &QDialog::accept);
  resize(560, 320);
  editor_->setFocus();
}

QString ScriptPromptDialog::text() const { return editor_->toPlainText(); }

void ScriptPromptDialog::limitLength() {
  const auto limit = static_cast<qsizetype>(script::kMaxPromptChars);
  QString text = editor_->toPlainText();
  if (text.size() <= limit) return;
  QTextCursor cursor = editor_->textCursor();
  int position = cursor.position();
  QSignalBlocker block(editor_);
  editor_->setPlainText(text.left(limit));
  cursor = editor_->textCursor();
  cursor.setPosition(std::min(position, static_cast<int>(limit)));
  editor_->setTextCursor(cursor);
}

}  // namespace ui
