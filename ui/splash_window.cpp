#include "ui/splash_window.h"

#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

// The resources live in the GUI library: the program registers them before
// it looks for the built-in picture.
static void InitTesselResources() { Q_INIT_RESOURCE(tesselworks); }

namespace ui {

namespace {

void CentreOnScreen(QWidget& w) {
  if (QScreen* screen = w.screen())
    w.move(screen->availableGeometry().center() - w.rect().center());
}

}  // namespace

WaitWindow::WaitWindow(QWidget* parent)
    : QLabel(QStringLiteral("Travail en cours. Veuillez patienter..."), parent,
             Qt::Tool | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("waitWindow"));
  setAccessibleName(text());
  setAlignment(Qt::AlignCenter);
  setMargin(16);
  adjustSize();
  CentreOnScreen(*this);
}

SplashWindow::SplashWindow(const QString& imagePath, QWidget* parent)
    : QLabel(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QStringLiteral("splashWindow"));
  setAccessibleName(QStringLiteral("Tessel Works"));
  setFixedSize(kWidth, kHeight);
  QPixmap picture(imagePath);
  hasImage_ = !picture.isNull();
  if (hasImage_) setPixmap(picture.scaled(kWidth, kHeight));
  CentreOnScreen(*this);
}

void SplashWindow::start() {
  if (!hasImage_) {
    close();
    return;
  }
  show();
  QTimer::singleShot(kShownMilliseconds, this, &QWidget::close);
}

QString SplashImagePath(const QString& programDirectory) {
  InitTesselResources();
  QString own = QDir(programDirectory).filePath(QStringLiteral("halcyone.png"));
  if (!programDirectory.isEmpty() && QFileInfo(own).isFile()) return own;
  return QString::fromLatin1(kBuiltInSplash);
}

}  // namespace ui
