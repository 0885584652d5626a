#include "widgets/typed_editor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>
#include <QTime>
#include <qdrawutil.h>

#include "widgets/beeper.h"
#include "widgets/calendar_grid.h"
#include "widgets/logic/dropdown_place.h"
#include "widgets/over_editor.h"
#include "widgets/popup_list_box.h"

namespace nv::widgets {

namespace {

// The character a key event types, 0 when it types none or several.
char TypedChar(const QKeyEvent& event) {
  const QString text = event.text();
  if (text.size() != 1) return 0;
  const char16_t c = text[0].unicode();
  return c < 128 ? static_cast<char>(c) : '\x7f';
}

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

void Arrow(QPainter& painter, const QRect& box, bool up, int shift) {
  const QPoint c = box.center() + QPoint(shift, shift);
  const int d = up ? -1 : 1;
  const QPoint points[] = {{c.x() - 3, c.y() - d}, {c.x() + 3, c.y() - d}, {c.x(), c.y() + 2 * d}};
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  painter.drawPolygon(points, 3);
}

}  // namespace

TECEditor::TECEditor(QWidget* parent, const FormatSettings& settings, Beeper* beeper,
                     const TickClock& clock)
    : QLineEdit(parent),
      settings_(settings),
      beeper_(beeper ? beeper : &Beeper::System()),
      clock_(clock),
      buttonWidth_(QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent)),
      today_(SystemToday),
      repeat_(clock, RepeatTimer::kViewArmMs, RepeatTimer::kViewRepeatMs) {
  UpdateDropDown();
  setText("0");
}

TECEditor::~TECEditor() {
  qApp->removeEventFilter(this);
  over_.reset();
  delete listBox_;
}

void TECEditor::SetToday(std::function<Date()> today) {
  today_ = std::move(today);
  over_.reset();
  overKind_ = PopupKind::None;
  UpdateDropDown();
}

void TECEditor::SetEditType(TEditType type) {
  if (type == type_) return;
  type_ = type;
  const ValueText values(settings_);
  switch (type) {
    case etDate: setText(QString::fromStdString(values.FormatDate(today_()))); break;
    case etTime: {
      const QTime now = QTime::currentTime();
      setText(QString::fromStdString(values.FormatTime({now.hour(), now.minute(), now.second()})));
      break;
    }
    case etInteger:
    case etReal:
    case etCurrency: setText("0"); break;
    case etString:
    case etBoolean: break;
  }
  UpdateDropDown();
}

void TECEditor::SetEditStyle(TEditStyle style) {
  if (style == style_) return;
  style_ = style;
  UpdateDropDown();
}

void TECEditor::SetButtonWidth(int width) {
  if (width == buttonWidth_) return;
  buttonWidth_ = width;
  UpdateDropDown();
}

ButtonKind TECEditor::Kind() const {
  switch (style_) {
    case esDropDown:
    case esDropDownList: return ButtonKind::List;
    case esEllipsis: return ButtonKind::Ellipsis;
    default: break;
  }
  return ButtonKind::None;
}

PopupKind TECEditor::WantedPopup() const {
  return Kind() == ButtonKind::List ? PopupKind::None : PopupFor(type_);
}

bool TECEditor::AcceptsTyped(char c) const {
  return style_ != esDropDownList && AcceptsChar(type_, c, settings_);
}

bool TECEditor::ShowsButton() const { return Kind() != ButtonKind::None || over_ != nullptr; }

QRect TECEditor::ButtonRect() const {
  const QRect client = rect();
  if (Kind() == ButtonKind::TrackBar) return client;
  return {client.width() - buttonWidth_, 0, buttonWidth_, client.height()};
}

void TECEditor::UpdateDropDown() {
  active_ = nullptr;
  if (Kind() == ButtonKind::List) {
    if (!listBox_) {
      listBox_ = new PopupListBox(this, clock_);
      listBox_->onCloseUp = [this](bool inside) { CloseUp(inside); };
    }
    active_ = listBox_;
  }
  const PopupKind wanted = WantedPopup();
  if (wanted != overKind_) {
    over_.reset();
    overKind_ = wanted;
    switch (wanted) {
      case PopupKind::Calculator: over_ = std::make_unique<TECOverCalculator>(*this, *beeper_, settings_); break;
      case PopupKind::Calendar: over_ = std::make_unique<TECOverCalendar>(*this, settings_, today_); break;
      case PopupKind::Time: over_ = std::make_unique<TECOverTime>(*this, settings_); break;
      case PopupKind::None: break;
    }
    if (over_) {
      buttonWidth_ = over_->GetGlyph().width() + 6;
      over_->SetOnChange([this] { PopupChanged(); });
      over_->SetOnAccept([this](bool accept) { CloseUp(accept); });
    }
  }
  if (over_ && Kind() != ButtonKind::List) {
    TEcPopupWindow* popup = over_->CreatePopup();
    popup->onCloseUp = [this](bool inside) { CloseUp(inside); };
    active_ = popup;
  }
  UpdateMargins();
  update();
}

