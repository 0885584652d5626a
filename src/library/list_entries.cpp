#include "library/list_entries.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "platform/text_case.h"

namespace nv::library {

std::vector<std::string> ReadListEntries(const nv::platform::IniFile& file, std::string_view section,
                                         std::string_view countKey, std::string_view prefix) {
  const std::int32_t count = file.ReadInteger(section, countKey, 0);
  std::map<std::int32_t, std::string> byIndex;
  for (const std::string& key : file.ReadSection(section)) {
    if (key.size() <= prefix.size() ||
        !nv::platform::SameTextIgnoringCase(std::string_view(key).substr(0, prefix.size()), prefix)) {
      continue;
    }
    const std::string_view digits = std::string_view(key).substr(prefix.size());
    std::int32_t index = -1;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (error != std::errc{} || end != digits.data() + digits.size() || index < 0 || index >= count) continue;
    // Only the keys a writer writes: "Accord01" is not entry 1.
    if (digits.size() > 1 && digits.front() == '0') continue;
    std::string value = file.ReadString(section, key, "");
    if (!value.empty()) byIndex.try_emplace(index, std::move(value));
  }
  std::vector<std::string> values;
  values.reserve(byIndex.size());
  for (auto& [index, value] : byIndex) values.push_back(std::move(value));
  return values;
}

void WriteListEntries(nv::platform::IniFile& file, std::string_view section, std::string_view countKey,
                      std::string_view prefix, const std::vector<std::string>& values) {
  file.WriteInteger(section, countKey, static_cast<std::int32_t>(values.size()));
  for (std::size_t i = 0; i < values.size(); ++i) {
    file.WriteString(section, std::string(prefix) + std::to_string(i), values[i]);
  }
}

}  // namespace nv::library
