#pragma once

#include <QImage>
#include <QWidget>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;

namespace app {
struct Workshop;
}

namespace ui {

// After a conversion: the source picture and the result as the console will
// show it, side by side at the same zoom, with the mean colour error and,
// when the map uses several sub-palettes, which one each tile uses.
class BeforeAfterView : public QWidget {
  Q_OBJECT

 public:
  explicit BeforeAfterView(QWidget* parent = nullptr);

  // Shows the picture `source` against the map element `mapEntry` as
  // converted. False when either cannot be read.
  bool showConversion(app::Workshop& w, const std::string& source, int mapEntry);

  double meanError() const { return meanError_; }
  const QImage& sourceImage() const { return source_; }
  const QImage& resultImage() const { return result_; }
  const QImage& overlayImage() const { return overlay_; }

 private:
  void present();

  QImage source_;
  QImage result_;
  QImage overlay_;
  double meanError_ = -1;
  QLabel* before_ = nullptr;
  QLabel* after_ = nullptr;
  QLabel* error_ = nullptr;
  QComboBox* zoom_ = nullptr;
  QCheckBox* showOverlay_ = nullptr;
};

}  // namespace ui