void TECEditor::UpdateMargins() {
  setTextMargins(0, 0, ShowsButton() && Kind() != ButtonKind::TrackBar ? buttonWidth_ + 2 : 0, 0);
}

EditorValue TECEditor::GetValue() const {
  const ValueText values(settings_);
  const std::string current = text().toStdString();
  switch (type_) {
    case etInteger: return values.ParseInteger(current);
    case etReal:
    case etCurrency: return values.ParseReal(current);
    case etDate: return values.ParseDate(current);
    case etTime: return values.ParseTime(current);
    case etString:
    case etBoolean: break;
  }
  return current;
}

void TECEditor::SetValue(const EditorValue& value) {
  const ValueText values(settings_);
  std::string written;
  if (const int* i = std::get_if<int>(&value)) written = std::to_string(*i);
  else if (const double* d = std::get_if<double>(&value))
    written = type_ == etCurrency ? values.FormatCurrency(*d) : values.FormatReal(*d);
  else if (const std::string* s = std::get_if<std::string>(&value)) written = *s;
  else if (const Date* date = std::get_if<Date>(&value)) written = values.FormatDate(*date);
  else written = values.FormatTime(std::get<TimeOfDay>(value));
  setText(QString::fromStdString(written));
  lastAccepted_ = text();
}

void TECEditor::LoadPopup() {
  if (over_) over_->SetText(text());
}

void TECEditor::PopupChanged() {
  updating_ = true;
  setText(over_->GetText());
  updating_ = false;
}

void TECEditor::DropDown() {
  if (listVisible_ || !active_) return;
  const bool list = active_ == listBox_;
  if (list) {
    if (list_.isEmpty()) return;
    listBox_->setFont(font());
    listBox_->SetItems(list_);
    listBox_->SetItemIndex(list_.indexOf(text()));
    listBox_->resize(std::max(width(), listBox_->NeededWidth()), listBox_->height());
  } else {
    LoadPopup();
  }
  const QPoint origin = mapToGlobal(QPoint(0, 0));
  QScreen* screen = this->screen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1 << 16, 1 << 16);
  int x = 0, y = 0;
  PlaceDropDown({origin.x(), origin.y(), width(), height()}, active_->width(), active_->height(),
                {area.x(), area.y(), area.width(), area.height()}, x, y);
  active_->ShowAt({x, y});
  listVisible_ = true;
  qApp->installEventFilter(this);
  update();
}

void TECEditor::CloseUp(bool accept) {
  if (!listVisible_ || updating_) return;
  tracking_ = false;
  pressed_ = false;
  QString candidate;
  bool hasCandidate = true;
  if (active_ == listBox_) {
    candidate = listBox_->SelectedText();
  } else if (over_) {
    // A pop-up with nothing to take (the calculator's error) gives nothing.
    hasCandidate = over_->GetValue().has_value();
    candidate = over_->GetText();
  }
  active_->hide();
  listVisible_ = false;
  qApp->removeEventFilter(this);
  update();
  if (accept && hasCandidate) Accepted(candidate);
  DropDownClosed();
}

void TECEditor::Accepted(const QString& candidate) {
  if (active_ == listBox_) {
    if (!MayModify()) return;
    setText(candidate);
    if (onChangeData) onChangeData();
    lastAccepted_ = text();
    return;
  }
  if (candidate != text()) {
    setText(candidate);
    if (onChangeData) onChangeData();
  } else if (overKind_ == PopupKind::Calculator) {
    if (onChangeData) onChangeData();
    lastAccepted_ = text();
  }
}

void TECEditor::EllipsisClicked() {
  if (onEditButtonClick) onEditButtonClick();
}

