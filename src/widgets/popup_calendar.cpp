#include "widgets/popup_calendar.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

#include "widgets/widget_font.h"
#include "widgets/widget_glyphs.h"

namespace nv::widgets {

TECPopupCalendar::TECPopupCalendar(QWidget* owner, const FormatSettings& settings,
                                   std::function<Date()> today)
    : TEcPopupWindow(owner), values_(settings) {
  resize(187, 124);
  setFont(DialogFont());
  const int inner = width() - 2;
  auto* bar = new QWidget(this);
  bar->setGeometry(1, 1, inner, 18);
  struct Step {
    const char* glyph;
    const char* hint;
    int x;
    void (CalendarModel::*move)();
  } const steps[] = {
      {"PREV2", "Preview year", -1, &CalendarModel::PreviousYear},
      {"PREV1", "Preview month", 12, &CalendarModel::PreviousMonth},
      {"NEXT1", "Next month", inner - 26, &CalendarModel::NextMonth},
      {"NEXT2", "Next year", inner - 13, &CalendarModel::NextYear},
  };
  calendar_ = new TECCalendar(std::move(today), this);
  calendar_->popupLooks = true;
  calendar_->setGeometry(1, 19, inner, height() - 20);
  calendar_->setFocusPolicy(Qt::NoFocus);
  for (int i = 0; i < 4; ++i) {
    auto* button = new QToolButton(bar);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    button->setGeometry(steps[i].x, -1, 14, 14);
    button->setIcon(WidgetGlyph(steps[i].glyph));
    button->setIconSize(QSize(8, 6));
    button->setToolTip(steps[i].hint);
    button->setAutoRepeat(true);
    const auto move = steps[i].move;
    connect(button, &QToolButton::clicked, this, [this, move] { (calendar_->Model().*move)(); });
    steps_[i] = button;
  }
  title_ = new QLabel(bar);
  title_->setGeometry(29, 1, inner - 58, 14);
  title_->setAlignment(Qt::AlignCenter);
  title_->installEventFilter(this);
  calendar_->onChange = [this] { title_->setText(Title()); };
  calendar_->onDayReleased = [this] { CloseUp(true); };
  title_->setText(Title());
}

QString TECPopupCalendar::Title() const {
  return QString::fromStdString(calendar_->Model().Title());
}

bool TECPopupCalendar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == title_ && event->type() == QEvent::MouseButtonDblClick) {
    calendar_->Model().GoToday();
    return true;
  }
  return TEcPopupWindow::eventFilter(watched, event);
}

std::optional<PopupValue> TECPopupCalendar::GetValue() {
  return PopupValue(calendar_->Model().CalendarDate());
}

void TECPopupCalendar::SetValue(const PropertyValue& value) {
  CalendarModel& model = calendar_->Model();
  Date date;
  const std::string* text = std::get_if<std::string>(&value);
  model.SetCalendarDate(text && values_.TryParseDate(*text, date) ? date : model.Today());
}

void TECPopupCalendar::CloseUp(bool accept) {
  if (calendar_->onResultClick) calendar_->onResultClick(accept ? 1 : 2);
  else TEcPopupWindow::CloseUp(accept);
}

QString TECPopupCalendar::GetValueText() const {
  return QString::fromStdString(values_.FormatDate(calendar_->Model().CalendarDate()));
}

void TECPopupCalendar::ForwardKey(QKeyEvent& event) {
  CalendarModel& model = calendar_->Model();
  const bool ctrl = event.modifiers() & Qt::ControlModifier;
  if (event.key() == Qt::Key_PageUp) {
    ctrl ? model.PreviousYear() : model.PreviousMonth();
    return;
  }
  if (event.key() == Qt::Key_PageDown) {
    ctrl ? model.NextYear() : model.NextMonth();
    return;
  }
  if (!calendar_->HandleKey(event.key(), event.modifiers(), event.text())) event.ignore();
}

}  // namespace nv::widgets
