#pragma once

#include <QSlider>

namespace nv::editor {

// A slider that tells its owner about the mouse on it (the volume and tempo bars).
class TECTrackBar : public QSlider {
  Q_OBJECT

 public:
  explicit TECTrackBar(QWidget* parent = nullptr);

 Q_SIGNALS:
  void MouseDown(int x, int y);
  void MouseMove(int x, int y);
  void MouseUp(int x, int y);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace nv::editor
