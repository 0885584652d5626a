#pragma once

#include "render/layout_context.h"

namespace nv::render {

// What a pass to the end of the score remembers, so that the next pass,
// after an edit, stops at a page where the layout from there on would come
// out as it is: the page begins with the same running state (first
// measure, bar number, start tick, time, rehearsal counter, system, each
// row's clef and key, the spanners carried in) and no measure from there on
// changed (its revisions and user settings are as laid out), under the same
// settings and page geometry.

// Begins a pass (context prepared): forgets everything remembered when the
// instrument, the page geometry or any layout setting changed.
void BeginMemo(const LayoutContext& context);
// Records the running state page context.Page begins with (page tables
// and carry-over lists set up for it).
void RememberPageStart(LayoutContext& context);
// Records how far the measures of page context.Page raised the counters.
void RememberPageEnd(const LayoutContext& context);
// Records what measure m was laid out from.
void RememberMeasure(const LayoutContext& context, int m);
// True when page context.Page and every page after it would come out as
// the records hold them (page tables set up to its start): never up to the
// active page, whose measure places a pass makes.
bool PagesAheadUnchanged(LayoutContext& context);
// After a pass over two pages: the pages after them were laid out from the
// state they ended with before, which is forgotten when it is no longer so.
void EndTwoPageMemo(const LayoutContext& context);
// After a pass to the end (or one stopped early): its end and counters.
void EndMemo(const LayoutContext& context, bool stopped);
// True when the measures before index `end` of the active instrument are
// as the passes remembered laid them out: a pass from a later page then
// leaves what a full pass leaves.
bool LaidOutAsTheyAre(const TECMusicScore& score, int end);

}  // namespace nv::render
