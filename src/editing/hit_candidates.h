#pragma once

#include <functional>
#include <vector>

#include "model/music_score.h"

class TECMeasure;
class TECSymbolEntry;

namespace nv::editing {

// One element that hit testing tries, with the box it is tried by.
struct HitCandidate {
  TECElement* Selected = nullptr;  // what a hit selects
  TECElement* Clicked = nullptr;   // what a hit records as ClickedElement
  int Part = 0;                    // the part of a tie or slur, 1 or 2
  TECRect Box;
  int System = 0;                  // a spanner's part: systems after its measure's
};

// The elements of a staff-row measure in hit-test order: clef, key and time
// records; each note with its grace notes, ties and slurs and marks; each
// rest with its dots; the measure items from the last to the first, a
// spanner once per system it was drawn in.
std::vector<HitCandidate> MeasureCandidates(const TECMusicScore& score, TECMeasure& measure);

// The items of a symbols-row entry from the last to the first; a
// multi-measure rest once per row, one staff height higher each time.
std::vector<HitCandidate> SymbolCandidates(const TECMusicScore& score, TECSymbolEntry& entry);

// True when the page object shows on the active page.
bool OnActivePage(const TECMusicScore& score, const TECPageObject& object);

bool Contains(const TECRect& box, TECPoint p);
bool Intersects(const TECRect& a, const TECRect& b);

}  // namespace nv::editing
