#pragma once

#include "model/measure_layout.h"

class TECInstrument;
class TECLinkAttribute;
class TECMeasureItem;
class TECMusicScore;
class TECSymbolItem;

namespace nv::render {

struct LayoutContext;

// The carry-over lists of the layout pass. Entries are places, not
// pointers, so an edit that frees a record can leave no dangling entry; the
// painters resolve them with the Resolve functions, which check every index
// and the kind of what they find.

// Adds a link to the entry `offset` pages from the page being laid out.
void AddSystemObject(TECMusicScore& score, const TECCarryRef& ref, int offset);
// Adds a spanner or volta to the entry `offset` pages from the page being
// laid out.
void AddSystemSymbol(TECMusicScore& score, const TECCarryRef& ref, int offset);
// A volta met by the symbols-row layout: carried to the next page.
void AddSystemSymbol(TECMusicScore& score, const TECSymbolItem* item);

// Before page `page` is laid out: the two entries that laying it out fills
// (links of the page before, spanners of the page after) are emptied, and
// nothing else, so a pass over some pages leaves the others' entries alone.
void PrepareCarryOver(TECPageLayout& layout, int page);
// After page `page`: the spanners carried to the next page stay only when
// they reach into it.
void PruneCarryOver(const LayoutContext& context, int page);

TECLinkAttribute* ResolveLink(const TECInstrument& instrument, const TECCarryRef& ref);
TECMeasureItem* ResolveSpanner(const TECInstrument& instrument, const TECCarryRef& ref);
TECSymbolItem* ResolveVolta(const TECInstrument& instrument, const TECCarryRef& ref);

}  // namespace nv::render
