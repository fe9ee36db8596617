// The pages at the right of the tree, as real widgets on the offscreen
// platform: the conversion assistant against the one-line conversion, the
// creation pages' texts, the previews against the core's renderer, and the
// Conversion page of the options against the settings.
#include "ui/element_pages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "formats/element_preview.h"
#include "platform/recording_platform.h"
#include "platform/text_lines.h"
#include "project/destination_check.h"
#include "project/project.h"
#include "app/conv_command.h"
#include "script/interpreter.h"
#include "app/platforms.h"
#include "app/session_section.h"
#include "app/startup.h"
#include "app/vocabulary_messages.h"
#include "app/workshop.h"
#include "ui/assistant_page.h"
#include "ui/before_after_view.h"
#include "ui/conversion_options_page.h"
#include "ui/conversion_progress_view.h"
#include "ui/preview_page.h"

namespace fs = std::filesystem;

namespace {

const char* const kDemoGfx = TESSEL_SOURCE_DIR "/examples/demo/gfx/";

class RecordingHost : public ui::PageHost {
 public:
  void setBusy(bool busy) override { busy_.push_back(busy); }
  void refreshTree(int) override { ++refreshes; }
  void openMapEditor(int entry) override { editorEntry = entry; }
  void showOptions(int page) override { optionsPage = page; }

  std::vector<bool> busy_;
  int refreshes = 0;
  int editorEntry = -1;
  int optionsPage = -1;
};

// A started program in a fresh directory (the current directory while it
// lives), with the demo's pictures copied in.
struct Session {
  Session() : previous(fs::current_path()) {
    dir = fs::temp_directory_path() /
          ("tw_pages_" + std::to_string(QCoreApplication::applicationPid()) + "_" +
           std::to_string(counter++));
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const char* name : {"hero.png", "ciel.png", "decor.png"})
      fs::copy_file(fs::path(kDemoGfx) / name, dir / name);
    fs::current_path(dir);
    w = std::make_unique<app::Workshop>(platform::Services{dialogs, shell, machine});
    session = std::make_unique<app::WorkshopSession>(*w);
    app::StartWorkshop(*w, {(dir / "projet.tpj").string(), ""}, *session);
    dialogs.clear();
  }
  ~Session() {
    fs::current_path(previous);
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }

  void run(const std::string& statements) {
    platform::TextLines lines(statements);
    script::ExecuteScript(*w, lines);
  }

  static inline int counter = 0;
  fs::path previous;
  fs::path dir;
  platform::RecordingDialogs dialogs;
  platform::RecordingShell shell;
  platform::FixedMachine machine;
  std::unique_ptr<app::Workshop> w;
  std::unique_ptr<app::WorkshopSession> session;
  RecordingHost host;
};

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

template <typename T>
T* Named(QWidget* page, const char* name) {
  return page->findChild<T*>(QString::fromUtf8(name));
}

void Type(QWidget* page, const char* field, const QString& text) {
  auto* edit = Named<QLineEdit>(page, field);
  QVERIFY2(edit, field);
  edit->clear();
  QTest::keyClicks(edit, text);
}

void ClickOk(QWidget* page) {
  auto* ok = Named<QPushButton>(page, "ok");
  QVERIFY(ok);
  QTest::mouseClick(ok, Qt::LeftButton);
}

std::unique_ptr<QWidget> ShowCategory(Session& s, int category) {
  std::unique_ptr<QWidget> page(ui::CreateCategoryPage(nullptr, *s.w, s.host, category));
  if (page) {
    page->resize(560, 520);
    page->show();
  }
  return page;
}

// Texts of every label and button of a page, in the order they were made.
QStringList Captions(QWidget* page) {
  QStringList out;
  for (QObject* o : page->findChildren<QObject*>()) {
    if (auto* l = qobject_cast<QLabel*>(o); l && !l->text().isEmpty()) out << l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(o)) out << b->text();
  }
  return out;
}

// What the first message said (for failure reports).
const char* FirstText(const platform::RecordingDialogs& d) {
  return d.entries().empty() ? "" : d.entries().front().text.c_str();
}

bool HasMessage(const platform::RecordingDialogs& d, std::string_view text) {
  for (const auto& e : d.entries())
    if (e.text == text) return true;
  return false;
}

// A 512 × 512 picture whose colours change from tile to tile, so the
// multi-palette conversion has work on every tile.
void WriteBusyPicture(const QString& path, int side) {
  QImage image(side, side, QImage::Format_RGB32);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x)
      image.setPixel(x, y,
                     qRgb((x * 7 + y) & 255, (y * 5 + (x >> 3) * 13) & 255, ((x ^ y) * 3) & 255));
  image.save(path);
}

}  // namespace

