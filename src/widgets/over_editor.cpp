#include "widgets/over_editor.h"

#include "widgets/popup_calculator.h"
#include "widgets/popup_calendar.h"
#include "widgets/popup_time.h"
#include "widgets/widget_glyphs.h"

namespace nv::widgets {

TECOverEditor::TECOverEditor(QWidget& edit, std::string acceptedChars, QString glyphName,
                             const FormatSettings& settings)
    : edit_(edit), settings_(settings), accepted_(std::move(acceptedChars)),
      glyphName_(std::move(glyphName)) {}

TECOverEditor::~TECOverEditor() { delete popup_; }

QPixmap TECOverEditor::GetGlyph() {
  if (glyph_.isNull()) glyph_ = WidgetGlyph(glyphName_);
  return glyph_;
}

void TECOverEditor::SetOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

void TECOverEditor::SetOnAccept(std::function<void(bool)> onAccept) {
  onAccept_ = std::move(onAccept);
}

std::optional<PopupValue> TECOverEditor::GetValue() {
  return popup_ ? popup_->GetValue() : std::nullopt;
}

void TECOverEditor::SetValue(const PropertyValue& value) {
  if (popup_) popup_->SetValue(value);
}

bool TECOverEditor::IsValidChar(char c) const {
  return accepted_.empty() || accepted_.find(c) != std::string::npos;
}

bool TECOverEditor::IsPopupWindow(const QWidget* control, const QWidget* window) const {
  return popup_ && (control == popup_ || window == popup_);
}

TECOverCalculator::TECOverCalculator(QWidget& edit, Beeper& beeper, const FormatSettings& settings)
    : TECOverEditor(edit, std::string("+-0123456789Ee") + settings.decimalSeparator, "CALCIMAGE",
                    settings),
      beeper_(beeper) {}

TECPopupCalculator* TECOverCalculator::Calculator() const {
  return static_cast<TECPopupCalculator*>(popup_.data());
}

TEcPopupWindow* TECOverCalculator::CreatePopup() {
  if (popup_) return popup_.data();
  auto* calculator = new TECPopupCalculator(&edit_, beeper_, settings_);
  calculator->onDisplayChange = [this] {
    if (onChange_) onChange_();
  };
  // Both finishing codes reach the field: 1 accepts, 2 cancels.
  calculator->onClose = [this](int code) {
    if (onAccept_) onAccept_(code == CalculatorEngine::kAccept);
  };
  popup_ = calculator;
  return calculator;
}

QString TECOverCalculator::GetText() {
  if (!popup_) return {};
  const std::optional<PopupValue> value = popup_->GetValue();
  if (!value) return {};
  return QString::fromStdString(ValueText(settings_).FormatReal(std::get<double>(*value)));
}

void TECOverCalculator::SetText(const QString& text) {
  if (popup_) popup_->SetValue(PropertyValue(text.toStdString()));
}

bool TECOverCalculator::IsValidKey(char c) const {
  return IsValidChar(c) || (popup_ && Calculator()->Engine().KeyTagFor(c) >= 0);
}

TECOverCalendar::TECOverCalendar(QWidget& edit, const FormatSettings& settings,
                                 std::function<Date()> today)
    : TECOverEditor(edit, std::string("0123456789") + settings.dateSeparator, "CALENDARIMAGE",
                    settings),
      today_(today ? std::move(today) : SystemToday) {}

TECPopupCalendar* TECOverCalendar::Calendar() const {
  return static_cast<TECPopupCalendar*>(popup_.data());
}

TEcPopupWindow* TECOverCalendar::CreatePopup() {
  if (popup_) return popup_.data();
  auto* calendar = new TECPopupCalendar(&edit_, settings_, today_);
  // Only a result of 1 accepts; 2 (Escape, a closing click elsewhere) cancels.
  calendar->Calendar().onResultClick = [this](int code) {
    if (onAccept_) onAccept_(code == 1);
  };
  popup_ = calendar;
  return calendar;
}

QString TECOverCalendar::GetText() { return popup_ ? popup_->GetValueText() : QString(); }

void TECOverCalendar::SetText(const QString& text) {
  Date date;
  if (popup_ && ValueText(settings_).TryParseDate(text.toStdString(), date))
    Calendar()->Calendar().Model().SetCalendarDate(date);
}

TECOverTime::TECOverTime(QWidget& edit, const FormatSettings& settings)
    : TECOverEditor(edit, std::string("0123456789") + settings.timeSeparator, "TIMEIMAGE",
                    settings) {}

TECPopupTime* TECOverTime::Time() const { return static_cast<TECPopupTime*>(popup_.data()); }

TEcPopupWindow* TECOverTime::CreatePopup() {
  if (popup_) return popup_.data();
  auto* time = new TECPopupTime(&edit_, settings_);
  time->onDisplayChange = [this] {
    if (onChange_) onChange_();
  };
  time->onClose = [this](int code) {
    if (onAccept_) onAccept_(code == 1);
  };
  popup_ = time;
  return time;
}

QString TECOverTime::GetText() { return popup_ ? popup_->GetValueText() : QString(); }

void TECOverTime::SetText(const QString& text) {
  if (popup_) popup_->SetValue(PropertyValue(text.toStdString()));
}

}  // namespace nv::widgets
