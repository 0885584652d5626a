#include "app/main_window.h"

namespace nv::app {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle("Notavistra");
  resize(1024, 768);
}

}  // namespace nv::app
