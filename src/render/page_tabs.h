#pragma once

#include <vector>

#include "model/music_score.h"
#include "platform/canvas.h"

namespace nv::render {

// Where the page tabs stand in the strip left of the horizontal scroll bar
// (client pixels). The painter draws from it and the score control hit-tests
// it. Text widths come from the canvas in the tabs' font ("Arial" 8).
struct PageTab {
  int Page = 0;
  int X = 0;      // left end of the tab's top edge; the tab reaches X - 5 .. X + Width
  int Width = 0;  // text width + 15
};
struct PageTabStrip {
  nv::platform::Rect Strip;       // left half of the bottom strip
  nv::platform::Rect LeftArrow;   // empty when the first tab is shown
  nv::platform::Rect RightArrow;  // empty when every later tab fits
  std::vector<PageTab> Tabs;      // the tabs shown, in page order
};

// Lays the tabs out from the score's first shown tab; writes the last tab
// that fits into the score (-1 when all fit), and the arrows and tabs for
// the mouse (PageTabPlaces).
PageTabStrip LayoutPageTabs(TECMusicScore& score, nv::platform::Canvas& canvas);

// Selects the tabs' font on the canvas.
void SelectPageTabFont(nv::platform::Canvas& canvas);

}  // namespace nv::render
