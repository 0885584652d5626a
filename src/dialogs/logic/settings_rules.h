#pragma once

#include <optional>

#include "document/program_options.h"

namespace nv::dialogs {

// The recording and metronome note values, longest first: quarter to
// sixty-fourth.
inline constexpr int kNoteValueCount = 5;
inline constexpr int kNoteValues[kNoteValueCount] = {32, 16, 8, 4, 2};

// The button of a note value, or none for a value outside the five (which
// then stays as it is).
std::optional<int> NoteValueButton(int value);

// Which of the settings dialog's controls show and take input for the
// options ticked.
struct SettingsControlStates {
  bool BackupCountVisible = false;  // "Count", its edit and up-down
  bool BackupCountEnabled = false;  // the edit and up-down
  bool IntervalVisible = false;     // "Interval" and its list
  bool NewsAtStartupEnabled = false;
  bool operator==(const SettingsControlStates&) const = default;
};
SettingsControlStates SettingsRules(const nv::document::ProgramOptions& options);

// The page a stored "PageIndex" opens: the stored one when it is a page
// the user can see (0 <= index < pageCount, not `hiddenPage`), else
// `designed`.
int SettingsPageIndex(int stored, int pageCount, int hiddenPage, int designed);

}  // namespace nv::dialogs
