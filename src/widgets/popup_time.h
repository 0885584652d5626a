#pragma once

#include "widgets/logic/time_panel_model.h"
#include "widgets/logic/value_text.h"
#include "widgets/popup_window.h"

class QToolButton;

namespace nv::widgets {

// The time fields' drop-down: 68 x 54 with hour, minute and second
// spinners, or 48 x 54 with two when the long time format has no seconds,
// and an "=" button that closes accepting.
class TECPopupTime : public TEcPopupWindow {
  Q_OBJECT
 public:
  TECPopupTime(QWidget* owner, const FormatSettings& settings);

  TimePanelModel& Model() { return model_; }
  // One click on a spinner's upper (+1) or lower (-1) half.
  void ClickSpinner(TimePanelModel::Spinner spinner, int delta);
  QRect SpinnerRect(TimePanelModel::Spinner spinner) const;
  QToolButton* EqualsButton() const { return equals_; }

  std::optional<PopupValue> GetValue() override;
  // A time, or a text in the long time format; anything else is midnight.
  void SetValue(const PropertyValue& value) override;
  QString GetValueText() const override;
  void ForwardKey(QKeyEvent& event) override;

  std::function<void()> onDisplayChange;
  std::function<void(int code)> onClose;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  // A release on a spinner belongs to the spinner, not to the closing click.
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QRect PanelRect() const;
  bool OnSpinner(const QPoint& point, TimePanelModel::Spinner& spinner) const;

  ValueText values_;
  TimePanelModel model_;
  QToolButton* equals_;
};

}  // namespace nv::widgets
