#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/music_score.h"

class TECMeasure;
class TECRow;
struct TECDrawnMeasure;

namespace nv::editing {

// The edges of a page object's box that a drag handle moves: handles 1..8
// run clockwise from the top-left corner; the whole object (handle 0) has
// none of them.
struct HandleEdges {
  bool Left = false;
  bool Top = false;
  bool Right = false;
  bool Bottom = false;
};
HandleEdges EdgesOf(int handle);

// The row and measure under a document point on the latest drawn page:
// rows in order, each row's measures from the last, within the staff band
// (half a staff height above and below the staff).
struct StaffPlace {
  int Row = 0;
  const TECDrawnMeasure* Drawn = nullptr;
};
std::optional<StaffPlace> StaffPlaceAt(const TECMusicScore& score, TECPoint p);

// The event start that a drop at document x lands on in a drawn measure:
// the last tick whose column lies at or left of x, then the nearest note or
// rest start (all voices; strictly nearer wins); 0 without notes or rests.
int NearestEventPosition(const TECMusicScore& score, const TECMeasure& measure, const TECDrawnMeasure& drawn, int x);

// What the ghost note draws: its x, staff step, dash y and ledger lines
// (each 8 pixels wide at x), document pixels.
struct GhostNote {
  int X = 0;
  int Step = 0;
  int DashY = 0;
  std::vector<int> LedgerYs;
  int Measure = 0;
  int Row = 0;
};
std::optional<GhostNote> GhostNoteAt(const TECMusicScore& score, TECPoint p);

// The hint letter of a staff step (clef offset included): "C" .. "B".
std::string PitchLetter(int step);

// The hint the ghost note shows at LastMouse ("" when the point is over no
// staff): the letter of its step plus the measure's clef offset.
std::string PitchHintAt(const TECMusicScore& score, TECPoint p);

}  // namespace nv::editing
