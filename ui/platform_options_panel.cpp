#include "ui/platform_options_panel.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>
#include <span>

#include "app/workshop.h"
#include "ui/qt_text.h"

namespace ui {

namespace {

const app::PlatformRecord* Record(const app::Workshop& w, int index) {
  if (index < 0 || static_cast<size_t>(index) >= w.platforms.records.size()) return nullptr;
  return &w.platforms.records[static_cast<size_t>(index)];
}

}  // namespace

PlatformOptionsPanel::PlatformOptionsPanel(app::Workshop& workshop, int platformIndex, bool forMap,
                                           QWidget* parent)
    : QWidget(parent), w_(workshop), platform_(platformIndex), forMap_(forMap) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  const app::PlatformRecord* p = Record(w_, platform_);
  if (!p || !p->openOptionsPanel) return;
  app::OptionsPanel panel = p->openOptionsPanel(w_, forMap_);
  for (const app::OptionsPanelBox& box : panel.boxes) {
    auto* check = new QCheckBox(ToQString(box.caption), this);
    check->setChecked(box.checked);
    layout->addWidget(check);
    boxes_.push_back(check);
  }
  layout->addStretch(1);
}

void PlatformOptionsPanel::store() {
  const app::PlatformRecord* p = Record(w_, platform_);
  if (!p || !p->closeOptionsPanel) return;
  // A plain array: std::vector<bool> has no contiguous storage for a span.
  auto states = std::make_unique<bool[]>(boxes_.size());
  for (size_t i = 0; i < boxes_.size(); ++i) states[i] = boxes_[i]->isChecked();
  p->closeOptionsPanel(w_, forMap_, std::span<const bool>(states.get(), boxes_.size()));
}

PlatformOptionsDialog::PlatformOptionsDialog(app::Workshop& workshop, int platformIndex,
                                             QWidget* parent)
    : QDialog(parent) {
  const app::PlatformRecord* p = Record(workshop, platformIndex);
  setWindowTitle(p ? ToQString(p->name) : QString());
  panel_ = new PlatformOptionsPanel(workshop, platformIndex, true, this);
  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
  cancel_ = buttons->addButton("Annuler", QDialogButtonBox::RejectRole);
  ok_->setDefault(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(panel_);
  layout->addWidget(buttons);
  setMinimumWidth(260);
  connect(buttons, &QDialogButtonBox::accepted, this, &PlatformOptionsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void PlatformOptionsDialog::accept() {
  panel_->store();
  QDialog::accept();
}

}  // namespace ui
