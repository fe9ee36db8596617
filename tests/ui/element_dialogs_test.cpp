// The element dialogs and the Options dialog on real widgets: fields are
// set, buttons clicked, questions answered through the recording dialogs;
// the checks look at the Project, the files on disk and the exact texts.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QApplication>
#include <QAbstractButton>

#include <filesystem>
#include <fstream>
#include <memory>

#include "formats/format_library.h"
#include "platform/recording_platform.h"
#include "project/kinds.h"
#include "script/interpreter.h"
#include "app/platforms.h"
#include "app/workshop.h"
#include "tests/script/recording_editor.h"
#include "ui/add_folder_dialog.h"
#include "ui/element_dialogs.h"
#include "ui/element_properties_dialog.h"
#include "ui/formats_dialog.h"
#include "ui/general_options_page.h"
#include "ui/models_options_page.h"
#include "ui/options_dialog.h"
#include "ui/platform_options_panel.h"
#include "ui/platforms_dialog.h"

using platform::Answer;

namespace {

// A context of its own in a directory of its own, which is the current
// directory while it lives (element files are relative to it).
struct Bench {
  platform::RecordingDialogs dialogs;
  platform::RecordingShell shell;
  platform::FixedMachine machine;
  std::unique_ptr<app::Workshop> w;
  QTemporaryDir dir;
  QString previous = QDir::currentPath();

  Bench() {
    w = std::make_unique<app::Workshop>(platform::Services{dialogs, shell, machine});
    QDir::setCurrent(dir.path());
    // The trash goes where the test can look, never into the user's own.
    qputenv("XDG_DATA_HOME", (dir.path() + "/data").toUtf8());
    QDir().mkpath(dir.path() + "/data");
  }
  ~Bench() { QDir::setCurrent(previous); }

  project::Project& project() { return w->project; }
  int add(uint32_t kind, const char* name, const char* file, const char* folder = "") {
    project::EntryRecord r;
    r.kind = kind;
    r.name = name;
    r.file = file;
    if (*folder) {
      r.folder = folder;
      r.kind |= project::kInFolderBit;
    }
    return project().addEntry(r);
  }
  const project::EntryRecord& entry(int index) {
    return project().entry(static_cast<size_t>(index));
  }
  QStringList texts() const {
    QStringList out;
    for (const auto& t : dialogs.texts()) out << QString::fromStdString(t);
    return out;
  }
};

void WriteFile(const char* path, const char* text = "data") { std::ofstream(path) << text; }
bool Exists(const char* path) { return std::filesystem::exists(path); }

QString Utf8(const char* text) { return QString::fromUtf8(text); }

QStringList Items(const QComboBox* box) {
  QStringList out;
  for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
  return out;
}

// The text of the category root an entry is shown under.
std::string ParentText(const project::Project& p, int index) {
  const project::TreeNode* node = p.tree().find(p.entry(static_cast<size_t>(index)).treeItem);
  if (!node) return "(hidden)";
  const project::TreeNode* parent = p.tree().find(node->parent);
  return parent ? parent->text : "(top)";
}

// Saves a grab when the screenshots are asked for.
void Grab(QWidget& widget, const char* name) {
  QByteArray dir = qgetenv("TESSEL_SCREENSHOT_DIR");
  if (dir.isEmpty()) return;
  widget.show();
  QVERIFY(QTest::qWaitForWindowExposed(&widget));
  widget.grab().save(QString::fromUtf8(dir) + "/" + name);
}

const char* kDeleteQuestion =
    "Le fichier actuel (a.map.c) ne sera plus utilisé du tout dans le projet, voulez-vous le "
    "supprimer?";

}  // namespace

class ElementDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void propertiesShowTheElement();
  void propertiesMoveOrCopyTheFile_data();
  void propertiesMoveOrCopyTheFile();
  void propertiesAskBeforeGivingUpAFile_data();
  void propertiesAskBeforeGivingUpAFile();
  void propertiesNeverOfferTheSameFileUnderAnotherSpelling();
  void propertiesReportAFailedMoveAndChangeNothing();
  void propertiesKeepTheFileWhenTheTrashFails();
  void propertiesRefuseANameOfTheSameKind_data();
  void propertiesRefuseANameOfTheSameKind();
  void noFolderPutsTheElementBackUnderItsCategory();
  void plusUnlocksTheKindAfterTheWarning();
  void browseButtonsFillRelativePaths();
  void addFolderPlacesItAndRefusesASecondOne();
  void formatListShowsStandardFirst();
  void platformOptionsAreStoredOnlyOnOk_data();
  void platformOptionsAreStoredOnlyOnOk();
  void generalPageStoresBoundedValues_data();
  void generalPageStoresBoundedValues();
  void generalPageCancelChangesNothing();
  void modelsPageMessages_data();
  void modelsPageMessages();
  void modelsPageUnsavedEditsOnOk_data();
  void modelsPageUnsavedEditsOnOk();
  void modelsTabIsClosedWhileTheEditorIsOpen();
  void listSizeFromAScriptIsBounded();
  void everyControlIsNamedAndReachable();
  void entryPointsRunTheDialogs();
};