class ElementPagesTest : public QObject {
  Q_OBJECT

 private slots:
  void assistantWritesWhatConvWrites();
  void colourCountIsChecked_data();
  void colourCountIsChecked();
  void statementsFillThePageShown();
  void categoryPages_data();
  void categoryPages();
  void creationPagesWriteTheirElements();
  void refusalsAndQuestions_data();
  void refusalsAndQuestions();
  void previewsShowTheCoreRendering();
  void copyAndExportGiveThePreview();
  void colourEffectsRoundTrip();
  void beforeAfterAndOverlay();
  void repaintsDuringMultiPaletteConversion();
  void walkthroughScreenshots();
};

void ElementPagesTest::assistantWritesWhatConvWrites() {
  Session batch;
  app::ConvCommand(*batch.w, "tset src=hero.png col=255");
  QCOMPARE(batch.w->project.count(), size_t{3});
  fs::path batchDir = batch.dir;

  Session s;
  auto page = ShowCategory(s, 0);
  QVERIFY(page);
  Type(page.get(), "source", "hero.png");
  Type(page.get(), "tilesetFile", "hero.til.c");
  Type(page.get(), "paletteFile", "hero.pal.c");
  Type(page.get(), "mapFile", "hero.map.c");
  QCOMPARE(Named<QLineEdit>(page.get(), "colourCount")->text(), QString("255"));
  ClickOk(page.get());
  QVERIFY2(s.dialogs.entries().empty(), FirstText(s.dialogs));
  QCOMPARE(s.w->project.count(), size_t{3});
  for (const char* file : {"hero.til.c", "hero.pal.c", "hero.map.c"}) {
    std::string written = Bytes(s.dir / file);
    QVERIFY2(!written.empty(), file);
    QVERIFY2(written == Bytes(batchDir / file), file);
  }
  QCOMPARE(s.host.busy_, (std::vector<bool>{true, false}));
  QVERIFY(s.host.refreshes > 0);
}

void ElementPagesTest::colourCountIsChecked_data() {
  QTest::addColumn<int>("mode");
  QTest::addColumn<QString>("count");
  QTest::addColumn<bool>("refused");
  QTest::newRow("4 bits, 256") << 0 << "256" << true;
  QTest::newRow("4 bits, 255") << 0 << "255" << false;
  QTest::newRow("8 bits, 257") << 1 << "257" << true;
  QTest::newRow("8 bits, 0") << 1 << "0" << true;
  QTest::newRow("8 bits, 256") << 1 << "256" << false;
}

void ElementPagesTest::colourCountIsChecked() {
  QFETCH(int, mode);
  QFETCH(QString, count);
  QFETCH(bool, refused);
  Session s;
  auto page = ShowCategory(s, 0);
  Named<QComboBox>(page.get(), "colourMode")->setCurrentIndex(mode);
  Type(page.get(), "source", "hero.png");
  Type(page.get(), "tilesetFile", "t.til.c");
  Type(page.get(), "paletteFile", "t.pal.c");
  Type(page.get(), "mapFile", "t.map.c");
  Type(page.get(), "colourCount", count);
  ClickOk(page.get());
  QCOMPARE(HasMessage(s.dialogs, app::text::kColourCountInvalid), refused);
  if (refused) {
    QCOMPARE(s.dialogs.entries().front().caption, std::string("Oups..."));
    QCOMPARE(s.w->project.count(), size_t{0});
  } else {
    QCOMPARE(s.w->project.count(), size_t{3});
  }
}

