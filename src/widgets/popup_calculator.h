#pragma once

#include "widgets/calculator_panel.h"
#include "widgets/popup_window.h"

namespace nv::widgets {

// The number fields' drop-down: the compact keypad (98 x 124). Characters
// forwarded from the field press its keys; Ctrl+C and Ctrl+V copy and paste
// the display.
class TECPopupCalculator : public TEcPopupWindow {
  Q_OBJECT
 public:
  TECPopupCalculator(QWidget* owner, Beeper& beeper, const FormatSettings& settings);

  TECCalculatorPanel& Panel() { return *panel_; }
  CalculatorEngine& Engine() { return panel_->Engine(); }

  std::optional<PopupValue> GetValue() override;
  void SetValue(const PropertyValue& value) override;
  QString GetValueText() const override;
  void ForwardKey(QKeyEvent& event) override;

  // The display changed while the user works (the field follows it).
  std::function<void()> onDisplayChange;
  // The finishing keys close with CalculatorEngine::kAccept, Escape with
  // kCancel. Without an owner that rewires it, accepting shows the display
  // value and closes accepting.
  std::function<void(int code)> onClose;

 private:
  TECCalculatorPanel* panel_;
};

}  // namespace nv::widgets
