#pragma once

#include <QDialog>

class QPlainTextEdit;
class QLabel;
class QDialogButtonBox;

namespace ui {

// The script prompt "Exécuter (script)": a multi-line field under
// "Entrez la ou les commandes de script à exécuter.", opened with the text
// run last time, all selected. Tab leaves the field (to OK and Annuler);
// Ctrl+Entrée runs the text as OK does. At most 10000 characters.
class ScriptPromptDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ScriptPromptDialog(const QString& lastText, QWidget* parent = nullptr);

  QString text() const;
  QPlainTextEdit* editor() const { return editor_; }
  QDialogButtonBox* buttons() const { return buttons_; }

 private:
  void limitLength();

  QLabel* label_ = nullptr;
  QPlainTextEdit* editor_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace ui
