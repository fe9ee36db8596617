#include "ui/qt_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QAbstractButton>
#include <QMessageBox>
#include <QStringList>

namespace ui {

namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon ToQtIcon(platform::Icon icon) {
  switch (icon) {
    case platform::Icon::None:
      return QMessageBox::NoIcon;
    case platform::Icon::Information:
      return QMessageBox::Information;
    case platform::Icon::Warning:
      return QMessageBox::Warning;
    case platform::Icon::Error:
      return QMessageBox::Critical;
    case platform::Icon::Question:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButton ToQtButton(platform::Answer answer) {
  switch (answer) {
    case platform::Answer::Ok:
      return QMessageBox::Ok;
    case platform::Answer::Cancel:
      return QMessageBox::Cancel;
    case platform::Answer::Yes:
      return QMessageBox::Yes;
    case platform::Answer::No:
      return QMessageBox::No;
  }
  return QMessageBox::Ok;
}

QMessageBox::StandardButtons ToQtButtons(platform::Buttons buttons) {
  switch (buttons) {
    case platform::Buttons::Ok:
      return QMessageBox::Ok;
    case platform::Buttons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case platform::Buttons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case platform::Buttons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

// The buttons speak the program's language whatever translations the
// system has installed.
void LabelButtons(QMessageBox& box) {
  static const struct {
    QMessageBox::StandardButton button;
    const char* label;
  } kLabels[] = {{QMessageBox::Ok, "OK"},
                 {QMessageBox::Cancel, "Annuler"},
                 {QMessageBox::Yes, "&Oui"},
                 {QMessageBox::No, "&Non"}};
  for (const auto& l : kLabels)
    if (QAbstractButton* b = box.button(l.button)) b->setText(QString::fromUtf8(l.label));
}

}  // namespace

void QtDialogs::message(std::string_view text, std::string_view caption, platform::Icon icon) {
  QMessageBox box(ToQtIcon(icon), ToQString(caption), ToQString(text), QMessageBox::Ok, parent_);
  LabelButtons(box);
  box.exec();
}

platform::Answer QtDialogs::question(std::string_view text, std::string_view caption,
                                     platform::Buttons buttons, platform::Answer defaultAnswer,
                                     platform::Icon icon) {
  QMessageBox box(ToQtIcon(icon), ToQString(caption), ToQString(text), ToQtButtons(buttons),
                  parent_);
  box.setDefaultButton(ToQtButton(defaultAnswer));
  LabelButtons(box);
  switch (box.exec()) {
    case QMessageBox::Ok:
      return platform::Answer::Ok;
    case QMessageBox::Yes:
      return platform::Answer::Yes;
    case QMessageBox::No:
      return platform::Answer::No;
    default:
      // Closing the box answers Cancel where Cancel exists, else the default.
      return buttons == platform::Buttons::OkCancel || buttons == platform::Buttons::YesNoCancel
                 ? platform::Answer::Cancel
                 : defaultAnswer;
  }
}

std::optional<std::string> QtDialogs::chooseFileName(const platform::FileChoice& choice) {
  QStringList filters;
  for (const auto& f : choice.filters) {
    QString patterns = ToQString(f.pattern);
    patterns.replace(';', ' ');
    filters << ToQString(f.description) + " (" + patterns + ")";
  }
  QString start = ToQString(choice.startDirectory);
  if (!choice.initialName.empty()) start += "/" + ToQString(choice.initialName);
  QString name = choice.save ? QFileDialog::getSaveFileName(parent_, ToQString(choice.title), start,
                                                            filters.join(";;"))
                             : QFileDialog::getOpenFileName(parent_, ToQString(choice.title), start,
                                                            filters.join(";;"));
  if (name.isEmpty()) return std::nullopt;
  return name.toStdString();
}

std::optional<uint32_t> QtDialogs::chooseColour(uint32_t initial) {
  QColor c = QColorDialog::getColor(
      QColor(static_cast<int>(initial & 0xFF), static_cast<int>((initial >> 8) & 0xFF),
             static_cast<int>((initial >> 16) & 0xFF)),
      parent_);
  if (!c.isValid()) return std::nullopt;
  return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 |
         static_cast<uint32_t>(c.blue()) << 16;
}

}  // namespace ui
