#include "widgets/form_designer.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "platform/qt/qt_font_faces.h"
#include "widgets/widget_paint.h"
#include "widgets/window_manager.h"

namespace nv::widgets {

namespace {

SkinWindowState StateOf(const QWidget* form) {
  if (form->isMinimized()) return SkinWindowState::Minimized;
  if (form->isMaximized()) return SkinWindowState::Maximized;
  return SkinWindowState::Normal;
}

Qt::CursorShape CursorFor(SkinHit hit) {
  switch (hit) {
    case SkinHit::Left:
    case SkinHit::Right: return Qt::SizeHorCursor;
    case SkinHit::Top:
    case SkinHit::Bottom: return Qt::SizeVerCursor;
    case SkinHit::TopLeft:
    case SkinHit::BottomRight: return Qt::SizeFDiagCursor;
    case SkinHit::TopRight:
    case SkinHit::BottomLeft: return Qt::SizeBDiagCursor;
    default: return Qt::ArrowCursor;
  }
}

Qt::Edges EdgesFor(SkinHit hit) {
  switch (hit) {
    case SkinHit::Left: return Qt::LeftEdge;
    case SkinHit::Right: return Qt::RightEdge;
    case SkinHit::Top: return Qt::TopEdge;
    case SkinHit::Bottom: return Qt::BottomEdge;
    case SkinHit::TopLeft: return Qt::TopEdge | Qt::LeftEdge;
    case SkinHit::TopRight: return Qt::TopEdge | Qt::RightEdge;
    case SkinHit::BottomLeft: return Qt::BottomEdge | Qt::LeftEdge;
    case SkinHit::BottomRight: return Qt::BottomEdge | Qt::RightEdge;
    default: return {};
  }
}

// The active picture, or the inactive one for an inactive window that has it.
const QPixmap& Pick(const QPixmap& active, const QPixmap& inactive, bool isActive) {
  return isActive || inactive.isNull() ? active : inactive;
}

}  // namespace

TECFormCaption::TECFormCaption() {
  font = QFont(nv::platform::fontFamilyFor("Times new roman"));
  font.setBold(true);
}

QObject* TECFormDesigner::CheckedOwner(QObject* owner) {
  if (owner == nullptr) throw DException("Component must be have class");
  auto* form = qobject_cast<QWidget*>(owner);
  if (form == nullptr || !form->isWindow()) throw DException("Owner must be a TForm class");
  if (Of(form) != nullptr) throw DException("May be only one TECFormDisigner component on the Form");
  return owner;
}

TECFormDesigner::TECFormDesigner(QObject* owner)
    : QObject(CheckedOwner(owner)), form_(static_cast<QWidget*>(owner)) {
  form_->installEventFilter(this);
  ApplyOutline();
}

TECFormDesigner::~TECFormDesigner() {
  // The skin goes off without a repaint: the form may be going too.
  if (active_) {
    form_->removeEventFilter(this);
    form_->setContentsMargins(savedMargins_);
  }
}

TECFormDesigner* TECFormDesigner::Of(const QWidget* form) {
  return form == nullptr ? nullptr : form->findChild<TECFormDesigner*>(QString(), Qt::FindDirectChildrenOnly);
}

bool TECFormDesigner::InForce() const { return active_ && form_->isWindow(); }

void TECFormDesigner::SetActive(bool on) {
  if (on == active_) return;
  const bool visible = form_->isVisible();
  if (on) {
    savedFlags_ = form_->windowFlags();
    savedMargins_ = form_->contentsMargins();
    // The form's own say over minimising and maximising, as its flags or its
    // kind of window give it.
    const bool custom = savedFlags_.testFlag(Qt::CustomizeWindowHint) ||
                        (savedFlags_ & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    const Qt::WindowType type = form_->windowType();
    canMinimize_ = custom ? savedFlags_.testFlag(Qt::WindowMinimizeButtonHint) : type == Qt::Window;
    canMaximize_ = custom ? savedFlags_.testFlag(Qt::WindowMaximizeButtonHint) : type == Qt::Window;
    active_ = true;
    form_->setWindowFlag(Qt::FramelessWindowHint, true);
    form_->setMouseTracking(true);
  } else {
    active_ = false;
    form_->setWindowFlags(savedFlags_);
    form_->setContentsMargins(savedMargins_);
  }
  if (visible) form_->show();
  ApplyOutline();
  RecomputeFrame();
}

void TECFormDesigner::SetFullScreen(bool on) {
  layout_.fullScreen = on;
  RecomputeFrame();
}

void TECFormDesigner::SetCaptionSetting(const TECFormCaption& caption) {
  caption_ = caption;
  RecomputeFrame();
}

void TECFormDesigner::SetBorderSetting(const TECFormBorder& border) {
  border_ = border;
  RecomputeFrame();
}

void TECFormDesigner::SetButtons(const std::vector<TECFormButton>& buttons) {
  buttons_ = buttons;
  RecomputeFrame();
}

void TECFormDesigner::SetWallPaper(const QPixmap& picture) {
  wallPaper_ = picture;
  form_->update();
}

void TECFormDesigner::SetEllipse(int width, int height) {
  if (width == widthEllipse_ && height == heightEllipse_) return;
  widthEllipse_ = width;
  heightEllipse_ = height;
  ApplyOutline();
}

void TECFormDesigner::Assign(const TECFormDesigner& other) {
  assigning_ = true;
  border_ = other.border_;
  caption_ = other.caption_;
  buttons_ = other.buttons_;
  wallPaper_ = other.wallPaper_;
  SetActive(other.active_);
  SetEllipse(other.widthEllipse_, other.heightEllipse_);
  assigning_ = false;
  RecomputeFrame();
}

void TECFormDesigner::SyncLayout() {
  layout_.leftWidth = border_.left.width();
  layout_.rightWidth = border_.right.width();
  layout_.bottomHeight = border_.bottom.isNull() ? 0 : border_.bottom.height();
  layout_.captionHeight = caption_.height;
  layout_.simple = border_.simple;
  layout_.penWidth = std::max(1, border_.pen.width());
  layout_.buttons.clear();
  for (const TECFormButton& b : buttons_) {
    SkinButton place = b.place;
    if (place.style == SkinButtonStyle::Custom && b.onShow) {
      bool visible = true;
      b.onShow(visible, place.top, place.left);
      place.customVisible = visible;
    }
    layout_.buttons.push_back(place);
  }
  layout_.SetWindowSize(form_->width(), form_->height());
  layout_.SetWindowState(selfMaximized_ ? SkinWindowState::Maximized : StateOf(form_));
}

void TECFormDesigner::RecomputeFrame() {
  if (assigning_) return;
  SyncLayout();
  if (InForce()) {
    const SkinLayout::Margins m = layout_.ClientMargins();
    form_->setContentsMargins(m.left, m.top, m.right, m.bottom);
  } else if (active_) {
    form_->setContentsMargins(0, 0, 0, 0);
  }
  form_->update();
}

void TECFormDesigner::ApplyOutline() {
  if (!InForce()) {
    form_->clearMask();
    return;
  }
  if (OnCreateRgn) {
    form_->setMask(OnCreateRgn(form_->size()));
  } else if (widthEllipse_ != 0 && heightEllipse_ != 0) {
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, form_->width(), form_->height()), widthEllipse_ / 2.0, heightEllipse_ / 2.0);
    form_->setMask(QRegion(path.toFillPolygon().toPolygon()));
  } else {
    form_->clearMask();
  }
}

