#pragma once

#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace nv::dialogs {

// A field's value as a form takes and gives it: a number (spin, radio item,
// combo value, button group, instrument, palette, track bar), a tick (check
// box) or a text.
using FieldValue = std::variant<int, bool, std::string>;

// The values of a form's fields by component name: what a dialog is filled
// with and what its opener reads back, with no control in sight.
class FormValues {
 public:
  FormValues() = default;
  FormValues(std::initializer_list<std::pair<const std::string, FieldValue>> values) : values_(values) {}

  void Set(const std::string& name, FieldValue value) { values_[name] = std::move(value); }
  bool Has(std::string_view name) const { return values_.find(name) != values_.end(); }
  // A field's value of that kind; std::invalid_argument naming the field
  // when it is missing or holds another kind.
  int Int(std::string_view name) const;
  bool Bool(std::string_view name) const;
  const std::string& Text(std::string_view name) const;
  const FieldValue& Value(std::string_view name) const;

  const std::map<std::string, FieldValue, std::less<>>& All() const { return values_; }
  friend bool operator==(const FormValues&, const FormValues&) = default;

 private:
  std::map<std::string, FieldValue, std::less<>> values_;
};

// A field's value as a settings file keeps it ("1" and "0" for a tick),
// and back: a stored text that is no value of the field's kind gives
// `current` unchanged.
std::string SettingOf(const FieldValue& value);
FieldValue FromSetting(std::string_view stored, const FieldValue& current);

// A number kept within a field's bounds.
inline int KeptWithin(int value, int min, int max) { return value < min ? min : (value > max ? max : value); }

// A button group's value: the value of the button that is down, or `none`
// when all are up. And back: the button of a value, -1 when none has it.
int GroupValue(const std::vector<int>& values, int downIndex, int none);
int GroupIndexOf(const std::vector<int>& values, int value);

}  // namespace nv::dialogs