void ElementPagesTest::statementsFillThePageShown() {
  Session s;
  auto page = ShowCategory(s, 0);
  s.run(
      "texte-source \"hero.png\"\n"
      "texte-dest \"sortie.til.c\"\n"
      "texte-palette \"sortie.pal.c\"\n"
      "texte-map \"sortie.map.c\"\n"
      "texte-couleurs \"32\"\n"
      "check-optimise 0\n"
      "check-map 0\n"
      "check-palette 2\n"
      "combo-taille \"256x256\"\n"
      "combo-tiles \"16x16\"\n");
  QVERIFY2(s.dialogs.entries().empty(), FirstText(s.dialogs));
  QCOMPARE(Named<QLineEdit>(page.get(), "source")->text(), QString("hero.png"));
  QCOMPARE(Named<QLineEdit>(page.get(), "tilesetFile")->text(), QString("sortie.til.c"));
  QCOMPARE(Named<QLineEdit>(page.get(), "paletteFile")->text(), QString("sortie.pal.c"));
  QCOMPARE(Named<QLineEdit>(page.get(), "mapFile")->text(), QString("sortie.map.c"));
  QCOMPARE(Named<QLineEdit>(page.get(), "colourCount")->text(), QString("32"));
  QCOMPARE(Named<QComboBox>(page.get(), "mapSize")->currentText(), QString("256x256"));
  QCOMPARE(Named<QComboBox>(page.get(), "tileSize")->currentText(), QString("16x16"));
  QCheckBox* optimise = nullptr;
  QCheckBox* map = nullptr;
  QCheckBox* palette = nullptr;
  for (QCheckBox* b : page->findChildren<QCheckBox*>()) {
    if (b->text() == QString::fromUtf8("Tileset optimisé")) optimise = b;
    if (b->text() == QString::fromUtf8("Générer une map")) map = b;
    if (b->text() == QString::fromUtf8("Palette existante")) palette = b;
  }
  QVERIFY(optimise && map && palette);
  QCOMPARE(optimise->checkState(), Qt::Unchecked);
  QCOMPARE(map->checkState(), Qt::Unchecked);
  QCOMPARE(palette->checkState(), Qt::PartiallyChecked);
  // `ok` presses the page's button: the page converts what it shows.
  s.run("check-palette 0\ncheck-map 1\ncombo-taille \"Optimisé\"\ncombo-tiles \"8x8\"\nok\n");
  QVERIFY(fs::exists(s.dir / "sortie.map.c"));
  QCOMPARE(s.host.busy_, (std::vector<bool>{true, false}));
  // Once the page is gone, scripts reach the assistant without a window again.
  page.reset();
  QVERIFY(s.w->assistant == nullptr);
}

void ElementPagesTest::categoryPages_data() {
  QTest::addColumn<int>("category");
  QTest::addColumn<QString>("setup");
  QTest::addColumn<QStringList>("captions");
  const QString tilesetOnly = "tset src=hero.png";
  QTest::newRow("Mosaïques") << 0 << QString()
                             << QStringList{QString::fromUtf8("Récupérer les mosaïques"),
                                            "Fichier source",
                                            "Parcourir...",
                                            QString::fromUtf8("Destination pour les mosaïques"),
                                            "Parcourir...",
                                            "Destination pour la palette",
                                            "Parcourir...",
                                            "Destination pour la map",
                                            "Parcourir...",
                                            "Type de map",
                                            "Palette existante",
                                            "Tileset existant",
                                            QString::fromUtf8("Générer une map"),
                                            "Couleurs / max.",
                                            "Taille de la map",
                                            QString::fromUtf8("Tileset optimisé"),
                                            "Plus...",
                                            "Ok!",
                                            "Afficher les sous-palettes",
                                            "Zoom"};
  QTest::newRow("Cartes refused")
      << 1 << QString()
      << QStringList{
             QString::fromUtf8("Il faut au moins un jeu de mosaïques et une palette pour cela!")};
  QTest::newRow("Cartes")
      << 1 << tilesetOnly
      << QStringList{QString::fromUtf8("Créer un nouveau tableau à utiliser comme carte géante"),
                     QString::fromUtf8("Fichier à créer"),
                     "Parcourir...",
                     "Taille du tableau (l,h [blocs])",
                     QString::fromUtf8("Tileset à utiliser"),
                     QString::fromUtf8("Palette à utiliser"),
                     "Taille des blocs",
                     "Type de map",
                     "Plus...",
                     "Ok!"};
  QTest::newRow("Listes refused") << 2 << QString()
                                  << QStringList{QString::fromUtf8(
                                         "Il faut au moins un jeu de mosaïques pour cela!")};
  QTest::newRow("Listes") << 2 << tilesetOnly
                          << QStringList{QString::fromUtf8("Créer une nouvelle liste d'objets"),
                                         QString::fromUtf8("Fichier à créer"),
                                         "Parcourir...",
                                         QString::fromUtf8("Tileset à utiliser"),
                                         QString::fromUtf8("Modèle à utiliser"),
                                         "Taille des blocs",
                                         "Plus...",
                                         "Ok!"};
  QTest::newRow("Palettes") << 3 << QString()
                            << QStringList{QString::fromUtf8(
                                   "Les palettes sont générées avec les conversions d'images")};
  QTest::newRow("Bitmaps") << 4 << QString()
                           << QStringList{QString::fromUtf8("Créer une image simple"),
                                          "Fichier source",
                                          "Parcourir...",
                                          "Destination pour la bitmap",
                                          "Parcourir...",
                                          "Destination pour la palette",
                                          "Parcourir...",
                                          "Couleurs / max.",
                                          "Palette existante",
                                          "Plus...",
                                          "Ok!"};
}