QRect TECFormDesigner::CaptionTextRect() const {
  const bool isActive = form_->isActiveWindow();
  int start = Pick(caption_.activeLeft, caption_.deactiveLeft, isActive).width();
  if (caption_.iconVisible) {
    const int iconEnd = caption_.icon.isNull() ? caption_.iconLeft + 16 + caption_.iconLeft
                                               : caption_.iconLeft + caption_.icon.width();
    start = std::max(start, iconEnd);
  }
  if (caption_.textLeft >= 0) start = caption_.textLeft;
  const QPixmap& right = layout_.ShownState() == SkinWindowState::Minimized
                             ? caption_.activeMinRight
                             : (isActive ? caption_.activeRight : caption_.deactiveRight);
  const int rightWidth = (right.isNull() ? caption_.activeRight : right).width();
  const int end = caption_.textRight >= 0 ? form_->width() - caption_.textRight : form_->width() - rightWidth;
  return QRect(start, 0, std::max(0, end - start), caption_.height);
}

QString TECFormDesigner::ShownCaption() const {
  return ShortenCaption(form_->windowTitle(), CaptionTextRect().width(), QFontMetrics(caption_.font));
}

void TECFormDesigner::PaintFrame(QPainter& painter) {
  const int w = form_->width();
  const int h = form_->height();
  const bool isActive = form_->isActiveWindow();
  const bool minimized = layout_.ShownState() == SkinWindowState::Minimized;
  if (layout_.fullScreen) return;
  if (caption_.color.isValid()) {
    painter.fillRect(0, 0, w, caption_.height, caption_.color);
    // The border bands too, so that the pieces' transparent pixels show the
    // frame's colour rather than the client's background.
    if (!minimized && !border_.simple) {
      const SkinLayout::Margins m = layout_.ClientMargins();
      painter.fillRect(0, caption_.height, m.left, h - caption_.height, caption_.color);
      painter.fillRect(w - m.right, caption_.height, m.right, h - caption_.height, caption_.color);
      painter.fillRect(0, h - m.bottom, w, m.bottom, caption_.color);
    }
  }
  if (!minimized) {
    if (border_.simple) {
      painter.setPen(border_.pen);
      painter.setBrush(Qt::NoBrush);
      if (widthEllipse_ != 0 && heightEllipse_ != 0)
        painter.drawRoundedRect(QRectF(0, 0, w - 1, h - 1), widthEllipse_ / 2.0, heightEllipse_ / 2.0);
      else
        painter.drawRect(0, 0, w - 1, h - 1);
    } else {
      const int top = caption_.height;
      const QPixmap& leftTop = Pick(border_.leftTop, border_.deLeftTop, isActive);
      const QPixmap& left = Pick(border_.left, border_.deLeft, isActive);
      painter.drawPixmap(0, top, leftTop);
      TilePiece(painter, left, QRect(0, top + leftTop.height(), left.width(), h - top - leftTop.height()));
      const QPixmap& rightTop = Pick(border_.rightTop, border_.deRightTop, isActive);
      const QPixmap& right = Pick(border_.right, border_.deRight, isActive);
      const int rx = w - layout_.rightWidth;
      painter.drawPixmap(rx, top, rightTop);
      TilePiece(painter, right, QRect(rx, top + rightTop.height(), right.width(), h - top - rightTop.height()));
      if (layout_.bottomHeight > 0) {
        const int by = h - layout_.bottomHeight;
        const QPixmap& leftBottom = Pick(border_.leftBottom, border_.deLeftBottom, isActive);
        const QPixmap& bottom = Pick(border_.bottom, border_.deBottom, isActive);
        const QPixmap& rightBottom = Pick(border_.rightBottom, border_.deRightBottom, isActive);
        painter.drawPixmap(0, by, leftBottom);
        TilePiece(painter, bottom, QRect(leftBottom.width(), by, w - leftBottom.width() - rightBottom.width(), layout_.bottomHeight));
        painter.drawPixmap(w - rightBottom.width(), by, rightBottom);
      }
    }
  }
  if (caption_.height > 0) {
    const bool inactiveLook = !isActive && !minimized;
    const QPixmap& left = inactiveLook && !caption_.deactiveLeft.isNull() ? caption_.deactiveLeft : caption_.activeLeft;
    const QPixmap& centre = inactiveLook && !caption_.deactiveCenter.isNull() ? caption_.deactiveCenter : caption_.activeCenter;
    const QPixmap* right = minimized ? &caption_.activeMinRight : (!isActive ? &caption_.deactiveRight : &caption_.activeRight);
    if (right->isNull()) right = &caption_.activeRight;
    painter.drawPixmap(0, 0, left);
    TilePiece(painter, centre, QRect(left.width(), 0, w - left.width() - right->width(), caption_.height));
    painter.drawPixmap(w - right->width(), 0, *right);
  }
  if (caption_.iconVisible) {
    if (!caption_.icon.isNull()) painter.drawPixmap(caption_.iconLeft, caption_.iconTop, caption_.icon);
    else if (!form_->windowIcon().isNull())
      painter.drawPixmap(caption_.iconLeft, caption_.iconTop, form_->windowIcon().pixmap(16, 16));
  }
  const QRect textRect = CaptionTextRect();
  painter.setFont(caption_.font);
  painter.setPen(caption_.fontColor);
  painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, ShownCaption());
  for (int i = 0; i < static_cast<int>(buttons_.size()); ++i) {
    if (!layout_.ButtonVisible(i)) continue;
    const TECFormButton& b = buttons_[static_cast<std::size_t>(i)];
    const QRect box = ToQRect(layout_.ButtonRect(i));
    if (box.x() <= 0 || b.picture.isNull()) continue;
    const int image = layout_.ImageIndex(i, layout_.StateOf(i), isActive, b.picture.width());
    const int images = std::max(1, b.picture.width() / std::max(1, box.width()));
    const QImage state = b.picture.copy((image < images ? image : 0) * box.width(), 0, box.width(), box.height());
    painter.drawPixmap(box.topLeft(), b.transparent ? TransparentPiece(state) : QPixmap::fromImage(state));
  }
}