bool TECEditor::HandleDropDownKey(QKeyEvent& event) {
  const bool alt = event.modifiers() & Qt::AltModifier;
  if (listVisible_ && !alt && (IsEnter(event.key()) || event.key() == Qt::Key_Escape)) {
    CloseUp(IsEnter(event.key()));
    return true;
  }
  if (alt && (event.key() == Qt::Key_Up || event.key() == Qt::Key_Down)) {
    const ButtonKind kind = Kind();
    if (kind == ButtonKind::Ellipsis) EllipsisClicked();
    else if (kind == ButtonKind::UpDown) {
      if (repeat_.Armed()) StepUpDown(event.key() == Qt::Key_Up ? 1 : -1);
    } else if (active_) {
      listVisible_ ? CloseUp(true) : DropDown();
    }
    return true;
  }
  if (listVisible_) {
    active_->ForwardKey(event);
    return true;
  }
  return false;
}

bool TECEditor::event(QEvent* event) {
  // Tab and Shift+Tab leave the field as usual; the drop-down keys come first.
  if (event->type() == QEvent::ShortcutOverride && listVisible_) event->accept();
  return QLineEdit::event(event);
}

void TECEditor::keyPressEvent(QKeyEvent* event) {
  if (ShowsButton() && HandleDropDownKey(*event)) return;
  if (Kind() == ButtonKind::Ellipsis && IsEnter(event->key()) &&
      (event->modifiers() & Qt::ControlModifier)) {
    EllipsisClicked();
    return;
  }
  if (!MayModify() && (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace)) {
    if (!PaintsOwnText()) Beep().Beep();
    return;
  }
  if (PaintsOwnText() && (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace ||
                          event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut))) {
    Beep().Beep();
    return;
  }
  if (IsEnter(event->key())) {
    if (selectionStart() == 0 && selectedText().size() == text().size()) {
      deselect();
      end(false);
    } else {
      selectAll();
    }
    return;
  }
  if (event->key() == Qt::Key_Escape) return;
  const char typed = TypedChar(*event);
  if (typed >= 32 && !(event->modifiers() & Qt::ControlModifier) &&
      (!MayModify() || !AcceptsTyped(typed))) {
    Beep().Beep();
    return;
  }
  QLineEdit::keyPressEvent(event);
  update();
}

void TECEditor::focusInEvent(QFocusEvent* event) {
  focused_ = true;
  QLineEdit::focusInEvent(event);
  update();
}

void TECEditor::focusOutEvent(QFocusEvent* event) {
  focused_ = false;
  CloseUp(false);
  QLineEdit::focusOutEvent(event);
  if (text() != lastAccepted_ && onChangeData) onChangeData();
  update();
}

bool TECEditor::OnButton(const QPoint& point) const {
  return ShowsButton() && ButtonRect().contains(point);
}

void TECEditor::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::LeftButton && ShowsButton()) {
    if (listVisible_) {
      CloseUp(false);
    } else if (OnButton(at)) {
      tracking_ = true;
      pressed_ = true;
      upperHalf_ = at.y() < ButtonRect().center().y() + 1;
      update(ButtonRect());
      if (Kind() == ButtonKind::UpDown) {
        repeat_.Press();
        PollRepeat();
        if (!repeatTicks_) {
          repeatTicks_ = new QTimer(this);
          connect(repeatTicks_, &QTimer::timeout, this, &TECEditor::PollRepeat);
        }
        repeatTicks_->start(10);
      } else if (Kind() != ButtonKind::Ellipsis) {
        DropDown();
      }
      return;
    }
  }
  QLineEdit::mousePressEvent(event);
}

void TECEditor::PollRepeat() {
  for (int n = repeat_.DueSteps(); n > 0; --n) StepUpDown(upperHalf_ ? 1 : -1);
}

void TECEditor::mouseMoveEvent(QMouseEvent* event) {
  if (tracking_) {
    const bool inside = OnButton(event->position().toPoint());
    if (inside != pressed_) {
      pressed_ = inside;
      update(ButtonRect());
    }
    if (listVisible_ && active_ == listBox_) {
      const QPoint inList = listBox_->mapFromGlobal(event->globalPosition().toPoint());
      if (listBox_->rect().contains(inList)) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(inList), event->globalPosition(),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(listBox_, &press);
      }
    }
    return;
  }
  QLineEdit::mouseMoveEvent(event);
}