void ElementDialogsTest::propertiesShowTheElement() {
  Bench b;
  b.project().addFolder("Monde", "racine");
  int map = b.add(project::kKindMap, "niveau1", "niveau1.map.c", "Monde");
  ui::ElementPropertiesDialog d(*b.w, map);
  QCOMPARE(d.windowTitle(), Utf8("Propriétés de niveau1"));
  QCOMPARE(d.fileEdit()->text(), QString("niveau1.map.c"));
  QCOMPARE(d.nameEdit()->text(), QString("niveau1"));
  QCOMPARE(Items(d.folderList()), QStringList({"(Aucun)", "Monde"}));
  QCOMPARE(d.folderList()->currentText(), QString("Monde"));
  QCOMPARE(Items(d.kindList()),
           QStringList({"carte", "tileset", "bitmap", "mauvais", "palette", "liste"}));
  QCOMPARE(d.kindList()->currentText(), QString("carte"));
  QVERIFY(!d.kindList()->isEnabled());
  for (QWidget* w : d.findChildren<QWidget*>())
    if (w->focusPolicy() & Qt::TabFocus && qobject_cast<QLineEdit*>(w))
      QVERIFY2(!w->accessibleName().isEmpty(), "every field is named");
  Grab(d, "dialog_element_properties.png");
}

void ElementDialogsTest::propertiesMoveOrCopyTheFile_data() {
  QTest::addColumn<bool>("shared");
  QTest::newRow("only user: moved") << false;
  QTest::newRow("shared: copied") << true;
}

void ElementDialogsTest::propertiesMoveOrCopyTheFile() {
  QFETCH(bool, shared);
  Bench b;
  WriteFile("a.map.c", "cells");
  int map = b.add(project::kKindMap, "m1", "a.map.c");
  int other = shared ? b.add(project::kKindMap, "m2", "a.map.c") : -1;
  ui::ElementPropertiesDialog d(*b.w, map);
  d.fileEdit()->setText("b.map.c");
  QTest::mouseClick(d.okButton(), Qt::LeftButton);
  QCOMPARE(d.result(), int(QDialog::Accepted));
  QCOMPARE(b.entry(map).file, std::string("b.map.c"));
  QVERIFY(Exists("b.map.c"));
  QCOMPARE(Exists("a.map.c"), shared);
  if (shared) QCOMPARE(b.entry(other).file, std::string("a.map.c"));
  QVERIFY(b.dialogs.entries().empty());
}

void ElementDialogsTest::propertiesAskBeforeGivingUpAFile_data() {
  QTest::addColumn<Answer>("answer");
  QTest::addColumn<bool>("closed");
  QTest::addColumn<bool>("oldKept");
  QTest::newRow("Cancel keeps everything") << Answer::Cancel << false << true;
  QTest::newRow("No keeps the old file") << Answer::No << true << true;
  QTest::newRow("Yes puts it in the trash") << Answer::Yes << true << false;
}

void ElementDialogsTest::propertiesAskBeforeGivingUpAFile() {
  QFETCH(Answer, answer);
  QFETCH(bool, closed);
  QFETCH(bool, oldKept);
  Bench b;
  WriteFile("a.map.c");
  WriteFile("c.map.c");
  int map = b.add(project::kKindMap, "m1", "a.map.c");
  ui::ElementPropertiesDialog d(*b.w, map);
  d.show();
  d.fileEdit()->setText("c.map.c");
  b.dialogs.queueAnswer(answer);
  QTest::mouseClick(d.okButton(), Qt::LeftButton);

  QCOMPARE(b.dialogs.entries().size(), size_t(1));
  const auto& q = b.dialogs.entries()[0];
  QCOMPARE(QString::fromStdString(q.text), Utf8(kDeleteQuestion));
  QCOMPARE(q.caption, std::string("Question"));
  QVERIFY(q.buttons == platform::Buttons::YesNoCancel);
  QVERIFY(q.defaultAnswer == Answer::Cancel);
  QVERIFY(q.icon == platform::Icon::Question);
  QCOMPARE(d.isVisible(), !closed);
  QCOMPARE(b.entry(map).file, std::string(closed ? "c.map.c" : "a.map.c"));
  QCOMPARE(Exists("a.map.c"), oldKept);
  QVERIFY(Exists("c.map.c"));
  if (!oldKept) QVERIFY(!QDir(b.dir.path() + "/data/Trash/files").isEmpty());
}