bool TECFormDesigner::FormResizable() const {
  return form_->minimumSize() != form_->maximumSize();
}

void TECFormDesigner::Minimize() {
  layout_.BeginCommand(SkinWindowState::Minimized);
  form_->showMinimized();
  layout_.EndCommand();
}

void TECFormDesigner::Maximize() {
  layout_.BeginCommand(SkinWindowState::Maximized);
  if (WindowManagerRunning()) {
    form_->showMaximized();
  } else {
    // Nobody else maximises: fill the available screen and keep the old place.
    normalGeometry_ = form_->geometry();
    selfMaximized_ = true;
    const QScreen* screen = form_->screen() != nullptr ? form_->screen() : QGuiApplication::primaryScreen();
    form_->setGeometry(screen->availableGeometry());
  }
  layout_.EndCommand();
  RecomputeFrame();
}

void TECFormDesigner::Restore() {
  layout_.BeginCommand(SkinWindowState::Normal);
  if (selfMaximized_) {
    selfMaximized_ = false;
    if (form_->isMinimized()) form_->showNormal();
    form_->setGeometry(normalGeometry_);
  } else {
    form_->showNormal();
  }
  layout_.EndCommand();
  RecomputeFrame();
}

void TECFormDesigner::RunButton(int index) {
  if (index < 0 || index >= static_cast<int>(buttons_.size())) return;
  switch (buttons_[static_cast<std::size_t>(index)].place.style) {
    case SkinButtonStyle::Normal: Restore(); break;
    case SkinButtonStyle::Minimized: Minimize(); break;
    case SkinButtonStyle::Maximized: Maximize(); break;
    case SkinButtonStyle::Close: form_->close(); break;
    case SkinButtonStyle::Custom:
      if (buttons_[static_cast<std::size_t>(index)].onClick) buttons_[static_cast<std::size_t>(index)].onClick();
      break;
  }
}

