#include "editor/row_pane.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QStyle>

#include <algorithm>
#include <utility>

#include "document/score_document.h"
#include "editor/row_loading.h"
#include "model/music_score.h"
#include "model/note_records.h"

namespace nv::editor {
namespace {

constexpr int kBarChange = 20;
constexpr int kBarStep = 10;
constexpr int kMargin = 16;

}  // namespace

RowPane::RowPane(nv::document::ScoreDocument& document, ItemOrder order, QWidget* parent)
    : QWidget(parent), document_(document), items_(order), horizontal_(Qt::Horizontal, this),
      vertical_(Qt::Vertical, this) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  for (QScrollBar* bar : {&horizontal_, &vertical_}) {
    bar->setPageStep(kBarChange);
    bar->setSingleStep(kBarStep);
    bar->setFocusPolicy(Qt::NoFocus);
    QObject::connect(bar, &QScrollBar::valueChanged, this, [this] { BarMoved(); });
  }
  resize(100, 100);
  Subscribe();
}

void RowPane::Subscribe() {
  auto& notices = document_.Notices();
  subscriptions_.push_back(notices.Changed.Subscribe([this] {
    if (!busy_) Refill();
  }));
  subscriptions_.push_back(notices.StaveChanged.Subscribe([this](TECStaveOperation, TECModelObject*) { Refill(); }));
  subscriptions_.push_back(notices.SelectedChanged.Subscribe([this] {
    if (!busy_) FollowScoreSelection();
  }));
  subscriptions_.push_back(notices.PositionChanged.Subscribe([this] {
    if (!busy_) FollowScoreCursor();
  }));
}

QRect RowPane::Viewport() const {
  return QRect(0, 0, std::max(0, width() - vertical_.width()), std::max(0, height() - horizontal_.height()));
}

QPoint RowPane::ToContent(const QPoint& client) const {
  const int x = client.x() < PanelWidth() ? client.x() : client.x() + horizontal_.value();
  return {x, client.y() + vertical_.value()};
}

QRect RowPane::ToClient(const PaneRect& r) const {
  return QRect(QPoint(r.Left - horizontal_.value(), r.Top - vertical_.value()),
               QPoint(r.Right - horizontal_.value() - 1, r.Bottom - vertical_.value() - 1));
}

void RowPane::Refill() {
  // The items point into the score: they are read again before anything
  // else uses them.
  const int previous = items_.Active();
  LoadActiveRow(document_.Score(), items_);
  Relayout();
  TakeScoreSelection(document_.Score(), items_);
  items_.SetActive(previous);
  FollowScoreCursor();
  update();
}

void RowPane::Relayout() {
  width_ = Lay();
  PlaceBars();
}

void RowPane::PlaceBars() {
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  vertical_.setGeometry(width() - bar, 0, bar, std::max(0, height() - bar));
  horizontal_.setGeometry(width() / 2, height() - bar, std::max(0, width() - bar - width() / 2), bar);
  const QRect view = Viewport();
  const int hPage = std::max(1, view.width() - PanelWidth());
  horizontal_.setPageStep(hPage);
  horizontal_.setRange(0, std::max(0, width_ - PanelWidth() - hPage));
  const int vPage = std::max(1, view.height());
  vertical_.setPageStep(vPage);
  vertical_.setRange(0, std::max(0, ContentHeight() - vPage));
}

void RowPane::BarMoved() {
  const QPoint now(horizontal_.value(), vertical_.value());
  const QPoint delta = scrolled_ - now;
  scrolled_ = now;
  if (delta.isNull()) return;
  const QRect view = Viewport();
  // The panel scrolls only vertically; the content both ways.
  const QRect content(PanelWidth(), 0, std::max(0, view.width() - PanelWidth()), view.height());
  if (delta.x() != 0) scroll(delta.x(), 0, content);
  if (delta.y() != 0) scroll(0, delta.y(), view);
}

QRect RowPane::ScrollBy(int dx, int dy) {
  const QPoint before(horizontal_.value(), vertical_.value());
  horizontal_.setValue(before.x() + dx);
  vertical_.setValue(before.y() + dy);
  const QPoint moved = QPoint(horizontal_.value(), vertical_.value()) - before;
  const QRect view = Viewport();
  if (moved.x() > 0) return QRect(view.right() + 1 - moved.x(), 0, moved.x(), view.height());
  if (moved.x() < 0) return QRect(PanelWidth(), 0, -moved.x(), view.height());
  if (moved.y() > 0) return QRect(0, view.bottom() + 1 - moved.y(), view.width(), moved.y());
  if (moved.y() < 0) return QRect(0, 0, view.width(), -moved.y());
  return {};
}

void RowPane::Render(QImage& target, const QRect& area) {
  QPainter painter(&target);
  painter.setClipRect(area);
  PaintArea(painter, area);
}

