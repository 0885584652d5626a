#include "app/main_window.h"

#include <exception>

#include "widgets/score_control.h"

namespace nv::app {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), score_(new nv::widgets::ScoreControl(this)) {
  setWindowTitle("Notavistra");
  setCentralWidget(score_);
  score_->setFocus();
  resize(1024, 768);
}

QString MainWindow::OpenScore(const QString& path) {
  try {
    score_->Score().LoadFromFile(path.toStdString());
  } catch (const std::exception& error) {
    return QString::fromStdString(error.what());
  }
  return {};
}

}  // namespace nv::app
