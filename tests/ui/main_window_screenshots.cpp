// Grabs the main window, the menus and the script prompt from the real
// widgets (offscreen) into PNG files: main_window_screenshots <directory>.
#include <QApplication>
#include <QDir>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <cstdio>

#include "ui/script_prompt_dialog.h"
#include "window_fixture.h"

namespace {

const char* kProject =
    "#Fichier de projet Tessel Works\n"
    " .section infos\n"
    "  DossierDéf[2] = \"Niveaux\"\n"
    "  Fin\n"
    " .section fichiers\n"
    " #--------------\n"
    "  Elément: Graphismes\n"
    "  Type: dossier\n"
    " #--------------\n"
    "  Elément: Niveaux\n"
    "  Type: dossier\n"
    " #--------------\n"
    "  Elément: hero\n"
    "  Type: tileset\n"
    "  Fichier: gfx/hero.til.c\n"
    "  Base: gfx/hero.png\n"
    "  Dossier: Graphismes\n"
    " #--------------\n"
    "  Elément: decor\n"
    "  Type: tileset\n"
    "  Fichier: gfx/decor.til.c\n"
    "  Base: gfx/decor.png\n"
    " #--------------\n"
    "  Elément: niveau1\n"
    "  Type: carte\n"
    "  Fichier: gfx/niveau1.map.c\n"
    "  Base: gfx/decor.png\n"
    "  Dossier: Niveaux\n"
    " #--------------\n"
    "  Elément: ennemis\n"
    "  Type: liste\n"
    "  Fichier: gfx/ennemis.lst.c\n"
    "  Base: \n"
    " #--------------\n"
    "  Elément: hero\n"
    "  Type: palette\n"
    "  Fichier: gfx/hero.pal.c\n"
    "  Base: gfx/hero.png\n"
    " #--------------\n"
    "  Elément: ciel\n"
    "  Type: bitmap\n"
    "  Fichier: gfx/ciel.bmp.c\n"
    "  Base: gfx/ciel.png\n"
    " Fin\n";

bool Save(const QPixmap& pixmap, const QString& path) {
  if (pixmap.isNull() || !pixmap.save(path)) {
    std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s (%dx%d)\n", qPrintable(path), pixmap.width(), pixmap.height());
  return true;
}

// A menu popped up beside the window, grabbed on its own.
bool GrabMenu(QMenu* menu, const QPoint& at, const QString& path) {
  menu->popup(at);
  QApplication::processEvents();
  bool ok = Save(menu->grab(), path);
  menu->close();
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: main_window_screenshots <directory>\n");
    return 2;
  }
  QDir out(QString::fromLocal8Bit(argv[1]));
  out.mkpath(".");
  QString outDir = out.absolutePath();
  bool ok = true;
  {
    uitest::WindowFixture f(kProject);
    for (const char* file :
         {"gfx/hero.til.c", "gfx/hero.png", "gfx/decor.til.c", "gfx/decor.png", "gfx/niveau1.map.c",
          "gfx/ennemis.lst.c", "gfx/hero.pal.c", "gfx/ciel.png"})
      f.writeFile(file, "x\n");
    f.window->resize(760, 460);
    f.window->show();
    f.window->activateWindow();
    ok &= QTest::qWaitForWindowExposed(f.window.get());
    f.window->treeView()->setCurrentItem(f.item("hero", 3));
    QApplication::processEvents();
    ok &= Save(f.window->grab(), outDir + "/main_window.png");

    QPoint beside = f.window->mapToGlobal(QPoint(200, 80));
    std::unique_ptr<QMenu> element(f.window->contextMenuFor(f.item("niveau1")));
    ok &= GrabMenu(element.get(), beside, outDir + "/main_menu_element.png");
    std::unique_ptr<QMenu> folder(f.window->contextMenuFor(f.item("Niveaux")));
    folder->popup(beside);
    QApplication::processEvents();
    QMenu* sub = folder->actions().at(0)->menu();
    folder->setActiveAction(folder->actions().at(0));
    sub->popup(beside + QPoint(folder->width(), 0));
    QApplication::processEvents();
    // The Folder's menu with its submenu open beside it, as one picture.
    QPixmap both(folder->width() + sub->width(), std::max(folder->height(), sub->height()));
    both.fill(Qt::transparent);
    {
      QPainter p(&both);
      p.drawPixmap(0, 0, folder->grab());
      p.drawPixmap(folder->width(), 0, sub->grab());
    }
    ok &= Save(both, outDir + "/main_menu_folder.png");
    sub->close();
    folder->close();
    std::unique_ptr<QMenu> category(f.window->contextMenuFor(f.item("Cartes")));
    ok &= GrabMenu(category.get(), beside, outDir + "/main_menu_category.png");
    std::unique_ptr<QMenu> other(f.window->contextMenuFor(f.item("Bitmaps")));
    ok &= GrabMenu(other.get(), beside, outDir + "/main_menu_category_other.png");

    QMenu* fileMenu = f.window->menuBar()->actions().at(0)->menu();
    ok &= GrabMenu(fileMenu, beside, outDir + "/main_menu_file.png");

    ui::ScriptPromptDialog prompt(QStringLiteral("dossiers.mosaiques = \"Graphismes\"\n"
                                                 "conv tset src=gfx/hero.png col=16 +16c "
                                                 "tdim=16x16 name=hero"),
                                  f.window.get());
    prompt.show();
    ok &= QTest::qWaitForWindowExposed(&prompt);
    ok &= Save(prompt.grab(), outDir + "/main_prompt.png");
  }
  return ok ? 0 : 1;
}
