#pragma once

#include <QTimer>
#include <QWidget>

#include "widgets/logic/repeat_press.h"
#include "widgets/widget_paint.h"

namespace nv::widgets {

// The small arrow that scrolls the notebook's tab rows and the scroll
// panel's contents: held, it steps every repeat interval; a short click
// steps once. Hidden, it stops repeating.
class TECButtonScroll : public QWidget {
  Q_OBJECT
 public:
  TECButtonScroll(ArrowDirection direction, QWidget* parent);

  ArrowDirection Direction() const { return direction_; }
  bool Pressed() const { return press_.Pressed(); }
  // The repeat interval in milliseconds.
  void SetInterval(int ms) { timer_.setInterval(ms); }
  int Interval() const { return timer_.interval(); }

 Q_SIGNALS:
  // One step.
  void Clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  ArrowDirection direction_;
  RepeatPress press_;
  QTimer timer_;
};

// Shows the arrow at `box` above its siblings, or hides it.
void PlaceArrow(TECButtonScroll& arrow, bool visible, const QRect& box);

}  // namespace nv::widgets
