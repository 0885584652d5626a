#pragma once

#include "widgets/calendar_grid.h"
#include "widgets/logic/value_text.h"
#include "widgets/popup_window.h"

class QLabel;
class QToolButton;

namespace nv::widgets {

// The date fields' drop-down (187 x 124): a bar with the year and month
// steps around the month's title, over a month grid. Page Up and Page Down
// forwarded from the field step a month (with Ctrl a year); other keys go
// to the grid. A day released under the pointer closes accepting; a double
// click on the title goes to today.
class TECPopupCalendar : public TEcPopupWindow {
  Q_OBJECT
 public:
  TECPopupCalendar(QWidget* owner, const FormatSettings& settings,
                   std::function<Date()> today = SystemToday);

  TECCalendar& Calendar() { return *calendar_; }
  QString Title() const;
  QToolButton* StepButton(int index) const { return steps_[index]; }

  std::optional<PopupValue> GetValue() override;
  // A date, or a text in the short date format; anything else shows today.
  void SetValue(const PropertyValue& value) override;
  // Fires the grid's result: 1 accepting, 2 not.
  void CloseUp(bool accept) override;
  QString GetValueText() const override;
  void ForwardKey(QKeyEvent& event) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ValueText values_;
  TECCalendar* calendar_;
  QLabel* title_;
  QToolButton* steps_[4];
};

}  // namespace nv::widgets
