#include "widgets/popup_time.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

#include "widgets/widget_font.h"

namespace nv::widgets {

TECPopupTime::TECPopupTime(QWidget* owner, const FormatSettings& settings)
    : TEcPopupWindow(owner), values_(settings), model_(settings) {
  resize(model_.PopupWidth(), TimePanelModel::kPopupHeight);
  setFont(DialogFont());
  equals_ = new QToolButton(this);
  equals_->setFocusPolicy(Qt::NoFocus);
  equals_->setFont(DialogFont(/*bold=*/true));
  equals_->setText("=");
  const QRect panel = PanelRect();
  const TimePanelModel::Box box = TimePanelModel::EqualsButton(panel.width(), panel.height());
  equals_->setGeometry(panel.x() + box.x, panel.y() + box.y, box.width, box.height);
  connect(equals_, &QToolButton::clicked, this, [this] {
    if (onClose) onClose(1);
  });
  onClose = [this](int code) { CloseUp(code == 1); };
}

QRect TECPopupTime::PanelRect() const { return rect().adjusted(1, 1, -1, -1); }

QRect TECPopupTime::SpinnerRect(TimePanelModel::Spinner spinner) const {
  const QRect panel = PanelRect();
  const TimePanelModel::Box box = model_.SpinnerBox(spinner, panel.width(), panel.height());
  return {panel.x() + box.x, panel.y() + box.y, box.width, box.height};
}

void TECPopupTime::ClickSpinner(TimePanelModel::Spinner spinner, int delta) {
  if (!model_.Spin(spinner, delta)) return;
  update();
  if (onDisplayChange) onDisplayChange();
}

bool TECPopupTime::OnSpinner(const QPoint& point, TimePanelModel::Spinner& spinner) const {
  for (int s = 0; s < model_.SpinnerCount(); ++s) {
    spinner = static_cast<TimePanelModel::Spinner>(s);
    if (SpinnerRect(spinner).contains(point)) return true;
  }
  return false;
}

void TECPopupTime::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  TimePanelModel::Spinner spinner;
  if (event->button() == Qt::LeftButton && OnSpinner(at, spinner))
    ClickSpinner(spinner, at.y() < SpinnerRect(spinner).center().y() ? 1 : -1);
}

void TECPopupTime::mouseReleaseEvent(QMouseEvent* event) {
  TimePanelModel::Spinner spinner;
  if (!OnSpinner(event->position().toPoint(), spinner)) TEcPopupWindow::mouseReleaseEvent(event);
}

void TECPopupTime::paintEvent(QPaintEvent* event) {
  TEcPopupWindow::paintEvent(event);
  QPainter painter(this);
  for (int s = 0; s < model_.SpinnerCount(); ++s) {
    const auto spinner = static_cast<TimePanelModel::Spinner>(s);
    const QRect box = SpinnerRect(spinner).adjusted(0, 0, -1, -1);
    painter.setPen(QColor(128, 128, 128));
    painter.setBrush(QColor(212, 208, 200));
    painter.drawRect(box);
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignCenter,
                     QString::number(model_.SpinnerValue(spinner)).rightJustified(2, '0'));
    // Small arrows at the top and bottom: a click on the upper half counts up.
    const int cx = box.center().x();
    painter.setBrush(Qt::black);
    const QPoint up[] = {{cx - 2, box.top() + 4}, {cx + 2, box.top() + 4}, {cx, box.top() + 2}};
    const QPoint down[] = {{cx - 2, box.bottom() - 4}, {cx + 2, box.bottom() - 4}, {cx, box.bottom() - 2}};
    painter.drawPolygon(up, 3);
    painter.drawPolygon(down, 3);
  }
}

std::optional<PopupValue> TECPopupTime::GetValue() { return PopupValue(model_.Time()); }

void TECPopupTime::SetValue(const PropertyValue& value) {
  TimeOfDay time;
  const std::string* text = std::get_if<std::string>(&value);
  model_.SetTime(text && values_.TryParseTime(*text, time) ? time : TimeOfDay{});
  update();
}

QString TECPopupTime::GetValueText() const {
  return QString::fromStdString(values_.FormatTime(model_.Time()));
}

void TECPopupTime::ForwardKey(QKeyEvent& event) {
  if (event.key() == Qt::Key_Up || event.key() == Qt::Key_Down) {
    ClickSpinner(TimePanelModel::kHour, event.key() == Qt::Key_Up ? 1 : -1);
    return;
  }
  event.ignore();
}

}  // namespace nv::widgets