bool TECFormDesigner::MousePress(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return false;
  pressToggled_ = false;
  const QPoint p = event->position().toPoint();
  if (layout_.Press({p.x(), p.y()})) {
    form_->update();
    return true;
  }
  const SkinHit hit = layout_.HitTest({p.x(), p.y()}, FormResizable());
  if (hit == SkinHit::Client) return false;
  QWindow* window = form_->windowHandle();
  dragStart_ = event->globalPosition().toPoint();
  dragGeometry_ = form_->geometry();
  if (hit == SkinHit::Caption) {
    // The second press of a double click: a window manager that took the
    // first press for a move never lets the double click itself through.
    const bool second = captionPress_.isValid() && captionPress_.elapsed() < QApplication::doubleClickInterval() &&
                        (dragStart_ - captionPoint_).manhattanLength() <= QApplication::startDragDistance();
    captionPoint_ = dragStart_;
    if (second) {
      captionPress_.invalidate();
      pressToggled_ = true;
      ToggleMaximized();
      return true;
    }
    captionPress_.start();
    // The move starts with the first motion: a window manager that took the
    // press would swallow the second press of a double click.
    if (!selfMaximized_ && !form_->isMaximized()) drag_ = Drag::PendingMove;
  } else {
    dragEdges_ = EdgesFor(hit);
    if (window == nullptr || !window->startSystemResize(dragEdges_)) drag_ = Drag::Resize;
  }
  return true;
}

