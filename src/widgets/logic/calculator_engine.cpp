#include "widgets/logic/calculator_engine.h"

#include <cmath>
#include <string_view>

namespace nv::widgets {

namespace {

constexpr std::string_view kKeyChars = "0123456789_./*-+Q%R=";

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

}  // namespace

CalculatorEngine::CalculatorEngine(const FormatSettings& settings) : values_(settings) {}

int CalculatorEngine::KeyTagFor(char typed) const {
  const char k = Upper(typed);
  if (k == ',' || k == '.' || k == values_.Settings().decimalSeparator) return 11;
  if (k == kEnter) return 19;
  if (k == kEscape || k == 'C') return 21;
  if (k == kBackspace) return 20;
  const std::size_t at = kKeyChars.find(k);
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

void CalculatorEngine::Beep() {
  if (beepOnError && onBeep) onBeep();
}

void CalculatorEngine::SetDisplay(std::string text) {
  if (text == display_) return;
  display_ = std::move(text);
  if (onDisplayChange) onDisplayChange();
}

void CalculatorEngine::ShowResult(double value) {
  if (!std::isfinite(value)) {
    EnterError();
    return;
  }
  status_ = Status::Valid;
  std::string text = values_.FormatReal(value, Digits());
  if (text != display_) {
    SetDisplay(std::move(text));
    if (onResultChange) onResultChange();
  }
}

void CalculatorEngine::EnterError() {
  status_ = Status::Error;
  display_ = "Error";
  Beep();
  if (onError) onError();
}

void CalculatorEngine::StartEntry() {
  if (status_ != Status::FirstEntry) return;
  status_ = Status::Valid;
  SetDisplay("0");
}

double CalculatorEngine::DisplayValue() const {
  if (status_ == Status::Error) return 0;
  double value = 0;
  return values_.TryParseReal(display_, value) ? value : 0;
}

std::optional<double> CalculatorEngine::Value() {
  if (status_ == Status::Error) {
    Beep();
    return std::nullopt;
  }
  return DisplayValue();
}

void CalculatorEngine::ClearEntry() {
  status_ = Status::FirstEntry;
  ShowResult(0);
  status_ = Status::FirstEntry;
  pending_ = '=';
}

void CalculatorEngine::Operator(char key) {
  if (status_ == Status::Valid) {
    status_ = Status::FirstEntry;
    double r = DisplayValue();
    if (key == '%') r = (pending_ == '*' || pending_ == '/') ? r / 100 : operand_ * r / 100;
    switch (pending_) {
      case '*': ShowResult(operand_ * r); break;
      case '+': ShowResult(operand_ + r); break;
      case '-': ShowResult(operand_ - r); break;
      case '/':
        if (r == 0) EnterError();
        else ShowResult(operand_ / r);
        break;
      default: break;
    }
    if (status_ != Status::Error) status_ = Status::FirstEntry;
  }
  pending_ = key == kEnter ? '=' : key;
  operand_ = DisplayValue();
  if ((key == kEnter || key == '%' || key == '=') && onClose) onClose(kAccept);
}

void CalculatorEngine::Key(char key) {
  const char k = Upper(key);
  if (status_ == Status::Error && k != 'C' && k != kEscape) return;
  const char separator = values_.Settings().decimalSeparator;
  if (k == ',' || k == '.' || k == separator) {
    StartEntry();
    if (display_.find(separator) == std::string::npos) SetDisplay(display_ + separator);
  } else if (k == kBackspace) {
    StartEntry();
    if (display_.size() == 1 || (display_.size() == 2 && display_[0] == '-')) SetDisplay("0");
    else SetDisplay(display_.substr(0, display_.size() - 1));
  } else if (k == kEnter || k == '%' || k == '*' || k == '+' || k == '-' || k == '/' || k == '=') {
    Operator(k);
  } else if (k == kEscape || k == 'C') {
    ClearEntry();
  } else if (k >= '0' && k <= '9') {
    StartEntry();
    if (display_ == "0") {
      SetDisplay(std::string(1, k));
    } else if (display_.find('E') == std::string::npos) {
      const std::size_t room = Digits() + (display_.find('-') != std::string::npos ? 1 : 0);
      if (display_.size() < room) SetDisplay(display_ + k);
      else Beep();
    }
  } else if (k == 'Q') {
    const double value = DisplayValue();
    if (value < 0) EnterError();
    else ShowResult(std::sqrt(value));
  } else if (k == 'R') {
    const double value = DisplayValue();
    if (value == 0) EnterError();
    else ShowResult(1 / value);
  } else if (k == '_') {
    ShowResult(-DisplayValue());
  }
}

void CalculatorEngine::Paste(std::string_view clipboard) {
  if (status_ == Status::Error) return;
  std::string text(clipboard);
  const std::string& currency = values_.Settings().currencyString;
  if (!currency.empty())
    for (std::size_t at = text.find(currency); at != std::string::npos; at = text.find(currency, at))
      text.erase(at, currency.size());
  double value = 0;
  if (!values_.TryParseReal(text, value)) value = 0;
  ShowResult(value);
}

void CalculatorEngine::MemoryAdd() {
  if (status_ != Status::Error) memory_ += DisplayValue();
}

void CalculatorEngine::MemoryStore() {
  if (status_ != Status::Error) memory_ = DisplayValue();
}

void CalculatorEngine::MemoryRecall() {
  if (status_ == Status::Error) return;
  StartEntry();
  ShowResult(memory_);
}

void CalculatorEngine::MemoryClear() { memory_ = 0; }

bool CalculatorEngine::Finish() {
  const std::optional<double> value = Value();
  if (value) ShowResult(*value);
  return value.has_value();
}

void CalculatorEngine::Load(std::string_view text) {
  double value = 0;
  if (!values_.TryParseReal(text, value)) value = 0;
  LoadValue(value);
}

void CalculatorEngine::LoadValue(double value) {
  status_ = Status::Valid;
  ShowResult(std::isfinite(value) ? value : 0);
  status_ = Status::FirstEntry;
  pending_ = '=';
}

}  // namespace nv::widgets