void ElementDialogsTest::propertiesNeverOfferTheSameFileUnderAnotherSpelling() {
  Bench b;
  WriteFile("a.map.c");
  int map = b.add(project::kKindMap, "m1", "a.map.c");
  ui::ElementPropertiesDialog d(*b.w, map);
  d.fileEdit()->setText("./a.map.c");
  b.dialogs.queueAnswer(Answer::Yes);  // would give the file up if asked
  QTest::mouseClick(d.okButton(), Qt::LeftButton);
  QVERIFY(b.dialogs.entries().empty());
  QCOMPARE(b.entry(map).file, std::string("./a.map.c"));
  QVERIFY(Exists("a.map.c"));
}

void ElementDialogsTest::propertiesReportAFailedMoveAndChangeNothing() {
  Bench b;
  WriteFile("a.map.c");
  int map = b.add(project::kKindMap, "m1", "a.map.c");
  ui::ElementPropertiesDialog d(*b.w, map);
  d.show();
  d.fileEdit()->setText("absent/b.map.c");
  d.nameEdit()->setText("m9");
  QTest::mouseClick(d.okButton(), Qt::LeftButton);
  QCOMPARE(b.texts(), QStringList({Utf8("Impossible de déplacer le fichier a.map.c vers "
                                        "absent/b.map.c.\nL'élément n'a pas été modifié.")}));
  QVERIFY(d.isVisible());
  QCOMPARE(b.entry(map).file, std::string("a.map.c"));
  QCOMPARE(b.entry(map).name, std::string("m1"));
  QVERIFY(Exists("a.map.c"));
}

void ElementDialogsTest::propertiesKeepTheFileWhenTheTrashFails() {
  Bench b;
  WriteFile("a.map.c");
  WriteFile("c.map.c");
  int map = b.add(project::kKindMap, "m1", "a.map.c");
  ui::ElementPropertiesDialog d(*b.w, map, nullptr, [](const std::string&) { return false; });
  d.fileEdit()->setText("c.map.c");
  b.dialogs.queueAnswer(Answer::Yes);
  QTest::mouseClick(d.okButton(), Qt::LeftButton);
  QCOMPARE(b.texts(), QStringList({Utf8(kDeleteQuestion),
                                   Utf8("Impossible de placer le fichier a.map.c dans la "
                                        "corbeille.\nIl a été conservé sur le disque.")}));
  QCOMPARE(b.entry(map).file, std::string("c.map.c"));
  QVERIFY(Exists("a.map.c"));
}

void ElementDialogsTest::propertiesRefuseANameOfTheSameKind_data() {
  QTest::addColumn<uint32_t>("otherKind");
  QTest::addColumn<QString>("newName");
  QTest::addColumn<bool>("refused");
  QTest::newRow("another map's name") << project::kKindMap << "level" << true;
  QTest::newRow("a palette's name") << project::kKindPalette << "level" << false;
  QTest::newRow("its own name") << project::kKindMap << "mine" << false;
}

void ElementDialogsTest::propertiesRefuseANameOfTheSameKind() {
  QFETCH(uint32_t, otherKind);
  QFETCH(QString, newName);
  QFETCH(bool, refused);
  Bench b;
  b.add(otherKind, "level", "x.c");
  int map = b.add(project::kKindMap, "mine", "y.c");
  ui::ElementPropertiesDialog d(*b.w, map);
  d.show();
  d.nameEdit()->setText(newName);
  QTest::mouseClick(d.okButton(), Qt::LeftButton);
  QCOMPARE(d.isVisible(), refused);
  if (refused) {
    QCOMPARE(b.texts(), QStringList({Utf8("Un autre élément du même type s'appelle déjà level."
                                          "\nChoisissez un autre nom.")}));
    QCOMPARE(b.entry(map).name, std::string("mine"));
  } else {
    QVERIFY(b.dialogs.entries().empty());
    QCOMPARE(QString::fromStdString(b.entry(map).name), newName);
  }
}

void ElementDialogsTest::noFolderPutsTheElementBackUnderItsCategory() {
  Bench b;
  b.project().addFolder("Monde", "racine");
  int map = b.add(project::kKindMap, "m1", "m1.map.c", "Monde");
  QCOMPARE(ParentText(b.project(), map), std::string("Monde"));
  ui::ElementPropertiesDialog d(*b.w, map);
  d.folderList()->setCurrentIndex(0);
  QTest::mouseClick(d.okButton(), Qt::LeftButton);
  QVERIFY(!b.entry(map).inFolder());
  QCOMPARE(ParentText(b.project(), map), std::string("Cartes"));
}

