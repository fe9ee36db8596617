#pragma once

#include <QString>
#include <string>
#include <string_view>

class QAbstractButton;
class QBoxLayout;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace platform {
class UserDialogs;
}

// What every page builds its controls with: texts converted from the core's
// UTF-8, and controls that carry their label as accessible name so that a
// screen reader and the keyboard reach each of them.
namespace ui {

inline QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string ToUtf8(const QString& text) { return text.toUtf8().toStdString(); }

// A label bound to `control` (its mnemonic moves the focus there) and the
// accessible name of the control.
QLabel* LabelFor(QWidget* parent, const QString& text, QWidget* control);

// The row "label  [field] [Parcourir...]" in `grid`; the button asks (through
// the program's dialogs) for a file to write (save) or to read and puts it in
// the field.
QLineEdit* AddFileRow(QGridLayout* grid, int row, const QString& label, bool save,
                      const QString& objectName, platform::UserDialogs& dialogs);

// A page whose only content is one line of text (the refusals).
QWidget* TextPage(QWidget* parent, const QString& text);

}  // namespace ui
