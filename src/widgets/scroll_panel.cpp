#include "widgets/scroll_panel.h"

#include <QChildEvent>
#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

#include "platform/qt/qt_color.h"
#include "widgets/scroll_arrow_button.h"
#include "widgets/widget_paint.h"

namespace nv::widgets {

namespace {

ArrowDirection DirectionOf(ScrollArrowKind kind) {
  switch (kind) {
    case ScrollArrowKind::Left: return ArrowDirection::Left;
    case ScrollArrowKind::Up: return ArrowDirection::Up;
    case ScrollArrowKind::Right: return ArrowDirection::Right;
    case ScrollArrowKind::Down: return ArrowDirection::Down;
  }
  return ArrowDirection::Down;
}

}  // namespace

TECScrollPanel::TECScrollPanel(QWidget* parent) : QFrame(parent) {
  resize(100, 100);
  color_ = palette().color(QPalette::Button);
}

bool TECScrollPanel::IsArrow(const QObject* object) const {
  for (const TECButtonScroll* arrow : arrows_) {
    if (arrow != nullptr && arrow == object) return true;
  }
  return false;
}

std::vector<QWidget*> TECScrollPanel::Contents() const {
  std::vector<QWidget*> contents;
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    // Children not shown yet count; those hidden on purpose do not.
    const bool hidden = child->testAttribute(Qt::WA_WState_ExplicitShowHide) && child->isHidden();
    if (!IsArrow(child) && !hidden) contents.push_back(child);
  }
  return contents;
}

Rect TECScrollPanel::ClientRect() const { return ToRect(rect()); }

Rect TECScrollPanel::Extent() const {
  std::vector<Rect> boxes;
  for (const QWidget* child : Contents()) boxes.push_back(ToRect(child->geometry()));
  return model_.Extent(boxes, ClientRect());
}

void TECScrollPanel::RefreshButtons() {
  updating_ = true;
  ++arrowUpdates_;
  const Rect extent = Extent();
  const Rect client = ClientRect();
  for (int i = 0; i < 4; ++i) {
    const auto kind = static_cast<ScrollArrowKind>(i);
    const PanelArrow place = model_.Arrow(kind, extent, client);
    TECButtonScroll*& arrow = arrows_[static_cast<std::size_t>(i)];
    if (place.visible && arrow == nullptr) {
      arrow = new TECButtonScroll(DirectionOf(kind), this);
      arrow->SetInterval(timeOut_);
      connect(arrow, &TECButtonScroll::Clicked, this, [this, kind] {
        const Point step = model_.StepOf(kind);
        ScrollBy(step.x, step.y);
      });
    }
    if (arrow != nullptr) PlaceArrow(*arrow, place.visible, ToQRect(place.box));
  }
  updating_ = false;
  update();
}

void TECScrollPanel::ScrollBy(int dx, int dy) {
  const Point moved = model_.Scroll({dx, dy}, Extent(), ClientRect());
  if (moved.x == 0 && moved.y == 0) return;
  updating_ = true;
  for (QWidget* child : Contents()) child->move(child->pos() + QPoint(moved.x, moved.y));
  updating_ = false;
  RefreshButtons();
}

void TECScrollPanel::SetHorzScroll(bool on) {
  if (on == model_.HorzScroll()) return;
  model_.SetHorzScroll(on);
  RefreshButtons();
}

void TECScrollPanel::SetVertScroll(bool on) {
  if (on == model_.VertScroll()) return;
  model_.SetVertScroll(on);
  RefreshButtons();
}

void TECScrollPanel::SetTimeOut(int ms) {
  timeOut_ = ms;
  for (TECButtonScroll* arrow : arrows_) {
    if (arrow != nullptr) arrow->SetInterval(ms);
  }
}

void TECScrollPanel::SetButtonOffset(int value) {
  if (value == model_.ButtonOffset()) return;
  model_.SetButtonOffset(value);
  RefreshButtons();
}

void TECScrollPanel::SetButtonSize(int value) {
  if (value == model_.ButtonSize()) return;
  model_.SetButtonSize(value);
  RefreshButtons();
}

void TECScrollPanel::SetRightBottomSpace(int value) {
  if (value == model_.RightBottomSpace()) return;
  model_.SetRightBottomSpace(value);
  RefreshButtons();
}

void TECScrollPanel::SetBlackBorder(bool on) {
  blackBorder_ = on;
  RefreshButtons();
}

void TECScrollPanel::SetBorderColor(nv::platform::Color colour) {
  borderColor_ = colour;
  RefreshButtons();
}

void TECScrollPanel::SetWallPaper(const QPixmap& picture) {
  wallPaper_ = picture;
  update();
}

void TECScrollPanel::SetBevels(PanelBevel outer, PanelBevel inner, int bevelWidth, int borderWidth) {
  bevelOuter_ = outer;
  bevelInner_ = inner;
  bevelWidth_ = bevelWidth;
  borderWidth_ = borderWidth;
  update();
}

void TECScrollPanel::SetColor(const QColor& colour) {
  color_ = colour;
  update();
}

void TECScrollPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QRect area = rect();
  if (blackBorder_) {
    painter.setPen(nv::platform::toQColor(borderColor_));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    area.adjust(1, 1, -1, -1);
  } else {
    auto bevel = [&](PanelBevel b) {
      if (b == PanelBevel::None) return;
      qDrawShadeRect(&painter, area, palette(), b == PanelBevel::Lowered, bevelWidth_, 0, nullptr);
      area.adjust(bevelWidth_, bevelWidth_, -bevelWidth_, -bevelWidth_);
    };
    bevel(bevelOuter_);
    if (borderWidth_ > 0) {
      painter.fillRect(area, color_);
      area.adjust(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_);
    }
    bevel(bevelInner_);
  }
  if (!wallPaper_.isNull()) {
    painter.save();
    painter.setClipRect(area);
    TilePiece(painter, wallPaper_, QRect(0, 0, area.right() + 1, area.bottom() + 1));
    painter.restore();
  } else {
    painter.fillRect(area, color_);
  }
  painter.end();
  Q_EMIT Painted();
}

void TECScrollPanel::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  RefreshButtons();
}

void TECScrollPanel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = true;
  last_ = event->position().toPoint();
}

void TECScrollPanel::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  setCursor(Qt::PointingHandCursor);
  const QPoint p = event->position().toPoint();
  const QPoint delta = p - last_;
  last_ = p;
  ScrollBy(delta.x(), delta.y());
}

void TECScrollPanel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !dragging_) return;
  dragging_ = false;
  unsetCursor();
}

void TECScrollPanel::childEvent(QChildEvent* event) {
  QFrame::childEvent(event);
  QObject* child = event->child();
  if (!child->isWidgetType() || IsArrow(child)) return;
  if (event->added()) child->installEventFilter(this);
  if ((event->added() || event->removed()) && !updating_) RefreshButtons();
}

bool TECScrollPanel::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
      // The panel's own moves of a scroll re-place the arrows once, after.
      if (!updating_ && !IsArrow(watched) && watched->parent() == this) RefreshButtons();
      break;
    default:
      break;
  }
  return QFrame::eventFilter(watched, event);
}

}  // namespace nv::widgets