void ElementDialogsTest::plusUnlocksTheKindAfterTheWarning() {
  Bench b;
  b.project().addFolder("Monde", "racine");
  int map = b.add(project::kKindMap, "m1", "m1.map.c", "Monde");
  ui::ElementPropertiesDialog d(*b.w, map);
  b.dialogs.queueAnswer(Answer::Cancel);
  QTest::mouseClick(d.unlockKindButton(), Qt::LeftButton);
  QVERIFY(!d.kindList()->isEnabled());
  const auto& q = b.dialogs.entries().at(0);
  QCOMPARE(QString::fromStdString(q.text),
           Utf8("Vous pouvez modifier le type de fichier, mais ceci est complètement "
                "déconseillé. Vous ne devriez le faire que si vous êtes absolument sûr de "
                "vous.\nVoulez-vous vraiment modifier le type de fichier?"));
  QCOMPARE(q.caption, std::string("Avertissement"));
  QVERIFY(q.buttons == platform::Buttons::OkCancel && q.defaultAnswer == Answer::Cancel);

  b.dialogs.queueAnswer(Answer::Ok);
  QTest::mouseClick(d.unlockKindButton(), Qt::LeftButton);
  QVERIFY(d.kindList()->isEnabled());
  QVERIFY(!d.unlockKindButton()->isEnabled());
  d.kindList()->setCurrentText("palette");
  QTest::mouseClick(d.okButton(), Qt::LeftButton);
  QCOMPARE(b.entry(map).kindCode(), project::kKindPalette);
  QVERIFY(b.entry(map).inFolder());  // the folder bits stay
}

void ElementDialogsTest::browseButtonsFillRelativePaths() {
  Bench b;
  int map = b.add(project::kKindMap, "m1", "m1.map.c");
  ui::ElementPropertiesDialog d(*b.w, map);
  QString here = QDir::currentPath();
  b.dialogs.queueFileName((here + "/gfx/new.map.c").toStdString());
  QTest::mouseClick(d.chooseFileButton(), Qt::LeftButton);
  b.dialogs.queueFileName((here + "/art/hero.png").toStdString());
  QTest::mouseClick(d.chooseBaseFileButton(), Qt::LeftButton);
  QCOMPARE(d.fileEdit()->text(), QString("gfx/new.map.c"));
  QCOMPARE(d.baseFileEdit()->text(), QString("art/hero.png"));
  const auto& save = b.dialogs.fileChoices().at(0);
  QVERIFY(save.save);
  QCOMPARE(save.title, std::string("Sauver un fichier"));
  QCOMPARE(save.filters.size(), size_t(1));
  QCOMPARE(save.filters[0].description, std::string("Fichiers Tessel Works"));
  QCOMPARE(save.filters[0].pattern, std::string("*.bmp.c;*.pal.c;*.til.c;*.map.c;*.lst.c"));
  const auto& open = b.dialogs.fileChoices().at(1);
  QVERIFY(!open.save);
  QCOMPARE(open.title, std::string("Charger un fichier"));
  QCOMPARE(open.filters.at(0).description, std::string("Tous les fichiers"));
  QCOMPARE(open.filters.at(0).pattern, std::string("*.*"));
}

void ElementDialogsTest::addFolderPlacesItAndRefusesASecondOne() {
  Bench b;
  b.project().addFolder("Monde", "racine");
  {
    ui::AddFolderDialog d(*b.w);
    QCOMPARE(d.windowTitle(), QString("Ajouter un dossier"));
    QCOMPARE(Items(d.placeList()), QStringList({"racine", "mosaiques", "cartes", "palettes",
                                                "bitmaps", "listes", "Monde"}));
    QCOMPARE(d.placeList()->currentText(), QString("racine"));
    Grab(d, "dialog_add_folder.png");
    QTest::keyClicks(d.nameEdit(), "Sprites");
    d.placeList()->setCurrentText("cartes");
    QTest::mouseClick(d.okButton(), Qt::LeftButton);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(ParentText(b.project(), d.addedEntry()), std::string("Cartes"));
  }
  ui::AddFolderDialog again(*b.w);
  again.show();
  again.nameEdit()->setText("Sprites");
  QTest::mouseClick(again.okButton(), Qt::LeftButton);
  QVERIFY(again.isVisible());
  QCOMPARE(b.texts(),
           QStringList({Utf8("Ce nom de dossier existe déjà dans le répertoire cartes.\n"
                             "Choisissez-en un autre ou précédez ce nom d'un autre puis d'un "
                             "slash pour les différencier.\nPar exemple Rep1\\Test et "
                             "Rep2\\Test sont tous deux affichés Test mais identifiés "
                             "différemment.")}));
  QCOMPARE(b.project().count(), size_t(2));
}

void ElementDialogsTest::formatListShowsStandardFirst() {
  Bench b;
  formats::OutputFormat own = b.w->formats.formats[0];
  own.name = "Perso";
  own.section(formats::SectionType::Map).ext = ".perso.c";
  b.w->formats.formats.push_back(own);
  ui::FormatsDialog d(*b.w);
  QCOMPARE(d.windowTitle(), QString("Formats d'E/S"));
  QCOMPARE(d.formatList()->item(0)->text(), QString("Standard"));
  QCOMPARE(d.formatList()->item(1)->text(), QString("Perso"));
  QCOMPARE(d.formatList()->currentRow(), 0);
  Grab(d, "dialog_formats.png");
  d.formatList()->clearSelection();
  QTest::mouseClick(d.okButton(), Qt::LeftButton);
  QCOMPARE(d.result(), int(QDialog::Rejected));  // nothing selected: nothing happens
  d.formatList()->setCurrentRow(1);
  QTest::mouseClick(d.okButton(), Qt::LeftButton);
  QCOMPARE(d.result(), int(QDialog::Accepted));
  QCOMPARE(b.w->formats.currentFormat, 1);
  QCOMPARE(b.w->formats.current.section(formats::SectionType::Map).ext, std::string(".perso.c"));
}