void ElementPagesTest::categoryPages() {
  QFETCH(int, category);
  QFETCH(QString, setup);
  QFETCH(QStringList, captions);
  Session s;
  if (!setup.isEmpty()) app::ConvCommand(*s.w, setup.toStdString());
  auto page = ShowCategory(s, category);
  QVERIFY(page);
  QCOMPARE(Captions(page.get()), captions);
  // Every control can be reached from the keyboard and is named for readers.
  for (QWidget* c : page->findChildren<QWidget*>()) {
    if (!qobject_cast<QAbstractButton*>(c) && !qobject_cast<QLineEdit*>(c) &&
        !qobject_cast<QComboBox*>(c))
      continue;
    QVERIFY2(c->focusPolicy() & Qt::TabFocus, qPrintable(c->objectName()));
    QVERIFY2(!c->accessibleName().isEmpty() || !static_cast<QAbstractButton*>(c)->text().isEmpty(),
             qPrintable(c->objectName()));
  }
  auto* more = page->findChild<QPushButton*>(QString(), Qt::FindChildrenRecursively);
  for (QPushButton* b : page->findChildren<QPushButton*>())
    if (b->text() == "Plus...") more = b;
  if (captions.contains("Plus...")) {
    QTest::mouseClick(more, Qt::LeftButton);
    QCOMPARE(s.host.optionsPage, 1);
  }
}

void ElementPagesTest::creationPagesWriteTheirElements() {
  Session batch;
  app::ConvCommand(*batch.w, "bmp src=ciel.png dst=c");
  Session s;
  auto bitmaps = ShowCategory(s, 4);
  Type(bitmaps.get(), "source", "ciel.png");
  Type(bitmaps.get(), "bitmapFile", "c.bmp.c");
  Type(bitmaps.get(), "paletteFile", "c.pal.c");
  ClickOk(bitmaps.get());
  QVERIFY2(s.dialogs.entries().empty(), FirstText(s.dialogs));
  QCOMPARE(s.w->project.count(), size_t{2});
  for (const char* file : {"c.bmp.c", "c.pal.c"})
    QVERIFY2(Bytes(s.dir / file) == Bytes(batch.dir / file), file);

  app::ConvCommand(*s.w, "tset src=hero.png");
  auto lists = ShowCategory(s, 2);
  Type(lists.get(), "listFile", "ennemis.lst.c");
  ClickOk(lists.get());
  QVERIFY2(s.dialogs.entries().empty(), FirstText(s.dialogs));
  const project::EntryRecord& list = s.w->project.entry(s.w->project.count() - 1);
  QCOMPARE(list.kindCode(), project::kKindList);
  QCOMPARE(list.name, std::string("ennemis"));
  QVERIFY(fs::exists(s.dir / "ennemis.lst.c"));
}

