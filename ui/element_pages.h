#pragma once

class QWidget;

namespace app {
struct Workshop;
}

// The pages shown at the right of the tree: the creation pages of each
// Category and the previews of elements.
namespace ui {

// What a page asks of the window that shows it.
class PageHost {
 public:
  virtual ~PageHost() = default;
  // While busy the window shows "Veuillez patienter..." in its strip and its
  // menus, tree and pages take no commands; it keeps repainting.
  virtual void setBusy(bool busy) = 0;
  // The table changed: rebuild the tree (and select the entry when >= 0).
  virtual void refreshTree(int selectEntry = -1) = 0;
  virtual void openMapEditor(int entryIndex) = 0;
  virtual void showOptions(int page) = 0;
};

// The creation page of a Category (index into project::kCategories), or
// nullptr when the window shows its own text.
QWidget* CreateCategoryPage(QWidget* parent, app::Workshop& workshop, PageHost& host, int category);

// The page of an element (its preview and buttons), or nullptr when the
// window shows its own information page.
QWidget* CreateElementPage(QWidget* parent, app::Workshop& workshop, PageHost& host,
                           int entryIndex);

// Copy preview and Export preview act on the page shown; false when that
// page has no preview.
bool PageHasPreview(const QWidget* page);
bool CopyPagePreview(QWidget* page);
bool ExportPagePreview(QWidget* parent, QWidget* page);

// The Conversion page of the Options dialog, or nullptr.
QWidget* CreateConversionOptionsPage(QWidget* parent, app::Workshop& workshop);
// The dialog's OK: the page stores its controls into the settings (it also
// does so by itself when the dialog that holds it is accepted). False when
// `page` is not the Conversion page.
bool StoreConversionOptionsPage(QWidget* page);

}  // namespace ui