void ElementDialogsTest::platformOptionsAreStoredOnlyOnOk_data() {
  QTest::addColumn<bool>("ok");
  QTest::newRow("Annuler") << false;
  QTest::newRow("OK") << true;
}

void ElementDialogsTest::platformOptionsAreStoredOnlyOnOk() {
  QFETCH(bool, ok);
  Bench b;
  ui::PlatformsDialog platforms(*b.w);
  QCOMPARE(platforms.platformList()->currentItem()->text(), QString("Game Boy Advance, Nintendo"));
  QVERIFY(platforms.optionsButton()->isEnabled());
  if (ok) Grab(platforms, "dialog_platforms.png");

  ui::PlatformOptionsDialog d(*b.w, b.w->platforms.current);
  QStringList captions;
  for (QCheckBox* box : d.panel()->boxes()) {
    captions << box->text();
    box->setChecked(!box->isChecked());
  }
  QCOMPARE(captions, QStringList({"__attribute__((aligned(4)))", "Bits miroir [10-11]",
                                  "Bits palette [12-15]"}));
  if (ok) Grab(d, "dialog_platform_options.png");
  QTest::mouseClick(ok ? d.okButton() : d.cancelButton(), Qt::LeftButton);
  const app::GbaOptions& gba = b.w->platforms.gba;
  QCOMPARE(gba.align, ok ? 4 : 0);
  QCOMPARE(gba.mirrorMask, !ok);
  QCOMPARE(gba.paletteMask, !ok);
  QCOMPARE(app::CurrentPlatform(*b.w).mapFormats[1].indexMask, ok ? 0xFFFFu : 0x3FFu);
}

void ElementDialogsTest::generalPageStoresBoundedValues_data() {
  QTest::addColumn<QString>("maxObjects");
  QTest::addColumn<QString>("timer");
  QTest::addColumn<QString>("memory");
  QTest::addColumn<int>("storedObjects");
  QTest::addColumn<int>("storedTimer");
  QTest::addColumn<uint>("storedMemory");
  QTest::addColumn<QString>("message");
  QTest::newRow("plain") << "500"
                         << "20"
                         << "8 Mo" << 500 << 20 << 8389632u << "";
  QTest::newRow("small list, Max.") << "1"
                                    << "0"
                                    << "Max." << 3 << 0 << 0u << "";
  QTest::newRow("not a size keeps it") << "0"
                                       << "-5"
                                       << "192 ko" << 1024 << 0 << 196609u << "";
  QTest::newRow("words keep the memory") << "1024"
                                         << "10"
                                         << "beaucoup" << 1024 << 10 << 33554432u << "";
  QTest::newRow("huge timer") << "1024"
                              << "5000"
                              << "32 Mo" << 1024 << 1000 << 33555456u << "";
  QTest::newRow("huge list") << "100000000"
                             << "10"
                             << "32 Mo" << 65536 << 10 << 33555456u
                             << Utf8(
                                    "Le nombre d'éléments par liste est limité à 65536.\n"
                                    "La valeur 100000000 a été ramenée à 65536.");
}

void ElementDialogsTest::generalPageStoresBoundedValues() {
  QFETCH(QString, maxObjects);
  QFETCH(QString, timer);
  QFETCH(QString, memory);
  QFETCH(int, storedObjects);
  QFETCH(int, storedTimer);
  QFETCH(uint, storedMemory);
  QFETCH(QString, message);
  Bench b;
  ui::OptionsDialog d(*b.w);
  QCOMPARE(d.tabs()->tabText(0), QString("General"));
  QCOMPARE(d.tabs()->tabText(1), QString("Conversion"));
  QCOMPARE(d.tabs()->tabText(2), Utf8("Modèles"));
  ui::GeneralOptionsPage* g = d.generalPage();
  g->maxObjectsEdit()->setText(maxObjects);
  g->timerEdit()->setText(timer);
  g->memoryList()->setCurrentText(memory);
  g->saveMapSettingsBox()->setChecked(false);
  QVERIFY(!g->saveMapSettingsAutoBox()->isEnabled());
  QTest::mouseClick(d.okButton(), Qt::LeftButton);
  QCOMPARE(b.w->system.maxObjects, storedObjects);
  QCOMPARE(b.w->editor.timing, storedTimer);
  QCOMPARE(b.w->system.maxPreviewMemory, storedMemory);
  QCOMPARE(b.w->system.saveMapSettings, 0);
  QCOMPARE(b.texts(), message.isEmpty() ? QStringList() : QStringList({message}));
}

