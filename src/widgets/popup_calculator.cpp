#include "widgets/popup_calculator.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

namespace nv::widgets {

TECPopupCalculator::TECPopupCalculator(QWidget* owner, Beeper& beeper,
                                       const FormatSettings& settings)
    : TEcPopupWindow(owner),
      panel_(new TECCalculatorPanel(TECCalculatorPanel::Layout::Compact, beeper, settings, this)) {
  resize(panel_->size());
  CalculatorEngine& engine = panel_->Engine();
  engine.onDisplayChange = [this] {
    if (onDisplayChange) onDisplayChange();
  };
  engine.onClose = [this](int code) {
    if (onClose) onClose(code);
  };
  onClose = [this](int code) {
    if (code == CalculatorEngine::kAccept && Engine().Finish()) CloseUp(true);
    else if (code != CalculatorEngine::kAccept) CloseUp(false);
  };
}

std::optional<PopupValue> TECPopupCalculator::GetValue() {
  const std::optional<double> value = Engine().Value();
  if (!value) return std::nullopt;
  return PopupValue(*value);
}

void TECPopupCalculator::SetValue(const PropertyValue& value) {
  CalculatorEngine& engine = Engine();
  if (const std::string* text = std::get_if<std::string>(&value)) engine.Load(*text);
  else if (const int* i = std::get_if<int>(&value)) engine.LoadValue(*i);
  else if (const double* d = std::get_if<double>(&value)) engine.LoadValue(*d);
  else engine.LoadValue(0);
}

QString TECPopupCalculator::GetValueText() const {
  return QString::fromStdString(panel_->Engine().Display());
}

void TECPopupCalculator::ForwardKey(QKeyEvent& event) {
  if (event.matches(QKeySequence::Copy)) {
    QApplication::clipboard()->setText(GetValueText());
    return;
  }
  if (event.matches(QKeySequence::Paste)) {
    Engine().Paste(QApplication::clipboard()->text().toStdString());
    return;
  }
  if (event.key() == Qt::Key_Backspace) {
    panel_->TypeKey(CalculatorEngine::kBackspace);
    return;
  }
  if (event.key() == Qt::Key_Escape) {
    if (onClose) onClose(CalculatorEngine::kCancel);
    return;
  }
  const QString text = event.text();
  if (text.size() == 1 && text[0].unicode() >= 32 && text[0].unicode() < 127) {
    panel_->TypeKey(static_cast<char>(text[0].unicode()));
    return;
  }
  event.ignore();
}

}  // namespace nv::widgets