void RowPane::paintEvent(QPaintEvent* event) {
  const QRect area = event->rect().intersected(Viewport());
  QPainter screen(this);
  if (!area.isEmpty()) {
    // The buffer covers the area painted and never more than the viewport.
    if (buffer_.size() != area.size()) buffer_ = QImage(area.size(), QImage::Format_RGB32);
    {
      QPainter painter(&buffer_);
      painter.translate(-area.topLeft());
      painter.setClipRect(area);
      PaintArea(painter, area);
    }
    screen.drawImage(area.topLeft(), buffer_);
  }
  const QRect corner(0, Viewport().bottom() + 1, horizontal_.x(), height() - Viewport().height());
  screen.fillRect(corner, palette().button());
  screen.fillRect(QRect(vertical_.x(), vertical_.height(), vertical_.width(), horizontal_.height()), palette().button());
}

void RowPane::resizeEvent(QResizeEvent*) { Relayout(); }

void RowPane::RepaintItem(int item) {
  if (items_.Valid(item))
    update(ToClient(items_.Items()[static_cast<std::size_t>(item)].Whole).adjusted(-2, -2, 2, 2));
}

void RowPane::Select(int item, bool onlySelected) {
  auto& all = items_.Items();
  TECMusicScore& score = document_.Score();
  busy_ = true;
  if (onlySelected) {
    for (RowItem& other : all) other.Selected = false;
    score.ClearSelection();
    update();
  }
  // Selecting an element the score holds already would take it out again.
  if (!std::exchange(all[static_cast<std::size_t>(item)].Selected, true))
    score.SelectElement(all[static_cast<std::size_t>(item)].Element, 0);
  busy_ = false;
}

void RowPane::Activate(int item, bool onlySelected) {
  if (!items_.Valid(item)) return;
  RepaintItem(items_.Active());
  Select(item, onlySelected);
  items_.SetActive(item);
  RepaintItem(item);
  const RowItem& active = items_.Items()[static_cast<std::size_t>(item)];
  ScrollIntoView(active.Whole);
  TECMusicScore& score = document_.Score();
  busy_ = true;
  score.GoToMeasure(active.Measure);
  score.SetCursorPosition(active.Note->Start);
  busy_ = false;
}

void RowPane::ChooseItem(int item, Qt::KeyboardModifiers modifiers) {
  const int previous = items_.Active();
  if ((modifiers & Qt::ControlModifier) != 0) {
    Activate(item, false);
    if (items_.Valid(previous)) Select(previous, false);
    return;
  }
  Activate(item, true);
  if ((modifiers & Qt::ShiftModifier) == 0 || !items_.Valid(previous)) return;
  for (int i = std::min(previous, item); i <= std::max(previous, item); ++i) Select(i, false);
}

void RowPane::ScrollIntoView(const PaneRect& r) {
  const int vertical = VerticalMargin();
  const QRect view = Viewport();
  const int left = horizontal_.value() + PanelWidth();
  const int right = horizontal_.value() + view.width();
  if (r.Left - kMargin < left)
    horizontal_.setValue(r.Left - kMargin - PanelWidth());
  else if (r.Right + kMargin > right)
    horizontal_.setValue(r.Right + kMargin - view.width());
  if (r.Bottom > r.Top) {
    if (r.Top - vertical < vertical_.value())
      vertical_.setValue(r.Top - vertical);
    else if (r.Bottom + vertical > vertical_.value() + view.height())
      vertical_.setValue(r.Bottom + vertical - view.height());
  }
}

void RowPane::FollowScoreSelection() {
  TakeScoreSelection(document_.Score(), items_);
  FollowScoreCursor();
  update();
}

void RowPane::FollowScoreCursor() {
  const int item = ItemAtScoreCursor(document_.Score(), items_);
  if (item < 0 || item == items_.Active()) return;
  RepaintItem(items_.Active());
  items_.SetActive(item);
  RepaintItem(item);
  ScrollIntoView(items_.Items()[static_cast<std::size_t>(item)].Whole);
}

void RowPane::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  const QPoint content = ToContent(event->position().toPoint());
  const int item = HitTest(content);
  if (item < 0) {
    EmptyClicked(content);
    return;
  }
  ItemClicked(item, content, event->modifiers());
}

int RowPane::Neighbour(int direction) const {
  const auto& all = items_.Items();
  if (all.empty()) return -1;
  const int active = items_.Active();
  if (active < 0) return direction < 0 ? static_cast<int>(all.size()) - 1 : 0;
  const int left = all[static_cast<std::size_t>(active)].Whole.Left;
  for (int i = active + direction; i >= 0 && i < static_cast<int>(all.size()); i += direction) {
    const int l = all[static_cast<std::size_t>(i)].Whole.Left;
    if (direction < 0 ? l < left : l > left) return i;
  }
  return -1;
}

void RowPane::keyPressEvent(QKeyEvent* event) {
  if (PaneKey(*event)) return;
  const int count = static_cast<int>(items_.Items().size());
  switch (event->key()) {
    case Qt::Key_Home: Activate(0, true); break;
    case Qt::Key_End: Activate(count - 1, true); break;
    case Qt::Key_Left: Activate(Neighbour(-1), true); break;
    case Qt::Key_Right: Activate(Neighbour(1), true); break;
    default: QWidget::keyPressEvent(event); return;
  }
}

void RowPane::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
}

void RowPane::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

}  // namespace nv::editor