void ElementDialogsTest::generalPageCancelChangesNothing() {
  Bench b;
  ui::OptionsDialog d(*b.w);
  ui::GeneralOptionsPage* g = d.generalPage();
  QCOMPARE(g->memoryList()->currentText(), QString("32 Mo"));
  QCOMPARE(g->maxObjectsEdit()->text(), QString("1024"));
  Grab(d, "dialog_options_general.png");
  d.tabs()->setCurrentIndex(ui::OptionsDialog::Conversion);
  Grab(d, "dialog_options_conversion.png");
  d.tabs()->setCurrentIndex(ui::OptionsDialog::Models);
  g->maxObjectsEdit()->setText("77");
  g->autoFormatBox()->setChecked(false);
  QTest::keyClicks(d.modelsPage()->nameEdit(), "vie");
  QTest::mouseClick(d.modelsPage()->addButton(), Qt::LeftButton);
  QTest::mouseClick(d.cancelButton(), Qt::LeftButton);
  QCOMPARE(b.w->system.maxObjects, 1024);
  QCOMPARE(b.w->system.autoFormatSelection, 1);
  QVERIFY(b.w->formats.models.at(0).fields.empty());
  QVERIFY(b.dialogs.entries().empty());
}

namespace {

enum class ModelStep { AddParameter, AddParameters101, DeleteModel, AddModel };

}  // namespace

Q_DECLARE_METATYPE(ModelStep)

void ElementDialogsTest::modelsPageMessages_data() {
  QTest::addColumn<QStringList>("extraModels");  // saved before the step
  QTest::addColumn<QString>("modelName");        // the model list's text for the step
  QTest::addColumn<int>("size");
  QTest::addColumn<int>("answer");  // the answer given to a question, -1: none
  QTest::addColumn<int>("parameters");
  QTest::addColumn<QStringList>("modelsAfter");
  QTest::addColumn<QString>("current");
  QTest::addColumn<QString>("message");
  QTest::addColumn<QString>("caption");

  QTest::newRow("size 0: nothing")
      << QStringList() << "" << 0 << -1 << 0 << QStringList({"Default"}) << "Default"
      << ""
      << "";
  QTest::newRow("size 3: refused")
      << QStringList() << "" << 3 << -1 << 0 << QStringList({"Default"}) << "Default"
      << Utf8("La taille doit être d'au moins 4 octets.") << "Erreur";
  QTest::newRow("size 4: added") << QStringList() << "" << 4 << -1 << 1 << QStringList({"Default"})
                                 << "Default"
                                 << ""
                                 << "";
  QTest::newRow("101st parameter")
      << QStringList() << "" << 101 << -1 << 100 << QStringList({"Default"}) << "Default"
      << Utf8("Le nombre maximal de paramètres est atteint.") << "Erreur";
  QTest::newRow("only model") << QStringList() << "Default" << -1 << -1 << 0
                              << QStringList({"Default"}) << "Default"
                              << Utf8(
                                     "Vous ne pouvez pas supprimer tous les modèles, il doit "
                                     "au moins vous en rester un.")
                              << "Erreur";
  QTest::newRow("model in use, Yes")
      << QStringList({"ennemis"}) << "ennemis" << -1 << int(Answer::Yes) << 0
      << QStringList({"Default"}) << "Default"
      << Utf8(
             "Vous allez supprimer le modèle que vous êtes en train d'utiliser!\nÊtes-vous "
             "sûr?")
      << "Attention";
  QTest::newRow("another model, No")
      << QStringList({"ennemis"}) << "Default" << -1 << int(Answer::No) << 0
      << QStringList({"Default", "ennemis"}) << "ennemis"
      << Utf8("Vous ne pourrez pas annuler cette opération.\nÊtes-vous sûr?") << "Attention";
  QStringList nine;
  for (int i = 1; i <= 9; ++i) nine << QString("m%1").arg(i);
  QTest::newRow("eleventh model") << nine << "m10" << -2 << -1 << 0
                                  << (QStringList({"Default"}) + nine) << "m9"
                                  << Utf8(
                                         "Le nombre maximal de modèles (10) est atteint.\n"
                                         "Supprimez-en un ou sauvegardez sous le nom d'un "
                                         "modèle existant.")
                                  << "Erreur";
  QTest::newRow("another model, Yes")
      << QStringList({"ennemis"}) << "Default" << -1 << int(Answer::Yes) << 0
      << QStringList({"ennemis"}) << "ennemis"
      << Utf8("Vous ne pourrez pas annuler cette opération.\nÊtes-vous sûr?") << "Attention";
}

