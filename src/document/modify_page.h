#pragma once

#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "document/button_table.h"
#include "document/command_registry.h"

namespace nv::document {

class LayoutEdits;
struct ProgramSettings;

// What a modify-page button shows: a picture of its own, or a face painted
// from the values it applies.
enum class ModifyFace { Picture, JoinStyle, RowStyle, PitchUp, PitchDown };

// One button of the modify page, columns from left to right, upper row first.
struct ModifyButton {
  std::string_view Name;
  std::string_view Hint;
  ModifyFace Face = ModifyFace::Picture;
  // 0: the button never stays down; buttons of one other group are down one at a time.
  int Group = 0;
  std::string_view CommandId;
  std::vector<std::string_view> Args;
  // Runs again at every tick of the click repeater while held.
  bool Repeats = false;
  // Opens a drop-down from its arrow part.
  bool DropPart = false;
};

inline constexpr int kModifyPanelStep = 26;
inline constexpr int kModifyPanelTimeOutMs = 200;
// The group of the piano-roll and velocity-pane buttons.
inline constexpr int kPaneGroup = 3;

std::span<const ModifyButton> ModifyButtons();
const ModifyButton* FindModifyButton(std::string_view name);

// The image of the join-notes style button: 0 none, 1 full, 2 by note
// value, 3 a custom count.
int JoinStyleImage(int count);
// The image of the row-alignment button: 4, 5, 6 for styles 0, 1, 2; a
// style out of range shows as style 0.
int RowStyleImage(int style);
// The semitones of a custom transpose button, kept positive.
int PitchSteps(int value);

// Adds the commands of the modify page's buttons. Each acts on what
// `active` gives, and is disabled while it gives none; the custom
// transposes, the join style and the row alignment read `settings` when
// they run.
void AddModifyCommands(CommandRegistry& registry, std::function<LayoutEdits*()> active,
                       const ProgramSettings& settings);

}  // namespace nv::document
