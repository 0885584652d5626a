#include "widgets/score_control.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>

#include "editing/key_commands.h"
#include "platform/bounds_canvas.h"
#include "platform/qt/qt_canvas.h"
#include "widgets/input_mapping.h"

namespace nv::widgets {

namespace {

// Pixels a scroll bar moves for an arrow click and for a click beside the thumb.
constexpr int kSmallChange = 10;
constexpr int kLargeChange = 20;
constexpr int kTabRepeatMs = 150;

QRect ToQRect(const TECRect& r) { return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top); }

bool IsArrowKey(std::uint16_t code) { return code >= vk::Left && code <= vk::Down; }

}  // namespace

ScoreControl::ScoreControl(nv::document::ScoreDocument& document, QWidget* parent)
    : QWidget(parent),
      score_(document.Score()),
      horizontal_(new QScrollBar(Qt::Horizontal, this)),
      vertical_(new QScrollBar(Qt::Vertical, this)) {
  // Every paint covers its whole region; nothing is erased first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  resize(380, 305);
  ConnectBar(*horizontal_, TECScrollBarKind::sbHorizontal);
  ConnectBar(*vertical_, TECScrollBarKind::sbVertical);
  tabTimer_.setInterval(kTabRepeatMs);
  connect(&tabTimer_, &QTimer::timeout, this, [this] { score_.TabTimerStep(); });
  PlaceScrollBars();
  score_.SetHost(this);
}

ScoreControl::~ScoreControl() {
  tabTimer_.stop();
  score_.SetHost(nullptr);
}

void ScoreControl::ConnectBar(QScrollBar& bar, TECScrollBarKind kind) {
  bar.setFocusPolicy(Qt::NoFocus);
  // An opaque bar repaints alone, not the score beneath it.
  bar.setAutoFillBackground(true);
  bar.setSingleStep(kSmallChange);
  // The page step sizes the thumb to the visible length; a click beside the
  // thumb still moves by the large change.
  connect(&bar, &QAbstractSlider::actionTriggered, this, [&bar](int action) {
    if (action == QAbstractSlider::SliderPageStepAdd) bar.setSliderPosition(bar.value() + kLargeChange);
    if (action == QAbstractSlider::SliderPageStepSub) bar.setSliderPosition(bar.value() - kLargeChange);
  });
  connect(&bar, &QAbstractSlider::valueChanged, this, [this, kind](int value) { score_.ScrollTo(kind, value); });
}

bool ScoreControl::SetNoteCursor(bool on) {
  const QPoint mouse = mapFromGlobal(QCursor::pos());
  return score_.SetNoteCursor(on, TECPoint{mouse.x(), mouse.y()});
}

QSize ScoreControl::sizeHint() const { return scoreSize_.isValid() ? scoreSize_ : QSize(380, 305); }

// --- host calls ----------------------------------------------------------------

void ScoreControl::InvalidateRect(const TECRect& area) {
  const QRect rect = ToQRect(area);
  pending_ += rect;
  update(rect);
}

void ScoreControl::InvalidateAll() {
  pending_ = QRegion(rect());
  update();
}

// Painting draws the caret or leaves it off; what it covers is repainted.
void ScoreControl::SetCaretVisible(bool visible) {
  caretShown_ = visible;
  nv::platform::BoundsCanvas caret(ClientCaps());
  score_.DrawCaret(caret, visible);
  const nv::platform::Rect& r = caret.bounds();
  if (!r.isEmpty()) InvalidateRect({r.left, r.top, r.right, r.bottom});
}

nv::platform::DeviceCaps ScoreControl::ClientCaps() const {
  const int dpi = score_.GetResolution();
  return nv::platform::screenDeviceCaps(width(), height(), dpi, dpi);
}

void ScoreControl::SetMouseCursor(int cursor) {
  if (IsToolCursorCode(cursor))
    setCursor(toolCursor_);
  else
    setCursor(CursorShapeOf(cursor));
}

void ScoreControl::SetToolCursor(const QCursor& cursor) {
  toolCursor_ = cursor;
  if (IsToolCursorCode(score_.GetCursor())) setCursor(cursor);
}

void ScoreControl::SetScoreSize(int width, int height) {
  scoreSize_ = QSize(width, height);
  updateGeometry();
}

int ScoreControl::VerticalBarWidth() const {
  return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, vertical_);
}

int ScoreControl::HorizontalBarHeight() const {
  return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, horizontal_);
}