// Each row either adds parameters (size >= 0; 101 adds 101 of size 4),
// deletes the model named (size -1) or saves under its name (size -2); the
// extra models are saved first and the
// last one is made the model in use.
void ElementDialogsTest::modelsPageMessages() {
  QFETCH(QStringList, extraModels);
  QFETCH(QString, modelName);
  QFETCH(int, size);
  QFETCH(int, answer);
  QFETCH(int, parameters);
  QFETCH(QStringList, modelsAfter);
  QFETCH(QString, current);
  QFETCH(QString, message);
  QFETCH(QString, caption);
  Bench b;
  ui::OptionsDialog d(*b.w, ui::OptionsDialog::Models);
  d.show();
  ui::ModelsOptionsPage* m = d.modelsPage();
  QCOMPARE(d.tabs()->currentIndex(), int(ui::OptionsDialog::Models));
  for (const QString& name : extraModels) {
    m->modelList()->setCurrentText(name);
    QTest::mouseClick(m->saveButton(), Qt::LeftButton);
    d.generalPage()->modelList()->setCurrentText(name);
  }
  if (size >= 0) {
    int count = size == 101 ? 101 : 1;
    for (int i = 0; i < count; ++i) {
      m->parameterList()->clearSelection();
      m->nameEdit()->setText(QString("p%1").arg(i));
      m->sizeEdit()->setText(QString::number(size == 101 ? 4 : size));
      QTest::mouseClick(m->addButton(), Qt::LeftButton);
    }
  } else if (size == -2) {
    m->modelList()->setCurrentText(modelName);
    QTest::mouseClick(m->saveButton(), Qt::LeftButton);
  } else {
    m->modelList()->setCurrentText(modelName);
    if (answer >= 0) b.dialogs.queueAnswer(static_cast<Answer>(answer));
    QTest::mouseClick(m->deleteModelButton(), Qt::LeftButton);
  }
  QCOMPARE(m->parameterList()->topLevelItemCount(), parameters);
  QCOMPARE(b.texts(), message.isEmpty() ? QStringList() : QStringList({message}));
  if (!message.isEmpty()) QCOMPARE(QString::fromStdString(b.dialogs.entries()[0].caption), caption);
  QCOMPARE(Items(d.generalPage()->modelList()), modelsAfter);
  QCOMPARE(d.generalPage()->modelList()->currentText(), current);
  // Saving the parameters first keeps OK from asking about them.
  if (parameters > 0) QTest::mouseClick(m->saveButton(), Qt::LeftButton);
  QTest::mouseClick(d.okButton(), Qt::LeftButton);
  QCOMPARE(b.w->formats.models.size(), size_t(modelsAfter.size()));
  QCOMPARE(QString::fromStdString(formats::CurrentModel(b.w->formats).name), current);
}

void ElementDialogsTest::modelsPageUnsavedEditsOnOk_data() {
  QTest::addColumn<Answer>("answer");
  QTest::newRow("Yes keeps the edits") << Answer::Yes;
  QTest::newRow("No drops them") << Answer::No;
}

void ElementDialogsTest::modelsPageUnsavedEditsOnOk() {
  QFETCH(Answer, answer);
  Bench b;
  ui::OptionsDialog d(*b.w, ui::OptionsDialog::Models);
  d.show();
  ui::ModelsOptionsPage* m = d.modelsPage();
  m->nameEdit()->setText("vie");
  m->typeList()->setCurrentText("Brut");
  m->sizeEdit()->setText("8");
  m->defaultEdit()->setText("abc");
  QTest::mouseClick(m->addButton(), Qt::LeftButton);
  m->parameterList()->setCurrentItem(m->parameterList()->topLevelItem(0));
  QCOMPARE(m->addButton()->text(), Utf8("Mettre à jour"));
  m->sizeEdit()->setText("12");
  QTest::mouseClick(m->addButton(), Qt::LeftButton);
  QCOMPARE(m->parameterList()->topLevelItem(0)->text(2), QString("12"));
  QCOMPARE(m->addButton()->text(), QString("Ajouter"));
  m->nameEdit()->setText("points");
  m->typeList()->setCurrentText("Entier");
  m->sizeEdit()->setText("4");
  m->defaultEdit()->setText("100");
  QTest::mouseClick(m->addButton(), Qt::LeftButton);
  if (answer == Answer::Yes) Grab(d, "dialog_options_models.png");
  b.dialogs.queueAnswer(answer);
  QTest::mouseClick(d.okButton(), Qt::LeftButton);
  QCOMPARE(b.texts(),
           QStringList({Utf8("Voulez-vous apporter les modifications au modèle Default?\nNote: "
                             "Pour éviter d'obtenir ce message, sauvegardez toujours vos "
                             "modifications sous un modèle avant de fermer la boîte.")}));
  QCOMPARE(b.dialogs.entries()[0].caption, std::string("Avertissement"));
  const auto& fields = b.w->formats.models.at(0).fields;
  if (answer == Answer::Yes) {
    QCOMPARE(fields.size(), size_t(2));
    QCOMPARE(fields[0].kind, formats::kFieldRaw);
    QCOMPARE(fields[0].size, 12);
    QCOMPARE(fields[0].defaultValue, std::string("abc"));
  } else {
    QVERIFY(fields.empty());
  }
}

