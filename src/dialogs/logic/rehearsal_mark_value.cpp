#include "dialogs/logic/rehearsal_mark_value.h"

namespace nv::dialogs {
namespace {

constexpr int kLetters = 26;
constexpr int kNumbers = 100;

}  // namespace

std::vector<std::string> RehearsalMarkValue::Items() const {
  std::vector<std::string> items;
  if (kind_ == RehearsalMarkKind::Letters) {
    for (int i = 0; i < kLetters; ++i) items.emplace_back(1, static_cast<char>('A' + i));
  } else {
    for (int i = 0; i < kNumbers; ++i) items.push_back(std::to_string(i));
  }
  return items;
}

void RehearsalMarkValue::SetValue(int value) {
  const int limit = kind_ == RehearsalMarkKind::Letters ? kLetters : kNumbers;
  value_ = value >= 0 && value < limit ? value : 0;
  text_ = kind_ == RehearsalMarkKind::Letters ? std::string(1, static_cast<char>('A' + value_))
                                              : std::to_string(value_);
}

std::string RehearsalMarkValue::TextChanged(const std::string& typed) {
  if (kind_ == RehearsalMarkKind::Letters) {
    if (typed.size() == 1) {
      char c = typed[0];
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      if (c >= 'A' && c <= 'Z') SetValue(c - 'A');
    }
    return text_;
  }
  const std::string digits = typed.substr(0, 2);
  bool number = !digits.empty();
  for (char c : digits) number = number && c >= '0' && c <= '9';
  if (!number) {
    SetValue(0);
    return text_;
  }
  value_ = std::stoi(digits);
  text_ = digits;
  return text_;
}

}  // namespace nv::dialogs
