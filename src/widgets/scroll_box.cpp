#include "widgets/scroll_box.h"

#include <QEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>

namespace nv::widgets {

TItemScrollBar::TItemScrollBar(QScrollBar& bar, Qt::Orientation orientation)
    : bar_(bar), orientation_(orientation) {}

void TItemScrollBar::SetStyle(Style style) {
  style_ = style;
  if (style == Style::Regular) {
    bar_.setStyle(nullptr);
    return;
  }
  if (!plain_) plain_.reset(QStyleFactory::create("Fusion"));
  bar_.setStyle(plain_.get());
}

void TItemScrollBar::Assign(const TItemScrollBar& other) {
  axis_.visible = other.axis_.visible;
  axis_.SetRange(other.axis_.Range());
  axis_.increment = other.axis_.increment;
  axis_.SetPosition(other.axis_.Position());
}

TECScrollWinControl::TECScrollWinControl(QWidget* parent, const TickClock& clock)
    : QAbstractScrollArea(parent), smooth_(clock), smoothTicks_(new QTimer(this)) {
  resize(185, 41);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  horz_ = std::make_unique<TItemScrollBar>(*horizontalScrollBar(), Qt::Horizontal);
  vert_ = std::make_unique<TItemScrollBar>(*verticalScrollBar(), Qt::Vertical);
  for (TItemScrollBar* bar : {horz_.get(), vert_.get()}) {
    connect(&bar->Bar(), &QAbstractSlider::actionTriggered, this,
            [this, bar](int action) { BarAction(*bar, action); });
  }
  connect(smoothTicks_, &QTimer::timeout, this, &TECScrollWinControl::PollSmooth);
  UpdateBars();
}

TECScrollWinControl::~TECScrollWinControl() {
  // The plain styles must outlive their bars' use of them.
  horizontalScrollBar()->setStyle(nullptr);
  verticalScrollBar()->setStyle(nullptr);
}

void TECScrollWinControl::SetAutoScroll(bool on) {
  autoScroll_ = on;
  if (!on) {
    horz_->Axis().SetRange(0);
    vert_->Axis().SetRange(0);
  }
  UpdateRanges();
}

void TECScrollWinControl::AddChild(QWidget& child) {
  child.setParent(viewport());
  child.move(child.x() - horz_->Axis().Position(), child.y() - vert_->Axis().Position());
  child.installEventFilter(this);
  child.show();
  UpdateRanges();
}

void TECScrollWinControl::UpdateRanges() {
  if (autoScroll_) {
    std::vector<ScrollAxis::Child> across;
    std::vector<ScrollAxis::Child> down;
    for (QObject* object : viewport()->children()) {
      if (!object->isWidgetType()) continue;
      auto* child = static_cast<QWidget*>(object);
      const bool shown = !child->isHidden();
      across.push_back({child->x(), child->width(), ScrollAxis::Align::None, shown});
      down.push_back({child->y(), child->height(), ScrollAxis::Align::None, shown});
    }
    horz_->Axis().FitRange(across);
    vert_->Axis().FitRange(down);
  }
  UpdateBars();
}

void TECScrollWinControl::UpdateBars() {
  if (updating_) return;
  updating_ = true;
  const QRect inside = contentsRect();
  const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  ScrollAxis& h = horz_->Axis();
  ScrollAxis& v = vert_->Axis();
  // A bar takes room from the other direction: settle which bars show first.
  bool showV = v.visible && v.Range() > inside.height();
  bool showH = h.visible && h.Range() > inside.width() - (showV ? barWidth : 0);
  showV = v.visible && v.Range() > inside.height() - (showH ? barWidth : 0);
  h.Update(inside.width() - (showV ? barWidth : 0));
  v.Update(inside.height() - (showH ? barWidth : 0));
  for (TItemScrollBar* bar : {horz_.get(), vert_.get()}) {
    const ScrollAxis& axis = bar->Axis();
    const bool across = bar == horz_.get();
    const Qt::ScrollBarPolicy policy = axis.BarShown() ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (across) setHorizontalScrollBarPolicy(policy);
    else setVerticalScrollBarPolicy(policy);
    bar->Bar().setRange(0, axis.MaxPosition());
    bar->Bar().setPageStep(across ? inside.width() : inside.height());
    bar->Bar().setSingleStep(std::max(1, axis.increment));
    bar->Bar().setTracking(bar->tracking);
    bar->Bar().setValue(axis.Position());
  }
  updating_ = false;
}

void TECScrollWinControl::SetPosition(TItemScrollBar& bar, int position) {
  bar.Bar().setValue(std::clamp(position, 0, bar.Axis().MaxPosition()));
}

void TECScrollWinControl::scrollContentsBy(int dx, int dy) {
  horz_->Axis().SetPosition(horizontalScrollBar()->value());
  vert_->Axis().SetPosition(verticalScrollBar()->value());
  viewport()->scroll(dx, dy);
}

void TECScrollWinControl::ScrollLine(TItemScrollBar& bar, int direction) {
  StartSmooth(bar, bar.Axis().LineSteps(direction));
}

void TECScrollWinControl::ScrollPage(TItemScrollBar& bar, int direction) {
  const QRect inside = viewport()->rect();
  StartSmooth(bar, bar.Axis().PageSteps(direction, bar.Orientation() == Qt::Horizontal
                                                       ? inside.width()
                                                       : inside.height()));
}

void TECScrollWinControl::StartSmooth(TItemScrollBar& bar, std::vector<int> steps) {
  smoothBar_ = &bar;
  smooth_.Start(std::move(steps));
  PollSmooth();
  if (smooth_.Running()) smoothTicks_->start(SmoothSteps::kStepMs);
}

void TECScrollWinControl::PollSmooth() {
  if (!smoothBar_) return;
  if (const int step = smooth_.Due(); step != 0)
    SetPosition(*smoothBar_, smoothBar_->Axis().Position() + step);
  if (!smooth_.Running()) smoothTicks_->stop();
}

void TECScrollWinControl::BarAction(TItemScrollBar& bar, int action) {
  const int direction = action == QAbstractSlider::SliderSingleStepAdd ||
                                action == QAbstractSlider::SliderPageStepAdd
                            ? 1
                            : -1;
  const bool line = action == QAbstractSlider::SliderSingleStepAdd ||
                    action == QAbstractSlider::SliderSingleStepSub;
  const bool page = action == QAbstractSlider::SliderPageStepAdd ||
                    action == QAbstractSlider::SliderPageStepSub;
  if (!bar.Axis().smooth || !(line || page)) return;
  // The bar would jump at once: hold it and move there in steps instead.
  bar.Bar().setSliderPosition(bar.Axis().Position());
  line ? ScrollLine(bar, direction) : ScrollPage(bar, direction);
}

void TECScrollWinControl::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateRanges();
}

bool TECScrollWinControl::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
      event->type() == QEvent::Show || event->type() == QEvent::Hide)
    UpdateRanges();
  return QAbstractScrollArea::eventFilter(watched, event);
}

}  // namespace nv::widgets
