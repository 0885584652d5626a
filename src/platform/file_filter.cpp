#include "platform/file_filter.h"

#include <algorithm>

namespace nv::platform {

std::vector<FileFilterEntry> SplitFileFilter(std::string_view filter) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t bar = filter.find('|', start);
    parts.push_back(filter.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  std::vector<FileFilterEntry> entries;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
    if (!parts[i + 1].empty()) entries.push_back({std::string(parts[i]), std::string(parts[i + 1])});
  return entries;
}

std::vector<std::string> NameFilters(std::string_view filter) {
  std::vector<std::string> names;
  for (const FileFilterEntry& entry : SplitFileFilter(filter)) {
    std::string caption = entry.caption;
    // A file dialog reads the patterns from the last parentheses: a
    // caption's own list gives way to the filter's patterns.
    if (const auto open = caption.rfind(" ("); open != std::string::npos && caption.back() == ')') caption.erase(open);
    std::string patterns = entry.patterns;
    std::replace(patterns.begin(), patterns.end(), ';', ' ');
    names.push_back(caption + " (" + patterns + ")");
  }
  return names;
}

}  // namespace nv::platform
