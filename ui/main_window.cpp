#include "ui/main_window.h"

namespace ui {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("Tessel Works 1.00a"));
}

}  // namespace ui
