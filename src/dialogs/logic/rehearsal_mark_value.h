#pragma once

#include <string>
#include <vector>

namespace nv::dialogs {

// The rehearsal-mark dialog's number as the user sees it: with letters
// "A".."Z" for 0..25, with digits "0".."99".
enum class RehearsalMarkKind { Letters, Digits };

class RehearsalMarkValue {
 public:
  explicit RehearsalMarkValue(RehearsalMarkKind kind) : kind_(kind) {}

  RehearsalMarkKind Kind() const { return kind_; }
  // The drop-down's items and the most characters the field takes.
  std::vector<std::string> Items() const;
  int MaxLength() const { return kind_ == RehearsalMarkKind::Letters ? 1 : 2; }

  // A value outside 0..25 (letters) or 0..99 (digits) shows "A" or "0".
  void SetValue(int value);
  int Value() const { return value_; }
  const std::string& Text() const { return text_; }

  // The user changed the text to `typed`; gives the text the field then
  // shows. A lower-case letter is upper-cased; a text that is no letter
  // keeps the previous one; in digit mode a text that is no number
  // becomes "0".
  std::string TextChanged(const std::string& typed);

 private:
  RehearsalMarkKind kind_;
  int value_ = 0;
  std::string text_ = kind_ == RehearsalMarkKind::Letters ? "A" : "0";
};

}  // namespace nv::dialogs