void ScoreControl::SetScrollBar(TECScrollBarKind kind, const TECScrollBar& state) {
  QScrollBar& bar = kind == TECScrollBarKind::sbHorizontal ? *horizontal_ : *vertical_;
  // The score already stands where the bar is put; no ScrollTo comes back.
  const QSignalBlocker block(bar);
  bar.setRange(0, std::max(0, state.Max - state.PageSize));
  bar.setPageStep(state.PageSize);
  bar.setValue(state.Position);
}

TECRect ScoreControl::ScrollContents(const TECRect& area, int dx, int dy) {
  scroll(dx, dy, ToQRect(area));
  const TECRect strip = UncoveredStrip(area, dx, dy);
  pending_ += ToQRect(strip);
  return strip;
}

void ScoreControl::RepaintNow() {
  if (!pending_.isEmpty()) repaint(pending_);
}

void ScoreControl::SetTabTimer(bool on) {
  if (on)
    tabTimer_.start();
  else
    tabTimer_.stop();
}

void ScoreControl::ShowHint(const std::string& text, int x, int y) {
  if (text.empty())
    QToolTip::hideText();
  else
    QToolTip::showText(mapToGlobal(QPoint(x, y)), QString::fromStdString(text), this);
}

// --- window events ---------------------------------------------------------------

void ScoreControl::paintEvent(QPaintEvent* event) {
  pending_ = QRegion();
  nv::platform::QtCanvas canvas(*this, ClientCaps());
  const QRect area = event->rect();
  const nv::platform::Rect clip{area.left(), area.top(), area.right() + 1, area.bottom() + 1};
  canvas.intersectClipRect(clip);
  // What the score leaves unpainted (the bottom edge while disabled) shows white.
  canvas.setBrush({nv::platform::colors::white, nv::platform::BrushStyle::Solid, {}});
  canvas.fillRect(clip);
  score_.Paint(canvas, &buffer_);
  if (caretShown_) score_.DrawCaret(canvas, true);
  score_.DrawOverlay(canvas);
}

void ScoreControl::PlaceScrollBars() {
  const int w = width();
  const int h = height();
  const int barWidth = VerticalBarWidth();
  const int barHeight = HorizontalBarHeight();
  vertical_->setGeometry(w - barWidth, 0, barWidth, std::max(0, h - barHeight));
  // The left half of the bottom edge holds the page tabs.
  horizontal_->setGeometry(w / 2, h - barHeight, std::max(0, w - barWidth - w / 2), barHeight);
}

void ScoreControl::resizeEvent(QResizeEvent*) {
  PlaceScrollBars();
  score_.UpdateScrollBars(false);
}

void ScoreControl::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    horizontal_->setVisible(isEnabled());
    vertical_->setVisible(isEnabled());
    score_.InvalidateClientArea();
  }
  QWidget::changeEvent(event);
}

void ScoreControl::FocusChanged(bool focused) {
  score_.ShowCaret(false);
  score_.HasFocus = focused;
  score_.ShowCaret(true);
}

// The base handlers would repaint the whole control on a focus change.
void ScoreControl::focusInEvent(QFocusEvent*) { FocusChanged(true); }
void ScoreControl::focusOutEvent(QFocusEvent*) { FocusChanged(false); }

// --- input -------------------------------------------------------------------------

void ScoreControl::Press(QMouseEvent& event, TECShiftState extra) {
  const auto button = MouseButtonOf(event.button());
  if (!button) {
    event.ignore();
    return;
  }
  const QPoint p = event.position().toPoint();
  score_.MouseDown(*button, ShiftStateOf(event.modifiers(), event.buttons()) | extra, p.x(), p.y());
}

void ScoreControl::mousePressEvent(QMouseEvent* event) { Press(*event, 0); }

// Qt sends the second press of a double click as this event alone.
void ScoreControl::mouseDoubleClickEvent(QMouseEvent* event) { Press(*event, ssDouble); }

void ScoreControl::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  score_.MouseMove(ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
}

void ScoreControl::mouseReleaseEvent(QMouseEvent* event) {
  const auto button = MouseButtonOf(event->button());
  if (!button) {
    event->ignore();
    return;
  }
  const QPoint p = event->position().toPoint();
  score_.MouseUp(*button, ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
}

void ScoreControl::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  const QPoint p = event->position().toPoint();
  if (delta == 0 || !score_.DoMouseWheel(ShiftStateOf(event->modifiers(), event->buttons()), delta, {p.x(), p.y()}))
    event->ignore();
}

void ScoreControl::keyPressEvent(QKeyEvent* event) {
  if (const auto code = VirtualKeyOf(*event)) {
    const bool used =
        nv::editing::CallKeyDown(score_, *code, ShiftStateOf(event->modifiers(), QGuiApplication::mouseButtons()));
    // The arrow keys stay with the control, handled or not.
    if (used || IsArrowKey(*code)) return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace nv::widgets
