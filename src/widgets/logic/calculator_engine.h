#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "widgets/logic/value_text.h"

namespace nv::widgets {

// The arithmetic of the calculator keypad: the display text, the entry
// status, the pending operator, the operand and the memory. Keys are the
// characters of "0123456789_./*-+Q%R=" ("_" changes the sign, "Q" is the
// square root, "R" the reciprocal), kBackspace, "C", kEnter and kEscape.
// A result that is not finite, like a division by zero, is the error state.
class CalculatorEngine {
 public:
  enum class Status { FirstEntry, Valid, Error };
  static constexpr char kBackspace = '\b';
  static constexpr char kEnter = '\r';
  static constexpr char kEscape = '\x1b';
  static constexpr int kAccept = 1;
  static constexpr int kCancel = 2;

  explicit CalculatorEngine(const FormatSettings& settings = FormatSettings::Program());

  // Called when a key cannot act (a 16th digit, an error) with beeping on.
  std::function<void()> onBeep;
  // The display text changed (not for "Error").
  std::function<void()> onDisplayChange;
  std::function<void()> onResultChange;
  std::function<void()> onError;
  // Enter, "%" and "=" finish with kAccept.
  std::function<void(int code)> onClose;

  void Key(char key);
  // Ctrl+V: the text without the currency string, trimmed, as a result (0
  // when it is no number).
  void Paste(std::string_view clipboard);

  void MemoryAdd();
  void MemoryStore();
  void MemoryRecall();
  void MemoryClear();
  // The "M" label shows while the memory is not 0.
  bool MemoryShown() const { return memory_ != 0; }

  // OK: shows the display value as a result; false, with a beep, in the
  // error state.
  bool Finish();

  // Loads a field's text: a number, else 0; then a new entry with "=" pending.
  void Load(std::string_view text);
  void LoadValue(double value);
  // The display as a number; none (with a beep) in the error state.
  std::optional<double> Value();
  // The display as a number, 0 in the error state or when empty.
  double DisplayValue() const;

  const std::string& Display() const { return display_; }
  Status CurrentStatus() const { return status_; }
  char PendingOperator() const { return pending_; }
  double Operand() const { return operand_; }
  int Precision() const { return precision_; }
  void SetPrecision(int precision) { precision_ = precision; }
  bool beepOnError = true;

  // The position of a typed character among the keys (0 for "0" ... 19 for
  // "=", 20 Backspace, 21 "C"), -1 when no key has it.
  int KeyTagFor(char typed) const;

 private:
  int Digits() const { return precision_ > 2 ? precision_ : 2; }
  void SetDisplay(std::string text);
  void ShowResult(double value);
  void EnterError();
  void StartEntry();
  void Beep();
  void Operator(char key);
  void ClearEntry();

  ValueText values_;
  std::string display_ = "0";
  Status status_ = Status::FirstEntry;
  char pending_ = '=';
  double operand_ = 0;
  double memory_ = 0;
  int precision_ = 15;
};

}  // namespace nv::widgets
