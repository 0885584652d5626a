#include "widgets/logic/time_panel_model.h"

namespace nv::widgets {

TimePanelModel::TimePanelModel(const FormatSettings& settings)
    : seconds_(settings.TimeHasSeconds()) {}

void TimePanelModel::SetTime(const TimeOfDay& time) {
  time_ = calendar::IsValid(time) ? time : TimeOfDay{};
  if (!seconds_) time_.second = 0;
}

int TimePanelModel::SpinnerValue(Spinner spinner) const {
  return spinner == kHour ? time_.hour : spinner == kMinute ? time_.minute : time_.second;
}

bool TimePanelModel::Spin(Spinner spinner, int delta) {
  if (spinner == kSecond && !seconds_) return false;
  const int modulus = spinner == kHour ? 24 : 60;
  int& part = spinner == kHour ? time_.hour : spinner == kMinute ? time_.minute : time_.second;
  const int before = part;
  part = ((part + delta) % modulus + modulus) % modulus;
  return part != before;
}

TimePanelModel::Box TimePanelModel::SpinnerBox(Spinner spinner, int panelWidth,
                                               int panelHeight) const {
  const int width = (panelWidth - 8) / SpinnerCount();
  return {4 + static_cast<int>(spinner) * width, 4, width, panelHeight - 28};
}

TimePanelModel::Box TimePanelModel::EqualsButton(int panelWidth, int panelHeight) {
  return {7, panelHeight - 22, panelWidth - 14, 17};
}

}  // namespace nv::widgets
