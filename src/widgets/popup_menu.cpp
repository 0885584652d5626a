#include "widgets/popup_menu.h"

#include <qdrawutil.h>

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace nv::widgets {

namespace {

const QColor kNavy(0, 0, 128);
constexpr int kWidth = 200;

}  // namespace

TECPopupMenu::TECPopupMenu(QWidget* owner)
    : QWidget(owner ? owner->window() : nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_X11DoNotAcceptFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, colours.color(QPalette::Base));
  colours.setColor(QPalette::WindowText, Qt::black);
  setPalette(colours);
  resize(kWidth, 4);
  UpdateLineHeight();
  qApp->installEventFilter(this);
  // Another program taking the activation.
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    if (state != Qt::ApplicationActive && isVisible()) CloseUp();
  });
  connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* focus) {
    if (isVisible() && focus == nullptr) CloseUp();
  });
}

TECPopupMenu::~TECPopupMenu() { qApp->removeEventFilter(this); }

void TECPopupMenu::UpdateLineHeight() { model_.SetLineHeight(QFontMetrics(font()).height()); }

void TECPopupMenu::SetItems(const QStringList& items) {
  std::vector<std::string> lines;
  for (const QString& item : items) lines.push_back(item.toStdString());
  model_.SetItems(std::move(lines));
  update();
}

void TECPopupMenu::Popup(const QPoint& topLeft) {
  model_.SetFooter(static_cast<bool>(onGetMessage));
  UpdateLineHeight();
  if (model_.Empty()) return;
  setGeometry(topLeft.x(), topLeft.y(), width(), model_.Height());
  show();
  raise();
}

void TECPopupMenu::PopupUnder(const QWidget& button) { Popup(button.mapToGlobal(QPoint(0, button.height()))); }

void TECPopupMenu::CloseUp() {
  if (closing_) return;
  closing_ = true;
  hide();
  deleteLater();
}

void TECPopupMenu::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(font());
  const int h = model_.LineHeight();
  QRect list = rect();
  if (model_.HasFooter()) {
    const QRect strip(0, height() - model_.FooterHeight(), width(), model_.FooterHeight());
    painter.fillRect(strip, palette().color(QPalette::Button));
    const int bottom = height();
    const QRect edge(QPoint(2, bottom - h - 6), QPoint(width() - 3, bottom - 3));
    const QBrush middle = palette().brush(QPalette::Button);
    qDrawShadePanel(&painter, edge, palette(), true, 1, &middle);
    const QString text = onGetMessage(model_.SelectedCount());
    const int x = (width() - painter.fontMetrics().horizontalAdvance(text) - 4) / 2;
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(QRect(x, bottom - h - 4, width(), h), Qt::AlignLeft | Qt::AlignTop, text);
    list.setBottom(strip.top() - 1);
  }
  painter.fillRect(list, palette().color(QPalette::Window));
  const int hot = model_.HotIndex();
  if (hot >= 0) painter.fillRect(QRect(0, 0, width(), (hot + 1) * h).intersected(list), kNavy);
  const auto& items = model_.Items();
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    painter.setPen(i <= hot ? Qt::white : palette().color(QPalette::WindowText));
    painter.drawText(QRect(2, i * h, width() - 2, h), Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(items[i]));
  }
}

void TECPopupMenu::mouseMoveEvent(QMouseEvent* event) {
  if (model_.HoverAt(event->position().toPoint().y())) update();
}

void TECPopupMenu::mousePressEvent(QMouseEvent* event) {
  const bool button = event->button() == Qt::LeftButton || event->button() == Qt::RightButton;
  if (button && !model_.LineAt(event->position().toPoint().y())) CloseUp();
}

void TECPopupMenu::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    const QPoint at = event->position().toPoint();
    const std::optional<int> line = rect().contains(at) ? model_.LineAt(at.y()) : std::nullopt;
    if (line && onClick) onClick(*line);
    CloseUp();
  } else if (event->button() == Qt::RightButton) {
    CloseUp();
  }
}

bool TECPopupMenu::eventFilter(QObject* watched, QEvent* event) {
  // A press on any other widget of the program.
  if (event->type() == QEvent::MouseButtonPress && isVisible() && watched->isWidgetType() && watched != this) CloseUp();
  return QWidget::eventFilter(watched, event);
}

}  // namespace nv::widgets
