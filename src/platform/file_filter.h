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

// The same filter as the name filters a file dialog takes, one per choice,
// in order: "Scores (*.sfd)|*.sfd|MIDI files (*.mid)|*.mid;*.midi" gives
// "Scores (*.sfd)" and "MIDI files (*.mid *.midi)". The patterns are the
// filter's own, whatever the caption says.
std::vector<std::string> NameFilters(std::string_view filter);

}  // namespace nv::platform
