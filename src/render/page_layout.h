#pragma once

class TECMusicScore;

namespace nv::render {

// The layout pass of the active instrument, from page `page` to the end of
// the score (from the page before, whose last system may take measures of
// page `page`), or over pages `page` and `page` + 1 only with `twoPages`:
// systems and pages, the layout records of every measure placed, the page
// tables, the carry-over lists and, on the active page, the measure places.
// Earlier pages keep their records, so the cost follows the pages laid out.
// Appends a page when music remains after the last one and reports it with
// OnPageCountChanged once the pass is over. Nothing happens while the layout
// is suspended, in the all-instruments view, without an active instrument
// or visible row, or when called from inside a pass.
// A pass to the end stops at the first page from which the records would
// come out as they are: it begins with the running state it began with
// before, and no measure from there on changed since it was laid out
// (its revision, see model/content_revision.h). The result is the same as
// a full pass from page 0 gives; the test build checks every pass to the
// end against a full pass that spaces each measure afresh.
void LayoutScore(TECMusicScore& score, int page, bool twoPages);

// A pass from page 0 to the end that never stops early, firing no event;
// the test build checks it as it checks LayoutScore.
void LayoutScoreInFull(TECMusicScore& score);

}  // namespace nv::render