void ElementPagesTest::refusalsAndQuestions_data() {
  QTest::addColumn<QString>("statements");
  QTest::addColumn<QString>("setup");
  QTest::addColumn<QString>("expected");
  QTest::addColumn<int>("written");  // entries in the project afterwards
  const QString fields =
      "texte-source \"hero.png\"\ntexte-dest \"a.til.c\"\n"
      "texte-palette \"a.pal.c\"\ntexte-map \"a.map.c\"\n";
  QTest::newRow("empty destination")
      << "arbre-mosaiques\ntexte-source \"hero.png\"\ntexte-dest \"a.til.c\"\n"
         "texte-palette \"a.pal.c\"\nok\n"
      << QString() << QString::fromUtf8(project::kDestinationEmpty.data()) << 0;
  QTest::newRow("duplicate destination")
      << "arbre-mosaiques\ntexte-source \"hero.png\"\ntexte-dest \"a.til.c\"\n"
         "texte-palette \"./a.til.c\"\ntexte-map \"a.map.c\"\nok\n"
      << QString() << QString::fromUtf8("Deux destinations désignent le même fichier: ./a.til.c")
      << 0;
  QTest::newRow("existing file kept on No")
      << "arbre-mosaiques\n" + fields + "ok\n"
      << "existing"
      << QString::fromUtf8("Le fichier a.til.c existe déjà.\nVoulez-vous le remplacer?") << 0;
  QTest::newRow("tile size the conversion cannot take")
      << "arbre-mosaiques\n" + fields + "combo-tiles \"Perso...\"\nconvert.tilex = 12\nok\n"
      << QString() << QString::fromUtf8(app::text::kConvTileSize.data()) << 0;
  QTest::newRow("question names the tile size")
      << "arbre-mosaiques\ntexte-source \"ciel.png\"\ntexte-dest \"a.til.c\"\n"
         "texte-palette \"a.pal.c\"\ntexte-map \"a.map.c\"\ncombo-tiles \"32x32\"\nok\n"
      << QString()
      << QString::fromUtf8(
             "Les dimensions de la bitmap (hauteur et largeur) devraient être "
             "multiples de 32.\nLes bords seront complétés par la couleur 0...")
      << 3;
  QTest::newRow("map size 0") << "arbre-cartes\ntexte-01 \"m.map.c\"\ntexte-taillex \"0\"\nok\n"
                              << "tileset" << QString::fromUtf8(app::text::kMapSizeInvalid.data())
                              << 3;
  QTest::newRow("map size beyond the limits")
      << "arbre-cartes\ntexte-01 \"m.map.c\"\ntexte-taillex \"70000\"\nok\n"
      << "tileset" << QString::fromUtf8(app::text::kMapSizeInvalid.data()) << 3;
  QTest::newRow("map size accepted")
      << "arbre-cartes\ntexte-01 \"m.map.c\"\ntexte-taillex \"4\"\ntexte-tailley \"3\"\nok\n"
      << "tileset" << QString() << 4;
}

void ElementPagesTest::refusalsAndQuestions() {
  QFETCH(QString, statements);
  QFETCH(QString, setup);
  QFETCH(QString, expected);
  QFETCH(int, written);
  Session s;
  if (setup == "existing") {
    std::ofstream("a.til.c") << "ancien";
    s.dialogs.queueAnswer(platform::Answer::No);
  }
  if (setup == "tileset") app::ConvCommand(*s.w, "tset src=hero.png");
  s.dialogs.clear();
  auto page = ShowCategory(s, 0);
  s.run(statements.toStdString());
  if (expected.isEmpty()) {
    QVERIFY2(s.dialogs.entries().empty(), FirstText(s.dialogs));
  } else {
    QVERIFY(!s.dialogs.entries().empty());
    QCOMPARE(QString::fromStdString(s.dialogs.entries().front().text), expected);
  }
  QCOMPARE(static_cast<int>(s.w->project.count()), written);
  if (setup == "existing") QCOMPARE(Bytes("a.til.c"), std::string("ancien"));
}

