#pragma once

#include <optional>
#include <string>

#include "model/measure_items.h"
#include "model/music_score.h"

// The user settings that playback preparation asks the document window for.
namespace play_settings {

// OnGetDinamics for a kind code, or nothing when it is unassigned.
inline std::optional<int> Dinamics(TECMusicScore& score, int kind) {
  if (!score.OnGetDinamics) return std::nullopt;
  return score.OnGetDinamics(&score, kind);
}

// The text of a text box as the term library knows it: its lines joined by
// spaces.
inline std::string TermText(const TECTextBox& box) {
  std::string text;
  for (const std::string& line : box.Lines) text += (text.empty() ? "" : " ") + line;
  return text;
}

// OnGetTerms for a text box: true with the two values when the library has
// a term of `kind` (1 dynamics, 2 tempo) for its text.
inline bool Term(TECMusicScore& score, int kind, const TECTextBox& box, int& value1, int& value2) {
  if (!score.OnGetTerms) return false;
  const std::string text = TermText(box);
  return !text.empty() && score.OnGetTerms(&score, kind, text, value1, value2);
}

}  // namespace play_settings
