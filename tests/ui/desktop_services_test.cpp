// The desktop services of the window: documents opened as file URLs through
// QDesktopServices, the trash, the question before a project's programs,
// the fixed font, the splash and the wait windows.
#include <QDesktopServices>
#include <QFileInfo>
#include <QFontInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include "platform/recording_platform.h"
#include "ui/qt_shell.h"
#include "ui/splash_window.h"
#include "ui/workshop_commands.h"
#include "window_fixture.h"
#include "window_tests.h"

using uitest::U;

void DesktopServicesTest::initTestCase() {
  QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl");
}

void DesktopServicesTest::cleanupTestCase() {
  QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

void DesktopServicesTest::openUrl(const QUrl& url) { opened_ << url; }

void DesktopServicesTest::documentsAndTextFilesOpenAsFileUrls() {
  QTemporaryDir dir;
  platform::RecordingDialogs dialogs;
  ui::QtShell shell(dialogs);
  QString page = dir.filePath("aide page.html");
  QFile f(page);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write("<html></html>");
  f.close();
  opened_.clear();
  QVERIFY(shell.openDocument(page.toStdString()));
  QVERIFY(shell.editTextFile(page.toStdString()));
  QCOMPARE(opened_, QList<QUrl>({QUrl::fromLocalFile(page), QUrl::fromLocalFile(page)}));
  QVERIFY(dialogs.entries().empty());
  // A text file that is not there is reported.
  QVERIFY(!shell.editTextFile(dir.filePath("absent.c").toStdString()));
  QCOMPARE(U(dialogs.entries().at(0).text),
           U("Le fichier " + dir.filePath("absent.c").toStdString() + " n'existe pas."));
}

void DesktopServicesTest::programsAndDirectoriesAreNotOpened() {
  QTemporaryDir dir;
  platform::RecordingDialogs dialogs;
  ui::QtShell shell(dialogs);
  QString program = dir.filePath("image.png");
  QFile f(program);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write("#!/bin/sh\n");
  f.close();
  QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  QVERIFY(!ui::IsPlainDocument(program));
  QVERIFY(!ui::IsPlainDocument(dir.path()));
  QVERIFY(!ui::IsPlainDocument(QStringLiteral("/dev/null")));
  QVERIFY(QFile::link(program, dir.filePath("lien.png")));
  QVERIFY(!ui::IsPlainDocument(dir.filePath("lien.png")));
  opened_.clear();
  QVERIFY(!shell.openDocument(program.toStdString()));
  QVERIFY(!shell.openDocument(dir.path().toStdString()));
  QVERIFY(opened_.isEmpty());
  QCOMPARE(dialogs.entries().size(), size_t{2});
  QCOMPARE(U(dialogs.entries()[0].caption), QString("Attention"));
}

void DesktopServicesTest::deletedFilesGoToTheTrash() {
  QTemporaryDir home;
  QByteArray oldHome = qgetenv("HOME");
  QByteArray oldData = qgetenv("XDG_DATA_HOME");
  qputenv("HOME", home.path().toLocal8Bit());
  qputenv("XDG_DATA_HOME", home.filePath("data").toLocal8Bit());
  QDir(home.path()).mkpath("data");
  QDir(home.path()).mkpath("projet");
  QString file = home.filePath("projet/hero.til.c");
  QFile f(file);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write("tiles");
  f.close();
  platform::RecordingDialogs dialogs;
  ui::QtShell shell(dialogs);
  bool trashed = shell.deleteFile(file.toStdString());
  qputenv("HOME", oldHome);
  if (oldData.isEmpty())
    qunsetenv("XDG_DATA_HOME");
  else
    qputenv("XDG_DATA_HOME", oldData);
  QVERIFY(trashed);
  QVERIFY(!QFile::exists(file));
  QVERIFY(QFile::exists(home.filePath("data/Trash/files/hero.til.c")));
  QVERIFY(dialogs.entries().empty());
}

void DesktopServicesTest::aFailedTrashSaysSo() {
  platform::RecordingDialogs dialogs;
  ui::QtShell shell(dialogs);
  QVERIFY(!shell.deleteFile("/nulle/part/hero.til.c"));
  QCOMPARE(dialogs.entries().size(), size_t{1});
  QCOMPARE(U(dialogs.entries()[0].text),
           U("Le fichier /nulle/part/hero.til.c n'a pas pu être mis à la corbeille.\nIl n'a pas "
             "été supprimé."));
  QCOMPARE(U(dialogs.entries()[0].caption), QString("Erreur"));
  QCOMPARE(dialogs.entries()[0].icon, platform::Icon::Error);
}

void DesktopServicesTest::execGuardAsksOnceWhileArmed() {
  platform::RecordingDialogs dialogs;
  platform::RecordingShell inner;
  ui::ExecGuardShell shell(inner, dialogs);
  QVERIFY(shell.startProgram("un"));
  QVERIFY(dialogs.entries().empty());
  shell.arm("/p/projet.tpj");
  dialogs.queueAnswer(platform::Answer::No);
  QVERIFY(!shell.startProgram("deux"));
  QVERIFY(!shell.startProgram("trois"));
  QCOMPARE(dialogs.entries().size(), size_t{1});
  shell.disarm();
  QVERIFY(shell.startProgram("quatre"));
  shell.arm("/p/projet.tpj");
  dialogs.queueAnswer(platform::Answer::Yes);
  QVERIFY(shell.startProgram("cinq"));
  QVERIFY(shell.startProgram("six"));
  QCOMPARE(dialogs.entries().size(), size_t{2});
  QStringList started;
  for (const auto& call : inner.calls()) started << U(call.argument);
  QCOMPARE(started, QStringList({"un", "quatre", "cinq", "six"}));
  // Everything else passes through.
  QVERIFY(shell.openDocument("doc.html"));
  QCOMPARE(inner.calls().back().action, platform::RecordingShell::Action::OpenDocument);
}

void DesktopServicesTest::theFixedFontIsTheSystemsAt14Pixels() {
  QFont font = ui::FixedFont();
  QCOMPARE(font.pixelSize(), 14);
  QVERIFY(QFontInfo(font).fixedPitch());
}

void DesktopServicesTest::splashShowsTheBuiltInPictureAndClosesAfter3Seconds() {
  QCOMPARE(ui::SplashImagePath(QString()), QString(":/tesselworks/splash.png"));
  QTemporaryDir dir;
  QCOMPARE(ui::SplashImagePath(dir.path()), QString(":/tesselworks/splash.png"));
  QPixmap builtIn(":/tesselworks/splash.png");
  QCOMPARE(builtIn.size(), QSize(480, 272));
  // A picture of the user's own in the program's directory comes first.
  QVERIFY(builtIn.save(dir.filePath("halcyone.png")));
  QCOMPARE(ui::SplashImagePath(dir.path()), dir.filePath("halcyone.png"));

  QPointer<ui::SplashWindow> splash = new ui::SplashWindow(ui::SplashImagePath(QString()));
  QVERIFY(splash->hasImage());
  QCOMPARE(splash->size(), QSize(480, 272));
  QVERIFY(splash->windowFlags() & Qt::WindowStaysOnTopHint);
  QVERIFY(splash->windowFlags() & Qt::FramelessWindowHint);
  splash->start();
  QVERIFY(splash->isVisible());
  QCOMPARE(splash->grab().toImage().pixelColor(470, 10), builtIn.toImage().pixelColor(470, 10));
  QTest::qWait(2500);
  QVERIFY(splash && splash->isVisible());
  QTRY_VERIFY_WITH_TIMEOUT(!splash, 2000);
}

void DesktopServicesTest::splashWithoutAPictureClosesAtOnce() {
  QPointer<ui::SplashWindow> splash = new ui::SplashWindow(QStringLiteral("/nulle/part.png"));
  QVERIFY(!splash->hasImage());
  splash->start();
  QVERIFY(!splash || !splash->isVisible());
  QTRY_VERIFY(!splash);
}

void DesktopServicesTest::waitWindowSaysWorkIsInProgress() {
  ui::WaitWindow wait;
  QCOMPARE(wait.text(), QString("Travail en cours. Veuillez patienter..."));
  QVERIFY(wait.windowFlags() & Qt::WindowStaysOnTopHint);
  QCOMPARE(wait.accessibleName(), wait.text());
}
