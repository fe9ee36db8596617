#include "ui/splash_window.h"

#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

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
  setAlignment(Qt::AlignCenter);
  setMargin(16);
  adjustSize();
  CentreOnScreen(*this);
}

SplashWindow::SplashWindow(const QString& imagePath, QWidget* parent)
    : QLabel(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setAttribute(Qt::WA_DeleteOnClose);
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
  return QDir(programDirectory).filePath(QStringLiteral("halcyone.png"));
}

}  // namespace ui
