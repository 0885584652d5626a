#pragma once

#include <cstdint>
#include <span>

#include "model/music_score.h"

namespace nv::editing {

// One command of the score control's keys. Menus, toolbars and palettes
// reach the same commands by id through the command registry.
struct KeyCommand {
  const char* Id;
  // The English caption; the language files translate it by CaptionText.
  const char* Caption;
  int CaptionText;
  std::uint16_t Key;
  // The modifiers it needs; modifiers no command before it in the table
  // takes are ignored (Ctrl+Alt+Right is Ctrl+Right).
  TECShiftState Modifiers;
  void (*Run)(TECMusicScore& score);
};

// The score control's key table, in the order a key is matched: the first
// command of the pressed key whose modifiers are all held runs.
std::span<const KeyCommand> ScoreKeyCommands();

// Runs a command of the table as its key does: on previewed pages the
// arrows, Home and End scroll instead.
void RunKeyCommand(TECMusicScore& score, const KeyCommand& command);

// Hands a key to the score's own key handling (TECMusicScore::KeyDown): the
// score control does so with the keys it gets, and the main window with the
// navigation keys its other controls pass on. True when the key was used, by
// the key table or by a listener of OnKeyDown.
bool CallKeyDown(TECMusicScore& score, std::uint16_t key, TECShiftState shift);

}  // namespace nv::editing
