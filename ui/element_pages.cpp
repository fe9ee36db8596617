#include "ui/element_pages.h"

namespace ui {

QWidget* CreateCategoryPage(QWidget*, app::Workshop&, PageHost&, int) { return nullptr; }
QWidget* CreateElementPage(QWidget*, app::Workshop&, PageHost&, int) { return nullptr; }
bool PageHasPreview(const QWidget*) { return false; }
bool CopyPagePreview(QWidget*) { return false; }
bool ExportPagePreview(QWidget*, QWidget*) { return false; }
QWidget* CreateConversionOptionsPage(QWidget*, app::Workshop&) { return nullptr; }

}  // namespace ui
