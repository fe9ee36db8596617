// Screenshots of the map editor's secondary windows, grabbed from the real
// widgets over a small model: `editor_dialog_screenshots <dir>` writes them
// as editor_dialog_*.png (docs/screenshots/ holds the committed ones).
#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QWidget>

#include <cstdio>
#include <functional>

#include "tests/ui/editor_bench.h"
#include "ui/editor_background_dialog.h"
#include "ui/editor_bit_grid.h"
#include "ui/editor_options_dialog.h"
#include "ui/editor_composite_window.h"
#include "ui/editor_tool_dialogs.h"

using uitest::Bench;
using uitest::Map;

namespace {

bool Save(QWidget& w, const QString& dir, const QString& name) {
  w.show();
  QApplication::processEvents();
  bool ok = w.grab().save(dir + "/editor_dialog_" + name + ".png");
  if (!ok) std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
  w.hide();
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: editor_dialog_screenshots <dir>\n");
    return 2;
  }
  QString dir = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(dir);
  Bench b;
  mapeditor::LoadedMap top = Map(32, 32, -1, 64);
  for (size_t i = 0; i < top.cells.size(); i += 3) top.cells[i] = 0xFFFF;
  if (!b.open({b.addMap("niveau1", Map(32, 32, -1, 64)), b.addMap("decor", std::move(top))}))
    return 1;
  b.editor->linkFromText("1,2");
  b.editor->addCondition(0, 0x10, 0x1f, 0x20, false);
  b.editor->addCondition(0, 0x20, 0x20, 0x3, true);
  b.editor->addSpecimenMap(2);
  b.editor->addSpecimenMap(1);
  b.editor->setPatternValue(0x1405);
  bool ok = true;
  {
    ui::EditorBackgroundDialog d(*b.editor, 0);
    const char* pages[] = {"background_general", "background_properties", "background_advanced",
                           "background_conditions", "background_bits"};
    for (int p = 0; p < 5; ++p) {
      d.tabs()->setCurrentIndex(p);
      ok &= Save(d, dir, pages[p]);
    }
  }
  {
    ui::EditorOptionsDialog d(*b.editor);
    const char* pages[] = {"options_shortcuts", "options_backgrounds", "options_display",
                           "options_specimen"};
    for (int p = 0; p < 4; ++p) {
      d.tabs()->setCurrentIndex(p);
      ok &= Save(d, dir, pages[p]);
    }
  }
  {
    ui::EditorOperationsDialog d(*b.editor);
    ok &= Save(d, dir, "selection_operations");
  }
  {
    ui::EditorBlockCopyDialog d(*b.editor);
    ok &= Save(d, dir, "block_copy");
  }
  {
    ui::EditorBlockFormatDialog d(*b.editor);
    ok &= Save(d, dir, "block_format");
  }
  {
    ui::EditorLinksDialog d(*b.editor);
    ok &= Save(d, dir, "links");
  }
  {
    ui::EditorBitGrid grid(*b.editor);
    ok &= Save(grid, dir, "bit_grid");
  }
  {
    ui::EditorSpecimenWindow window(*b.editor);
    window.resize(240, 200);
    ok &= Save(window, dir, "specimen");
  }
  {
    Bench lists;
    mapeditor::LoadedList list;
    list.model.fields = {formats::MakeField(formats::kFieldInteger, 4, "Points de vie <vie>", "3"),
                         formats::MakeField(formats::kFieldInteger, 2, "Vitesse <vitesse>", "1"),
                         formats::MakeField(formats::kFieldRaw, 8, "Nom", "")};
    list.elementSize = list.model.objectSize();
    list.count = 1;
    list.elements.assign(static_cast<size_t>(list.elementSize), 0);
    list.tiles = uitest::Tiles(4, 8);
    if (!lists.open({lists.addList("objets", std::move(list))})) return 1;
    lists.editor->listSelection() = {0};
    lists.editor->setObjectFields(std::vector<std::string>{"12", "2", "ogre"});
    ui::EditorObjectDialog d(*lists.editor, lists.editor->objectFieldTexts());
    ok &= Save(d, dir, "object_parameters");
  }
  return ok ? 0 : 1;
}
