#pragma once

#include <QBoxLayout>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include <string_view>

#include "ui/qt_text.h"

// Small helpers shared by the map editor's dialogs: every control gets the
// text the user reads as its accessible name (screen readers, and the tests
// find controls by it).
namespace ui {

template <typename W>
W* Named(W* widget, const QString& name) {
  widget->setAccessibleName(name);
  widget->setObjectName(name);
  return widget;
}

inline QString Q(std::string_view text) { return ToQString(text); }

// A label and its edit field on one row of a grid; the label is the field's
// buddy so that its mnemonic and screen readers reach the field.
inline QLineEdit* AddField(QGridLayout* grid, int row, const QString& label, const QString& value,
                           const QString& name = {}) {
  auto* l = new QLabel(label);
  auto* e = Named(new QLineEdit(value), name.isEmpty() ? label : name);
  l->setBuddy(e);
  grid->addWidget(l, row, 0);
  grid->addWidget(e, row, 1);
  return e;
}

inline QCheckBox* NewCheck(const QString& text, bool checked) {
  auto* c = Named(new QCheckBox(text), text);
  c->setChecked(checked);
  return c;
}

inline QPushButton* NewButton(const QString& text) { return Named(new QPushButton(text), text); }

// OK (default) and "Annuler" below the dialog's contents; OK closes only when
// `apply` agrees.
template <typename D>
void AddOkCancel(D* dialog, QBoxLayout* layout) {
  auto* buttons = new QDialogButtonBox;
  Named(buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole), "OK")
      ->setDefault(true);
  Named(buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole), "Annuler");
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, [dialog] {
    if (dialog->apply()) dialog->accept();
  });
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  layout->addWidget(buttons);
}

}  // namespace ui
