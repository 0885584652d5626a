#pragma once

#include <QMainWindow>

namespace nv::app {

// The program's main window. For now a plain captioned window.
class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(QWidget* parent = nullptr);
};

}  // namespace nv::app