void ElementPagesTest::previewsShowTheCoreRendering() {
  Session s;
  s.w->conversion.maskColour = {255, 0, 254};
  app::ConvCommand(*s.w, "tset src=hero.png col=15 +16c");
  app::ConvCommand(*s.w, "bmp src=ciel.png");
  QVERIFY2(s.dialogs.entries().empty(), FirstText(s.dialogs));
  const app::PlatformRecord& p = app::CurrentPlatform(*s.w);
  const auto& io = p.ioSlots;
  struct Case {
    const char* name;
    QString info;
  };
  for (size_t i = 0; i < s.w->project.count(); ++i) {
    const project::EntryRecord e = s.w->project.entry(i);
    std::unique_ptr<QWidget> page(
        ui::CreateElementPage(nullptr, *s.w, s.host, static_cast<int>(i)));
    QVERIFY(page);
    page->show();
    QVERIFY2(ui::PageHasPreview(page.get()), (e.file + ": " + FirstText(s.dialogs)).c_str());
    auto* label = Named<QLabel>(page.get(), "previewImage");
    QImage shown = label->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    formats::PreviewImage expected;
    QString info;
    const convert::ColourMode& mode8 = p.colourModes[1];
    switch (e.kindCode()) {
      case project::kKindTileset: {
        formats::TilesetData t;
        QVERIFY(io.readTileset(*s.w, e.file, t, {true, false}));
        expected = formats::RenderTilesetPreview(
            t, p.colourModes[static_cast<size_t>(t.colourMode)],
            formats::PreviewColours(t.palette, 8), 16, ui::kPreviewBackground, 0);
        info = QString::fromUtf8("%1 mosaïques").arg(t.blocks);
        break;
      }
      case project::kKindPalette: {
        formats::PaletteData pal;
        QVERIFY(io.readPalette(*s.w, e.file, pal));
        expected = formats::RenderPalettePreview(pal, 5);
        info = QString("%1 couleurs").arg(pal.count);
        break;
      }
      case project::kKindMap: {
        formats::MapData m;
        formats::TilesetData t;
        QVERIFY(io.readMap(*s.w, e.file, m));
        QVERIFY(io.readTileset(*s.w, "hero.til.c", t, {true, false}));
        expected = formats::RenderMapPreview(m, t, p.colourModes[static_cast<size_t>(t.colourMode)],
                                             p.mapFormats[1], formats::PreviewColours(t.palette, 8),
                                             ui::kPreviewBackground, 0);
        info = QString("Taille: %1x%2 blocs").arg(m.width).arg(m.height);
        break;
      }
      case project::kKindBitmap: {
        formats::BitmapData b;
        QVERIFY(io.readBitmap(*s.w, e.file, b, {true, false}));
        expected = formats::RenderBitmapPreview(b, mode8, formats::PreviewColours(b.palette, 8),
                                                ui::kPreviewBackground, 0);
        info = QString("Taille: %1x%2").arg(b.width).arg(b.height);
        break;
      }
      default:
        QFAIL("unexpected kind");
    }
    // Shown enlarged by a whole factor.
    QImage core = ui::ToQImage(expected);
    QVERIFY(shown.width() % core.width() == 0);
    int zoom = shown.width() / core.width();
    QCOMPARE(shown, core.scaled(core.size() * zoom));
    QCOMPARE(Named<QLabel>(page.get(), "previewInfo")->text(), info);
  }
  // The map's buttons.
  for (size_t i = 0; i < s.w->project.count(); ++i)
    if (s.w->project.entry(i).kindCode() == project::kKindMap) {
      std::unique_ptr<QWidget> page(
          ui::CreateElementPage(nullptr, *s.w, s.host, static_cast<int>(i)));
      for (QPushButton* b : page->findChildren<QPushButton*>())
        if (b->text() == QString::fromUtf8("Éditer")) QTest::mouseClick(b, Qt::LeftButton);
      QCOMPARE(s.host.editorEntry, static_cast<int>(i));
    }
}

void ElementPagesTest::copyAndExportGiveThePreview() {
  Session s;
  app::ConvCommand(*s.w, "tset src=decor.png");
  int map = -1;
  for (size_t i = 0; i < s.w->project.count(); ++i)
    if (s.w->project.entry(i).kindCode() == project::kKindMap) map = static_cast<int>(i);
  std::unique_ptr<QWidget> page(ui::CreateElementPage(nullptr, *s.w, s.host, map));
  page->show();
  // The element's pixels, before the page enlarges them.
  QImage shown = static_cast<ui::PreviewPage*>(page.get())->shownImage();
  QVERIFY(ui::CopyPagePreview(page.get()));
  QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), shown);
  s.dialogs.queueFileName((s.dir / "apercu.png").string());
  QVERIFY(ui::ExportPagePreview(nullptr, page.get()));
  QCOMPARE(QImage(QString::fromStdString((s.dir / "apercu.png").string()))
               .convertToFormat(QImage::Format_RGB32),
           shown);
  // With too little preview memory, the question comes first; Cancel stops.
  s.w->system.maxPreviewMemory = 4096;
  s.dialogs.clear();
  s.dialogs.queueAnswer(platform::Answer::Cancel);
  QGuiApplication::clipboard()->clear();
  QVERIFY(ui::CopyPagePreview(page.get()));
  QCOMPARE(s.dialogs.entries().size(), size_t{1});
  QCOMPARE(s.dialogs.entries()[0].caption, std::string("Avertissement"));
  QVERIFY(s.dialogs.entries()[0].text.find("(au moins 1 Mo sont requis)") != std::string::npos);
  QVERIFY(QGuiApplication::clipboard()->image().isNull());
}

