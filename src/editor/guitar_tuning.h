#pragma once

#include <string>
#include <vector>

#include "editor/fretboard_model.h"

namespace nv::editor {

// The open strings' MIDI keys, string 0 (the highest) first: kind 0 is the
// six-string guitar, kind 1 the seven-string one.
const std::vector<int>& OpenStringKeys(int kind);

// The name shown for fret value `fetch` + 1 of a string (-1: the open string): "E", "F#".
std::string FretNoteName(int fetch, int openKey);

// The keys the fingered frets sound, string by string (0 for a string not
// played); a key an earlier string already sounds is 0 on the later ones.
std::vector<int> FingeredKeys(const FretboardModel& board, const std::vector<int>& openKeys);

// Mirrors a played note on the board: a note-on shows the key on the lowest
// string it fits; a note-off clears that string only while it still shows the key.
void ShowPlayedKey(FretboardModel& board, const std::vector<int>& openKeys, int key, bool on);

}  // namespace nv::editor
