#pragma once

#include <QLabel>
#include <QString>

namespace ui {

// The small window that stays on top while the program starts; the main
// window closes it once it is built.
class WaitWindow : public QLabel {
  Q_OBJECT

 public:
  explicit WaitWindow(QWidget* parent = nullptr);
};

// The start-up picture: 480 × 272, without a frame, on top, centred on its
// screen. It closes itself after 3 seconds, or at once when the picture
// cannot be loaded.
class SplashWindow : public QLabel {
  Q_OBJECT

 public:
  static constexpr int kWidth = 480;
  static constexpr int kHeight = 272;
  static constexpr int kShownMilliseconds = 3000;

  explicit SplashWindow(const QString& imagePath, QWidget* parent = nullptr);

  // Shows the window and starts its timer; without a picture it closes.
  void start();
  bool hasImage() const { return hasImage_; }

 private:
  bool hasImage_ = false;
};

// The built-in start-up picture, a resource of the program.
inline constexpr const char* kBuiltInSplash = ":/tesselworks/splash.png";

// The picture to show: "halcyone.png" in the program's directory when the
// user put one there, otherwise the built-in picture.
QString SplashImagePath(const QString& programDirectory);

}  // namespace ui
