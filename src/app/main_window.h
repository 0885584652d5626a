#pragma once

#include <QMainWindow>
#include <QString>

namespace nv::widgets {
class ScoreControl;
}

namespace nv::app {

// The program's main window. For now it shows one score in a score control.
class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(QWidget* parent = nullptr);

  nv::widgets::ScoreControl& Score() const { return *score_; }
  // Loads a score file into the control. Returns the load error's message,
  // empty when the file loaded; a file that does not load leaves the score
  // as it was.
  QString OpenScore(const QString& path);

 private:
  nv::widgets::ScoreControl* score_;
};

}  // namespace nv::app
