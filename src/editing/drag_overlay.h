#pragma once

#include <vector>

#include "model/music_score.h"

namespace nv::editing {

// One stroke of the drag feedback that the view draws over the page with a
// white XOR pen.
struct OverlayStroke {
  enum class Shape { Line, Rectangle, Ellipse, Arc, Pie, Chord, FocusRect, Marker };
  Shape What = Shape::Line;
  // Client pixels (the ruler guide and marker); else document pixels.
  bool Client = false;
  // Dotted pen; the ghost note's dash and ledger lines are solid.
  bool Dotted = true;
  // A line runs from (Left, Top) to (Right, Bottom); a shape fills the box;
  // a marker has its corner at (Left, Top).
  TECRect Box;
  // Arc, pie and chord: the start and end radials.
  TECPoint Start;
  TECPoint End;
  // Marker: the ruler marker's kind (DrawRulerMarks).
  int MarkerKind = 0;
};

// The feedback the score's mouse state asks for now, in drawing order: the
// ruler guide and marker, the rubber band, then what lies on the page (the
// shape being drawn, the outline of a dragged page object, text or chord
// symbol, the ghost note). Nothing without a host.
std::vector<OverlayStroke> OverlayStrokes(const TECMusicScore& score);

// The document rectangle that holds every stroke; empty (all 0) when none.
TECRect OverlayBounds(const TECMusicScore& score);

// Repaints the feedback's old and new places around a change of the mouse
// state: the state-keeping form of erasing an XOR drawing and drawing it
// again.
template <typename Change>
void ChangeOverlay(TECMusicScore& score, Change&& change) {
  const TECRect before = OverlayBounds(score);
  change();
  const TECRect after = OverlayBounds(score);
  const TECRect none{};
  if (before != none) score.InvalidateArea(before);
  if (after != none && after != before) score.InvalidateArea(after);
}

// The pitch hint of the ghost note at LastMouse: shown when its staff step
// changed, or while the mouse stays within 32 pixels right of and below the
// dash; not when OnGetShowHint says no.
void FollowPitchHint(TECMusicScore& score);

// Takes the hint away.
void HidePitchHint(TECMusicScore& score);

}  // namespace nv::editing
