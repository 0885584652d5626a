#pragma once

#include <optional>
#include <vector>

#include "model/music_score.h"

class TECNote;
class TECRow;
struct TECDrawnMeasure;

namespace nv::editing {

// Where a selectable record belongs: its owner row (a TECRow, the
// instrument's TECSymbolsRow or TECTextsRow) and its measure index there
// (0 for page objects).
struct ElementPlace {
  TECModelObject* Owner = nullptr;
  int Measure = 0;
};

// The place of `element` from its owner links; none for records that are
// not selectable (play notes, dynamics code 100, tremolos 110..113, option
// codes 121..123 and 129) or that hang in no row of the active instrument.
std::optional<ElementPlace> PlaceOf(const TECMusicScore& score, const TECElement& element);

// True when `element` is a record held at measure `measure` of `owner` (a
// row, symbols row or texts row of the active instrument). Compares
// addresses only, so it may be asked about a record already freed.
bool HoldsRecord(const TECMusicScore& score, const TECModelObject* owner, int measure, const TECElement* element);

// True when `element` is held anywhere in the active instrument (addresses
// only, as HoldsRecord).
bool HeldAnywhere(const TECMusicScore& score, const TECElement* element);

// The note or rest whose attribute list holds `element` (through a grace
// note's group), or the element itself when it is a note or rest.
TECElement* HoldingEvent(TECElement& element);

// The invalidation box of an element, document pixels: the painted box,
// widened for an offset note head, one part of a tie or slur (part 1 or 2;
// 0 both), moved up over the rows for bar numbers, part numbers and
// multi-measure rests.
TECRect BoxOf(const TECMusicScore& score, const TECElement& element, int part);

// What to repaint for an element: a spanner's box in each system it was
// drawn in (none when it was not drawn), every other element's BoxOf.
std::vector<TECRect> BoxesOf(const TECMusicScore& score, const TECElement& element, int part);

// A length at 100 % in document pixels at the score's zoom factor.
int Zoomed(const TECMusicScore& score, int pixels);

// A page object's stored coordinate (1000 at the page's top-left corner) in
// document pixels.
int PageObjectPixels(const TECMusicScore& score, int stored);

// A written-back box as a rectangle.
TECRect RectOf(const TECElementBox& box);

// The rectangle with corners a and b, left and top first.
TECRect NormalisedRect(TECPoint a, TECPoint b);

// The rectangle shifted by (dx, dy).
TECRect Moved(const TECRect& r, int dx, int dy);

// The staff space D in document pixels at the score's zoom.
int StaffSpacePixels(const TECMusicScore& score);

// The staff step under y for a staff whose top line is at `staffTop`
// (0 the bottom line, counting up in half spaces).
int StaffStepAt(const TECMusicScore& score, int staffTop, int y);

// The drawn measure (latest DrawPage) of row `row` holding measure `m`, or none.
const TECDrawnMeasure* DrawnMeasureOf(const TECMusicScore& score, int row, int m);

}  // namespace nv::editing
