#include "ui/element_pages.h"

namespace ui {

QWidget* CreateCategoryPage(QWidget*, script::Workshop&, PageHost&, int) { return nullptr; }
QWidget* CreateElementPage(QWidget*, script::Workshop&, PageHost&, int) { return nullptr; }
bool PageHasPreview(const QWidget*) { return false; }
bool CopyPagePreview(QWidget*) { return false; }
bool ExportPagePreview(QWidget*, QWidget*) { return false; }
QWidget* CreateConversionOptionsPage(QWidget*, script::Workshop&) { return nullptr; }

}  // namespace ui
