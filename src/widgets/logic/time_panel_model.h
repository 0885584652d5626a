#pragma once

#include "widgets/logic/calendar_date.h"
#include "widgets/logic/format_settings.h"

namespace nv::widgets {

// The time pop-up: hour, minute and (when the long time format shows them)
// second spinners that wrap, and the size and places of its pieces.
class TimePanelModel {
 public:
  struct Box {
    int x, y, width, height;
  };
  enum Spinner { kHour, kMinute, kSecond };

  explicit TimePanelModel(const FormatSettings& settings = FormatSettings::Program());

  bool HasSeconds() const { return seconds_; }
  int SpinnerCount() const { return seconds_ ? 3 : 2; }
  int PopupWidth() const { return seconds_ ? 68 : 48; }
  static constexpr int kPopupHeight = 54;

  const TimeOfDay& Time() const { return time_; }
  void SetTime(const TimeOfDay& time);
  // One step of a spinner, wrapping at its ends; true when the time changed.
  bool Spin(Spinner spinner, int delta);
  int SpinnerValue(Spinner spinner) const;

  // Inside a panel of the given size.
  Box SpinnerBox(Spinner spinner, int panelWidth, int panelHeight) const;
  static Box EqualsButton(int panelWidth, int panelHeight);

 private:
  bool seconds_;
  TimeOfDay time_;
};

}  // namespace nv::widgets