void ElementPagesTest::colourEffectsRoundTrip() {
  Session s;
  s.run(
      "convert.luminosite gamma=RGB(2,2,2) add=RGB(10,10,10) alpha=RGB(-20,-20,-20)\n"
      "convert.nuances 32\nconvert.mode = 2\n");
  s.w->conversion.shadesBefore = true;
  s.w->conversion.colorisation = 3000;
  s.w->conversion.fastPaletteReduction = 0;
  s.w->conversion.maxPrecision = 300;
  const convert::ConversionSettings before = s.w->conversion;
  std::unique_ptr<QWidget> page(ui::CreateConversionOptionsPage(nullptr, *s.w));
  page->show();
  QCOMPARE(Named<QLineEdit>(page.get(), "gamma")->text(), QString("2.00"));
  QCOMPARE(Named<QLineEdit>(page.get(), "addition")->text(), QString("10"));
  QCOMPARE(Named<QLineEdit>(page.get(), "towardsWhite")->text(), QString("-20"));
  QCOMPARE(Named<QLineEdit>(page.get(), "shades")->text(), QString("32"));
  QCOMPARE(Named<QComboBox>(page.get(), "method")->currentText(), QString("Optimal"));
  QCOMPARE(Named<QLineEdit>(page.get(), "colorisation")->text(), QString("3000"));
  QCOMPARE(Named<QLineEdit>(page.get(), "precision")->text(), QString("300"));
  // Stored unchanged, the settings are what they were.
  QVERIFY(ui::StoreConversionOptionsPage(page.get()));
  QCOMPARE(s.w->conversion.gammaExponent, before.gammaExponent);
  QCOMPARE(s.w->conversion.addition, before.addition);
  QCOMPARE(s.w->conversion.towardsWhite, before.towardsWhite);
  QCOMPARE(s.w->conversion.shadesMinusOne, before.shadesMinusOne);
  QCOMPARE(s.w->conversion.method, before.method);
  QCOMPARE(s.w->conversion.shadesBefore, true);
  QCOMPARE(s.w->conversion.colorisation, 3000);
  QCOMPARE(s.w->conversion.fastPaletteReduction, 0);
  QCOMPARE(s.w->conversion.maxPrecision, 300);
  // Typing moves the slider when the field loses focus; OK stores the fields.
  Type(page.get(), "gamma", "1.5");
  Named<QLineEdit>(page.get(), "addition")->setFocus();
  Type(page.get(), "addition", "300");  // out of range: the setting stays
  Type(page.get(), "shades", "1");      // out of range: 256 shades
  QVERIFY(ui::StoreConversionOptionsPage(page.get()));
  QCOMPARE(s.w->conversion.gammaExponent[1], 1 / 1.5);
  QCOMPARE(s.w->conversion.addition[1], 10.0);
  QCOMPARE(s.w->conversion.shadesMinusOne, 255);
  // "Par défaut" of each page.
  QTest::mouseClick(Named<QPushButton>(page.get(), "defaults"), Qt::LeftButton);
  QCOMPARE(Named<QLineEdit>(page.get(), "gamma")->text(), QString("1.00"));
  QCOMPARE(Named<QComboBox>(page.get(), "method")->currentText(), QString("Standard"));
  QTest::mouseClick(Named<QPushButton>(page.get(), "advanced"), Qt::LeftButton);
  QTest::mouseClick(Named<QPushButton>(page.get(), "advancedDefaults"), Qt::LeftButton);
  QCOMPARE(Named<QLineEdit>(page.get(), "precision")->text(), QString("512"));
  QCOMPARE(Named<QLineEdit>(page.get(), "colorisation")->text(), QString("3000"));
  QTest::mouseClick(Named<QPushButton>(page.get(), "infos"), Qt::LeftButton);
  QCOMPARE(s.dialogs.entries().back().caption, std::string("Infos sur la colorisation"));
  ui::StoreConversionOptionsPage(page.get());
  QCOMPARE(s.w->conversion.fastPaletteReduction, 1);
  QCOMPARE(s.w->conversion.maxPrecision, 512);
  QCOMPARE(s.w->conversion.method, convert::ReductionMethod::Standard);
}

void ElementPagesTest::beforeAfterAndOverlay() {
  Session s;
  WriteBusyPicture(QString::fromStdString((s.dir / "motif.png").string()), 64);
  auto page = ShowCategory(s, 0);
  s.run("combo-tiles \"8x8\"\n");
  Named<QComboBox>(page.get(), "colourMode")->setCurrentIndex(0);
  Type(page.get(), "source", "motif.png");
  Type(page.get(), "tilesetFile", "d.til.c");
  Type(page.get(), "paletteFile", "d.pal.c");
  Type(page.get(), "mapFile", "d.map.c");
  Type(page.get(), "colourCount", "64");
  ClickOk(page.get());
  QVERIFY2(s.dialogs.entries().empty(), FirstText(s.dialogs));
  auto* view = static_cast<ui::AssistantPage*>(page.get())->beforeAfterView();
  QVERIFY2(view->isVisible(), FirstText(s.dialogs));
  QCOMPARE(view->sourceImage().size(), QSize(64, 64));
  QCOMPARE(view->resultImage().size(), QSize(64, 64));
  QCOMPARE(view->meanError(), formats::MeanColourError(ui::FromQImage(view->sourceImage()),
                                                       ui::FromQImage(view->resultImage())));
  QVERIFY(view->meanError() >= 0);
  QVERIFY(!view->overlayImage().isNull());
}

