#pragma once

#include <QWidget>

#include "widgets/logic/status_animation.h"

class QPainter;

namespace nv::widgets {

// Draws frame `frame` of an animated status panel into `box`: a sheet
// leaving a printer, a pulsing play triangle, a blinking red dot.
void DrawStatusFrame(QPainter& painter, StatusPanel panel, int frame, const QRect& box);

// The main window's status bar: five sunken panels 110, 40, 40, 40 and 50
// pixels wide; the middle three show their animation while printing,
// playing or recording and stay empty otherwise.
class StatusPanels : public QWidget {
  Q_OBJECT
 public:
  explicit StatusPanels(QWidget* parent = nullptr);

  void SetStates(bool printing, bool playing, bool recording);
  // The main timer's tick: running panels move on by one frame.
  void Tick();
  const StatusAnimation& Animation() const { return animation_; }
  QRect PanelRect(int index) const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  StatusAnimation animation_;
};

}  // namespace nv::widgets
