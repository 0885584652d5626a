#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nv::platform {

// One choice of a file dialog's filter: its caption and its patterns
// ("*.mid;*.midi").
struct FileFilterEntry {
  std::string caption;
  std::string patterns;
};

// Splits a filter of the language files, "caption|patterns|caption|patterns",
// into its choices in order; a caption without patterns is dropped.
std::vector<FileFilterEntry> SplitFileFilter(std::string_view filter);

}  // namespace nv::platform
