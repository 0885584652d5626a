#include "dialogs/logic/form_values.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <stdexcept>

#include "platform/ini_file.h"

namespace nv::dialogs {
namespace {

template <typename T>
const T& Get(const std::map<std::string, FieldValue, std::less<>>& values, std::string_view name, const char* kind) {
  const auto it = values.find(name);
  if (it == values.end()) throw std::invalid_argument("The form has no field " + std::string(name));
  const T* value = std::get_if<T>(&it->second);
  if (!value) throw std::invalid_argument("The field " + std::string(name) + " holds no " + kind);
  return *value;
}

}  // namespace

int FormValues::Int(std::string_view name) const { return Get<int>(values_, name, "number"); }
bool FormValues::Bool(std::string_view name) const { return Get<bool>(values_, name, "tick"); }
const std::string& FormValues::Text(std::string_view name) const { return Get<std::string>(values_, name, "text"); }

const FieldValue& FormValues::Value(std::string_view name) const {
  const auto it = values_.find(name);
  if (it == values_.end()) throw std::invalid_argument("The form has no field " + std::string(name));
  return it->second;
}

std::string SettingOf(const FieldValue& value) {
  if (const int* number = std::get_if<int>(&value)) return std::to_string(*number);
  if (const bool* tick = std::get_if<bool>(&value)) return *tick ? "1" : "0";
  return std::get<std::string>(value);
}

FieldValue FromSetting(std::string_view stored, const FieldValue& current) {
  if (std::holds_alternative<std::string>(current)) return std::string(stored);
  const std::optional<std::int32_t> number = nv::platform::ParseIniInteger(stored);
  if (!number) return current;
  if (std::holds_alternative<bool>(current)) return *number != 0;
  return static_cast<int>(*number);
}

int GroupValue(const std::vector<int>& values, int downIndex, int none) {
  return downIndex >= 0 && downIndex < static_cast<int>(values.size()) ? values[static_cast<std::size_t>(downIndex)]
                                                                       : none;
}

int GroupIndexOf(const std::vector<int>& values, int value) {
  const auto it = std::find(values.begin(), values.end(), value);
  return it == values.end() ? -1 : static_cast<int>(it - values.begin());
}

}  // namespace nv::dialogs
