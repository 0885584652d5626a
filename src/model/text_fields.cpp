#include "model/text_fields.h"

#include <charconv>
#include <optional>
#include <utility>

namespace {

std::optional<std::string> CutField(std::string_view separator, std::string& text) {
  if (separator.empty()) return std::nullopt;
  const std::size_t at = text.find(separator);
  if (at == std::string::npos) return std::nullopt;
  std::string field = text.substr(0, at);
  text.erase(0, at + separator.size());
  return field;
}

}  // namespace

int StrToIntOr(std::string_view text, int fallback) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  // from_chars takes a minus sign but not a plus sign.
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return fallback;
  return value;
}

int CutIntField(std::string_view separator, std::string& text, int fallback) {
  const std::optional<std::string> field = CutField(separator, text);
  return field ? StrToIntOr(*field, fallback) : fallback;
}

std::string CutStrField(std::string_view separator, std::string& text, std::string_view fallback) {
  std::optional<std::string> field = CutField(separator, text);
  return field ? std::move(*field) : std::string(fallback);
}