bool TECFormDesigner::MouseMove(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (drag_ != Drag::None) {
    const QPoint d = event->globalPosition().toPoint() - dragStart_;
    if (drag_ == Drag::PendingMove) {
      if (d.isNull()) return true;
      // A window manager takes the move from the press on; else the
      // designer follows the pointer.
      if (StartWindowManagerMove(form_->winId(), dragStart_)) {
        drag_ = Drag::None;
        return true;
      }
      drag_ = Drag::Move;
      form_->move(dragGeometry_.topLeft() + d);
    } else if (drag_ == Drag::Move) {
      form_->move(dragGeometry_.topLeft() + d);
    } else {
      QRect g = dragGeometry_;
      if (dragEdges_ & Qt::LeftEdge) g.setLeft(std::min(g.left() + d.x(), g.right() - form_->minimumWidth()));
      if (dragEdges_ & Qt::RightEdge) g.setRight(g.right() + d.x());
      if (dragEdges_ & Qt::TopEdge) g.setTop(std::min(g.top() + d.y(), g.bottom() - form_->minimumHeight()));
      if (dragEdges_ & Qt::BottomEdge) g.setBottom(g.bottom() + d.y());
      form_->setGeometry(g);
    }
    return true;
  }
  if (layout_.Hover({p.x(), p.y()})) form_->update();
  const SkinHit hit = event->buttons() == Qt::NoButton ? layout_.HitTest({p.x(), p.y()}, FormResizable()) : SkinHit::Client;
  if (hit == SkinHit::Client || hit == SkinHit::Caption || hit == SkinHit::Button) form_->unsetCursor();
  else form_->setCursor(CursorFor(hit));
  return layout_.PressedButton() >= 0;
}

bool TECFormDesigner::MouseRelease(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return false;
  if (drag_ != Drag::None) {
    drag_ = Drag::None;
    return true;
  }
  if (layout_.PressedButton() < 0) return false;
  const QPoint p = event->position().toPoint();
  const int action = layout_.Release({p.x(), p.y()});
  form_->update();
  RunButton(action);
  return true;
}

void TECFormDesigner::ToggleMaximized() {
  if (!SkinLayout::DoubleClickToggles(canMinimize_, canMaximize_, layout_.PressedButton())) return;
  if (layout_.ShownState() == SkinWindowState::Normal) Maximize();
  else Restore();
}

bool TECFormDesigner::MouseDoubleClick(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (layout_.HitTest({p.x(), p.y()}, false) != SkinHit::Caption) return false;
  // When its press came first, that press already toggled.
  if (!pressToggled_) ToggleMaximized();
  pressToggled_ = false;
  captionPress_.invalidate();
  return true;
}

bool TECFormDesigner::eventFilter(QObject* watched, QEvent* event) {
  if (watched != form_) return QObject::eventFilter(watched, event);
  if (event->type() == QEvent::ParentChange) {
    // Docked into another widget, the form keeps no frame; undocked, it has it back.
    ApplyOutline();
    RecomputeFrame();
    return false;
  }
  if (!InForce()) return false;
  switch (event->type()) {
    case QEvent::Paint: {
      SyncLayout();
      QPainter painter(form_);
      if (!wallPaper_.isNull()) TilePiece(painter, wallPaper_, form_->contentsRect());
      PaintFrame(painter);
      return false;
    }
    case QEvent::Resize:
      ApplyOutline();
      RecomputeFrame();
      return false;
    case QEvent::WindowStateChange:
      RecomputeFrame();
      return false;
    case QEvent::ActivationChange:
      form_->update();
      if (OnChangeActive) OnChangeActive(form_->isActiveWindow());
      return false;
    case QEvent::WindowTitleChange:
    case QEvent::WindowIconChange:
      form_->update();
      return false;
    case QEvent::MouseButtonPress: return MousePress(static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove: return MouseMove(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease: return MouseRelease(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonDblClick: return MouseDoubleClick(static_cast<QMouseEvent*>(event));
    case QEvent::Leave:
      if (layout_.LeaveWindow()) form_->update();
      return false;
    default:
      return false;
  }
}

}  // namespace nv::widgets