void ElementDialogsTest::modelsTabIsClosedWhileTheEditorIsOpen() {
  Bench b;
  scripttest::RecordingEditor editor;
  b.w->openEditor = &editor;
  ui::OptionsDialog d(*b.w);
  d.tabs()->setCurrentIndex(ui::OptionsDialog::Models);
  QCOMPARE(d.tabs()->currentIndex(), int(ui::OptionsDialog::General));
  QCOMPARE(b.texts(), QStringList({Utf8("Impossible de travailler sur les paramètres lorsque "
                                        "l'éditeur est ouvert. Veuillez d'abord le fermer.")}));
  QCOMPARE(b.dialogs.entries()[0].caption, std::string("Erreur"));
  b.dialogs.clear();
  d.generalPage()->maxObjectsEdit()->setText("2000");
  QTest::mouseClick(d.okButton(), Qt::LeftButton);
  QCOMPARE(b.texts(), QStringList({Utf8("Impossible de modifier le nombre d'éléments par liste "
                                        "lorsque l'éditeur est ouvert. Veuillez le fermer")}));
  QCOMPARE(b.w->system.maxObjects, 1024);
  QCOMPARE(editor.settingsNotices, 1);
  b.w->openEditor = nullptr;
}

void ElementDialogsTest::listSizeFromAScriptIsBounded() {
  Bench b;
  script::ExecuteScript(*b.w, "system.objetsmax = 100000000\n");
  QCOMPARE(b.w->system.maxObjects, 65536);
  QCOMPARE(b.texts(), QStringList({Utf8("Le nombre d'éléments par liste est limité à 65536.\n"
                                        "La valeur 100000000 a été ramenée à 65536.")}));
  b.dialogs.clear();
  script::ExecuteScript(*b.w, "system.objetsmax = 65536\n");
  QCOMPARE(b.w->system.maxObjects, 65536);
  script::ExecuteScript(*b.w, "system.objetsmax = 1\n");
  QCOMPARE(b.w->system.maxObjects, 3);
  QVERIFY(b.dialogs.entries().empty());
}

void ElementDialogsTest::everyControlIsNamedAndReachable() {
  Bench b;
  b.project().addFolder("Monde", "racine");
  int map = b.add(project::kKindMap, "m1", "m1.map.c");
  std::vector<std::unique_ptr<QDialog>> dialogs;
  dialogs.push_back(std::make_unique<ui::ElementPropertiesDialog>(*b.w, map));
  dialogs.push_back(std::make_unique<ui::AddFolderDialog>(*b.w));
  dialogs.push_back(std::make_unique<ui::FormatsDialog>(*b.w));
  dialogs.push_back(std::make_unique<ui::PlatformsDialog>(*b.w));
  dialogs.push_back(std::make_unique<ui::PlatformOptionsDialog>(*b.w, 0));
  dialogs.push_back(std::make_unique<ui::OptionsDialog>(*b.w));
  for (auto& d : dialogs) {
    for (QWidget* w : d->findChildren<QWidget*>()) {
      if (!(w->focusPolicy() & Qt::TabFocus) || w->window() != d.get()) continue;
      if (qobject_cast<QComboBox*>(w->parentWidget())) continue;  // an editable list's field
      if (qobject_cast<QTabWidget*>(w) || w->inherits("QTabBar")) continue;
      QString name = w->accessibleName();
      if (auto* button = qobject_cast<QAbstractButton*>(w); button && name.isEmpty())
        name = button->text();
      QVERIFY2(!name.isEmpty(), qPrintable(d->windowTitle() + ": " + w->metaObject()->className()));
    }
  }
}

void ElementDialogsTest::entryPointsRunTheDialogs() {
  Bench b;
  // The modal loop is left by the timer, as a user would close it.
  QTimer::singleShot(0, [] {
    auto* d = qobject_cast<ui::AddFolderDialog*>(QApplication::activeModalWidget());
    QVERIFY(d);
    d->nameEdit()->setText("Sprites");
    QTest::mouseClick(d->okButton(), Qt::LeftButton);
  });
  QVERIFY(ui::ShowAddFolderDialog(nullptr, *b.w));
  QCOMPARE(b.project().findFolder("Sprites"), 0);

  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
  QVERIFY(!ui::ShowFormatsDialog(nullptr, *b.w));
  QVERIFY(!ui::ShowElementPropertiesDialog(nullptr, *b.w, 0));  // a Folder has none
}

QTEST_MAIN(ElementDialogsTest)
#include "element_dialogs_test.moc"
