#pragma once

#include <string>

class TECInstrument;
class TECMusicScore;
struct TECMeasureLayout;

namespace nv::render {

// One layout record on one line: "m<index> sys=<system> page=<page>
// bar=<bar number> head=<header> extra=<extra> content=<content>
// close=<closing> after=<space after bar> len=<ticks> start=<start tick>
// just=<justification pixels>" then " S" / " E" for the system start and end
// flags, " break" for a page break, and " x=" with the position table, a run
// of equal values written once as "value*count".
std::string DumpMeasureLayout(const TECMeasureLayout& record, int index);

// The layout of the active instrument: page count, page tables, the active
// page's systems, interval and bar numbers, the system records, every
// layout record, the measure places of every row and the carry-over lists.
std::string DumpLayout(const TECMusicScore& score);

// What the pass writes into the records of the active instrument besides
// the layout records: the laid-out counters, and for every measure of every
// row its page, clef and key in force, clef table, the tremolo strokes of
// its notes and the offsets of its attributes and items.
std::string DumpLaidOutModel(const TECMusicScore& score);

}  // namespace nv::render