void TECEditor::mouseReleaseEvent(QMouseEvent* event) {
  if (tracking_) {
    const bool wasPressed = pressed_;
    tracking_ = false;
    pressed_ = false;
    repeat_.Release();
    if (repeatTicks_) repeatTicks_->stop();
    update(ButtonRect());
    if (event->button() == Qt::LeftButton && Kind() == ButtonKind::Ellipsis && wasPressed)
      EllipsisClicked();
    // A drag from the button into the open list chooses where it ends.
    if (listVisible_ && active_ == listBox_ &&
        listBox_->rect().contains(listBox_->mapFromGlobal(event->globalPosition().toPoint())))
      CloseUp(true);
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void TECEditor::mouseDoubleClickEvent(QMouseEvent* event) {
  if (OnButton(event->position().toPoint())) return;
  QLineEdit::mouseDoubleClickEvent(event);
}

void TECEditor::wheelEvent(QWheelEvent* event) { event->ignore(); }

bool TECEditor::eventFilter(QObject* watched, QEvent* event) {
  // A press anywhere but on the field and its drop-down closes it unaccepted.
  if (listVisible_ && event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != active_ && widget != this) CloseUp(false);
  } else if (listVisible_ && event->type() == QEvent::ApplicationDeactivate) {
    CloseUp(false);
  }
  return QLineEdit::eventFilter(watched, event);
}

void TECEditor::paintEvent(QPaintEvent* event) {
  if (PaintsOwnText() && !isReadOnly()) {
    QPainter painter(this);
    QStyleOptionFrame frame;
    initStyleOption(&frame);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &frame, &painter, this);
    const int w = width() - buttonWidth_;
    const QRect box(1, 1, w - 1, height() - 2);
    const bool highlight = focused_ && !listVisible_;
    painter.fillRect(box, highlight ? palette().color(QPalette::Highlight)
                                    : palette().color(QPalette::Base));
    painter.setPen(highlight ? palette().color(QPalette::HighlightedText)
                             : palette().color(QPalette::Text));
    const Qt::Alignment align = alignment() & Qt::AlignRight ? Qt::AlignRight : Qt::AlignLeft;
    painter.drawText(box.adjusted(2, 0, -3, 0), align | Qt::AlignVCenter, text());
    if (highlight) {
      QStyleOptionFocusRect focus;
      focus.initFrom(this);
      focus.rect = box;
      style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
    PaintButton(painter);
    return;
  }
  QLineEdit::paintEvent(event);
  if (isReadOnly() || !ShowsButton()) return;
  QPainter painter(this);
  PaintButton(painter);
}

void TECEditor::PaintButton(QPainter& painter) {
  const QRect r = ButtonRect();
  const int p = pressed_ ? 1 : 0;
  const ButtonKind kind = Kind();
  if (kind == ButtonKind::TrackBar) return;
  if (kind == ButtonKind::UpDown) {
    const QRect upper(r.x(), r.y(), r.width(), r.height() / 2);
    const QRect lower(r.x(), r.y() + r.height() / 2, r.width(), r.height() - r.height() / 2);
    const bool upPressed = pressed_ && upperHalf_;
    const bool downPressed = pressed_ && !upperHalf_;
    qDrawWinButton(&painter, upper, palette(), upPressed, &palette().brush(QPalette::Button));
    qDrawWinButton(&painter, lower, palette(), downPressed, &palette().brush(QPalette::Button));
    Arrow(painter, upper, true, upPressed ? 1 : 0);
    Arrow(painter, lower, false, downPressed ? 1 : 0);
    return;
  }
  qDrawWinButton(&painter, r, palette(), pressed_, &palette().brush(QPalette::Button));
  if (kind == ButtonKind::List) {
    Arrow(painter, r, false, p);
  } else if (kind == ButtonKind::Ellipsis) {
    const int d = buttonWidth_ <= 7 ? 1 : buttonWidth_ / 8;
    const int x = r.left() + r.width() / 2 + p - 1;
    const int y = r.top() + r.height() / 2 + p - 1;
    for (int dx : {-2 * d, 0, 2 * d}) painter.fillRect(x + dx - d / 2, y, d, d, Qt::black);
  } else if (over_) {
    const QPixmap glyph = over_->GetGlyph();
    QRect target;
    if (glyph.width() < r.width() - 2) {
      const int left = r.left() + r.width() / 2 + p - glyph.width() / 2;
      target.setLeft(left);
      target.setWidth(glyph.width());
    } else {
      target.setLeft(r.left() + p + 1);
      target.setRight(r.right() + p - 1);
    }
    if (glyph.height() < r.height() - 2) {
      const int top = r.top() + r.height() / 2 + p - glyph.height() / 2;
      target.setTop(top);
      target.setHeight(glyph.height());
    } else {
      target.setTop(r.top() + p + 1);
      target.setBottom(r.bottom() - p - 1);
    }
    painter.drawPixmap(target, glyph);
  }
}

}  // namespace nv::widgets
