#include "dialogs/logic/settings_rules.h"

namespace nv::dialogs {

std::optional<int> NoteValueButton(int value) {
  for (int button = 0; button < kNoteValueCount; ++button)
    if (kNoteValues[button] == value) return button;
  return std::nullopt;
}

SettingsControlStates SettingsRules(const nv::document::ProgramOptions& options) {
  SettingsControlStates states;
  states.BackupCountVisible = options.SaveBackUp;
  states.BackupCountEnabled = options.LimitBackUp;
  states.IntervalVisible = options.AutoSave;
  states.NewsAtStartupEnabled = options.GetNews;
  return states;
}

int SettingsPageIndex(int stored, int pageCount, int hiddenPage, int designed) {
  if (stored < 0 || stored >= pageCount || stored == hiddenPage) return designed;
  return stored;
}

}  // namespace nv::dialogs