void ElementPagesTest::repaintsDuringMultiPaletteConversion() {
  Session s;
  WriteBusyPicture(QString::fromStdString((s.dir / "grand.png").string()), 512);
  s.w->conversion.fastPaletteReduction = 0;
  auto page = ShowCategory(s, 0);
  Named<QComboBox>(page.get(), "colourMode")->setCurrentIndex(0);
  Type(page.get(), "source", "grand.png");
  Type(page.get(), "tilesetFile", "g.til.c");
  Type(page.get(), "paletteFile", "g.pal.c");
  Type(page.get(), "mapFile", "g.map.c");
  Type(page.get(), "colourCount", "255");
  QElapsedTimer total;
  total.start();
  ClickOk(page.get());
  qint64 ms = total.elapsed();
  QVERIFY2(s.dialogs.entries().empty(), FirstText(s.dialogs));
  auto* progress = static_cast<ui::AssistantPage*>(page.get())->progressView();
  qInfo(
      "512x512 multi-palette conversion, fast reduction off: %lld ms, %d repaints, "
      "longest gap between repaints %lld ms",
      static_cast<long long>(ms), progress->repaints(),
      static_cast<long long>(progress->longestRepaintGap()));
  QVERIFY(progress->repaints() > 1);
}

void ElementPagesTest::walkthroughScreenshots() {
  const QString out = QString::fromUtf8(qgetenv("TESSEL_SCREENSHOT_DIR"));
  if (out.isEmpty()) QSKIP("TESSEL_SCREENSHOT_DIR not set");
  Session s;
  WriteBusyPicture(QString::fromStdString((s.dir / "motif.png").string()), 128);
  auto page = ShowCategory(s, 0);
  s.run(
      "texte-source \"motif.png\"\ntexte-dest \"motif.til.c\"\ntexte-palette \"motif.pal.c\"\n"
      "texte-map \"motif.map.c\"\n");
  Named<QComboBox>(page.get(), "colourMode")->setCurrentIndex(0);
  Type(page.get(), "colourCount", "128");
  page->grab().save(out + "/page_assistant.png");
  ClickOk(page.get());
  page->resize(640, 760);
  auto* view = static_cast<ui::AssistantPage*>(page.get())->beforeAfterView();
  view->findChild<QComboBox*>()->setCurrentIndex(1);
  QTest::qWait(50);
  page->grab().save(out + "/page_before_after.png");
  view->findChild<QCheckBox*>()->setChecked(false);
  page->grab().save(out + "/page_before_after_plain.png");
  // The previews show the last element of each kind.
  app::ConvCommand(*s.w, "tset src=decor.png");
  app::ConvCommand(*s.w, "bmp src=ciel.png");
  const char* names[] = {
      "", "page_preview_map.png",    "", "page_preview_tileset.png", "page_preview_bitmap.png",
      "", "page_preview_palette.png"};
  for (size_t i = 0; i < s.w->project.count(); ++i) {
    uint32_t kind = s.w->project.entry(i).kindCode();
    if (kind > 6 || !*names[kind]) continue;
    std::unique_ptr<QWidget> preview(
        ui::CreateElementPage(nullptr, *s.w, s.host, static_cast<int>(i)));
    preview->resize(480, 360);
    preview->show();
    QTest::qWait(20);  // let the scroll area take its size
    preview->grab().save(out + "/" + names[kind]);
  }
  std::unique_ptr<QWidget> options(ui::CreateConversionOptionsPage(nullptr, *s.w));
  options->resize(480, 400);
  options->show();
  options->grab().save(out + "/page_conversion_options.png");
  QTest::mouseClick(Named<QPushButton>(options.get(), "advanced"), Qt::LeftButton);
  options->grab().save(out + "/page_conversion_advanced.png");
  for (int category : {1, 2, 4}) {
    auto creation = ShowCategory(s, category);
    creation->grab().save(out + QString("/page_category_%1.png").arg(category));
  }
}

QTEST_MAIN(ElementPagesTest)
#include "element_pages_test.moc"
