#pragma once

#include <functional>
#include <vector>

#include "model/music_score.h"

class TECMeasure;
class TECNote;
class TECRow;

namespace nv::editing {

// One measure of a staff row with the elements a selection command works on.
struct RowTarget {
  TECMeasure* Measure = nullptr;
  std::vector<TECElement*> Elements;
};

// The staff row of the active instrument that holds the selection; none
// when nothing is selected or the selection lies in the symbols or texts row.
TECRow* SelectedStaffRow(const TECMusicScore& score);

// The staff-row entries of the selection (entries past the row's measures
// skipped), or with `atCursor` and nothing selected the notes of the active
// row's cursor measure that start at the cursor tick. Empty when the
// selection lies in the symbols or texts row. Every target's measure is one
// of the same row.
std::vector<RowTarget> RowTargets(TECMusicScore& score, bool atCursor);

// The notes of `note`'s measure in its chord (same voice and non-zero chord
// mark), the note itself excluded.
std::vector<TECNote*> ChordPartners(const TECNote& note);

// True when another note of `note`'s voice outside its chord overlaps
// [start, start + length).
bool VoiceOverlaps(const TECNote& note, int start, int length);

// True when `element` is a pitched note (kinds C to B), not a repeat sign.
bool IsNote(const TECElement& element);

// True when `element` is one of `elements`.
bool IsIn(const std::vector<TECElement*>& elements, const TECElement* element);

}  // namespace nv::editing
