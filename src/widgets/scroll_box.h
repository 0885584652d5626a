#pragma once

#include <QAbstractScrollArea>
#include <QStyle>

#include <memory>

#include "widgets/logic/scroll_axis.h"

class QScrollBar;
class QTimer;

namespace nv::widgets {

// The settings of one of the scroll box's bars, driving its QScrollBar.
class TItemScrollBar {
 public:
  enum class Style { Regular, Flat, HotTrack };

  TItemScrollBar(QScrollBar& bar, Qt::Orientation orientation);

  ScrollAxis& Axis() { return axis_; }
  const ScrollAxis& Axis() const { return axis_; }
  Qt::Orientation Orientation() const { return orientation_; }
  QScrollBar& Bar() { return bar_; }
  // Flat and hot-track bars are drawn in a plain style.
  void SetStyle(Style style);
  Style CurrentStyle() const { return style_; }
  bool tracking = true;

  // Copies what a form keeps of another bar: visible, range, position, increment.
  void Assign(const TItemScrollBar& other);

 private:
  QScrollBar& bar_;
  Qt::Orientation orientation_;
  ScrollAxis axis_;
  Style style_ = Style::Regular;
  std::unique_ptr<QStyle> plain_;
};

// A bordered box whose scroll ranges follow its children; scrolling moves
// them. With smooth bars a line or page scroll runs in small timed steps on
// a timer.
class TECScrollWinControl : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit TECScrollWinControl(QWidget* parent = nullptr,
                               const TickClock& clock = TickClock::Steady());
  ~TECScrollWinControl() override;

  TItemScrollBar& HorzScrollBar() { return *horz_; }
  TItemScrollBar& VertScrollBar() { return *vert_; }
  bool AutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool on);

  // Places a child in the box (at its position in the unscrolled box).
  void AddChild(QWidget& child);
  // Fits the ranges to the children and updates both bars.
  void UpdateRanges();
  void SetPosition(TItemScrollBar& bar, int position);
  // A line or page scroll (direction -1 or 1), smooth when the bar is.
  void ScrollLine(TItemScrollBar& bar, int direction);
  void ScrollPage(TItemScrollBar& bar, int direction);
  // Applies the smooth steps that fell due (the timer calls it).
  void PollSmooth();
  bool Scrolling() const { return smooth_.Running(); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void UpdateBars();
  void StartSmooth(TItemScrollBar& bar, std::vector<int> steps);
  void BarAction(TItemScrollBar& bar, int action);

  std::unique_ptr<TItemScrollBar> horz_;
  std::unique_ptr<TItemScrollBar> vert_;
  bool autoScroll_ = true;
  bool updating_ = false;
  SmoothSteps smooth_;
  TItemScrollBar* smoothBar_ = nullptr;
  QTimer* smoothTicks_;
};

}  // namespace nv::widgets
